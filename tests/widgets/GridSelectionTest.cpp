// The message grid's selection: clicks and keys with Shift and Ctrl, rows kept by key.
#include "widgets/KeyRanges.h"
#include "widgets/QtTestApp.h"
#include "widgets/TnDBGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>

namespace corvane {
namespace {

TEST(KeyRanges, AddMergesAndRemoveSplits) {
    using R = KeyRanges::Range;
    const struct {
        const char* name;
        std::function<void(KeyRanges&)> change;
        std::vector<R> expected;
    } rows[] = {
        {"reversed bounds", [](KeyRanges& s) { s.add(9, 3); }, {{3, 9}}},
        {"apart", [](KeyRanges& s) { s.add(1, 2), s.add(5, 6); }, {{1, 2}, {5, 6}}},
        {"touching merge", [](KeyRanges& s) { s.add(1, 2), s.add(3, 4); }, {{1, 4}}},
        {"bridging", [](KeyRanges& s) { s.add(1, 2), s.add(8, 9), s.add(5, 5), s.add(3, 7); }, {{1, 9}}},
        {"inside", [](KeyRanges& s) { s.add(1, 9), s.add(4, 5); }, {{1, 9}}},
        {"remove splits", [](KeyRanges& s) { s.add(1, 9), s.remove(5); }, {{1, 4}, {6, 9}}},
        {"remove ends", [](KeyRanges& s) { s.add(1, 9), s.remove(1), s.remove(9); }, {{2, 8}}},
        {"remove single", [](KeyRanges& s) { s.add(4, 4), s.add(7, 8), s.remove(4); }, {{7, 8}}},
        {"remove outside", [](KeyRanges& s) { s.add(4, 6), s.remove(3), s.remove(7); }, {{4, 6}}},
        {"extreme keys",
         [](KeyRanges& s) {
             s.add(std::numeric_limits<qint64>::max() - 1, std::numeric_limits<qint64>::max());
             s.add(std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::min());
         },
         {{std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::min()},
          {std::numeric_limits<qint64>::max() - 1, std::numeric_limits<qint64>::max()}}},
    };
    for (const auto& row : rows) {
        KeyRanges s;
        row.change(s);
        EXPECT_EQ(s.ranges(), row.expected) << row.name;
        for (const R& r : row.expected) EXPECT_TRUE(s.contains(r.first) && s.contains(r.second)) << row.name;
    }
    KeyRanges s;
    s.add(10, 20);
    EXPECT_FALSE(s.contains(9));
    EXPECT_FALSE(s.contains(21));
    EXPECT_TRUE(s.contains(15));
}

// Rows with keys ten apart, as a filtered view's keys are; leading rows can expire.
class KeyedRows : public GridRowSource {
public:
    explicit KeyedRows(int count) {
        for (int i = 0; i < count; ++i) keys.push_back(100 + 10LL * i);
    }
    int rowCount() const override { return static_cast<int>(keys.size()); }
    QString cellText(int row, int) const override { return QString::number(keys[row]); }
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override {
        m_current = row;
        emit changed();
    }
    qint64 rowKey(int row) const override { return keys[row]; }
    int rowOfKey(qint64 key) const override {
        return static_cast<int>(std::lower_bound(keys.begin(), keys.end(), key) - keys.begin());
    }
    void expire(int n) {
        keys.erase(keys.begin(), keys.begin() + n);
        m_current -= n;
        emit changed();
    }
    std::vector<qint64> keys;

private:
    int m_current = 0;
};

struct Selection : ::testing::Test {
    TnDBGrid grid;
    KeyedRows rows{50};
    void SetUp() override {
        grid.resize(300, 400);
        grid.setColumns({{QStringLiteral("Key"), 120, true, 0}});
        grid.show();
        grid.setSource(&rows);
    }
    QPoint at(int row) const {
        for (const auto& s : grid.shownRows())
            if (s.row == row)
                return {20, s.top + s.height / 2};
        ADD_FAILURE() << "row " << row << " not on screen";
        return {};
    }
    void click(int row, Qt::KeyboardModifiers modifiers = {}, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(grid.viewport(), button, modifiers, at(row));
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(&grid, k, modifiers); }
    std::set<int> painted() {
        std::set<int> out;
        grid.onDrawColumnCell = [&](TnDBGrid&, QPainter&, const GridCell& c) {
            if (c.state & gdSelected)
                out.insert(c.row);
        };
        grid.grab();
        grid.onDrawColumnCell = nullptr;
        return out;
    }
};

TEST_F(Selection, ClicksWithShiftAndCtrlChooseRowsInViewOrder) {
    click(3);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{3}));
    EXPECT_FALSE(grid.hasMultiSelection());
    click(6, Qt::ShiftModifier);
    EXPECT_EQ(rows.currentRow(), 6);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{3, 4, 5, 6}));
    click(1, Qt::ShiftModifier);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{1, 2, 3})) << "the anchor stays at the first click";
    click(9, Qt::ControlModifier);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{1, 2, 3, 9}));
    click(2, Qt::ControlModifier);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{1, 3, 9})) << "Ctrl on a selected row takes it out";
    EXPECT_EQ(rows.currentRow(), 9);
    EXPECT_EQ(painted(), (std::set<int>{1, 3, 9}));
    click(12, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{1, 3, 9, 10, 11, 12}));
    EXPECT_TRUE(grid.hasMultiSelection());

    click(3, {}, Qt::RightButton);
    EXPECT_EQ(grid.selectedRows().size(), 6u) << "a right-click on the selection keeps it for its menu";
    click(20, {}, Qt::RightButton);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{20}));
    click(5);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{5}));
    EXPECT_EQ(painted(), (std::set<int>{5}));
}

TEST_F(Selection, ShiftWithTheMoveKeysExtendsAndAPlainKeyEndsIt) {
    click(4);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{4, 5, 6}));
    key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{4, 5}));
    key(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{0, 1, 2, 3, 4}));
    key(Qt::Key_Down);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{1}));
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid.selectedRows().size(), 50u);
    EXPECT_EQ(rows.currentRow(), 1) << "Ctrl+A leaves the current row where it is";
}

TEST_F(Selection, DraggingOverRowsSelectsThem) {
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, at(2));
    for (const int row : {3, 4, 5}) {
        QMouseEvent move(QEvent::MouseMove, at(row), grid.viewport()->mapToGlobal(at(row)), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(grid.viewport(), &move);
    }
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, at(5));
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{2, 3, 4, 5}));
    // Moving without the button pressed selects nothing more.
    QMouseEvent hover(QEvent::MouseMove, at(8), grid.viewport()->mapToGlobal(at(8)), Qt::NoButton,
                      Qt::NoButton, {});
    QApplication::sendEvent(grid.viewport(), &hover);
    EXPECT_EQ(grid.selectedRows().size(), 4u);
}

TEST_F(Selection, RowsAreKeptByKeyUntilTheOwnerEndsTheSelection) {
    click(5);
    click(8, Qt::ShiftModifier);
    // Rows 0-2 expire: the same records are now rows 2-5.
    rows.expire(3);
    EXPECT_EQ(rows.currentRow(), 5);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{2, 3, 4, 5}));
    // A new record arrives behind the view: nothing changes.
    rows.keys.push_back(rows.keys.back() + 10);
    emit rows.changed();
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{2, 3, 4, 5}));
    // The source makes another record current for a moment and goes back: nothing is lost.
    rows.setCurrentRow(rows.rowCount() - 1);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{2, 3, 4, 5, rows.rowCount() - 1}));
    rows.setCurrentRow(5);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{2, 3, 4, 5}));
    grid.clearSelection();
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{5}));
    EXPECT_FALSE(grid.hasMultiSelection());
    // The anchor is the current row again.
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{5, 6}));
}

TEST(SelectionAtScale, AllOfAMillionRowsIsOneRange) {
    TnDBGrid grid;
    grid.resize(300, 400);
    grid.setColumns({{QStringLiteral("Key"), 120, true, 0}});
    KeyedRows rows(1'000'000);
    grid.setSource(&rows);
    grid.selectAll();
    EXPECT_TRUE(grid.hasMultiSelection());
    EXPECT_TRUE(grid.isRowSelected(999'999));
    const std::vector<int> all = grid.selectedRows();
    ASSERT_EQ(all.size(), 1'000'000u);
    EXPECT_EQ(all.front(), 0);
    EXPECT_EQ(all.back(), 999'999);
    grid.clearSelection();
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{0}));
}

}  // namespace
}  // namespace corvane
