#include "MessageStoreFixture.h"

#include "store/Table.h"
#include "ui/MessageGrid.h"
#include "ui/MessageRows.h"
#include "widgets/QtTestApp.h"

#include <QImage>
#include <QPainter>

namespace corvane {
namespace {

using test::MessageStore;

QColor pixel(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

// Icons of one flat colour each, so the picture under (left + 6, top + 1) names its index.
TImageList flatIcons(int count) {
    TImageList list(QSize(12, 12));
    for (int i = 0; i < count; ++i) {
        QImage image(12, 12, QImage::Format_ARGB32);
        image.fill(QColor(20 * i, 0, 255 - 20 * i));
        list.add(image);
    }
    return list;
}

class MessageGridTest : public ::testing::Test {
protected:
    MessageGridTest() : rows(store.messages(), MessageStore::formats()) {
        for (int i = 0; i < 40; ++i) store.add({.severity = i % 8, .text = "message " + std::to_string(i)});
        store.messages().first();
        grid.resize(640, 400);
        grid.show();
    }

    QImage paint(TnDBGrid& g) {
        g.viewport()->update();
        return g.viewport()->grab().toImage();
    }

    MessageStore store;
    TableRows rows;
    TImageList icons = flatIcons(9);
    TnDBGrid grid;
    MessageGrid painter{grid, rows, store.messages(), &icons};
};

TEST_F(MessageGridTest, ColumnsAreTheFourOfTheMessageGridThenTheOffered) {
    const QList<GridColumn>& c = grid.columns();
    ASSERT_EQ(c.size(), 8);
    const std::pair<const char*, int> expected[] = {{"Severity", 56}, {"Date", 88},    {"Address", 80},
                                                    {"Message", 372}, {"Host", 100},   {"Process", 100},
                                                    {"PID", 56},      {"Facility", 80}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(c[i].title, QString::fromLatin1(expected[i].first));
        EXPECT_EQ(c[i].visible, i < 4) << expected[i].first;
        if (i == 2)  // widened to the widest IPv4 address in the grid's font; longer ones wrap
            EXPECT_GE(c[i].width, expected[i].second);
        else
            EXPECT_EQ(c[i].width, expected[i].second);
        EXPECT_EQ(c[i].breakAnywhere, i == 2);
    }
    EXPECT_FALSE(grid.columnLines());
    EXPECT_TRUE(grid.rowLines());
    EXPECT_EQ(c[0].field, store.messages().fieldIndex("SeverityKey"));
    EXPECT_EQ(c[3].field, store.messages().fieldIndex("Message"));
}

TEST_F(MessageGridTest, RowsTakeTheirColoursFromTheirPlaceOnScreenAndTheSelectionItsOwn) {
    const QColor light = grid.palette().color(QPalette::Light);
    store.messages().moveTo(2);  // the current record: the third row
    QImage image = paint(grid);
    const auto& shown = grid.shownRows();
    ASSERT_GE(shown.size(), 5u);
    const int x = 60;  // inside the Date column
    EXPECT_EQ(pixel(image, x, shown[0].top), MessageGrid::kEvenRowTop);
    EXPECT_EQ(pixel(image, x, shown[1].top), light);
    EXPECT_EQ(pixel(image, x, shown[2].top), MessageGrid::kRowBottom) << "selected row";
    EXPECT_EQ(pixel(image, x, shown[3].top), light);
    EXPECT_EQ(pixel(image, x, shown[4].top), MessageGrid::kEvenRowTop);
    // An unselected row fades to the common bottom colour (its last pixel row is the row line).
    const QColor nearBottom = pixel(image, x, shown[0].top + shown[0].height - 2);
    EXPECT_NEAR(nearBottom.red(), MessageGrid::kRowBottom.red(), 20);
    EXPECT_NEAR(nearBottom.blue(), MessageGrid::kRowBottom.blue(), 6);

    // One row further down the records swap colours: parity is by place, not by record.
    grid.setTopRow(1);
    image = paint(grid);
    EXPECT_EQ(grid.shownRows()[0].row, 1);
    EXPECT_EQ(pixel(image, x, grid.shownRows()[0].top), MessageGrid::kEvenRowTop);
    EXPECT_EQ(pixel(image, x, grid.shownRows()[1].top), MessageGrid::kRowBottom) << "record 3 stays selected";
    EXPECT_EQ(pixel(image, x, grid.shownRows()[2].top), MessageGrid::kEvenRowTop);
    EXPECT_EQ(pixel(image, x, grid.shownRows()[3].top), light);
}

TEST_F(MessageGridTest, SeverityIconIsImageKeyPlusOneAtItsOffset) {
    store.messages().moveTo(7);
    const QImage image = paint(grid);
    const auto& shown = grid.shownRows();
    for (int i = 0; i < 5; ++i) {  // record i has severity i
        const QColor icon = icons.image(i + 1).pixelColor(0, 0);
        EXPECT_EQ(pixel(image, 6 + 2, shown[i].top + 1 + 2), icon) << i;
        EXPECT_NE(pixel(image, 3, shown[i].top + 2), icon) << "left of the icon the gradient shows";
    }
}

TEST_F(MessageGridTest, SeverityWithoutAnImageDrawsNoIcon) {
    TImageList few = flatIcons(2);  // only "Any" and severity 0
    TnDBGrid other;
    other.resize(640, 200);
    other.show();
    MessageGrid second(other, rows, store.messages(), &few);
    store.messages().moveTo(7);
    const QImage image = paint(other);
    const auto& shown = other.shownRows();
    EXPECT_EQ(pixel(image, 8, shown[0].top + 3), few.image(1).pixelColor(0, 0));
    // No picture for severity 1: the icon's place shows the row's gradient like its left edge.
    EXPECT_EQ(pixel(image, 8, shown[1].top + 3), pixel(image, 3, shown[1].top + 3));
}

TEST_F(MessageGridTest, StretchColumnsGivesTheMessageColumnTheSpareWidthButNeverLessThan48) {
    const auto& fields = store.messages().fields();
    StretchColumns(grid, fields);
    const int client = grid.viewport()->width();
    // The address column shows the widest IPv4 address whole, and is never below its 80 pixels.
    const int address = grid.columns()[2].width;
    EXPECT_GE(address, 80);
    EXPECT_GT(address, grid.fontMetrics().horizontalAdvance(QStringLiteral("255.255.255.255")) + 4);
    EXPECT_EQ(grid.columns()[3].width, client - 56 - 88 - address);
    EXPECT_EQ(grid.columns()[0].width, 56) << "fixed columns keep their widths";

    // A dragged column keeps its width; the message column absorbs the difference.
    grid.setColumnWidth(1, 120);
    StretchColumns(grid, fields);
    EXPECT_EQ(grid.columns()[3].width, client - 56 - 120 - address);

    grid.resize(240, 400);
    StretchColumns(grid, fields);
    EXPECT_EQ(grid.columns()[3].width, 48);

    // Column lines and a row indicator count against the spare width.
    grid.resize(800, 400);
    grid.setColumnLines(true);
    StretchColumns(grid, fields, true);
    EXPECT_EQ(grid.columns()[3].width, grid.viewport()->width() - 56 - 120 - address - 4 - 11);
}

TEST_F(MessageGridTest, CtrlDeleteDeletesTheCurrentMessageOnlyWhenConfirmed) {
    QStringList asked;
    bool answer = false;
    painter.confirm = [&](const QString& q) {
        asked << q;
        return answer;
    };
    Table& t = store.messages();
    t.moveTo(3);
    const int key = t.integer(t.requireField("Key"));
    painter.deleteCurrent();
    EXPECT_EQ(t.recordCount(), 40) << "cancelled";
    answer = true;
    painter.deleteCurrent();
    EXPECT_EQ(asked, QStringList({QStringLiteral("Delete record?"), QStringLiteral("Delete record?")}));
    ASSERT_EQ(t.recordCount(), 39);
    EXPECT_FALSE(t.locate("Key", Value::ofInteger(key)));
}

TEST(PaintCellGradient, FirstAndLastPixelRowsAreExactlyTheTwoColours) {
    QImage image(10, 20, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    PaintCellGradient(p, QRect(0, 5, 10, 10), QColor(240, 255, 247), QColor(0, 0, 255));
    p.end();
    EXPECT_EQ(image.pixelColor(3, 5), QColor(240, 255, 247));
    EXPECT_EQ(image.pixelColor(3, 14), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(3, 4), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(3, 15), QColor(Qt::black));
}

}  // namespace
}  // namespace corvane
