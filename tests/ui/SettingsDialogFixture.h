#pragma once

// A settings dialog over a settings file in a temporary folder, with recorded message dialogs
// and, when asked for, a data module holding the shipped facility and severity tables.
#include "store/TData.h"
#include "app/Settings.h"
#include "platform/MessageDialogs.h"
#include "ui/SettingsDialog.h"
#include "widgets/TgCheckLabel.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace corvane::test {

struct RecordedDialogs : MessageDialogs {
    struct Shown {
        std::string message, title;
        int kind;
    };
    std::vector<Shown> shown;
    int show(const std::string& message, const std::string& title, int kind, const std::string&) override {
        shown.push_back({message, title, kind});
        return 1;
    }
};

class SettingsDialogFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    RecordedDialogs dialogs;
    std::unique_ptr<TData> data;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<TSettings> dlg;
    std::vector<QString> questions;
    bool confirmAnswer = true;
    std::vector<int> helpContexts;
    std::function<SmtpResult(const SmtpOptions&, const std::string&)> sendMail;

    std::string folder() const { return dir.path().toStdString() + "/"; }
    std::string settingsPath() const { return folder() + "corvane.ini"; }

    void writeSettings(const std::string& lines) {
        QFile f(QString::fromStdString(settingsPath()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        const std::string text = "[Options]\r\n" + lines;
        f.write(text.data(), static_cast<qint64>(text.size()));
    }
    std::string fileText() const {
        QFile f(QString::fromStdString(settingsPath()));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }

    // Creates the dialog (with the data module when withData) and hands it the settings file.
    void open(bool withData = false) {
        if (withData) {
            data = std::make_unique<TData>(folder(), CORVANE_BINARY_DIR "/");
            data->DataModuleCreate();
        }
        auto loaded = Settings::load(settingsPath());
        settings = std::move(loaded.settings);
        SettingsDialogEnvironment env;
        env.data = data.get();
        env.dialogs = &dialogs;
        env.confirm = [this](const QString& q) {
            questions.push_back(q);
            return confirmAnswer;
        };
        env.showHelp = [this](int context) { helpContexts.push_back(context); };
        env.sendMail = sendMail;
        dlg = std::make_unique<TSettings>(std::move(env));
        dlg->SetSettings(settings.get());
    }

    // Shows the dialog and waits until it has the focus, so focus changes reach its fields.
    void showActive() {
        dlg->show();
        dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    }

    static void focus(QWidget* w) {
        w->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    // The operator enters a field, types text and leaves it by moving to another field.
    void typeInto(QLineEdit* edit, const QString& text, QWidget* next) {
        focus(edit);
        QTest::keyClicks(edit, text);
        focus(next);
    }

    static void clickBox(TgCheckLabel* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, box->checkBoxRect().center());
    }

    std::vector<QWidget*> mailControls() const {
        return {dlg->EmailAddr1, dlg->lbMailHost, dlg->MailHost, dlg->lbUserName, dlg->UserName,
                dlg->lbPort,     dlg->Port,       dlg->UseSSL,   dlg->lbPassword, dlg->Password};
    }
};

}  // namespace corvane::test
