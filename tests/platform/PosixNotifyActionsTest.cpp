#include "platform/MessageDialogs.h"
#include "platform/NotifyActions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace corvane {
namespace {

namespace fs = std::filesystem;

struct Shown {
    std::string message, title;
    int kind;
};
struct RecordingDialogs : MessageDialogs {
    std::vector<Shown> shown;
    int show(const std::string& m, const std::string& t, int k, const std::string& = {}) override {
        shown.push_back({m, t, k});
        return 1;
    }
};

class PosixActions : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "corvane-notify-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern + "/";
    }
    void TearDown() override { fs::remove_all(dir); }

    // A script that writes its arguments into a file.
    std::string script(const std::string& name) {
        const std::string path = dir + name;
        std::ofstream(path) << "#!/bin/sh\necho \"$@\" > \"" << dir << name << ".ran\"\n";
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }
    static std::string waitForFile(const std::string& path) {
        for (int i = 0; i < 400; ++i) {
            std::ifstream in(path);
            std::stringstream s;
            s << in.rdbuf();
            if (!s.str().empty())
                return s.str();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return {};
    }

    std::string dir;
    RecordingDialogs dialogs;
};

TEST_F(PosixActions, TheProgramFindsTheMessageInItsEnvironment) {
    PosixNotifyActions actions(dir, dialogs);
    const std::string path = dir + "env.sh";
    std::ofstream(path)
        << "#!/bin/sh\nprintf '%s|%s|%s|%s' \"$#\" \"$CORVANE_HOST\" \"$CORVANE_MESSAGE\" \"$HOME\" > \""
        << dir << "env.ran\"\n";
    fs::permissions(path, fs::perms::owner_all);
    ::setenv("CORVANE_HOST", "stale", 1);
    const int rc = actions.RunNotifyProgramWith(
        path, {{"CORVANE_HOST", "core-sw-01"}, {"CORVANE_MESSAGE", "it's \"down\"; $(rm -rf /)"}});
    ::unsetenv("CORVANE_HOST");
    EXPECT_GT(rc, 32);
    const char* home = std::getenv("HOME");
    EXPECT_EQ(waitForFile(dir + "env.ran"),
              std::string("0|core-sw-01|it's \"down\"; $(rm -rf /)|") + (home ? home : ""));
}

TEST_F(PosixActions, StartsAnExecutableWithoutArgumentsOrWaiting) {
    PosixNotifyActions actions(dir, dialogs);
    const std::string program = script("notify.sh");
    EXPECT_GT(actions.RunNotifyProgram(program), 32);
    EXPECT_EQ(waitForFile(program + ".ran"), "\n");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PosixActions, FoldersAndDocumentsGoToTheOpener) {
    PosixNotifyActions actions(dir, dialogs);
    const std::string opener = script("opener.sh");
    actions.setOpener(opener);
    EXPECT_GT(actions.RunNotifyProgram("/var/log/"), 32);
    EXPECT_EQ(waitForFile(opener + ".ran"), "/var/log/\n");
    fs::remove(opener + ".ran");
    std::ofstream(dir + "report.txt") << "x";
    EXPECT_GT(actions.RunNotifyProgram(dir + "report.txt"), 32);
    EXPECT_EQ(waitForFile(opener + ".ran"), dir + "report.txt\n");
}

TEST_F(PosixActions, NothingStartedGivesTwoAndTheWarning) {
    const std::string prefix = "An Error ocurred opening the file. File name ";
    std::ofstream(dir + "report.txt") << "x";
    std::ofstream(dir + "garbage") << "not a program";
    fs::permissions(dir + "garbage", fs::perms::owner_all);
    struct Row {
        const char* name;
        std::string path;
        std::string opener;
        std::string message;
    };
    const Row rows[] = {
        {"missing file", "/no/such/file.txt", "", prefix + "/no/such/file.txt: No such file or directory"},
        {"missing program", "/no/such/program", "", prefix + "/no/such/program: No such file or directory"},
        {"missing folder", "/no/such/folder/", "", prefix + "/no/such/folder/: No such file or directory"},
        {"program that cannot start", dir + "garbage", "", prefix + dir + "garbage: Exec format error"},
        {"no opener for a document", dir + "report.txt", dir + "no-such-opener",
         prefix + dir + "report.txt: " + dir + "no-such-opener: No such file or directory"},
        {"no opener for a web address", "https://example.org/", dir + "no-such-opener",
         prefix + "https://example.org/: " + dir + "no-such-opener: No such file or directory"},
    };
    for (const Row& r : rows) {
        RecordingDialogs shown;
        PosixNotifyActions actions(dir, shown);
        if (!r.opener.empty())
            actions.setOpener(r.opener);
        EXPECT_EQ(actions.RunNotifyProgram(r.path), 2) << r.name;
        ASSERT_EQ(shown.shown.size(), 1u) << r.name;
        EXPECT_EQ(shown.shown[0].title, "Notification Execute") << r.name;
        EXPECT_EQ(shown.shown[0].kind, 48) << r.name;
        EXPECT_EQ(shown.shown[0].message, r.message) << r.name;
    }
    PosixNotifyActions actions(dir, dialogs);
    EXPECT_EQ(actions.RunNotifyProgram(""), 2);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PosixActions, SoundThatCannotPlayIsReportedOnceThenSilent) {
    // A sound driver that does not exist stands for a machine without a sound device.
    ::setenv("CANBERRA_DRIVER", "no-such-driver", 1);
    {
        PosixNotifyActions actions(dir, dialogs);
        for (int i = 0; i < 5; ++i) actions.PlayNotifySound("Warning");
        actions.PlayNotifySound("");
    }
    ::unsetenv("CANBERRA_DRIVER");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Notification Sound");
    EXPECT_EQ(dialogs.shown[0].kind, 48);
    EXPECT_EQ(dialogs.shown[0].message.rfind("The notification sound cannot be played (", 0), 0u)
        << dialogs.shown[0].message;
}

}  // namespace
}  // namespace corvane
