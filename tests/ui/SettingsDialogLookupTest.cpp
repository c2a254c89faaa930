#include "ui/SettingsDialogFixture.h"

#include "store/Table.h"
#include "ui/ImageLibrary.h"
#include "ui/SettingsDialogLookup.h"
#include "ui/Translation.h"
#include "widgets/QtTestApp.h"
#include "widgets/TImageList.h"
#include "widgets/TnPageControl.h"

#include <QTreeWidget>

namespace corvane {
namespace {

using test::SettingsDialogFixture;

// Solid icons whose colour tells which one a cell shows.
TImageList solidIcons(int count) {
    TImageList list(QSize(24, 24));
    for (int i = 0; i < count; ++i) {
        QImage image(24, 24, QImage::Format_ARGB32);
        image.fill(QColor(10 * i, 200 - 5 * i, 40));
        list.add(image);
    }
    return list;
}

// Gradients may round a channel by one.
bool near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) <= 4 && std::abs(a.green() - b.green()) <= 4 &&
           std::abs(a.blue() - b.blue()) <= 4;
}

LookupNameEditor* openEditor(TSettings& dlg) {
    for (auto* e : dlg.dbgLookup->findChildren<LookupNameEditor*>())
        if (e->isVisible())
            return e;
    return nullptr;
}

std::string nameAt(Table& t, int position) {
    return t.valueAt(position, t.fieldIndex("Name")).text;
}

class Lookup : public SettingsDialogFixture {
protected:
    TImageList facilityIcons = solidIcons(3);
    TImageList severityIcons = solidIcons(9);

    void openDetailed() {
        open(true);
        dlg->setIcons(&facilityIcons, &severityIcons);
        showActive();
        dlg->nPageControl->setCurrentIndex(2);
        QApplication::processEvents();
    }
    Table& facilities() { return data->FacilitySet(); }
};

TEST_F(Lookup, TheDetailedPageOpensOnTheFacilitiesWithTheirIcons) {
    openDetailed();
    ASSERT_NE(dlg->tvDetailed->currentItem(), nullptr);
    EXPECT_EQ(dlg->tvDetailed->currentItem()->text(0), QStringLiteral("Facilities"));
    EXPECT_EQ(dlg->tvDetailed->topLevelItemCount(), 3);
    ASSERT_NE(dlg->lookupRows(), nullptr);
    EXPECT_EQ(&dlg->lookupRows()->table(), &facilities());
    EXPECT_EQ(dlg->currentIcons(), &facilityIcons);
    ASSERT_EQ(dlg->dbgLookup->columns().size(), 2);
    EXPECT_EQ(dlg->dbgLookup->columns()[0].width, 36);
    EXPECT_FALSE(dlg->dbgLookup->showTitles());
    ASSERT_GE(dlg->dbgLookup->shownRows().size(), 3u);
    EXPECT_EQ(dlg->dbgLookup->shownRows()[0].top, 0);
    EXPECT_EQ(dlg->dbgLookup->shownRows()[1].height, 26);

    // Row 0 is the "Any" row (key -1, icon 0), row 1 key 0 (icon 1); row 2 has key 1 and icon 2;
    // later rows have no icon in a three-icon list. Rows alternate their top colour.
    QTest::mouseClick(dlg->dbgLookup->viewport(), Qt::LeftButton, {}, QPoint(100, 26 * 4 + 10));
    const QImage shot = dlg->dbgLookup->viewport()->grab().toImage();
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        ASSERT_EQ(dlg->lookupRows()->keyAt(row), row - 1);
        EXPECT_EQ(QColor(shot.pixel(17, 26 * row + 13)), facilityIcons.image(row).pixelColor(0, 0));
    }
    EXPECT_TRUE(near(shot.pixel(120, 0), kLookupEvenRow));
    EXPECT_TRUE(near(shot.pixel(120, 26), dlg->dbgLookup->palette().color(QPalette::Light)));
    EXPECT_TRUE(near(shot.pixel(120, 52), kLookupEvenRow));
    EXPECT_EQ(dlg->lookupRows()->currentRow(), 4);
    EXPECT_TRUE(near(shot.pixel(120, 26 * 4), kLookupGradientEnd))
        << QColor(shot.pixel(120, 26 * 4)).name().toStdString();
    EXPECT_NE(QColor(shot.pixel(17, 26 * 3 + 13)), facilityIcons.image(2).pixelColor(0, 0));

    dlg->tvDetailed->setCurrentItem(dlg->tvDetailed->topLevelItem(1));
    EXPECT_EQ(&dlg->lookupRows()->table(), &data->SeveritySet());
    EXPECT_EQ(dlg->currentIcons(), &severityIcons);
    EXPECT_EQ(dlg->dbgLookup->columns()[1].width, 153);
    dlg->tvDetailed->setCurrentItem(dlg->tvDetailed->topLevelItem(2));
    EXPECT_EQ(dlg->lookupRows(), nullptr);
    EXPECT_EQ(dlg->currentIcons(), nullptr);
    EXPECT_TRUE(dlg->dbgLookup->columns().isEmpty());
}

TEST_F(Lookup, CtrlDeleteAsksThenDeletesUntilCancelBringsTheRowBack) {
    openDetailed();
    const int before = facilities().recordCount();
    const std::string second = nameAt(facilities(), 1);
    QTest::mouseClick(dlg->dbgLookup->viewport(), Qt::LeftButton, {}, QPoint(100, 26 + 10));

    confirmAnswer = false;
    QTest::keyClick(dlg->dbgLookup, Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], QStringLiteral("Delete record?"));
    EXPECT_EQ(facilities().recordCount(), before);
    QTest::keyClick(dlg->dbgLookup, Qt::Key_Delete);  // without Ctrl nothing happens
    EXPECT_EQ(questions.size(), 1u);

    confirmAnswer = true;
    QTest::keyClick(dlg->dbgLookup, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(facilities().recordCount(), before - 1);
    EXPECT_NE(nameAt(facilities(), 1), second);
    EXPECT_TRUE(dlg->BtnOk->isEnabled());

    dlg->close();
    EXPECT_EQ(facilities().recordCount(), before);
    EXPECT_EQ(nameAt(facilities(), 1), second);
    EXPECT_FALSE(facilities().hasUnsavedChanges());
}

TEST_F(Lookup, EditRenamesTheCurrentRowInPlaceAndOkSavesIt) {
    openDetailed();
    QTest::mouseClick(dlg->dbgLookup->viewport(), Qt::LeftButton, {}, QPoint(100, 26 * 2 + 10));
    const std::string old = nameAt(facilities(), 2);

    // Escape drops the edit and leaves the dialog open.
    QTest::mouseClick(dlg->btnEdit, Qt::LeftButton);
    auto* editor = openEditor(*dlg);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text().toStdString(), old);
    QTest::keyClicks(editor, QStringLiteral("Dropped"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(nameAt(facilities(), 2), old);
    EXPECT_FALSE(dlg->BtnOk->isEnabled());

    QTest::mouseClick(dlg->btnEdit, Qt::LeftButton);
    editor = openEditor(*dlg);
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Kernel messages"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(nameAt(facilities(), 2), "Kernel messages");
    EXPECT_TRUE(dlg->BtnOk->isEnabled());

    QTest::mouseClick(dlg->BtnOk, Qt::LeftButton);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(facilities().hasUnsavedChanges());
    TData reloaded(folder(), CORVANE_BINARY_DIR "/");
    reloaded.DataModuleCreate();
    EXPECT_EQ(nameAt(reloaded.FacilitySet(), 2), "Kernel messages");
}

// Pictures of the three pages with the image library's icons, for a person to look at.
TEST_F(Lookup, ScreenshotsOfTheThreePages) {
    const QString library = QStringLiteral(CORVANE_BINARY_DIR "/corvane-images.rcc");
    ASSERT_EQ(LoadImageList(library, QStringLiteral("IFACILITYLIST"), &facilityIcons), QString());
    ASSERT_EQ(LoadImageList(library, QStringLiteral("ISEVERITYLIST"), &severityIcons), QString());
    // As at the program's start: the translation is in place before the dialog is built.
    ASSERT_TRUE(Translation::instance().setLanguage(QStringLiteral("ENU")));
    writeSettings("NotifyEmail=1\r\nEmailAddr1=ops@example.org\r\n");
    open(true);
    dlg->setIcons(&facilityIcons, &severityIcons);
    dlg->setLocalAddresses({"192.168.1.20"});
    showActive();
    dlg->UDPPort->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(dlg->UDPPort, QStringLiteral("1514"));
    dlg->UpdateURL->setFocus(Qt::TabFocusReason);
    test::saveScreenshot(*dlg, QStringLiteral("settings-general"));
    dlg->nPageControl->setCurrentIndex(1);
    test::saveScreenshot(*dlg, QStringLiteral("settings-notification"));
    dlg->nPageControl->setCurrentIndex(2);
    QApplication::processEvents();
    test::saveScreenshot(*dlg, QStringLiteral("settings-detailed"));
    EXPECT_TRUE(QFile::exists(QStringLiteral(CORVANE_BINARY_DIR "/screenshots/settings-detailed.png")));
    // The same pages in each translation, to check that no caption is cut.
    for (const char* code : {"DEU", "ESN", "FRA"}) {
        ASSERT_TRUE(Translation::instance().setLanguage(QString::fromLatin1(code)));
        const QString suffix = QString::fromLatin1(code).left(2).toLower();
        for (int page = 0; page < 3; ++page) {
            dlg->nPageControl->setCurrentIndex(page);
            QApplication::processEvents();
            test::saveScreenshot(*dlg, QStringLiteral("settings-%1-%2").arg(page + 1).arg(suffix));
        }
        if (suffix == QLatin1String("de")) {
            // A grey description follows the language; a value from the file stays as it is.
            EXPECT_EQ(dlg->MailHost->text(), QStringLiteral("Server für den Mailversand."));
            EXPECT_EQ(dlg->EmailAddr1->text(), QStringLiteral("ops@example.org"));
        }
    }
    ASSERT_TRUE(Translation::instance().setLanguage(QStringLiteral("ENU")));
}

}  // namespace
}  // namespace corvane
