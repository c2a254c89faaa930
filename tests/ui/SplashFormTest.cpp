#include "ui/SplashForm.h"

#include "platform/Version.h"
#include "widgets/QtTestApp.h"
#include "widgets/TImageButton.h"
#include "widgets/TgLabel.h"
#include "widgets/TImageLabel.h"

#include <QDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(SplashFormTest, VersionText) {
    struct Row {
        const char* version;
        const char* shown;
    };
    const Row rows[] = {
        {"2.1.0.17", "Version: 2.1.0.17"},
        {"0.0.0.0", "Version: 0.0.0.0"},
        {"65535.0.0.1", "Version: 65535.0.0.1"},
        {"", "0.0.0.0"},
        {"1.2.3", "0.0.0.0"},
        {"1.2.3.4.5", "0.0.0.0"},
        {"1.2.3.65536", "0.0.0.0"},
        {"1.x.3.4", "0.0.0.0"},
        {"-1.2.3.4", "0.0.0.0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.version);
        EXPECT_EQ(GetVersionText(QString::fromLatin1(row.version)), QString::fromLatin1(row.shown));
    }
    TSplashForm given(QString(), QStringLiteral("2.1.0.17"));
    EXPECT_EQ(given.Version->caption(), QStringLiteral("Version: 2.1.0.17"));
    TSplashForm own;
    EXPECT_EQ(own.Version->caption(),
              QStringLiteral("Version: ") + QString::fromStdString(fileVersionText()));
}

TEST(SplashFormTest, SetAlphaRectTakesBothEdgesAndStaysInsideTheImage) {
    QImage image(10, 8, QImage::Format_ARGB32);
    image.fill(QColor(10, 20, 30, 0));
    SetAlphaRect(image, QRect(QPoint(2, 3), QPoint(4, 5)), 255);
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255) {
                ++opaque;
                EXPECT_TRUE(x >= 2 && x <= 4 && y >= 3 && y <= 5) << x << "," << y;
                EXPECT_EQ(qRed(image.pixel(x, y)), 10);
            }
    EXPECT_EQ(opaque, 9);
    // A rectangle reaching past the picture sets what lies inside and nothing else.
    SetAlphaRect(image, QRect(QPoint(8, 6), QPoint(40, 40)), 128);
    EXPECT_EQ(qAlpha(image.pixel(9, 7)), 128);
    EXPECT_EQ(qAlpha(image.pixel(7, 7)), 0);
}

TEST(SplashFormTest, PictureWithAlphaSizesTheWindow) {
    TSplashForm splash;
    ASSERT_TRUE(splash.hasSplashStream());
    EXPECT_EQ(splash.size(), QSize(440, 312));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(splash.testAttribute(Qt::WA_TranslucentBackground));
    const QImage picture = splash.composedPicture();
    ASSERT_EQ(picture.size(), QSize(440, 312));
    EXPECT_EQ(qAlpha(picture.pixel(0, 311)), 0) << "a corner lets the desktop show through";
    EXPECT_EQ(qAlpha(picture.pixel(220, 150)), 255);
    const QRect version = splash.Version->geometry();
    EXPECT_EQ(version, QRect(24, 284, 168, 16));
    EXPECT_EQ(qAlpha(picture.pixel(version.right() + 1, version.bottom() + 1)), 255);
    EXPECT_EQ(splash.Logo->geometry(), QRect(308, 26, 123, 24));
    EXPECT_FALSE(splash.btnClose->isVisibleTo(&splash));
    EXPECT_FALSE(splash.btnHelp->isEnabled());
}

TEST(SplashFormTest, TimersHideTheWindowAfterTheirTwoIntervals) {
    TSplashForm splash(QString(), QStringLiteral("1.0.0.0"));
    EXPECT_FALSE(splash.hasSplashStream());
    EXPECT_FALSE(splash.Timer->isActive());
    splash.ShowSplash();
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(splash.Timer->isActive());
    EXPECT_EQ(splash.Timer->interval(), TSplashForm::kFirstInterval);

    QTRY_COMPARE_WITH_TIMEOUT(splash.Timer->interval(), TSplashForm::kSecondInterval, 2000);
    EXPECT_TRUE(splash.Timer->isActive());
    EXPECT_TRUE(splash.isVisible());
    // The rest of the 4000 ms is cut short; the second handler runs as it would.
    splash.Timer->start(10);
    QTRY_VERIFY_WITH_TIMEOUT(!splash.isVisible(), 2000);
    EXPECT_EQ(splash.result(), TSplashForm::kCancel);
    EXPECT_FALSE(splash.Timer->isActive());
}

TEST(SplashFormTest, AnyKeyHidesItAtOnceModifiersAlone) {
    TSplashForm splash(QString(), QStringLiteral("1.0.0.0"));
    splash.ShowSplash();
    QTest::keyClick(&splash, Qt::Key_Shift);
    EXPECT_TRUE(splash.isVisible());
    QTest::keyClick(&splash, Qt::Key_Q);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(splash.result(), 0);
    QTest::qWait(150);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(splash.result(), 0);
}

TEST(SplashFormTest, LogoOpensTheWebAddressOnlyWhenOneIsSet) {
    TSplashForm splash(QString(), QStringLiteral("1.0.0.0"));
    QStringList opened;
    splash.openUrl = [&opened](const QString& url) { opened << url; };
    QTest::mouseClick(splash.Logo, Qt::LeftButton);
    EXPECT_TRUE(opened.isEmpty());
    splash.setWebAddress(QStringLiteral("https://example.org/corvane/"));
    QTest::mouseClick(splash.Logo, Qt::LeftButton);
    EXPECT_EQ(opened, QStringList{QStringLiteral("https://example.org/corvane/")});
}

TEST(SplashFormTest, Screenshot) {
    TSplashForm splash(QStringLiteral(":/corvane/ui/splash.png"), QStringLiteral("1.0.0.0"));
    splash.show();
    QImage shot(splash.size(), QImage::Format_ARGB32);
    shot.fill(QColor(230, 120, 40));  // a desktop colour that shows where the picture is see-through
    splash.render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
    QDir().mkpath(QStringLiteral(CORVANE_BINARY_DIR "/screenshots"));
    EXPECT_TRUE(shot.save(QStringLiteral(CORVANE_BINARY_DIR "/screenshots/splash.png")));
    splash.close();
}

}  // namespace
}  // namespace corvane
