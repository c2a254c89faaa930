#include "app/IntakeFakes.h"

#include "app/AppCore.h"
#include "app/Notification.h"
#include "app/SilentSenders.h"

#include <chrono>

namespace corvane {
namespace {

using namespace test;
using namespace std::chrono_literals;

struct ManualClock {
    std::chrono::steady_clock::time_point at{std::chrono::hours(1000)};
    std::function<std::chrono::steady_clock::time_point()> fn() {
        return [this] { return at; };
    }
};

struct RecordingSink : AlertSink {
    std::vector<Alert> alerts;
    void Deliver(const Alert& alert) override { alerts.push_back(alert); }
};

struct DirectMainThread : MainThread {
    std::vector<std::function<void()>> tasks;
    void post(std::function<void()> task) override { tasks.push_back(std::move(task)); }
    void runAll() {
        while (!tasks.empty()) {
            auto now = std::move(tasks);
            tasks.clear();
            for (auto& t : now) t();
        }
    }
};

TEST(SilentSendersTest, QuietAfterTenMessagesIsReportedOnceAndAgainWhenHeard) {
    ManualClock clock;
    SilentSenders silent;
    silent.setClock(clock.fn());
    silent.setMinutes(5);
    for (int i = 0; i < 9; ++i) EXPECT_FALSE(silent.noteMessage("10.0.0.9", "few"));
    for (int i = 0; i < 10; ++i) EXPECT_FALSE(silent.noteMessage("10.0.0.1", i ? "" : "core-sw-01"));

    clock.at += 4min + 59s;
    EXPECT_TRUE(silent.check().empty()) << "not yet five minutes";
    clock.at += 1s;
    const std::vector<Alert> quiet = silent.check();
    ASSERT_EQ(quiet.size(), 1u) << "the sender of nine messages is never reported";
    EXPECT_EQ(quiet[0].kind, Alert::Kind::Silent);
    EXPECT_EQ(quiet[0].host, "core-sw-01") << "an empty name keeps the last one";
    EXPECT_EQ(quiet[0].address, "10.0.0.1");
    EXPECT_EQ(quiet[0].silentMinutes, 5);
    clock.at += 1h;
    EXPECT_TRUE(silent.check().empty()) << "reported once";

    const auto heard = silent.noteMessage("10.0.0.1", "core-sw-01");
    ASSERT_TRUE(heard);
    EXPECT_EQ(heard->kind, Alert::Kind::Resumed);
    EXPECT_EQ(heard->silentMinutes, 65);
    EXPECT_FALSE(silent.noteMessage("10.0.0.1", "core-sw-01")) << "heard again once";
    clock.at += 5min;
    EXPECT_EQ(silent.check().size(), 1u) << "a sender heard again can go quiet again";
}

TEST(SilentSendersTest, OffForgetsAndBoundsTheSendersWatched) {
    ManualClock clock;
    SilentSenders silent;
    silent.setClock(clock.fn());
    silent.noteMessage("10.0.0.1", "a");
    EXPECT_EQ(silent.watched(), 0u) << "off: nothing is watched";
    silent.setMinutes(1);
    for (std::size_t i = 0; i < SilentSenders::kMaxSenders + 50; ++i)
        silent.noteMessage("10.1." + std::to_string(i), "h");
    EXPECT_EQ(silent.watched(), SilentSenders::kMaxSenders);
    silent.setMinutes(0);
    EXPECT_EQ(silent.watched(), 0u);
}

class AlertsCore : public ::testing::Test {
protected:
    AppCore& makeCore(const std::string& lines) {
        std::ofstream(folder.path() + "corvane.ini", std::ios::binary) << "[Options]\r\nTCPPort=0\r\n"
                                                                       << lines;
        data = openStore(folder.path());
        core = std::make_unique<AppCore>(*data, folder.path() + "corvane.ini", window, dialogs, actions,
                                         mainThread);
        core->setLocalAddressSource([] { return std::vector<std::string>{"127.0.0.1"}; });
        core->silentSenders().setClock(clock.fn());
        core->alerts().setClock(clock.fn());
        core->alerts().addSink(sink);
        core->ApplySettings();
        return *core;
    }
    void receive(const std::string& text, const std::string& from = "10.0.0.1") {
        core->InjectMessage(text, from);
        mainThread.runAll();
    }

    TempDataFolder folder;
    std::unique_ptr<TData> data;
    RecordingWindow window;
    RecordingDialogs dialogs;
    RecordingActions actions;
    DirectMainThread mainThread;
    ManualClock clock;
    RecordingSink sink;
    std::unique_ptr<AppCore> core;
};

TEST_F(AlertsCore, AMatchReachesTheProgramEnvironmentAndTheSinks) {
    makeCore("NotifyFacility=Any\r\nNotifySeverity=Any\r\nNotifyExec=1\r\nExecPath=/usr/local/bin/alert\r\n");
    receive("<10>Oct 11 22:14:15 router7 kernel: link down on port 7", "10.0.0.7");
    ASSERT_EQ(actions.environments.size(), 1u);
    const ProgramEnvironment expected = {
        {"CORVANE_HOST", "router7"},
        {"CORVANE_ADDRESS", "10.0.0.7"},
        {"CORVANE_FACILITY", "User"},
        {"CORVANE_SEVERITY", "Critical"},
        {"CORVANE_TIME",
         isoDateTime(data->MessageSet().valueAt(0, data->MessageSet().requireField("TimeStamp")).dateTime)},
        {"CORVANE_MESSAGE", "link down on port 7"},
        {"CORVANE_DATA", "<10>Oct 11 22:14:15 router7 kernel: link down on port 7"},
    };
    EXPECT_EQ(actions.environments[0], expected);
    EXPECT_EQ(actions.programs, std::vector<std::string>{"/usr/local/bin/alert"});
    ASSERT_EQ(sink.alerts.size(), 1u);
    EXPECT_EQ(sink.alerts[0].kind, Alert::Kind::Match);
    EXPECT_EQ(sink.alerts[0].host, "router7");
}

TEST_F(AlertsCore, APauseSilencesEveryAlertUntilItEnds) {
    makeCore("NotifyFacility=Any\r\nNotifySeverity=Any\r\nNotifyExec=1\r\nExecPath=/usr/local/bin/alert\r\n");
    core->alerts().pauseFor(60min);
    receive("<10>host tag: one");
    EXPECT_TRUE(actions.sounds.empty());
    EXPECT_TRUE(actions.programs.empty());
    EXPECT_TRUE(sink.alerts.empty());
    EXPECT_EQ(data->MessageSet().recordCount(), 1) << "the message is stored all the same";
    clock.at += 60min;
    EXPECT_FALSE(core->alerts().paused());
    receive("<10>host tag: two");
    EXPECT_EQ(actions.sounds.size(), 1u);
    EXPECT_EQ(sink.alerts.size(), 1u);
}

TEST_F(AlertsCore, AQuietSenderSoundsAndReachesTheSinksOnceEachWay) {
    makeCore("NotifyFacility=Kernel\r\nNotifySeverity=Emergency\r\nSilentMinutes=10\r\n");
    for (int i = 0; i < 10; ++i) receive("<14>Oct 11 22:14:15 db2 app: n" + std::to_string(i), "10.0.0.2");
    EXPECT_TRUE(actions.sounds.empty()) << "no message matched";
    clock.at += 9min;
    core->CheckSilentSenders();
    EXPECT_TRUE(sink.alerts.empty());
    clock.at += 1min;
    core->CheckSilentSenders();
    core->CheckSilentSenders();
    ASSERT_EQ(sink.alerts.size(), 1u);
    EXPECT_EQ(sink.alerts[0].kind, Alert::Kind::Silent);
    EXPECT_EQ(sink.alerts[0].host, "db2");
    EXPECT_EQ(sink.alerts[0].address, "10.0.0.2");
    EXPECT_EQ(actions.sounds, std::vector<std::string>{"Warning"});

    clock.at += 20min;
    receive("<14>Oct 11 22:44:15 db2 app: back", "10.0.0.2");
    ASSERT_EQ(sink.alerts.size(), 2u);
    EXPECT_EQ(sink.alerts[1].kind, Alert::Kind::Resumed);
    EXPECT_EQ(sink.alerts[1].silentMinutes, 30);
    EXPECT_EQ(actions.sounds.size(), 2u);
}

TEST_F(AlertsCore, NoSilentMinutesNoSenderAlerts) {
    makeCore("NotifyFacility=Kernel\r\nNotifySeverity=Emergency\r\n");
    for (int i = 0; i < 20; ++i) receive("<14>host app: n");
    clock.at += 24h;
    core->CheckSilentSenders();
    EXPECT_TRUE(sink.alerts.empty());
    EXPECT_TRUE(core->notification().NotifyDesktop) << "desktop notifications default on";
}

}  // namespace
}  // namespace corvane
