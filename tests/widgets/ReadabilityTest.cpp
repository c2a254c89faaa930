#include "widgets/Readability.h"

#include "widgets/TgLabel.h"
#include "widgets/TnControl.h"
#include "widgets/TnLabel.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ReadabilityTest, ContrastRatiosAreTheWcagOnes) {
    const struct {
        const char* name;
        QColor a, b;
        double ratio;
    } rows[] = {
        {"black on white", Qt::black, Qt::white, 21.0},
        {"same colour", QColor(120, 40, 200), QColor(120, 40, 200), 1.0},
        {"white on the old light-blue selection", Qt::white, QColor(219, 233, 249), 1.23},
        {"mid grey on white", QColor(118, 118, 118), Qt::white, 4.54},
        {"order does not matter", Qt::white, QColor(118, 118, 118), 4.54},
    };
    for (const auto& row : rows) EXPECT_NEAR(contrastRatio(row.a, row.b), row.ratio, 0.01) << row.name;
}

TEST(ReadabilityTest, TheTextColourIsKeptOnlyWhereItReads) {
    const struct {
        const char* name;
        QColor preferred;
        QList<QColor> behind;
        QColor expected;
    } rows[] = {
        {"dark text on light", QColor(20, 20, 20), {Qt::white, QColor(222, 232, 246)}, QColor(20, 20, 20)},
        {"light text of a dark theme on a light gradient",
         QColor(230, 230, 230),
         {Qt::white, QColor(222, 232, 246)},
         QColor(0, 0, 0)},
        {"dark text on a dark panel",
         QColor(30, 30, 30),
         {QColor(40, 40, 40), QColor(60, 60, 60)},
         QColor(255, 255, 255)},
    };
    for (const auto& row : rows) EXPECT_EQ(readableOn(row.preferred, row.behind), row.expected) << row.name;
}

TEST(ReadabilityTest, ABackgroundIsLightenedUntilTheTextReads) {
    const QColor lightened = lightenedFor(QColor(42, 130, 218), Qt::black);
    EXPECT_GE(contrastRatio(lightened, Qt::black), kMinContrast);
    EXPECT_GT(lightened.blue(), lightened.red()) << "the hue stays";
    EXPECT_EQ(lightenedFor(Qt::white, Qt::black), QColor(Qt::white));
}

TEST(ReadabilityTest, ACaptionReadsOnWhatIsPaintedBehindIt) {
    QPalette dark;
    dark.setColor(QPalette::WindowText, QColor(235, 235, 235));
    dark.setColor(QPalette::Window, QColor(45, 45, 45));
    TnControl panel;
    panel.setPalette(dark);
    panel.setClientColor(QColor(255, 255, 255));
    panel.setClientColor2(QColor(196, 214, 236));
    auto* clear = new TnLabel(&panel);
    clear->setClientColor(TColor(QColor(0, 0, 0, 0)));
    auto* own = new TgLabel(&panel);
    own->setColor(QColor(30, 30, 30));
    own->setColor2(QColor(50, 50, 50));
    auto* onLabel = new TgLabel(own);
    onLabel->setTransparent(true);

    EXPECT_EQ(paintedBehind(clear), (QList<QColor>{QColor(255, 255, 255), QColor(196, 214, 236)}));
    EXPECT_EQ(captionColor(clear), QColor(0, 0, 0));
    EXPECT_EQ(paintedBehind(onLabel), (QList<QColor>{QColor(30, 30, 30), QColor(50, 50, 50)}));
    EXPECT_EQ(captionColor(onLabel), QColor(235, 235, 235));
}

}  // namespace
}  // namespace corvane
