#include "widgets/TnDBGrid.h"

#include "widgets/Painting.h"
#include "widgets/Readability.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace corvane {

namespace {
constexpr int kMaxCachedHeights = 4096;
constexpr int kResizeGrip = 3;
constexpr int kDragDistance = 6;
}  // namespace

TnDBGrid::TnDBGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(1);
}

void TnDBGrid::setSource(GridRowSource* source) {
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (source) {
        connect(source, &GridRowSource::changed, this, &TnDBGrid::sourceChanged);
    }
    m_selection.clear();
    m_currentKey = m_anchorKey = currentKey();
    m_top = 0;
    invalidateHeights();
    setTopRow(0);
}

void TnDBGrid::setColumns(const QList<GridColumn>& columns) {
    m_columns = columns;
    invalidateHeights();
    setTopRow(m_top);
}

void TnDBGrid::setColumnWidth(int column, int width) {
    if (column < 0 || column >= m_columns.size())
        return;
    m_columns[column].width = std::max(8, width);
    invalidateHeights();
    setTopRow(m_top);
}

void TnDBGrid::setColumnVisible(int column, bool visible) {
    if (column < 0 || column >= m_columns.size() || m_columns[column].visible == visible)
        return;
    m_columns[column].visible = visible;
    invalidateHeights();
    setTopRow(m_top);
}

void TnDBGrid::moveColumn(int from, int to) {
    if (from < 0 || from >= m_columns.size() || to < 0 || to >= m_columns.size() || from == to)
        return;
    m_columns.move(from, to);
    viewport()->update();
}

int TnDBGrid::columnAt(int x) const {
    for (int i = 0; i < m_columns.size(); ++i) {
        if (!m_columns[i].visible)
            continue;
        const int left = columnLeft(i);
        if (x >= left && x < left + m_columns[i].width)
            return i;
    }
    return -1;
}

int TnDBGrid::rowCount() const {
    return m_source ? std::max(0, m_source->rowCount()) : 0;
}

int TnDBGrid::defaultRowHeight() const {
    return fontMetrics().height() + 4;
}

int TnDBGrid::titleHeight() const {
    return m_showTitles ? fontMetrics().height() + 6 : 0;
}

void TnDBGrid::setShowTitles(bool on) {
    if (m_showTitles == on)
        return;
    m_showTitles = on;
    setTopRow(m_top);
}

void TnDBGrid::setColumnLines(bool on) {
    m_columnLines = on;
    viewport()->update();
}

void TnDBGrid::setRowLines(bool on) {
    m_rowLines = on;
    viewport()->update();
}

void TnDBGrid::setFixedRowHeight(int px) {
    if (m_fixedRowHeight == std::max(0, px))
        return;
    m_fixedRowHeight = std::max(0, px);
    invalidateHeights();
    setTopRow(m_top);
}

int TnDBGrid::measureRow(int row) {
    if (m_fixedRowHeight > 0)
        return m_fixedRowHeight;
    if (auto it = m_heights.constFind(row); it != m_heights.constEnd())
        return *it;
    const QFontMetrics fm = fontMetrics();
    int h = defaultRowHeight();
    for (const GridColumn& c : std::as_const(m_columns)) {
        if (!c.visible)
            continue;
        const QString text = m_source->cellText(row, c.field);
        if (text.isEmpty())
            continue;
        const int textHeight =
            fm.boundingRect(QRect(0, 0, std::max(1, c.width - 4), 1 << 20), wrapFlags(c), text).height();
        if (textHeight > h)
            h = textHeight + 6;
    }
    ++m_measuredCount;
    if (m_heights.size() >= kMaxCachedHeights)
        m_heights.clear();
    m_heights.insert(row, h);
    return h;
}

void TnDBGrid::invalidateHeights() {
    m_heights.clear();
}

void TnDBGrid::layoutRows() {
    m_shown.clear();
    const int n = rowCount();
    const int bottom = viewport()->height();
    int y = titleHeight();
    for (int r = m_top; r < n && y < bottom; ++r) {
        const int h = measureRow(r);
        m_shown.push_back({r, y, h});
        y += h;
    }
}

int TnDBGrid::fullyShownCount() const {
    const int bottom = viewport()->height();
    int count = 0;
    for (const ShownRow& s : m_shown)
        if (s.top + s.height <= bottom)
            ++count;
    return std::max(1, count);
}

void TnDBGrid::setTopRow(int row) {
    const int n = rowCount();
    m_top = std::clamp(row, 0, std::max(0, n - 1));
    layoutRows();
    // Past the end the screen would show empty space: settle the last row at the bottom edge,
    // measuring backwards only the rows that will then be shown.
    const int room = viewport()->height() - titleHeight();
    if (m_top > 0 && !m_shown.empty() && m_shown.back().row == n - 1 &&
        m_shown.back().top + m_shown.back().height < viewport()->height()) {
        int used = 0;
        int top = n;
        while (top > 0 && used + measureRow(top - 1) <= room) {
            used += measureRow(top - 1);
            --top;
        }
        m_top = std::min(m_top, std::max(0, top == n ? n - 1 : top));
        layoutRows();
    }
    updateScrollBars();
    viewport()->update();
}

void TnDBGrid::scrollToRow(int row) {
    if (row < 0 || row >= rowCount())
        return;
    if (row < m_top) {
        setTopRow(row);
        return;
    }
    const int bottom = viewport()->height();
    for (const ShownRow& s : m_shown)
        if (s.row == row && s.top + s.height <= bottom)
            return;
    // Bring the row in as the last fully shown one.
    const int room = bottom - titleHeight();
    int used = measureRow(row);
    int top = row;
    while (top > 0 && used + measureRow(top - 1) <= room) {
        used += measureRow(top - 1);
        --top;
    }
    setTopRow(top);
}

bool TnDBGrid::rowFullyShown(int row) const {
    const int bottom = viewport()->height();
    for (const ShownRow& s : m_shown)
        if (s.row == row)
            return s.top + s.height <= bottom;
    return false;
}

void TnDBGrid::updateScrollBars() {
    m_syncingScrollBar = true;
    const int n = rowCount();
    const int page = fullyShownCount();
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, n - page));
    v->setPageStep(page);
    v->setValue(m_top);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, totalWidth() - viewport()->width()));
    h->setPageStep(viewport()->width());
    h->setSingleStep(16);
    m_syncingScrollBar = false;
}

void TnDBGrid::scrollContentsBy(int, int) {
    if (m_syncingScrollBar)
        return;
    if (verticalScrollBar()->value() != m_top) {
        setTopRow(verticalScrollBar()->value());
        emit operatorMoved();
    }
    viewport()->update();
}

int TnDBGrid::columnLeft(int column) const {
    int x = -horizontalScrollBar()->value();
    for (int i = 0; i < column; ++i)
        if (m_columns[i].visible)
            x += m_columns[i].width;
    return x;
}

int TnDBGrid::totalWidth() const {
    return columnLeft(static_cast<int>(m_columns.size())) + horizontalScrollBar()->value();
}

int TnDBGrid::rowAt(int y) const {
    for (const ShownRow& s : m_shown)
        if (y >= s.top && y < s.top + s.height)
            return s.row;
    return -1;
}

void TnDBGrid::paintTitles(QPainter& p) {
    const QPalette& pal = palette();
    const int th = titleHeight();
    paintGradient(p, QRect(0, 0, viewport()->width(), th), pal.color(QPalette::Light),
                  pal.color(QPalette::Button), true);
    for (int i = 0; i < m_columns.size(); ++i) {
        const GridColumn& c = m_columns[i];
        if (!c.visible)
            continue;
        const QRect r(columnLeft(i), 0, c.width, th);
        p.save();
        p.setPen(readableOn(pal.color(QPalette::WindowText),
                            {pal.color(QPalette::Light), pal.color(QPalette::Button)}));
        p.drawText(r.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, c.title);
        p.setPen(pal.color(QPalette::Mid));
        p.drawLine(r.topRight(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.restore();
        if (onDrawColumnTitle)
            onDrawColumnTitle(*this, c, 0, gdFixed, r);
    }
}

void TnDBGrid::drawColumnCell(QPainter& p, const GridCell& cell) {
    if (onDrawColumnCell)
        onDrawColumnCell(*this, p, cell);
}

void TnDBGrid::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const QPalette& pal = palette();
    p.fillRect(viewport()->rect(), pal.color(QPalette::Base));
    const int current = m_source ? m_source->currentRow() : -1;
    if (rowCount() > 0) {
        for (const ShownRow& s : m_shown) {
            int rowState = 0;
            if (s.row == current)
                rowState = gdSelected | (hasFocus() ? gdFocused : 0);
            else if (!m_selection.empty() && m_selection.contains(m_source->rowKey(s.row)))
                rowState = gdSelected;
            for (int i = 0; i < m_columns.size(); ++i) {
                const GridColumn& c = m_columns[i];
                if (!c.visible)
                    continue;
                GridCell cell{QRect(columnLeft(i), s.top, c.width, s.height), i, &c, rowState, s.row};
                if (cell.rect.right() < 0 || cell.rect.left() > viewport()->width())
                    continue;
                if (m_defaultDrawing) {
                    p.save();
                    const bool sel = cell.state & gdSelected;
                    p.fillRect(cell.rect, pal.color(sel ? QPalette::Highlight : QPalette::Base));
                    p.setPen(pal.color(sel ? QPalette::HighlightedText : QPalette::Text));
                    p.drawText(cell.rect.adjusted(2, 2, -2, -2), wrapFlags(c) | Qt::AlignLeft | Qt::AlignTop,
                               m_source->cellText(s.row, c.field));
                    p.restore();
                }
                drawColumnCell(p, cell);
                if (m_columnLines || m_rowLines) {
                    p.save();
                    p.setPen(pal.color(QPalette::Midlight));
                    if (m_columnLines)
                        p.drawLine(cell.rect.topRight(), cell.rect.bottomRight());
                    if (m_rowLines)
                        p.drawLine(cell.rect.bottomLeft(), cell.rect.bottomRight());
                    p.restore();
                }
            }
        }
    }
    if (m_showTitles)
        paintTitles(p);
    if (m_dragging && m_dropX >= 0) {
        p.save();
        p.setPen(QPen(pal.color(QPalette::Highlight), 2));
        p.drawLine(m_dropX, 0, m_dropX, viewport()->height());
        p.restore();
    }
}

void TnDBGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    setTopRow(m_top);
    emit resized();
}

void TnDBGrid::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        invalidateHeights();
        setTopRow(m_top);
    }
}

void TnDBGrid::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        emit operatorMoved();
        return;
    }
    const int current = m_source ? m_source->currentRow() : -1;
    const int page = fullyShownCount();
    // Shift extends the selection from the anchor; Ctrl as well keeps what was selected.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const Select mode = !(modifiers & Qt::ShiftModifier)  ? Select::Only
                        : modifiers & Qt::ControlModifier ? Select::Add
                                                          : Select::Extend;
    switch (event->key()) {
        case Qt::Key_Up:
            moveCurrent(current - 1, mode);
            break;
        case Qt::Key_Down:
            moveCurrent(current + 1, mode);
            break;
        case Qt::Key_PageUp:
            moveCurrent(current - page, mode);
            break;
        case Qt::Key_PageDown:
            moveCurrent(current + page, mode);
            break;
        case Qt::Key_Home:
            moveCurrent(0, mode);
            break;
        case Qt::Key_End:
            moveCurrent(rowCount() - 1, mode);
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    emit operatorMoved();
}

void TnDBGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_showTitles && pos.y() < titleHeight()) {
        for (int i = 0; i < m_columns.size(); ++i) {
            if (!m_columns[i].visible)
                continue;
            const int right = columnLeft(i) + m_columns[i].width;
            if (std::abs(pos.x() - right) <= kResizeGrip) {
                m_resizingColumn = i;
                m_resizeStartX = pos.x();
                m_resizeStartWidth = m_columns[i].width;
                return;
            }
        }
        if (event->button() == Qt::LeftButton) {
            m_draggedColumn = columnAt(pos.x());
            m_dragStartX = pos.x();
            m_dragging = false;
        }
        return;
    }
    const int row = rowAt(pos.y());
    if (row < 0)
        return;
    if (event->button() == Qt::LeftButton) {
        moveCurrent(row, selectMode(event->modifiers()));
        m_selectingByMouse = true;
    } else if (!isRowSelected(row)) {
        // Another button over the selection keeps it for the menu that follows.
        moveCurrent(row);
    }
    emit operatorMoved();
}

void TnDBGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_resizingColumn >= 0) {
        setColumnWidth(m_resizingColumn, m_resizeStartWidth + pos.x() - m_resizeStartX);
        return;
    }
    if (m_draggedColumn >= 0) {
        if (!m_dragging && std::abs(pos.x() - m_dragStartX) >= kDragDistance)
            m_dragging = true;
        if (m_dragging) {
            const int target = dropPlace(pos.x());
            m_dropX = target < m_columns.size() ? columnLeft(target)
                                                : totalWidth() - horizontalScrollBar()->value();
            viewport()->setCursor(Qt::ClosedHandCursor);
            viewport()->update();
        }
        return;
    }
    if (m_selectingByMouse && (event->buttons() & Qt::LeftButton)) {
        // Past the top or bottom edge the selection goes on a row at a time.
        int row = rowAt(pos.y());
        if (pos.y() < titleHeight())
            row = m_top - 1;
        else if (row < 0 && !m_shown.empty() && pos.y() >= m_shown.back().top)
            row = m_shown.back().row + (rowFullyShown(m_shown.back().row) ? 1 : 0);
        if (row >= 0 && row < rowCount() && m_source && row != m_source->currentRow()) {
            moveCurrent(row, event->modifiers() & Qt::ControlModifier ? Select::Add : Select::Extend);
            emit operatorMoved();
        }
        return;
    }
    bool onGrip = false;
    if (pos.y() < titleHeight())
        for (int i = 0; i < m_columns.size() && !onGrip; ++i)
            onGrip = m_columns[i].visible &&
                     std::abs(pos.x() - (columnLeft(i) + m_columns[i].width)) <= kResizeGrip;
    viewport()->setCursor(onGrip ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TnDBGrid::mouseReleaseEvent(QMouseEvent* event) {
    const bool resized = m_resizingColumn >= 0 && m_columns[m_resizingColumn].width != m_resizeStartWidth;
    m_resizingColumn = -1;
    m_selectingByMouse = false;
    if (m_dragging) {
        int target = dropPlace(event->position().toPoint().x());
        // The place counts the dragged column itself: dropping it right of itself moves it one less.
        if (target > m_draggedColumn)
            --target;
        const bool moved = target != m_draggedColumn;
        moveColumn(m_draggedColumn, target);
        viewport()->setCursor(Qt::ArrowCursor);
        if (moved)
            emit columnsArranged();
    }
    m_draggedColumn = -1;
    m_dragging = false;
    m_dropX = -1;
    viewport()->update();
    if (resized)
        emit columnsArranged();
}

int TnDBGrid::dropPlace(int x) const {
    // The place before the first column whose middle lies right of x; after the last otherwise.
    for (int i = 0; i < m_columns.size(); ++i) {
        if (!m_columns[i].visible)
            continue;
        if (x < columnLeft(i) + m_columns[i].width / 2)
            return i;
    }
    return static_cast<int>(m_columns.size());
}

void TnDBGrid::contextMenuEvent(QContextMenuEvent* event) {
    // The scroll area hands on the viewport's event in viewport coordinates.
    if (m_showTitles && event->pos().y() < titleHeight()) {
        emit titleMenuRequested(event->globalPos());
        event->accept();
        return;
    }
    QAbstractScrollArea::contextMenuEvent(event);
}

void TnDBGrid::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 40;
    if (steps != 0) {
        setTopRow(m_top - steps);
        emit operatorMoved();
    }
    event->accept();
}

}  // namespace corvane
