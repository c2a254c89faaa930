#include "app/IntakeFakes.h"

#include "app/AppCore.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <thread>

namespace corvane {
namespace {

using namespace test;

struct QueueMainThread : MainThread {
    std::mutex mutex;
    std::vector<std::function<void()>> tasks;
    void post(std::function<void()> task) override {
        std::lock_guard lock(mutex);
        tasks.push_back(std::move(task));
    }
    void runAll() {
        for (;;) {
            std::vector<std::function<void()>> now;
            {
                std::lock_guard lock(mutex);
                now.swap(tasks);
            }
            if (now.empty())
                return;
            for (auto& t : now) t();
        }
    }
};

// A datagram socket bound on 127.0.0.1 to a port the system picks, held for the test's life.
struct HeldPort {
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    int port = 0;
    HeldPort() {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a);
        socklen_t length = sizeof a;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
        port = ntohs(a.sin_port);
    }
    ~HeldPort() { ::close(fd); }
    void send(const std::string& text, int toPort) const {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(static_cast<std::uint16_t>(toPort));
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::sendto(fd, text.data(), text.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }
};

int freePort() {
    HeldPort p;
    return p.port;
}

class Core : public ::testing::Test {
protected:
    void writeSettings(const std::string& lines) {
        std::ofstream(settingsPath(), std::ios::binary) << "[Options]\r\n" << lines;
    }
    std::string settingsPath() const { return folder.path() + "corvane.ini"; }
    AppCore& makeCore() {
        data = openStore(folder.path());
        core = std::make_unique<AppCore>(*data, settingsPath(), window, dialogs, actions, mainThread);
        core->setLocalAddressSource([this] { return addresses; });
        return *core;
    }

    TempDataFolder folder;
    std::unique_ptr<TData> data;
    RecordingWindow window;
    RecordingDialogs dialogs;
    RecordingActions actions;
    QueueMainThread mainThread;
    std::vector<std::string> addresses{"127.0.0.1"};
    std::unique_ptr<AppCore> core;
};

TEST_F(Core, SettingsFillTheNotificationAndUpdateState) {
    writeSettings(
        "NotifySound=0\r\nNotifyExec=true\r\nExecPath=/usr/bin/x\r\nNotifyEmail=1\r\n"
        "NotifyAddress=10.0.0.5\r\nNotifyCondition=disk\r\nNotifyFacility=Mail\r\nNotifySeverity=Any\r\n"
        "UpdateCheck=0\r\nUpdateURL=http://updates.example/\r\nUDPPort=0x202\r\nTCPPort=0\r\n"
        "KeepMessages=5000\r\nKeepDays=7\r\n");
    AppCore& c = makeCore();
    ASSERT_NE(c.settings(), nullptr);
    EXPECT_EQ(c.ApplySettings(), "");
    const NotificationState& n = c.notification();
    EXPECT_FALSE(n.NotifySound);
    EXPECT_FALSE(n.NotifyExec);  // "true" is no integer: the default
    EXPECT_EQ(n.ExecPath, "/usr/bin/x");
    EXPECT_TRUE(n.NotifyEmail);
    EXPECT_EQ(n.NotifyAddress, "10.0.0.5");
    EXPECT_EQ(n.NotifyCondition, "disk");
    EXPECT_EQ(n.NotifyFacility, "Mail");
    EXPECT_EQ(n.NotifySeverity, "Any");
    EXPECT_FALSE(c.UpdateCheck);
    EXPECT_EQ(c.UpdateURL, "http://updates.example/");
    EXPECT_EQ(c.listener().UDPPort(), 514);
    EXPECT_EQ(c.listener().UDPBindings()[0].IP, "127.0.0.1");
    EXPECT_EQ(c.listener().UDPBindings()[0].Port, 514);
    EXPECT_EQ(c.listener().Name, "SysLogServer");
    EXPECT_EQ(data->keepMessages(), 5000);
    EXPECT_EQ(data->keepDays(), 7);
}

TEST_F(Core, DefaultsWithoutAFileAndWithoutLocalAddresses) {
    addresses.clear();
    AppCore& c = makeCore();
    ASSERT_NE(c.settings(), nullptr);
    c.ApplySettings();
    EXPECT_TRUE(c.notification().NotifySound);
    EXPECT_EQ(c.notification().NotifyFacility, "System");
    EXPECT_EQ(c.notification().NotifySeverity, "Emergency");
    EXPECT_TRUE(c.UpdateCheck);
    EXPECT_EQ(c.UpdateURL, "");
    EXPECT_EQ(c.listener().UDPPort(), 514);
    EXPECT_EQ(c.listener().TCPPort(), 601);
    EXPECT_EQ(c.firstBindingAddress(), "127.0.0.1");
    EXPECT_FALSE(c.RefreshLocalAddresses());
    EXPECT_EQ(data->keepMessages(), 2'000'000);
    EXPECT_EQ(data->keepDays(), 0);
}

TEST_F(Core, UnreadableSettingsLeaveNoSettingsObject) {
    std::filesystem::create_directories(settingsPath());  // a folder cannot be read as a file
    AppCore& c = makeCore();
    EXPECT_EQ(c.settings(), nullptr);
    EXPECT_NE(c.settingsError(), "");
    EXPECT_EQ(c.ApplySettings(), "");
    EXPECT_EQ(c.notification().NotifyFacility, "System");
    EXPECT_EQ(c.Shutdown(), "");
}

TEST_F(Core, ListenerRebindsWhenTheConfiguredAddressDiffersFromTheBoundOne) {
    const int port = freePort();
    writeSettings("UDPPort=" + std::to_string(port) + "\r\nUDPBindings=127.0.0.1\r\nTCPPort=0\r\n");
    AppCore& c = makeCore();
    ASSERT_EQ(c.Start(), "");
    EXPECT_EQ(c.listener().BoundAddress(), "127.0.0.1");

    c.settings()->writeString("Options", "UDPBindings", "127.0.0.2");
    EXPECT_EQ(c.ApplySettings(), "");
    EXPECT_EQ(c.listener().BoundAddress(), "127.0.0.2");

    // Back to the first local address: rebinds as well.
    c.settings()->writeString("Options", "UDPBindings", "127.0.0.1");
    EXPECT_EQ(c.ApplySettings(), "");
    EXPECT_EQ(c.listener().BoundAddress(), "127.0.0.1");

    // A new port takes effect at once.
    const int other = freePort();
    c.settings()->writeInteger("Options", "UDPPort", other);
    EXPECT_EQ(c.ApplySettings(), "");
    EXPECT_EQ(c.listener().UDPServer().BoundAddresses().at(0).Port, other);
}

TEST_F(Core, ListenerThatCannotBindIsReportedAndTheRestWorks) {
    HeldPort held;
    writeSettings("UDPPort=" + std::to_string(held.port) + "\r\nUDPBindings=127.0.0.1\r\nTCPPort=0\r\n");
    AppCore& c = makeCore();
    EXPECT_EQ(c.Start(), "Could not bind socket. Address and port are already in use.");
    EXPECT_FALSE(c.listener().Active());
    EXPECT_EQ(c.firstBindingAddress(), "127.0.0.1");
    EXPECT_TRUE(c.InjectMessage("<34>Oct 11 22:14:15 host tag: still works", "127.0.0.1"));
    EXPECT_EQ(data->MessageSet().recordCount(), 1);
}

TEST_F(Core, DatagramsReachTheStoreThroughTheMainThread) {
    HeldPort sender;
    const int port = freePort();
    writeSettings("UDPPort=" + std::to_string(port) + "\r\nUDPBindings=127.0.0.1\r\nTCPPort=0\r\n");
    AppCore& c = makeCore();
    ASSERT_EQ(c.Start(), "");
    for (int i = 0; i < 3; ++i) sender.send("<34>Oct 11 22:14:15 host tag: n" + std::to_string(i), port);
    for (int i = 0; i < 400 && data->MessageSet().recordCount() < 3; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        mainThread.runAll();
    }
    ASSERT_EQ(data->MessageSet().recordCount(), 3);
    EXPECT_EQ(textAt(data->MessageSet(), 2, "Message"), "n2");
    EXPECT_EQ(c.DroppedCount(), 0u);
}

TEST_F(Core, ABackgroundWriteEndingSavesWhatCameInMeanwhile) {
    writeSettings("UDPPort=0\r\nTCPPort=0\r\n");
    AppCore& c = makeCore();
    // Every save rewrites the message file in the background.
    data->journal(data->MessageSet())->setMinimum(1);
    data->journal(data->MessageSet())->setShare(0);
    ASSERT_TRUE(c.InjectMessage("<34>Oct 11 22:14:15 host tag: first", "127.0.0.1"));
    ASSERT_TRUE(c.InjectMessage("<34>Oct 11 22:14:15 host tag: second", "127.0.0.1"));
    // The first write took one message; when it ends the core saves again on the main thread.
    auto savedCount = [this] {
        auto saved = readTableFile(data->dataFile(data->MessageSet()));
        return saved ? saved->recordCount() : -1;
    };
    for (int i = 0; i < 400 && (savedCount() < 2 || data->backgroundSaveRunning()); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        mainThread.runAll();
    }
    EXPECT_EQ(savedCount(), 2);
    EXPECT_FALSE(data->MessageSet().hasUnsavedChanges());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Core, ShutdownTakesInWhatWaitsAndSavesEverything) {
    HeldPort sender;
    const int port = freePort();
    writeSettings("UDPPort=" + std::to_string(port) + "\r\nUDPBindings=127.0.0.1\r\nTCPPort=0\r\n");
    AppCore& c = makeCore();
    ASSERT_EQ(c.Start(), "");
    sender.send("<34>Oct 11 22:14:15 host tag: waiting", port);
    for (int i = 0; i < 400 && !c.listener().HasQueued(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(c.listener().HasQueued());
    c.settings()->writeString("Options", "Location", "rack 4");

    EXPECT_EQ(c.Shutdown(), "");
    EXPECT_FALSE(c.listener().Active());
    auto saved = readTableFile(data->dataFile(data->MessageSet()));
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->recordCount(), 1);
    EXPECT_EQ(textAt(*saved, 0, "Message"), "waiting");
    EXPECT_NE(readFile(settingsPath()).find("Location=rack 4"), std::string::npos);
    struct stat st {};
    ASSERT_EQ(::stat(settingsPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    // Work posted for the listener after the core is gone does nothing.
    core.reset();
    mainThread.runAll();
}

}  // namespace
}  // namespace corvane
