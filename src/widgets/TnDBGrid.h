#pragma once

#include "widgets/GridRowSource.h"
#include "widgets/KeyRanges.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QPointer>

#include <functional>
#include <limits>
#include <vector>

namespace corvane {

struct GridColumn {
    QString title;
    int width = 64;
    bool visible = true;
    int field = 0;  // the source column this grid column shows
    bool breakAnywhere =
        false;  // text without spaces (an address) wraps inside the cell instead of being cut
};

enum GridDrawState { gdSelected = 1, gdFocused = 2, gdFixed = 4 };

// One cell as handed to the owner-draw hook.
struct GridCell {
    QRect rect;
    int columnIndex = 0;  // index among the grid's columns
    const GridColumn* column = nullptr;
    int state = 0;  // GridDrawState flags
    int row = 0;    // source row
};

// A data grid whose rows are as high as their wrapped text. It scrolls by record: the vertical
// scroll bar counts rows, and only the rows on screen are measured and painted, so a source of a
// million rows costs what a source of one screenful costs. With default drawing on, a cell is
// filled and its text wrapped inside the cell shrunk by 2 pixels; then drawColumnCell runs (the
// owner-draw hook), but only while the source holds at least one row.
//   grid->setColumns({{"Time", 120}, {"Message", 400, true, 5}});
//   grid->setSource(&rows);
//   grid->onDrawColumnCell = [](TnDBGrid&, QPainter& p, const GridCell& c) { ... };
class TnDBGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    struct ShownRow {
        int row;
        int top;
        int height;
    };

    explicit TnDBGrid(QWidget* parent = nullptr);

    void setSource(GridRowSource* source);
    GridRowSource* source() const { return m_source; }
    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const { return m_columns; }
    void setColumnWidth(int column, int width);
    void setColumnVisible(int column, bool visible);
    // Moves column `from` to place `to` (both indexes into columns()).
    void moveColumn(int from, int to);
    // The column under a viewport x, or -1.
    int columnAt(int x) const;
    bool defaultDrawing() const { return m_defaultDrawing; }
    void setDefaultDrawing(bool on) {
        m_defaultDrawing = on;
        viewport()->update();
    }

    int defaultRowHeight() const;
    // 0 when the title row is hidden.
    int titleHeight() const;
    bool showTitles() const { return m_showTitles; }
    void setShowTitles(bool on);
    // Above 0, every row is this high whatever its text; 0 sizes rows by their wrapped text.
    int fixedRowHeight() const { return m_fixedRowHeight; }
    void setFixedRowHeight(int px);
    // The lines between columns and below rows; both are on at creation.
    bool columnLines() const { return m_columnLines; }
    void setColumnLines(bool on);
    bool rowLines() const { return m_rowLines; }
    void setRowLines(bool on);
    int topRow() const { return m_top; }
    void setTopRow(int row);
    // The rows laid out on screen, top to bottom (the last one may be cut by the bottom edge).
    const std::vector<ShownRow>& shownRows() const { return m_shown; }
    // Source row at a viewport y, or -1.
    int rowAt(int y) const;
    // Rows measured since construction; the grid never measures a row it does not show.
    long long measuredRows() const { return m_measuredCount; }
    void scrollToRow(int row);
    // True when the row is on screen and not cut by the bottom edge.
    bool rowFullyShown(int row) const;
    // On (the default), a change of the source brings its current row on screen; off, the rows
    // on screen stay where they are.
    bool followCurrent() const { return m_followCurrent; }
    void setFollowCurrent(bool on) { m_followCurrent = on; }

    // The selection: the current row and the rows the operator added to it. A click or a key
    // selects the current row alone; Shift with a click, a drag or a move key selects from the
    // anchor (the last row chosen without Shift) to the new current row; Ctrl with a click adds
    // a row or takes a selected one out; Ctrl+A selects every row. Rows are kept by their keys,
    // so the selection survives rows arriving, leaving and moving; clearSelection() ends it.
    bool isRowSelected(int row) const;
    // The selected rows in row order; the current row alone when nothing else is selected.
    std::vector<int> selectedRows() const;
    // More than the current row is selected.
    bool hasMultiSelection() const;
    void selectAll();
    void clearSelection();
    // How a column's text wraps, for measuring and for drawing alike.
    static int wrapFlags(const GridColumn& c) {
        return c.breakAnywhere ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
    }

    std::function<void(TnDBGrid&, QPainter&, const GridCell&)> onDrawColumnCell;
    std::function<void(TnDBGrid&, const GridColumn&, int row, int state, const QRect&)> onDrawColumnTitle;

signals:
    void resized();
    // The operator moved the current row or scrolled (keys, mouse, wheel, scroll bar).
    void operatorMoved();
    // The operator dragged a column to another place or to another width.
    void columnsArranged();
    // A right-click on the title row, at a global position.
    void titleMenuRequested(QPoint globalPos);

protected:
    virtual void drawColumnCell(QPainter& p, const GridCell& cell);
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int rowCount() const;
    int measureRow(int row);
    void layoutRows();
    void invalidateHeights();
    void updateScrollBars();
    int fullyShownCount() const;
    int columnLeft(int column) const;
    int totalWidth() const;
    int dropPlace(int x) const;
    enum class Select { Only, Extend, Add, Toggle };
    void moveCurrent(int row, Select mode = Select::Only);
    static Select selectMode(Qt::KeyboardModifiers modifiers);
    qint64 currentKey() const;
    void sourceChanged();
    void paintTitles(QPainter& p);

    QPointer<GridRowSource> m_source;
    QList<GridColumn> m_columns;
    bool m_defaultDrawing = true;
    int m_top = 0;
    std::vector<ShownRow> m_shown;
    QHash<int, int> m_heights;  // measured heights of rows on or next to the screen
    long long m_measuredCount = 0;
    int m_resizingColumn = -1;
    int m_draggedColumn = -1;  // pressed on its title; moved once the mouse travels
    int m_dragStartX = 0;
    bool m_dragging = false;
    int m_dropX = -1;  // where the dragged column would go, while dragging
    int m_resizeStartX = 0;
    int m_resizeStartWidth = 0;
    bool m_syncingScrollBar = false;
    bool m_showTitles = true;
    bool m_columnLines = true;
    bool m_rowLines = true;
    int m_fixedRowHeight = 0;
    bool m_followCurrent = true;
    static constexpr qint64 kNoKey = std::numeric_limits<qint64>::min();
    KeyRanges m_selection;  // keys selected besides the current row
    qint64 m_anchorKey = kNoKey;
    qint64 m_currentKey = kNoKey;  // the current row's key as the grid last saw it
    bool m_selectingByMouse = false;
};

}  // namespace corvane
