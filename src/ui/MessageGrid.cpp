#include "ui/MessageGrid.h"
#include "ui/SearchHighlight.h"

#include "store/Table.h"
#include "widgets/Readability.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QShortcut>

#include <algorithm>
#include <string_view>

namespace corvane {

namespace {

struct ColumnSpec {
    const char* field;
    const char* title;
    int width;
    bool shown;  // at first; the operator shows or hides the others from the title row's menu
};

constexpr ColumnSpec kColumns[] = {
    {"SeverityKey", QT_TRANSLATE_NOOP("corvane::MessageGrid", "Severity"), 56, true},
    {"Date", QT_TRANSLATE_NOOP("corvane::MessageGrid", "Date"), 88, true},
    {"Address", QT_TRANSLATE_NOOP("corvane::MessageGrid", "Address"), 80, true},
    {"Message", QT_TRANSLATE_NOOP("corvane::MessageGrid", "Message"), 372, true},
    {"Host", QT_TRANSLATE_NOOP("corvane::MessageGrid", "Host"), 100, false},
    {"Process", QT_TRANSLATE_NOOP("corvane::MessageGrid", "Process"), 100, false},
    {"PID", QT_TRANSLATE_NOOP("corvane::MessageGrid", "PID"), 56, false},
    {"Facility", QT_TRANSLATE_NOOP("corvane::MessageGrid", "Facility"), 80, false}};

// The columns the title row's menu shows and hides.
bool optional(std::string_view field) {
    return field == "Host" || field == "Process" || field == "PID" || field == "Facility";
}

// The widest IPv4 address; the Address column is at least wide enough to show it whole.
constexpr const char* kWidestAddress = "255.255.255.255";

constexpr int kIconLeft = 6;
constexpr int kIconTop = 1;

}  // namespace

MessageGrid::MessageGrid(TnDBGrid& grid, GridRowSource& rows, Table& messages,
                         const TImageList* severityImages, QObject* parent)
    : QObject(parent), m_grid(grid), m_rows(rows), m_messages(messages), m_severityImages(severityImages) {
    grid.setDefaultDrawing(false);
    grid.setColumnLines(false);
    grid.setRowLines(true);
    QList<GridColumn> columns = columnsFor(messages);
    for (GridColumn& c : columns)
        if (c.breakAnywhere)
            c.width = std::max(c.width,
                               grid.fontMetrics().horizontalAdvance(QString::fromLatin1(kWidestAddress)) + 6);
    grid.setColumns(columns);
    grid.setSource(&rows);
    grid.onDrawColumnCell = [this](TnDBGrid& g, QPainter& p, const GridCell& cell) {
        MessagesDrawColumnCell(g, p, cell);
    };
    m_severityField = messages.fieldIndex("SeverityKey");
    m_messageField = messages.fieldIndex("Message");
    connect(&grid, &TnDBGrid::titleMenuRequested, this, &MessageGrid::showColumnMenu);
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete), &grid);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, &MessageGrid::deleteCurrent);
}

QList<GridColumn> MessageGrid::columnsFor(const Table& messages) {
    QList<GridColumn> columns;
    for (const ColumnSpec& c : kColumns)
        if (const int f = messages.fieldIndex(c.field); f >= 0)
            columns.append({QCoreApplication::translate("corvane::MessageGrid", c.title), c.width, c.shown, f,
                            std::string_view(c.field) == "Address"});
    return columns;
}

void PaintCellGradient(QPainter& p, const QRect& r, const QColor& top, const QColor& bottom) {
    if (r.isEmpty())
        return;
    p.save();
    if (r.height() == 1) {
        p.fillRect(r, top);
    } else {
        // Pixel centres: the first row samples the gradient's start, the last row its end.
        QLinearGradient g(0, r.top() + 0.5, 0, r.bottom() + 0.5);
        g.setColorAt(0, top);
        g.setColorAt(1, bottom);
        p.fillRect(r, g);
    }
    p.restore();
}

MessageGrid::CellColors MessageGrid::cellColors(const QPalette& palette, bool selected, bool evenRow) {
    const QColor text = readableOn(palette.color(QPalette::ButtonText), {kEvenRowTop, kRowBottom});
    if (selected)
        return {kRowBottom, lightenedFor(palette.color(QPalette::Highlight), text), text};
    return {evenRow ? kEvenRowTop : lightenedFor(palette.color(QPalette::Light), text), kRowBottom, text};
}

void MessageGrid::MessagesDrawColumnCell(TnDBGrid& grid, QPainter& p, const GridCell& cell) const {
    const bool selected = cell.state & (gdSelected | gdFocused);
    // Parity by the row's place on screen, so scrolling by one row swaps the colours.
    const bool even = (cell.row - grid.topRow()) % 2 == 0;
    const CellColors colors = cellColors(grid.palette(), selected, even);
    PaintCellGradient(p, cell.rect, colors.top, colors.bottom);
    const QColor& text = colors.text;
    const QString value = m_rows.cellText(cell.row, cell.column ? cell.column->field : 0);
    p.save();
    p.setClipRect(cell.rect);
    // The severity column shows its icon wherever the operator moved it.
    const bool iconColumn = cell.column ? cell.column->field == m_severityField : cell.columnIndex == 0;
    if (!iconColumn) {
        p.setPen(text);
        const QRect inner(QPoint(cell.rect.left() + 2, cell.rect.top() + 3),
                          QPoint(cell.rect.right() - 2, cell.rect.bottom() - 2));
        const int wrap = cell.column ? TnDBGrid::wrapFlags(*cell.column) : Qt::TextWordWrap;
        if (m_highlight && !m_highlight->empty() && cell.column && cell.column->field == m_messageField)
            drawHighlightedText(p, inner, Qt::AlignLeft | Qt::AlignTop | wrap, value,
                                m_highlight->matches(value), m_highlight->markColor());
        else
            p.drawText(inner, Qt::AlignLeft | Qt::AlignTop | wrap, value);
    } else if (m_severityImages) {
        const int index = value.toInt() + 1;  // a null key reads as 0
        if (m_severityImages->isValidIndex(index))
            p.drawImage(QPoint(cell.rect.left() + kIconLeft, cell.rect.top() + kIconTop), icon(index));
    }
    p.restore();
}

int MessageGrid::iconSize() const {
    const int own = m_severityImages ? m_severityImages->imageSize().height() : 32;
    return std::max(8, std::min(own, m_grid.defaultRowHeight() - 2 * kIconTop));
}

const QImage& MessageGrid::icon(int index) const {
    const int size = iconSize();
    if (size != m_scaledSize) {
        m_scaledIcons.clear();
        m_scaledSize = size;
    }
    auto it = m_scaledIcons.find(index);
    if (it == m_scaledIcons.end()) {
        const QImage& own = m_severityImages->image(index);
        it = m_scaledIcons.insert(index, own.height() == size ? own
                                                              : own.scaled(size, size, Qt::KeepAspectRatio,
                                                                           Qt::SmoothTransformation));
    }
    return *it;
}

void MessageGrid::fitDateColumn(const QString& widestDate) {
    const QList<GridColumn>& columns = m_grid.columns();
    const int dateField = m_messages.fieldIndex("Date");
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].field == dateField && dateField >= 0) {
            // The text is drawn 2 pixels in from each side and measured 4 pixels narrower.
            const int needed = m_grid.fontMetrics().horizontalAdvance(widestDate) + 8;
            if (columns[i].width < needed)
                m_grid.setColumnWidth(i, needed);
        }
}

void MessageGrid::showColumnMenu(QPoint globalPos) {
    QMenu menu(&m_grid);
    const QList<GridColumn>& columns = m_grid.columns();
    for (int i = 0; i < columns.size(); ++i) {
        const int field = columns[i].field;
        if (field < 0 || field >= static_cast<int>(m_messages.fields().size()) ||
            !optional(m_messages.fields()[field].name))
            continue;
        QAction* action = menu.addAction(columns[i].title);
        action->setCheckable(true);
        action->setChecked(columns[i].visible);
        action->setData(field);
    }
    if (QAction* chosen = menu.exec(globalPos))
        setFieldShown(chosen->data().toInt(), chosen->isChecked());
}

void MessageGrid::setFieldShown(int field, bool shown) {
    const QList<GridColumn>& columns = m_grid.columns();
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].field == field && columns[i].visible != shown) {
            m_grid.setColumnVisible(i, shown);
            emit m_grid.columnsArranged();
        }
}

QString MessageGrid::columnLayout() const {
    QStringList parts;
    for (const GridColumn& c : m_grid.columns()) {
        if (c.field < 0 || c.field >= static_cast<int>(m_messages.fields().size()))
            continue;
        parts << QStringLiteral("%1%2:%3")
                     .arg(c.visible ? QString() : QStringLiteral("-"),
                          QString::fromStdString(m_messages.fields()[c.field].name))
                     .arg(c.width);
    }
    return parts.join(QLatin1Char(','));
}

void MessageGrid::applyColumnLayout(const QString& layout) {
    int place = 0;
    for (const QString& part : layout.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        QString name = part.section(QLatin1Char(':'), 0, 0).trimmed();
        const bool hidden = name.startsWith(QLatin1Char('-'));
        if (hidden)
            name.remove(0, 1);
        bool widthRead = false;
        const int width = part.section(QLatin1Char(':'), 1, 1).toInt(&widthRead);
        const int field = m_messages.fieldIndex(name.toStdString());
        const QList<GridColumn>& columns = m_grid.columns();
        int index = -1;
        for (int i = place; i < columns.size() && field >= 0; ++i)
            if (columns[i].field == field)
                index = i;
        if (index < 0)
            continue;  // unknown or repeated: the rest keeps its order
        m_grid.moveColumn(index, place);
        // Only the optional columns are hidden; a width is kept within sensible bounds.
        m_grid.setColumnVisible(place, !hidden || !optional(m_messages.fields()[field].name));
        if (widthRead && width >= 8 && width <= 4000)
            m_grid.setColumnWidth(place, width);
        ++place;
    }
}

void MessageGrid::deleteCurrent() {
    const int row = m_rows.currentRow();
    if (!m_messages.isOpen() || row < 0 || row >= m_messages.recordCount())
        return;
    const QString question = QCoreApplication::translate("corvane::MessageGrid", "Delete record?");
    if (!(confirm ? confirm(question) : confirmDeletion(&m_grid, question)))
        return;
    if (m_messages.currentPosition() != row)
        m_messages.moveTo(row);
    m_messages.deleteRecord();
    emit m_rows.changed();
    if (deleted)
        deleted();
}

void StretchColumns(TnDBGrid& grid, const std::vector<FieldDef>& fields, bool indicator) {
    const QList<GridColumn>& columns = grid.columns();
    auto tagOf = [&fields](const GridColumn& c) {
        return c.field >= 0 && c.field < static_cast<int>(fields.size()) ? fields[c.field].tag : 0;
    };
    int used = 0;
    int stretching = 0;
    int shown = 0;
    for (const GridColumn& c : columns) {
        if (!c.visible)
            continue;
        ++shown;
        used += c.width;
        if (tagOf(c) != 0)
            ++stretching;
    }
    if (grid.columnLines())
        used += shown;
    if (indicator)
        used += 11;
    int spare = grid.viewport()->width() - used;
    if (stretching > 0)
        spare /= stretching;  // rounds toward zero
    for (int i = 0; i < columns.size(); ++i) {
        const int tag = tagOf(columns[i]);
        if (tag == 0 || !columns[i].visible)
            continue;
        grid.setColumnWidth(i, std::max(columns[i].width + spare, tag));
    }
}

bool confirmDeletion(QWidget* parent, const QString& question) {
    const QString title = QApplication::applicationDisplayName();
    return QMessageBox::question(parent, title, question, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

}  // namespace corvane
