#include "store/TData.h"
#include "app/AppCore.h"
#include "app/Settings.h"
#include "filter/ExpressionFilterCompiler.h"
#include "platform/MessageDialogs.h"
#include "platform/NotifyActions.h"
#include "ui/QtMainThread.h"
#include "ui/SysLogForm.h"
#include "ui/LanguageDialog.h"
#include "ui/MsgDialog.h"
#include "ui/Translation.h"
#include "ui/TranslationHooks.h"
#include "widgets/QtTestApp.h"
#include "widgets/TImageButton.h"
#include "widgets/TnLabel.h"

#include <QComboBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct NoDialogs : MessageDialogs {
    int show(const std::string&, const std::string&, int, const std::string&) override { return 1; }
};

struct NoActions : NotifyActions {
    void PlayNotifySound(const std::string&) override {}
    int RunNotifyProgram(const std::string&) override { return 33; }
};

// The main window over a data module in a temporary folder, listening on a loopback port.
struct Form {
    QTemporaryDir dir;
    NoDialogs dialogs;
    NoActions actions;
    QtMainThread mainThread;
    ExpressionFilterCompiler compiler;
    std::unique_ptr<TData> data;
    std::unique_ptr<TSysLogForm> form;

    std::string folder() const { return dir.path().toStdString() + "/"; }
    std::string settingsPath() const { return folder() + "corvane.ini"; }
    // Port 0 makes the system choose a free one.
    void writeSettings(const std::string& more = {}) {
        QFile file(QString::fromStdString(settingsPath()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            ("[Options]\nUDPPort=0\nUDPBindings=127.0.0.1\nTCPPort=0\nUpdateCheck=0\n" + more).c_str());
    }
    void start() {
        // A dialog the window shows on its own closes itself at once, so a slow run never waits on it.
        msgDialogEnvironment().autoCloseMs = 100;
        msgDialogEnvironment().playSounds = false;
        data = std::make_unique<TData>(folder(), CORVANE_BINARY_DIR "/");
        data->setFilterCompiler(&compiler);
        data->DataModuleCreate();
        FormEnvironment env;
        env.appFolder = QStringLiteral(CORVANE_BINARY_DIR "/");
        env.settingsPath = settingsPath();
        env.dialogs = &dialogs;
        env.actions = &actions;
        env.mainThread = &mainThread;
        env.internetConnected = [] { return true; };
        form = std::make_unique<TSysLogForm>(*data, std::move(env));
    }
    ~Form() {
        if (form)
            form->close();
        form.reset();
        data.reset();
    }
    AppCore* core() { return form->core(); }
};

class TranslationHooks : public ::testing::Test {
protected:
    void TearDown() override { Translation::instance().setLanguage(QStringLiteral("ENU")); }

    Form f;
};

TEST_F(TranslationHooks, TheWindowIsBuiltInTheStoredLanguageAndDataStaysAsItIs) {
    f.writeSettings("Language=DEU\n");
    startLanguage(f.settingsPath());
    EXPECT_EQ(Translation::instance().language(), QStringLiteral("DEU"));
    f.start();
    TSysLogForm& w = *f.form;
    TLanguageDlg dialog;
    connectLanguageDialog(w, dialog);
    w.resize(TSysLogForm::kDesignWidth, TSysLogForm::kDesignHeight);
    w.show();
    QTest::qWait(50);

    EXPECT_EQ(w.lbUpTime->caption(), QStringLiteral(" Laufzeit: "));
    EXPECT_EQ(w.lblEvents->caption(), QStringLiteral(" Ereignisse: "));
    EXPECT_EQ(w.iBtnSetup->toolTip(), QStringLiteral(" Einstellungen "));
    EXPECT_EQ(w.SeverityFilter->caption(), QStringLiteral("mit Schweregrad - "));
    EXPECT_TRUE(w.iLanguage->isEnabled());
    EXPECT_EQ(w.iLanguage->caption(), QStringLiteral("DEU"));
    EXPECT_EQ(w.iLanguage->toolTip(), QStringLiteral("Deutsch (Deutschland)"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Sprache"));

    // With a message shown, for the details pane's labels and sentence in each language.
    ASSERT_TRUE(f.core()->InjectMessage(
        "<11>Dec  9 10:00:00 ups1 apcupsd[99]: Power failure, running on batteries", "192.168.1.20"));
    QTest::qWait(50);
    QDir().mkpath(QStringLiteral(CORVANE_BINARY_DIR "/screenshots"));
    for (const char* code : {"DEU", "ESN", "FRA"}) {
        ASSERT_TRUE(Translation::instance().setLanguage(QString::fromLatin1(code)));
        QTest::qWait(20);
        const QString name =
            QStringLiteral("main-window-%1.png").arg(QString::fromLatin1(code).left(2).toLower());
        EXPECT_TRUE(w.grab().save(QStringLiteral(CORVANE_BINARY_DIR "/screenshots/") + name));
    }
    // The description sentence is composed again in the language switched to.
    EXPECT_TRUE(w.Description->toPlainText().startsWith(QStringLiteral("De : User")))
        << w.Description->toPlainText().toStdString();
    ASSERT_TRUE(Translation::instance().setLanguage(QStringLiteral("ENU")));
    QTest::qWait(20);
    EXPECT_EQ(
        w.Description->toPlainText(),
        QStringLiteral("From: User at Address: 192.168.1.20, Host: ups1, related process apcupsd[99]:."));
}

TEST_F(TranslationHooks, OkSwitchesAtOnceAndKeepsTheCodeCancelChangesNothing) {
    f.writeSettings();
    startLanguage(f.settingsPath());
    EXPECT_EQ(Translation::instance().language(), QStringLiteral("ENU"));
    f.start();
    TSysLogForm& w = *f.form;
    TLanguageDlg dialog;
    connectLanguageDialog(w, dialog);
    ASSERT_TRUE(w.showLanguageDialog);
    EXPECT_EQ(w.lbUpTime->caption(), QStringLiteral(" Up Time: "));

    QTimer::singleShot(0, &dialog, [&] {
        dialog.SelectLanguage(3);
        QTest::mouseClick(dialog.BtnCancel, Qt::LeftButton);
    });
    w.showLanguageDialog();
    EXPECT_EQ(Translation::instance().language(), QStringLiteral("ENU"));
    EXPECT_EQ(w.lbUpTime->caption(), QStringLiteral(" Up Time: "));
    EXPECT_FALSE(f.core()->settings()->keyExists(Settings::kOptions, "Language"));

    QTimer::singleShot(0, &dialog, [&] {
        dialog.SelectLanguage(2);
        QTest::mouseClick(dialog.BtnOK, Qt::LeftButton);
    });
    w.showLanguageDialog();
    EXPECT_EQ(Translation::instance().language(), QStringLiteral("ESN"));
    EXPECT_EQ(w.lbUpTime->caption(), QStringLiteral(" Activo: "));
    EXPECT_EQ(w.iBtnClose->toolTip(), QStringLiteral(" Salir "));
    EXPECT_EQ(w.iLanguage->caption(), QStringLiteral("ESN"));
    // Kept in the file at once, and taken at the next start.
    const auto stored = Settings::load(f.settingsPath());
    ASSERT_TRUE(stored.settings);
    EXPECT_EQ(stored.settings->readString(Settings::kOptions, "Language", ""), "ESN");
    Translation::instance().setLanguage(QStringLiteral("ENU"));
    EXPECT_EQ(w.lbUpTime->caption(), QStringLiteral(" Up Time: "));
    startLanguage(f.settingsPath());
    EXPECT_EQ(Translation::instance().language(), QStringLiteral("ESN"));
}

TEST_F(TranslationHooks, AStoredCodeThatNamesNoLanguageStartsInEnglish) {
    f.writeSettings("Language=Klingon\n");
    startLanguage(f.settingsPath());
    EXPECT_EQ(Translation::instance().language(), QStringLiteral("ENU"));
    startLanguage(f.folder() + "missing/corvane.ini");
    EXPECT_EQ(Translation::instance().language(), QStringLiteral("ENU"));
}

}  // namespace
}  // namespace corvane
