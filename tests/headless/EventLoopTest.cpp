#include "headless/EventLoop.h"
#include "headless/HeadlessRunner.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <vector>

namespace corvane {
namespace {

TEST(EventLoop, RunsPostedTasksInOrderUntilStopped) {
    EventLoop loop;
    std::vector<int> seen;
    std::thread poster([&loop, &seen] {
        for (int i = 0; i < 1000; ++i) loop.post([&seen, i] { seen.push_back(i); });
        loop.post([&loop] { loop.requestStop(); });
    });
    loop.run();
    poster.join();
    ASSERT_EQ(seen.size(), 1000u);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(seen[i], i);
    // A stop requested before run ends it at once.
    loop.run();
}

TEST(EventLoop, ATaskThatThrowsDoesNotEndTheLoop) {
    EventLoop loop;
    bool after = false;
    loop.post([] { throw std::runtime_error("task failed"); });
    loop.post([&after] { after = true; });
    EXPECT_EQ(loop.runPending(), 2u);
    EXPECT_TRUE(after);
}

TEST(HeadlessOptions, DataFolderFromTheCommandLineOrTheEnvironment) {
    CommandLine line = headlessCommandLine();
    HeadlessOptions o;
    ASSERT_EQ(line.parse({"--data-folder", "/tmp/x", "--app-folder", "/opt/c/"}), CommandLine::Outcome::Run);
    EXPECT_EQ(headlessOptionsFrom(line, o), "");
    EXPECT_EQ(o.dataFolder, "/tmp/x/");
    EXPECT_EQ(o.appFolder, "/opt/c/");

    EXPECT_EQ(line.parse({"--port", "5"}), CommandLine::Outcome::Fail);
    EXPECT_EQ(line.parse({"-platform", "offscreen"}), CommandLine::Outcome::Fail);  // no window system here
    EXPECT_EQ(line.parse({"--help"}), CommandLine::Outcome::ShowHelp);

    ::setenv("USERPROFILE", "/home/op", 1);
    ASSERT_EQ(line.parse({}), CommandLine::Outcome::Run);
    HeadlessOptions env;
    EXPECT_EQ(headlessOptionsFrom(line, env), "");
    EXPECT_EQ(env.dataFolder, "/home/op/AppData/Local/Corvane/");
    EXPECT_FALSE(env.appFolder.empty());
    ::unsetenv("USERPROFILE");
}

}  // namespace
}  // namespace corvane
