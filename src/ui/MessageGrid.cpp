#include "ui/MessageGrid.h"

#include "store/Table.h"

#include <QApplication>
#include <QLinearGradient>
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
};

constexpr ColumnSpec kColumns[] = {{"SeverityKey", QT_TRANSLATE_NOOP("corvane::MessageGrid", "Severity"), 56},
                                   {"Date", QT_TRANSLATE_NOOP("corvane::MessageGrid", "Date"), 88},
                                   {"Address", QT_TRANSLATE_NOOP("corvane::MessageGrid", "Address"), 80},
                                   {"Message", QT_TRANSLATE_NOOP("corvane::MessageGrid", "Message"), 372}};

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
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete), &grid);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, &MessageGrid::deleteCurrent);
}

QList<GridColumn> MessageGrid::columnsFor(const Table& messages) {
    QList<GridColumn> columns;
    for (const ColumnSpec& c : kColumns)
        if (const int f = messages.fieldIndex(c.field); f >= 0)
            columns.append({QCoreApplication::translate("corvane::MessageGrid", c.title), c.width, true, f,
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

void MessageGrid::MessagesDrawColumnCell(TnDBGrid& grid, QPainter& p, const GridCell& cell) const {
    const QPalette& pal = grid.palette();
    const bool selected = cell.state & (gdSelected | gdFocused);
    QColor text;
    if (selected) {
        PaintCellGradient(p, cell.rect, kRowBottom, pal.color(QPalette::Highlight));
        text = pal.color(QPalette::HighlightedText);
    } else {
        // Parity by the row's place on screen, so scrolling by one row swaps the colours.
        const bool even = (cell.row - grid.topRow()) % 2 == 0;
        PaintCellGradient(p, cell.rect, even ? kEvenRowTop : pal.color(QPalette::Light), kRowBottom);
        text = pal.color(QPalette::ButtonText);
    }
    const QString value = m_rows.cellText(cell.row, cell.column ? cell.column->field : 0);
    p.save();
    p.setClipRect(cell.rect);
    if (cell.columnIndex >= 1) {
        p.setPen(text);
        const QRect inner(QPoint(cell.rect.left() + 2, cell.rect.top() + 3),
                          QPoint(cell.rect.right() - 2, cell.rect.bottom() - 2));
        const int wrap = cell.column ? TnDBGrid::wrapFlags(*cell.column) : Qt::TextWordWrap;
        p.drawText(inner, Qt::AlignLeft | Qt::AlignTop | wrap, value);
    } else if (m_severityImages) {
        const int index = value.toInt() + 1;  // a null key reads as 0
        if (m_severityImages->isValidIndex(index))
            p.drawImage(QPoint(cell.rect.left() + kIconLeft, cell.rect.top() + kIconTop),
                        m_severityImages->image(index));
    }
    p.restore();
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
    for (const GridColumn& c : columns) {
        used += c.width;
        if (tagOf(c) != 0)
            ++stretching;
    }
    if (grid.columnLines())
        used += static_cast<int>(columns.size());
    if (indicator)
        used += 11;
    int spare = grid.viewport()->width() - used;
    if (stretching > 0)
        spare /= stretching;  // rounds toward zero
    for (int i = 0; i < columns.size(); ++i) {
        const int tag = tagOf(columns[i]);
        if (tag == 0)
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
