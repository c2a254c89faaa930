#pragma once

#include "widgets/TnDBGrid.h"
#include "widgets/TImageList.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QObject>

#include <functional>
#include <vector>

class QPainter;

namespace corvane {

class SearchHighlight;
class Table;
struct FieldDef;

// The message grid of the Recent page: four columns (severity icon, date, address, message),
// gradient rows coloured by their place among the rows on screen, the current row in the
// selection colours, and the message column taking the spare width. Ctrl+Delete deletes the
// current message once the operator confirms.
//   MessageGrid painter(*grid, rows, data.MessageSet(), &severityImages);
//   connect(window, resized, [&] { StretchColumns(*grid, data.MessageSet().fields()); });
class MessageGrid : public QObject {
    Q_OBJECT
public:
    static constexpr QColor kEvenRowTop{240, 255, 247};
    static constexpr QColor kRowBottom{219, 233, 249};  // also the top of the selected row

    // The colours of one cell: a gradient from top to bottom and the text on it.
    struct CellColors {
        QColor top, bottom, text;
    };
    // Rows are painted on light gradients with dark text whatever the desktop's colours: the
    // palette's button text when it reads at 4.5:1 or better, else black; the odd rows' top
    // and the selection's bottom (the palette's button-highlight and menu-highlight colours)
    // lightened where that text would not read on them.
    static CellColors cellColors(const QPalette& palette, bool selected, bool evenRow);

    // The grid shows the rows of `rows`, which must be the view of `messages`.
    MessageGrid(TnDBGrid& grid, GridRowSource& rows, Table& messages, const TImageList* severityImages,
                QObject* parent = nullptr);

    // The four columns over the table's fields (a field the table lacks is left out).
    static QList<GridColumn> columnsFor(const Table& messages);

    void MessagesDrawColumnCell(TnDBGrid& grid, QPainter& p, const GridCell& cell) const;

    // Widens the Date column, where needed, so that `widestDate` (a date and time in the
    // formats the rows use) fits on one line.
    void fitDateColumn(const QString& widestDate);
    // The side of the severity icons: their own 32 pixels, or less so that they fit whole in a
    // row of one line.
    int iconSize() const;

    // Asks before a deletion; answers true for OK. The standard confirmation box when unset.
    std::function<bool(const QString& question)> confirm;
    // Runs after a message was deleted from the grid.
    std::function<void()> deleted;

    // Ctrl+Delete: the current message, after the confirmation "Delete record?".
    void deleteCurrent();

    // The title row's menu: shows or hides the Host, Process, PID and Facility columns.
    void showColumnMenu(QPoint globalPos);
    void setFieldShown(int field, bool shown);
    // The columns' order, widths and visibility as text ("SeverityKey:56,...,-Host:100"), and
    // back; names the table lacks are skipped, columns the text leaves out keep their places
    // after the ones it names.
    QString columnLayout() const;
    void applyColumnLayout(const QString& layout);

    // The words of the filter in force, marked in the Message column; null marks nothing.
    // The highlight outlives the grid painter.
    void setHighlight(const SearchHighlight* highlight) { m_highlight = highlight; }

private:
    const QImage& icon(int index) const;

    TnDBGrid& m_grid;
    GridRowSource& m_rows;
    Table& m_messages;
    const TImageList* m_severityImages;
    int m_severityField = -1;
    int m_messageField = -1;
    const SearchHighlight* m_highlight = nullptr;
    mutable QHash<int, QImage> m_scaledIcons;  // by image index, at iconSize()
    mutable int m_scaledSize = 0;
};

// A vertical two-colour fill of r: exactly `top` on its first pixel row, exactly `bottom` on its
// last.
void PaintCellGradient(QPainter& p, const QRect& r, const QColor& top, const QColor& bottom);

// Shares the grid's spare width among the shown columns whose field has a tag (its minimum width):
// each gets an equal share added to its width, and never less than the tag. The grid's vertical
// column lines take a pixel per column; `indicator` says whether it has a row indicator column.
void StretchColumns(TnDBGrid& grid, const std::vector<FieldDef>& fields, bool indicator = false);

// The standard confirmation with OK and Cancel; true for OK.
bool confirmDeletion(QWidget* parent, const QString& question);

}  // namespace corvane
