#include "ui/QtNotifyActions.h"

#include "platform/MessageDialogs.h"
#include "ui/SoundPlayer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct Recorder : SoundPlayer, PathOpener, MessageDialogs {
    std::vector<std::string> calls;
    QString failure;
    void playEvent(const std::string& id) override { calls.push_back("event " + id); }
    void playFile(const std::string& path) override { calls.push_back("file " + path); }
    QString openUrl(const QUrl& url, bool activate) override {
        calls.push_back((activate ? "open " : "open quietly ") + url.toString().toStdString());
        return failure;
    }
    QString startProgram(const QString& program, const ProgramEnvironment& environment) override {
        calls.push_back("start " + program.toStdString());
        for (const auto& [name, value] : environment) calls.push_back("  " + name + "=" + value);
        return failure;
    }
    int show(const std::string& message, const std::string& title, int kind, const std::string&) override {
        calls.push_back(title + " " + std::to_string(kind) + ": " + message);
        return 1;
    }
};

class NotifyActionsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Recorder r;
    std::string path(const char* name) const { return dir.path().toStdString() + "/" + name; }
    void makeFile(const char* name, bool executable = false) {
        QFile f(QString::fromStdString(path(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(
            "#!/bin/sh\nprintf '%s|%s' \"$CORVANE_HOST\" \"$CORVANE_MESSAGE\" > \"$(dirname \"$0\")/ran\"\n");
        f.close();
        if (executable)
            f.setPermissions(f.permissions() | QFile::ExeOwner);
    }
    QtNotifyActions actions() { return QtNotifyActions(dir.path() + "/", r, &r, &r); }
};

TEST_F(NotifyActionsTest, TheSoundIsTheFolderWaveFileOrTheDesktopWarning) {
    QtNotifyActions a = actions();
    a.PlayNotifySound("Warning");
    makeFile("Warning.wav");
    a.PlayNotifySound("Warning");
    a.PlayNotifySound("");
    EXPECT_EQ(r.calls, (std::vector<std::string>{"event dialog-warning", "file " + path("Warning.wav")}));
}

TEST_F(NotifyActionsTest, ProgramsStartDocumentsOpenAndFoldersOpenWithoutTakingTheFocus) {
    makeFile("tool.sh", true);
    makeFile("report.txt");
    QDir(dir.path()).mkdir("logs");
    const std::string url = "file://" + dir.path().toStdString();
    struct Row {
        std::string path;
        std::string call;
    };
    const Row rows[] = {
        {path("tool.sh"), "start " + path("tool.sh")},
        {path("report.txt"), "open " + url + "/report.txt"},
        {path("logs") + "/", "open quietly " + url + "/logs"},
        {path("logs") + "\\", "open quietly " + url + "/logs"},
        {path("logs"), "open " + url + "/logs"},
        {"https://example.org/alert", "open https://example.org/alert"},
    };
    QtNotifyActions a = actions();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        r.calls.clear();
        EXPECT_EQ(a.RunNotifyProgram(row.path), QtNotifyActions::kStarted);
        EXPECT_EQ(r.calls, std::vector<std::string>{row.call});
    }
}

TEST_F(NotifyActionsTest, WhatCannotBeOpenedIsReportedWithTheWarning) {
    QtNotifyActions a = actions();
    EXPECT_EQ(a.RunNotifyProgram(""), QtNotifyActions::kNotStarted);
    EXPECT_TRUE(r.calls.empty());

    const std::string missing = path("missing.exe");
    EXPECT_EQ(a.RunNotifyProgram(missing), QtNotifyActions::kNotStarted);
    EXPECT_EQ(r.calls, std::vector<std::string>{
                           "Notification Execute 48: An Error ocurred opening the file. File name " +
                           missing + ": No such file or directory"});

    makeFile("report.txt");
    r.calls.clear();
    r.failure = QStringLiteral("No application is set up to open it.");
    EXPECT_EQ(a.RunNotifyProgram(path("report.txt")), QtNotifyActions::kNotStarted);
    ASSERT_EQ(r.calls.size(), 2u);
    EXPECT_EQ(r.calls[1], "Notification Execute 48: An Error ocurred opening the file. File name " +
                              path("report.txt") + ": No application is set up to open it.");
}

TEST_F(NotifyActionsTest, TheDesktopOpenerStartsAProgramDetached) {
    makeFile("tool.sh", true);
    DesktopPathOpener opener;
    EXPECT_EQ(opener.startProgram(QString::fromStdString(path("tool.sh")),
                                  {{"CORVANE_HOST", "core-sw-01"}, {"CORVANE_MESSAGE", "link down"}}),
              QString());
    QFile ran(QString::fromStdString(path("ran")));
    QElapsedTimer waited;
    waited.start();
    while ((!ran.exists() || ran.size() == 0) && waited.elapsed() < 5000) QThread::msleep(10);
    ASSERT_TRUE(ran.open(QIODevice::ReadOnly));
    EXPECT_EQ(ran.readAll().toStdString(), "core-sw-01|link down");
    EXPECT_NE(opener.startProgram(QString::fromStdString(path("nothing-here")), {}), QString());
}

// A player whose device is gone: every sound fails the same way.
struct DeadPlayer : SoundPlayer {
    int played = 0;
    void playEvent(const std::string&) override { ++played; }
    void playFile(const std::string&) override { ++played; }
    std::string failure() const override { return "No such driver"; }
};

TEST_F(NotifyActionsTest, ASoundThatCannotPlayIsReportedOnce) {
    DeadPlayer dead;
    QtNotifyActions actions(dir.path() + QStringLiteral("/"), r, &dead, &r);
    for (int i = 0; i < 4; ++i) actions.PlayNotifySound("Warning");
    ASSERT_EQ(r.calls.size(), 1u);
    EXPECT_EQ(r.calls[0],
              "Notification Sound 48: The notification sound cannot be played (No such driver). No further "
              "sounds are played until the program is started again.");
}

TEST(CanberraPlayer, WithoutADriverSoundsStopAndTellWhy) {
    ::setenv("CANBERRA_DRIVER", "no-such-driver", 1);
    CanberraSoundPlayer player;
    player.playEvent("dialog-error");
    EXPECT_NE(player.failure(), "");
    player.playFile("/no/such/file.wav");
    ::unsetenv("CANBERRA_DRIVER");
}

}  // namespace
}  // namespace corvane
