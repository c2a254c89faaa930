#include "app/StartupDialogs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace corvane {
namespace {

struct Screen : MessageDialogs {
    std::vector<std::string> shown;
    std::function<void()> whileOpen;
    int show(const std::string& message, const std::string& title, int kind,
             const std::string& detail) override {
        shown.push_back(title + "/" + std::to_string(kind) + ": " + message +
                        (detail.empty() ? "" : " | " + detail));
        if (whileOpen)
            whileOpen();
        return 2;
    }
};

TEST(StartupDialogs, HeldUntilReleasedThenShownInOrderThenPassedThrough) {
    Screen screen;
    StartupDialogs dialogs(screen);
    EXPECT_EQ(dialogs.show("data file damaged", "Data", 16), 1);
    EXPECT_EQ(dialogs.show("TCP port taken", "TCP", 48, "detail"), 1);
    EXPECT_TRUE(screen.shown.empty()) << "nothing is shown before the listeners are open";

    dialogs.release();
    EXPECT_EQ(screen.shown,
              (std::vector<std::string>{"Data/16: data file damaged", "TCP/48: TCP port taken | detail"}));
    EXPECT_EQ(dialogs.show("later", "X", 64), 2) << "after the release the dialog answers itself";
    dialogs.release();
    EXPECT_EQ(screen.shown.size(), 3u);
}

TEST(StartupDialogs, ClosingTurnsWhatIsLeftIntoLinesEvenWhileOneIsOpen) {
    Screen screen;
    std::FILE* log = std::tmpfile();
    ASSERT_NE(log, nullptr);
    StartupDialogs dialogs(screen, log);
    dialogs.show("first", "A", 16);
    dialogs.show("second", "B", 16, "why");
    // The program is told to end while the first dialog is open.
    screen.whileOpen = [&dialogs] { dialogs.closing(); };
    dialogs.release();
    EXPECT_EQ(dialogs.show("third", "C", 16), 1);
    EXPECT_EQ(screen.shown, std::vector<std::string>{"A/16: first"});
    std::rewind(log);
    char buffer[256] = {};
    const std::size_t n = std::fread(buffer, 1, sizeof buffer - 1, log);
    std::fclose(log);
    EXPECT_EQ(std::string(buffer, n), "corvane: B: second\n  why\ncorvane: C: third\n");
}

}  // namespace
}  // namespace corvane
