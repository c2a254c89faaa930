#pragma once

#include "widgets/TnDBGrid.h"
#include "widgets/TImageList.h"

#include <QColor>
#include <QObject>

#include <functional>
#include <vector>

class QPainter;

namespace corvane {

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

    // The grid shows the rows of `rows`, which must be the view of `messages`.
    MessageGrid(TnDBGrid& grid, GridRowSource& rows, Table& messages, const TImageList* severityImages,
                QObject* parent = nullptr);

    // The four columns over the table's fields (a field the table lacks is left out).
    static QList<GridColumn> columnsFor(const Table& messages);

    void MessagesDrawColumnCell(TnDBGrid& grid, QPainter& p, const GridCell& cell) const;

    // Asks before a deletion; answers true for OK. The standard confirmation box when unset.
    std::function<bool(const QString& question)> confirm;
    // Runs after a message was deleted from the grid.
    std::function<void()> deleted;

    // Ctrl+Delete: the current message, after the confirmation "Delete record?".
    void deleteCurrent();

private:
    TnDBGrid& m_grid;
    GridRowSource& m_rows;
    Table& m_messages;
    const TImageList* m_severityImages;
};

// A vertical two-colour fill of r: exactly `top` on its first pixel row, exactly `bottom` on its
// last.
void PaintCellGradient(QPainter& p, const QRect& r, const QColor& top, const QColor& bottom);

// Shares the grid's spare width among the columns whose field has a tag (its minimum width):
// each gets an equal share added to its width, and never less than the tag. The grid's vertical
// column lines take a pixel per column; `indicator` says whether it has a row indicator column.
void StretchColumns(TnDBGrid& grid, const std::vector<FieldDef>& fields, bool indicator = false);

// The standard confirmation with OK and Cancel; true for OK.
bool confirmDeletion(QWidget* parent, const QString& question);

}  // namespace corvane
