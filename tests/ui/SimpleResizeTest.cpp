#include "ui/SimpleResize.h"
#include "widgets/TnControl.h"
#include "widgets/TnLabel.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// The filter frame with the bar and its four fields as designed: two rows of two.
struct Bar {
    TnControl filter;
    TnControl* simple = new TnControl(&filter);
    std::array<QWidget*, 4> fields{};

    Bar() {
        filter.resize(758, 54);
        simple->setGeometry(40, 1, 706, 50);
        const int widths[] = {200, 256, 200, 256};
        const QPoint places[] = {{0, 0}, {201, 0}, {0, 25}, {201, 25}};
        for (int i = 0; i < 4; ++i) {
            fields[i] = new TnLabel(simple);
            fields[i]->setGeometry(QRect(places[i], QSize(widths[i], 24)));
        }
    }
    SimpleBar bar() { return {&filter, simple, fields}; }
    void resizeTo(int width) {
        simple->resize(width, simple->height());
        SimpleResize(bar());
    }
    QPoint at(int i) const { return fields[i]->pos(); }
};

TEST(SimpleResizeTest, DesignWidthPutsThreeFieldsInRowOne) {
    Bar b;
    b.resizeTo(706);
    EXPECT_EQ(b.at(2), QPoint(457, 1));
    EXPECT_EQ(b.at(3), QPoint(0, 25));
    EXPECT_EQ(b.filter.height(), 54);
    EXPECT_EQ(b.simple->height(), 50);
}

TEST(SimpleResizeTest, WideningPastTheOneRowLimitAndBack) {
    Bar b;
    b.resizeTo(706);
    b.resizeTo(912);  // exactly at the limit: nothing moves
    EXPECT_EQ(b.at(3), QPoint(0, 25));
    b.resizeTo(913);
    EXPECT_EQ(b.at(3), QPoint(657, 1));
    EXPECT_EQ(b.filter.height(), 30);
    EXPECT_EQ(b.simple->height(), 28);

    b.resizeTo(912);  // still one row at exactly the limit
    EXPECT_EQ(b.at(3), QPoint(657, 1));
    b.resizeTo(911);
    EXPECT_EQ(b.at(3), QPoint(0, 25));
    EXPECT_EQ(b.at(2), QPoint(457, 1));
    EXPECT_EQ(b.filter.height(), 54);
    EXPECT_EQ(b.simple->height(), 50);
}

TEST(SimpleResizeTest, NarrowingGivesTwoRowsOfTwo) {
    Bar b;
    b.resizeTo(706);
    b.resizeTo(656);  // at the limit the third field stays in row one
    EXPECT_EQ(b.at(2), QPoint(457, 1));
    b.resizeTo(655);
    EXPECT_EQ(b.at(2), QPoint(0, 25));
    EXPECT_EQ(b.at(3), QPoint(201, 25));
    EXPECT_EQ(b.filter.height(), 54);
}

TEST(SimpleResizeTest, FromOneRowStraightToTwoRowsOfTwo) {
    Bar b;
    b.resizeTo(1000);
    ASSERT_EQ(b.at(3), QPoint(657, 1));
    b.resizeTo(600);
    EXPECT_EQ(b.at(2), QPoint(0, 25));
    EXPECT_EQ(b.at(3), QPoint(201, 25));
    EXPECT_EQ(b.filter.height(), 54);
    EXPECT_EQ(b.simple->height(), 50);
    // And straight back to one row from two rows of two.
    b.resizeTo(1000);
    EXPECT_EQ(b.at(2), QPoint(457, 1));
    EXPECT_EQ(b.at(3), QPoint(657, 1));
    EXPECT_EQ(b.filter.height(), 30);
}

}  // namespace
}  // namespace corvane
