#include "widgets/QtTestApp.h"
#include "widgets/TnDBGrid.h"

#include <QKeyEvent>
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
