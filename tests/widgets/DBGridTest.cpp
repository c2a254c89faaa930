#include "widgets/QtTestApp.h"
#include "widgets/TnDBGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <set>

namespace corvane {
namespace {

// Rows "row N" in column 0 and a text of choice in column 1; notes which rows were asked for.
class FakeRows : public GridRowSource {
public:
    explicit FakeRows(int count) : m_count(count) {}
    int rowCount() const override { return m_count; }
    QString cellText(int row, int column) const override {
        asked.insert(row);
        if (column == 0)
            return QStringLiteral("row %1").arg(row);
        return message ? message(row) : QStringLiteral("short");
    }
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override { m_current = row; }

    std::function<QString(int)> message;
    mutable std::set<int> asked;

private:
    int m_count;
    int m_current = 0;
};

struct GridFixture : ::testing::Test {
    TnDBGrid grid;
    void SetUp() override {
        grid.resize(400, 300);
        grid.show();  // lays the viewport out at its final size
        grid.setColumns({{QStringLiteral("Row"), 80, true, 0}, {QStringLiteral("Message"), 200, true, 1}});
    }
    void paint() { grid.grab(); }
};

TEST_F(GridFixture, RowIsAsHighAsItsWrappedTextPlusSix) {
    FakeRows rows(3);
    const QFontMetrics fm = grid.fontMetrics();
    const QString word = QStringLiteral("wrapping");
    // Three words that each fill a line of the column.
    rows.message = [&](int row) { return row == 1 ? word + ' ' + word + ' ' + word : QStringLiteral("one"); };
    grid.setColumns({{QStringLiteral("Row"), 80, true, 0},
                     {QStringLiteral("Message"), fm.horizontalAdvance(word) + 4 + 2, true, 1}});
    grid.setSource(&rows);
    ASSERT_GE(grid.shownRows().size(), 3u);
    const int oneLine = fm.boundingRect(QRect(0, 0, 1000, 1000), Qt::TextWordWrap, word).height();
    const int threeLines =
        fm.boundingRect(QRect(0, 0, 1000, 1000), Qt::TextWordWrap, word + '\n' + word + '\n' + word).height();
    EXPECT_GT(threeLines, 2 * oneLine);
    EXPECT_EQ(grid.shownRows()[0].height, grid.defaultRowHeight());
    EXPECT_EQ(grid.shownRows()[1].height, threeLines + 6);
    EXPECT_EQ(grid.shownRows()[2].top, grid.shownRows()[1].top + threeLines + 6);
}

TEST_F(GridFixture, EmptyViewRaisesNoDrawCellEvents) {
    FakeRows rows(0);
    int cells = 0;
    int titles = 0;
    grid.onDrawColumnCell = [&](TnDBGrid&, QPainter&, const GridCell&) { ++cells; };
    grid.onDrawColumnTitle = [&](TnDBGrid&, const GridColumn&, int, int, const QRect&) { ++titles; };
    grid.setSource(&rows);
    paint();
    EXPECT_EQ(cells, 0);
    EXPECT_EQ(titles, 2);
}

TEST_F(GridFixture, OwnerDrawSeesEveryShownCellAndTheCurrentRow) {
    FakeRows rows(5);
    rows.setCurrentRow(2);
    std::set<std::pair<int, int>> drawn;
    std::set<int> selectedRows;
    grid.onDrawColumnCell = [&](TnDBGrid&, QPainter&, const GridCell& c) {
        drawn.insert({c.row, c.columnIndex});
        if (c.state & gdSelected)
            selectedRows.insert(c.row);
    };
    grid.setSource(&rows);
    paint();
    EXPECT_EQ(drawn.size(), 10u);
    EXPECT_EQ(selectedRows, std::set<int>{2});
}

TEST_F(GridFixture, MillionRowsMeasureAndPaintOnlyTheScreen) {
    FakeRows rows(1'000'000);
    grid.setSource(&rows);
    paint();
    const size_t screenful = grid.shownRows().size();
    ASSERT_GT(screenful, 5u);
    EXPECT_LT(rows.asked.size(), screenful + 1);
    EXPECT_EQ(*rows.asked.rbegin(), static_cast<int>(screenful) - 1);

    rows.asked.clear();
    grid.verticalScrollBar()->setValue(500'000);
    paint();
    EXPECT_EQ(grid.topRow(), 500'000);
    ASSERT_FALSE(rows.asked.empty());
    EXPECT_GE(*rows.asked.begin(), 500'000);
    EXPECT_LT(*rows.asked.rbegin(), 500'000 + static_cast<int>(screenful) + 1);
    EXPECT_LE(grid.measuredRows(), static_cast<long long>(3 * screenful));
}

TEST_F(GridFixture, EndKeyShowsTheLastRowAtTheBottom) {
    FakeRows rows(1'000'000);
    grid.setSource(&rows);
    rows.asked.clear();
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(&grid, &end);
    EXPECT_EQ(rows.currentRow(), 999'999);
    ASSERT_FALSE(grid.shownRows().empty());
    const auto& last = grid.shownRows().back();
    EXPECT_EQ(last.row, 999'999);
    EXPECT_LE(last.top + last.height, grid.viewport()->height());
    EXPECT_LT(rows.asked.size(), grid.shownRows().size() + 2);
}

TEST_F(GridFixture, CursorKeysScrollByRecord) {
    FakeRows rows(100);
    grid.setSource(&rows);
    const int page = static_cast<int>(grid.shownRows().size());
    for (int i = 0; i < page + 3; ++i) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(&grid, &down);
    }
    EXPECT_EQ(rows.currentRow(), page + 3);
    EXPECT_GT(grid.topRow(), 0);
    EXPECT_EQ(grid.verticalScrollBar()->value(), grid.topRow());
    const auto& last = grid.shownRows();
    EXPECT_TRUE(std::any_of(last.begin(), last.end(), [&](const auto& s) {
        return s.row == page + 3 && s.top + s.height <= grid.viewport()->height();
    }));
}

TEST_F(GridFixture, ShrinkingTheSourceKeepsTheViewInRange) {
    FakeRows rows(50);
    grid.setSource(&rows);
    grid.setTopRow(40);
    rows.setCurrentRow(45);
    FakeRows fewer(3);
    grid.setSource(&fewer);
    paint();
    EXPECT_EQ(grid.topRow(), 0);
    EXPECT_EQ(grid.shownRows().size(), 3u);
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

void drag(QWidget* viewport, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent press(QEvent::MouseButtonPress, from, viewport->mapToGlobal(from), button, button, {});
    QApplication::sendEvent(viewport, &press);
    for (int step = 1; step <= 4; ++step) {
        const QPoint at = from + (to - from) * step / 4;
        QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, button, {});
        QApplication::sendEvent(viewport, &move);
    }
    QMouseEvent release(QEvent::MouseButtonRelease, to, viewport->mapToGlobal(to), button, Qt::NoButton, {});
    QApplication::sendEvent(viewport, &release);
}

QStringList titles(const TnDBGrid& grid) {
    QStringList out;
    for (const GridColumn& c : grid.columns()) out << c.title;
    return out;
}

TEST(GridColumnDrag, ATitleDraggedToAnotherPlaceMovesItsColumn) {
    const struct {
        const char* name;
        int fromX, toX;
        QStringList expected;
        int arranged;
    } rows[] = {
        {"first to the end", 30, 390, {"B", "C", "A"}, 1},
        {"last to the front", 250, 5, {"C", "A", "B"}, 1},
        {"middle right past its own middle stays", 130, 170, {"A", "B", "C"}, 0},
        {"a short wobble is a click", 130, 133, {"A", "B", "C"}, 0},
    };
    for (const auto& row : rows) {
        TnDBGrid grid;
        grid.resize(420, 200);
        grid.show();
        grid.setColumns({{QStringLiteral("A"), 100, true, 0},
                         {QStringLiteral("B"), 100, true, 1},
                         {QStringLiteral("C"), 100, true, 2}});
        int arranged = 0;
        QObject::connect(&grid, &TnDBGrid::columnsArranged, [&] { ++arranged; });
        const int y = grid.titleHeight() / 2;
        drag(grid.viewport(), {row.fromX, y}, {row.toX, y});
        EXPECT_EQ(titles(grid), row.expected) << row.name;
        EXPECT_EQ(arranged, row.arranged) << row.name;
    }
}

TEST(GridColumnDrag, AWidthDraggedAtTheGripIsReportedAndHiddenColumnsTakeNoRoom) {
    TnDBGrid grid;
    grid.resize(420, 200);
    grid.show();
    grid.setColumns({{QStringLiteral("A"), 100, true, 0},
                     {QStringLiteral("H"), 100, false, 1},
                     {QStringLiteral("B"), 100, true, 2}});
    EXPECT_EQ(grid.columnAt(150), 2) << "the hidden column takes no room";
    int arranged = 0;
    QObject::connect(&grid, &TnDBGrid::columnsArranged, [&] { ++arranged; });
    const int y = grid.titleHeight() / 2;
    drag(grid.viewport(), {100, y}, {140, y});
    EXPECT_EQ(grid.columns()[0].width, 140);
    EXPECT_EQ(arranged, 1);
    grid.setColumnVisible(1, true);
    EXPECT_EQ(grid.columnAt(150), 1);
}

}  // namespace
}  // namespace corvane
