#include "ui/LanguageDialog.h"

#include "widgets/QtTestApp.h"

#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(LanguageDialogTest, StartsInEnglishWithTheFourLanguages) {
    TLanguageDlg dlg;
    EXPECT_EQ(dlg.LanguageCode(), QStringLiteral("ENU"));
    EXPECT_EQ(dlg.Languages->currentIndex(), 1);
    ASSERT_EQ(dlg.Languages->count(), 4);
    EXPECT_EQ(dlg.Languages->itemText(2), QStringLiteral("Español (Internacional)=2"));
    EXPECT_EQ(dlg.Images.count(), 4);
    EXPECT_EQ(dlg.Images.imageSize(), QSize(16, 11));
    EXPECT_EQ(dlg.size(), QSize(352, 108));
}

TEST(LanguageDialogTest, SelectLanguageSetsTheCodeOfTheItem) {
    struct Row {
        const char* name;
        int index;
        const char* code;
        int selected;
    };
    const Row rows[] = {
        {"German", 0, "DEU", 0}, {"English", 1, "ENU", 1},       {"Spanish", 2, "ESN", 2},
        {"French", 3, "FRA", 3}, {"no selection", -1, "FRA", 3}, {"past the end", 4, "FRA", 3},
    };
    TLanguageDlg dlg;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        dlg.SelectLanguage(row.index);
        EXPECT_EQ(dlg.LanguageCode(), QLatin1String(row.code));
        EXPECT_EQ(dlg.Languages->currentIndex(), row.selected);
    }
}

TEST(LanguageDialogTest, TheCodeFollowsTheListAsItClosesCancelPutsItBack) {
    TLanguageDlg dlg;
    int answer = 0;
    QString codeBeforeCancel;
    QTimer::singleShot(0, &dlg, [&] {
        dlg.Languages->setCurrentIndex(3);
        emit dlg.Languages->activated(3);
        codeBeforeCancel = dlg.LanguageCode();
        QTest::mouseClick(dlg.BtnCancel, Qt::LeftButton);
    });
    answer = dlg.exec();
    EXPECT_EQ(codeBeforeCancel, QStringLiteral("FRA"));
    EXPECT_EQ(answer, TLanguageDlg::kCancel);
    EXPECT_EQ(dlg.LanguageCode(), QStringLiteral("ENU"));
    EXPECT_EQ(dlg.Languages->currentIndex(), 1);

    // The list closed without a choice changes nothing.
    dlg.Languages->setCurrentIndex(-1);
    dlg.LanguagesCloseUp();
    EXPECT_EQ(dlg.LanguageCode(), QStringLiteral("ENU"));
}

TEST(LanguageDialogTest, OkKeepsTheChoiceEscapeActsAsCancel) {
    TLanguageDlg dlg;
    QTimer::singleShot(0, &dlg, [&] {
        dlg.Languages->setCurrentIndex(0);
        emit dlg.Languages->activated(0);
        QTest::mouseClick(dlg.BtnOK, Qt::LeftButton);
    });
    EXPECT_EQ(dlg.exec(), TLanguageDlg::kOk);
    EXPECT_EQ(dlg.LanguageCode(), QStringLiteral("DEU"));

    QTimer::singleShot(0, &dlg, [&] {
        dlg.SelectLanguage(2);
        QTest::keyClick(&dlg, Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.exec(), TLanguageDlg::kCancel);
    EXPECT_EQ(dlg.LanguageCode(), QStringLiteral("DEU"));
}

// Pixels of the German flag's red stripe: they come only from a drawn flag, never from text.
int flagRedPixels(TLanguageDlg& dlg, const QString& item) {
    dlg.Languages->setItemText(0, item);
    QPalette pal = dlg.Languages->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    dlg.Languages->setPalette(pal);
    QImage image(231, 16, QImage::Format_ARGB32);
    image.fill(Qt::blue);
    {
        QPainter p(&image);
        dlg.LanguagesDrawItem(p, 0, image.rect(), false);
    }
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 60 && c.blue() < 60)
                ++red;
        }
    // The whole rectangle is filled with the item's background first.
    EXPECT_NE(image.pixelColor(230, 0), QColor(Qt::blue)) << qPrintable(item);
    return red;
}

TEST(LanguageDialogTest, OnlyAnItemNamingAFlagIsDrawnWithOne) {
    TLanguageDlg dlg;
    EXPECT_GT(flagRedPixels(dlg, QStringLiteral("Deutsch (Deutschland)=0")), 10);
    EXPECT_EQ(flagRedPixels(dlg, QStringLiteral("Deutsch ohne Flagge")), 0);
    EXPECT_EQ(flagRedPixels(dlg, QStringLiteral("Deutsch=")), 0);
    EXPECT_EQ(flagRedPixels(dlg, QStringLiteral("Deutsch=x")), 0);
    EXPECT_EQ(flagRedPixels(dlg, QStringLiteral("Deutsch=-1")), 0);
    EXPECT_EQ(flagRedPixels(dlg, QStringLiteral("Deutsch=4")), 0);
}

}  // namespace
}  // namespace corvane
