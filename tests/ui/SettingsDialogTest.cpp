#include "ui/SettingsDialogFixture.h"

#include "ui/SettingsDialogTexts.h"

#include <QComboBox>
#include <QKeyEvent>

namespace corvane {
namespace {

using test::SettingsDialogFixture;
using Dialog = SettingsDialogFixture;

TEST_F(Dialog, FirstOpeningOnAFreshSystemShowsTheGreyFirstTexts) {
    open();
    struct Row {
        QLineEdit* edit;
        const char* text;
    };
    const Row rows[] = {{dlg->EmailAddr1, "Email address to notify"},
                        {dlg->MailHost, "Server used to send mail."},
                        {dlg->UserName, "Mail host login ID"},
                        {dlg->Port, "587"},
                        {dlg->NotifyAddress, "IP Address"},
                        {dlg->NotifyCondition, "Text or Characters"},
                        {dlg->UDPPort, "514"},
                        {dlg->TCPPort, "601"},
                        {dlg->UpdateURL, ""}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.edit->objectName().toStdString());
        EXPECT_EQ(r.edit->text(), QString::fromLatin1(r.text));
        EXPECT_TRUE(TSettings::isGrey(r.edit));
        EXPECT_EQ(TSettings::tagOf(r.edit), 0);
    }
    EXPECT_EQ(dlg->UpdateURL->placeholderText(), QStringLiteral("Server used for updates"));
    EXPECT_EQ(dlg->UDPBindings->currentText(), QStringLiteral("127.0.0.1"));
    EXPECT_TRUE(TSettings::isGrey(dlg->UDPBindings));
    EXPECT_EQ(dlg->NotifyFacility->currentText(), QStringLiteral("System"));
    EXPECT_EQ(dlg->NotifySeverity->currentText(), QStringLiteral("Emergency"));
    EXPECT_FALSE(TSettings::isGrey(dlg->NotifyFacility));
    EXPECT_EQ(dlg->NotifyFacility->count(), 25);
    EXPECT_EQ(dlg->NotifyFacility->itemText(16), QStringLiteral("Clock  (chron)"));
    EXPECT_EQ(dlg->NotifySeverity->count(), 9);
    EXPECT_TRUE(dlg->SaveLocation->checked());
    EXPECT_TRUE(dlg->NotifySound->checked());
    EXPECT_TRUE(dlg->UpdateCheck->checked());
    EXPECT_FALSE(dlg->NotifyEmail->checked());
    for (QWidget* w : mailControls()) EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(dlg->TCPPort->isEnabled());
    EXPECT_TRUE(dlg->TCPBindings->isEnabled());
    EXPECT_EQ(dlg->TCPPort->text(), QStringLiteral("601"));
    EXPECT_FALSE(dlg->BtnOk->isEnabled());
    EXPECT_TRUE(dlg->BtnCancel->isDefault());
    EXPECT_FALSE(dlg->changed());
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Setup"));
    EXPECT_EQ(dlg->size(), QSize(482, 320));
    EXPECT_EQ(fileText(), "");
}

TEST_F(Dialog, FillingFromAFileKeepsTheColoursAndEnablesTheMailControls) {
    writeSettings(
        "NotifyEmail=1\r\nUDPPort=1514\r\nEmailAddr1=ops@example.org\r\nNotifyFacility=Any\r\n"
        "UpdateCheck=0\r\nSaveLocation=0\r\nUpdateURL=http://updates.example.org/\r\n");
    open();
    for (QWidget* w : mailControls()) EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_EQ(dlg->UDPPort->text(), QStringLiteral("1514"));
    EXPECT_EQ(dlg->EmailAddr1->text(), QStringLiteral("ops@example.org"));
    EXPECT_EQ(dlg->UpdateURL->text(), QStringLiteral("http://updates.example.org/"));
    EXPECT_TRUE(TSettings::isGrey(dlg->UDPPort));
    EXPECT_EQ(dlg->NotifyFacility->currentText(), QStringLiteral("Any"));
    EXPECT_EQ(dlg->NotifyFacility->currentIndex(), 0);
    EXPECT_FALSE(dlg->UpdateCheck->checked());
    EXPECT_FALSE(dlg->SaveLocation->checked());
    EXPECT_FALSE(dlg->BtnOk->isEnabled());

    // The same object again does not refill; another one does.
    dlg->UDPPort->setText(QStringLiteral("9"));
    dlg->SetSettings(settings.get());
    EXPECT_EQ(dlg->UDPPort->text(), QStringLiteral("9"));
}

TEST_F(Dialog, LeavingAFieldUntouchedOrEmptiedBringsBackItsTextGrey) {
    open();
    showActive();
    focus(dlg->UDPPort);
    EXPECT_EQ(dlg->UDPPort->text(), QString());
    EXPECT_FALSE(TSettings::isGrey(dlg->UDPPort));
    EXPECT_FALSE(dlg->BtnCancel->isDefault());
    focus(dlg->UpdateURL);
    EXPECT_EQ(dlg->UDPPort->text(), QStringLiteral("514"));
    EXPECT_TRUE(TSettings::isGrey(dlg->UDPPort));
    EXPECT_EQ(TSettings::tagOf(dlg->UDPPort), 0);

    typeInto(dlg->UDPPort, QStringLiteral("1514"), dlg->UpdateURL);
    EXPECT_EQ(dlg->UDPPort->text(), QStringLiteral("1514"));
    EXPECT_FALSE(TSettings::isGrey(dlg->UDPPort));
    EXPECT_EQ(TSettings::tagOf(dlg->UDPPort), 1);
    EXPECT_TRUE(dlg->BtnOk->isEnabled());

    // A value can be replaced but not emptied.
    focus(dlg->UDPPort);
    dlg->UDPPort->selectAll();
    QTest::keyClick(dlg->UDPPort, Qt::Key_Backspace);
    focus(dlg->SaveLocation);
    EXPECT_EQ(dlg->UDPPort->text(), QStringLiteral("1514"));
    EXPECT_TRUE(TSettings::isGrey(dlg->UDPPort));
    EXPECT_TRUE(dlg->BtnCancel->isDefault());
}

TEST_F(Dialog, PortFieldsRejectWhatIsNotAPortNumber) {
    open();
    showActive();
    struct Row {
        const char* typed;
        bool accepted;
    };
    const Row rows[] = {{"70000", false}, {"5x", false},    {"0", false},    {"-1", false},
                        {" 80", false},   {"65536", false}, {"65535", true}, {"1", true}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.typed);
        dialogs.shown.clear();
        dlg->UDPPort->setText(QStringLiteral("514"));
        dlg->UDPPort->setProperty("tag", 0);
        typeInto(dlg->UDPPort, QString::fromLatin1(r.typed), dlg->UpdateURL);
        if (r.accepted) {
            EXPECT_TRUE(dialogs.shown.empty());
            EXPECT_EQ(dlg->UDPPort->text(), QString::fromLatin1(r.typed));
            EXPECT_EQ(TSettings::tagOf(dlg->UDPPort), 1);
        } else {
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(dialogs.shown[0].message, "Value must be a number. [1..65535]");
            EXPECT_EQ(dialogs.shown[0].title, "Port Settings");
            EXPECT_EQ(dialogs.shown[0].kind, 64);
            EXPECT_EQ(dlg->UDPPort->text(), QStringLiteral("514"));
            EXPECT_FALSE(TSettings::isGrey(dlg->UDPPort));
            EXPECT_EQ(TSettings::tagOf(dlg->UDPPort), 0);
        }
    }
    // The TCP field follows the same rule; other fields take any text.
    dialogs.shown.clear();
    dlg->TCPPort->setEnabled(true);
    typeInto(dlg->TCPPort, QStringLiteral("5x"), dlg->UpdateURL);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    typeInto(dlg->NotifyAddress, QStringLiteral("5x"), dlg->UpdateURL);
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(Dialog, EnterInsideAFieldCommitsItAndElsewhereCancels) {
    open();
    showActive();
    focus(dlg->UDPPort);
    QTest::keyClicks(dlg->UDPPort, QStringLiteral("1514"));
    QTest::keyClick(dlg->UDPPort, Qt::Key_Return);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), 0);
    EXPECT_EQ(TSettings::tagOf(dlg->UDPPort), 1);
    EXPECT_TRUE(dlg->UDPPort->hasFocus());
    EXPECT_FALSE(dlg->BtnCancel->isDefault());

    // Enter on a field with a bad port shows the message and keeps the dialog open too.
    dlg->UDPPort->selectAll();
    QTest::keyClicks(dlg->UDPPort, QStringLiteral("99999"));
    QTest::keyClick(dlg->UDPPort, Qt::Key_Return);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dlg->isVisible());

    focus(dlg->SaveLocation);
    EXPECT_TRUE(dlg->BtnCancel->isDefault());
    QTest::keyClick(dlg->SaveLocation, Qt::Key_Return);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

TEST_F(Dialog, NotifyEmailEnablesTheTenMailControls) {
    open();
    showActive();
    clickBox(dlg->NotifyEmail);
    EXPECT_TRUE(dlg->NotifyEmail->checked());
    for (QWidget* w : mailControls()) EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_EQ(TSettings::tagOf(dlg->NotifyEmail), 1);
    EXPECT_TRUE(dlg->BtnOk->isEnabled());
    clickBox(dlg->NotifyEmail);
    for (QWidget* w : mailControls()) EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();

    // The space key toggles a box as a change too.
    focus(dlg->NotifyEmail);
    QTest::keyClick(dlg->NotifyEmail, Qt::Key_Space);
    EXPECT_TRUE(dlg->NotifyEmail->checked());
    EXPECT_TRUE(dlg->MailHost->isEnabled());
}

TEST_F(Dialog, FacilityAndSeverityListsSelectTheirItemsAndWriteTheirText) {
    open();
    // Typing a name in any case selects its item.
    dlg->NotifyFacility->setEditText(QStringLiteral("any"));
    EXPECT_EQ(dlg->NotifyFacility->currentIndex(), 0);
    EXPECT_EQ(dlg->NotifyFacility->currentText(), QStringLiteral("Any"));
    EXPECT_EQ(TSettings::tagOf(dlg->NotifyFacility), 1);
    // A name that is no item selects none and marks nothing.
    dlg->NotifySeverity->setEditText(QStringLiteral("Loud"));
    EXPECT_EQ(dlg->NotifySeverity->currentIndex(), -1);
    EXPECT_EQ(dlg->NotifySeverity->currentText(), QStringLiteral("Loud"));
    EXPECT_EQ(TSettings::tagOf(dlg->NotifySeverity), 0);
    dlg->NotifySeverity->setCurrentIndex(7);
    EXPECT_EQ(TSettings::tagOf(dlg->NotifySeverity), 1);

    dlg->BtnOkMouseUp();
    auto reread = Settings::load(settingsPath());
    ASSERT_TRUE(reread.settings);
    EXPECT_EQ(reread.settings->readString("Options", "NotifyFacility", ""), "Any");
    EXPECT_EQ(reread.settings->readString("Options", "NotifySeverity", ""), "Informational");
}

TEST_F(Dialog, KeptMessagesTakeWholeNumbersAndAreWritten) {
    open();
    showActive();
    EXPECT_EQ(dlg->KeepMessages->text(), QStringLiteral("2000000"));
    EXPECT_EQ(dlg->KeepDays->text(), QStringLiteral("0"));
    EXPECT_TRUE(TSettings::isGrey(dlg->KeepMessages));
    typeInto(dlg->KeepMessages, QStringLiteral("5x0-000"), dlg->UpdateURL);
    EXPECT_EQ(dlg->KeepMessages->text(), QStringLiteral("50000")) << "only digits are taken";
    EXPECT_EQ(TSettings::tagOf(dlg->KeepMessages), 1);
    typeInto(dlg->KeepDays, QStringLiteral("30"), dlg->UpdateURL);
    dlg->BtnOkMouseUp();
    auto reread = Settings::load(settingsPath());
    ASSERT_TRUE(reread.settings);
    EXPECT_EQ(reread.settings->readString("Options", "KeepMessages", ""), "50000");
    EXPECT_EQ(reread.settings->readString("Options", "KeepDays", ""), "30");
}

TEST_F(Dialog, ABindingCountsAsChangedOnceItsListHasBeenOpenedAndClosed) {
    open();
    dlg->setLocalAddresses({"192.168.1.20", "10.0.0.5"});
    EXPECT_EQ(dlg->UDPBindings->currentText(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(dlg->UDPBindings->count(), 2);

    dlg->ComboBoxDropDown(dlg->UDPBindings);
    EXPECT_FALSE(TSettings::isGrey(dlg->UDPBindings));
    dlg->ComboBoxCloseUp(dlg->UDPBindings);
    EXPECT_EQ(TSettings::tagOf(dlg->UDPBindings), 1);  // nothing chosen differs from the shown text

    dlg->UDPBindings->setProperty("tag", 0);
    dlg->UDPBindings->setCurrentIndex(1);
    dlg->ComboBoxDropDown(dlg->UDPBindings);
    dlg->ComboBoxCloseUp(dlg->UDPBindings);
    EXPECT_EQ(TSettings::tagOf(dlg->UDPBindings), 0);  // the same item again
}

TEST_F(Dialog, CancelAndTheCloseBoxBothRefillAndForgetTheChanges) {
    writeSettings("UDPPort=1514\r\n");
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        open();
        showActive();
        typeInto(dlg->UDPPort, QStringLiteral("2514"), dlg->UpdateURL);
        typeInto(dlg->NotifyAddress, QStringLiteral("10.0.0.5"), dlg->UpdateURL);
        clickBox(dlg->NotifySound);
        ASSERT_TRUE(dlg->BtnOk->isEnabled());
        if (closeBox)
            dlg->close();
        else
            QTest::mouseClick(dlg->BtnCancel, Qt::LeftButton);
        EXPECT_EQ(dlg->result(), QDialog::Rejected);
        EXPECT_FALSE(dlg->isVisible());
        // A stored key comes back; a field without a key keeps what was typed.
        EXPECT_EQ(dlg->UDPPort->text(), QStringLiteral("1514"));
        EXPECT_EQ(dlg->NotifyAddress->text(), QStringLiteral("10.0.0.5"));
        EXPECT_TRUE(dlg->NotifySound->checked());
        EXPECT_FALSE(dlg->BtnOk->isEnabled());
        for (QWidget* w : {static_cast<QWidget*>(dlg->UDPPort), static_cast<QWidget*>(dlg->NotifyAddress),
                           static_cast<QWidget*>(dlg->NotifySound)})
            EXPECT_EQ(TSettings::tagOf(w), 0) << w->objectName().toStdString();

        // A later OK of another change writes only that one: nothing cancelled comes back.
        clickBox(dlg->SaveLocation);
        dlg->BtnOkMouseUp();
        const std::string text = fileText();
        EXPECT_NE(text.find("SaveLocation=0"), std::string::npos);
        EXPECT_EQ(text.find("NotifyAddress"), std::string::npos) << text;
        EXPECT_EQ(text.find("NotifySound"), std::string::npos) << text;
        writeSettings("UDPPort=1514\r\n");
    }
}

TEST_F(Dialog, WithoutASettingsObjectNothingEnablesOk) {
    open();
    dlg->SetSettings(nullptr);
    showActive();
    typeInto(dlg->UDPPort, QStringLiteral("1514"), dlg->UpdateURL);
    clickBox(dlg->NotifyEmail);
    EXPECT_EQ(TSettings::tagOf(dlg->UDPPort), 1);
    EXPECT_FALSE(dlg->BtnOk->isEnabled());
    EXPECT_TRUE(dlg->MailHost->isEnabled());
}

TEST_F(Dialog, HelpOpensTheSettingsPage) {
    open();
    QTest::mouseClick(dlg->BtnHelp, Qt::LeftButton);
    EXPECT_EQ(helpContexts, std::vector<int>{100});
}

}  // namespace
}  // namespace corvane
