#pragma once

#include "widgets/GridRowSource.h"
#include "widgets/TnDBGrid.h"

#include <QColor>
#include <QLineEdit>

namespace corvane {

class Table;
class TImageList;

// The rows of a facility or severity table for the lookup grid: row i is view position i,
// source column f the text of field f. The current row is the table's cursor.
class LookupRows : public GridRowSource {
    Q_OBJECT
public:
    explicit LookupRows(Table& table, QObject* parent = nullptr);

    int rowCount() const override;
    QString cellText(int row, int column) const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;

    Table& table() const { return m_table; }
    // The grid columns of the table's shown fields, Key first.
    QList<GridColumn> columns() const;
    // The key of a row (0 when it has none).
    int keyAt(int row) const;
    void notifyChanged() { emit changed(); }

private:
    Table& m_table;
};

// The lookup grid of the Detailed page: no title row, rows 26 pixels high, every cell drawn by
// the owner. Ctrl+Delete asks for the current row to be deleted.
class LookupGrid : public TnDBGrid {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 26;
    explicit LookupGrid(QWidget* parent = nullptr);

signals:
    void deleteRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The in-place editor of a lookup name: Enter or leaving it ends the edit, Escape cancels it.
class LookupNameEditor : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The colours of the lookup rows.
inline const QColor kLookupEvenRow(0xF0, 0xFF, 0xF7);
inline const QColor kLookupGradientEnd(0xDB, 0xE9, 0xF9);

// Draws one cell of the lookup grid: a vertical gradient (selected: light blue to the
// highlight colour; otherwise the row colour, alternating by the row's position on screen, to
// light blue), then in the first column the icon of the row's key (key + 1 in icons, the "Any"
// row with key -1 showing icon 0) and in the others the wrapped text.
void DrawLookupCell(TnDBGrid& grid, QPainter& p, const GridCell& cell, const LookupRows* rows,
                    const TImageList* icons);

}  // namespace corvane
