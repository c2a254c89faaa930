#include "app/IntakeFakes.h"

#include "app/AppCore.h"
#include "net/NetTexts.h"
#include "net/Socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <mutex>
#include <thread>

namespace corvane {
namespace {

using namespace test;
using namespace std::chrono_literals;

struct TaskQueue : MainThread {
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

int freeTcpPort() {
    BoundSocket s = openTcpListener("127.0.0.1", 0);
    const int port = localAddressOf(s.fd).Port;
    ::close(s.fd);
    return port;
}

int freeUdpPort() {
    BoundSocket s = openUdpSocket("127.0.0.1", 0);
    const int port = localAddressOf(s.fd).Port;
    ::close(s.fd);
    return port;
}

bool sendTcp(int port, const std::string& bytes) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<std::uint16_t>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0 &&
        ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
    ::close(fd);
    return ok;
}

class CoreTcp : public ::testing::Test {
protected:
    void writeSettings(const std::string& lines) {
        std::ofstream(folder.path() + "corvane.ini", std::ios::binary)
            << "[Options]\r\nUDPPort=" << udpPort << "\r\nUDPBindings=127.0.0.1\r\n"
            << lines;
    }
    AppCore& makeCore() {
        data = openStore(folder.path());
        core = std::make_unique<AppCore>(*data, folder.path() + "corvane.ini", window, dialogs, actions,
                                         mainThread);
        core->setLocalAddressSource([] { return std::vector<std::string>{"127.0.0.1"}; });
        return *core;
    }
    int tcpPortInUse() { return core->listener().TCPServer().BoundAddresses().at(0).Port; }
    bool storeUntil(int count) {
        for (int i = 0; i < 400 && data->MessageSet().recordCount() < count; ++i) {
            std::this_thread::sleep_for(5ms);
            mainThread.runAll();
        }
        return data->MessageSet().recordCount() >= count;
    }

    const int udpPort = freeUdpPort();
    TempDataFolder folder;
    std::unique_ptr<TData> data;
    RecordingWindow window;
    RecordingDialogs dialogs;
    RecordingActions actions;
    TaskQueue mainThread;
    std::unique_ptr<AppCore> core;
};

TEST_F(CoreTcp, WithoutATcpPortSettingTcpTriesItsDefaultPortAndPortZeroTurnsItOff) {
    writeSettings("");
    AppCore& c = makeCore();
    ASSERT_EQ(c.Start(), "");
    EXPECT_TRUE(c.listener().UDPServer().Active());
    EXPECT_EQ(c.listener().TCPPort(), 601);
    // Port 601 may be privileged or taken here: the built-in default's failure is kept for the
    // status bar, never a dialog, and UDP listens on.
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(c.tcpIsBuiltInDefault());
    EXPECT_EQ(c.tcpError().empty(), c.listener().TCPActive());

    c.settings()->writeInteger("Options", "TCPPort", 0);
    c.ApplySettings();
    EXPECT_FALSE(c.listener().TCPActive()) << "port 0 turns TCP off";
    EXPECT_TRUE(c.listener().UDPServer().Active());
}

TEST_F(CoreTcp, TcpSettingsOpenTheListenerAndFramesReachTheStore) {
    const int port = freeTcpPort();
    writeSettings(
        "TCPPort=" + std::to_string(port) +
        "\r\nTCPBindings=127.0.0.1\r\nTCPMaxConnections=3\r\nTCPIdleTimeout=7\r\nTCPMaxFrame=2048\r\n");
    AppCore& c = makeCore();
    ASSERT_EQ(c.Start(), "");
    ASSERT_TRUE(c.listener().TCPActive());
    EXPECT_EQ(tcpPortInUse(), port);
    EXPECT_EQ(c.listener().TCPBindings()[0].IP, "127.0.0.1");
    EXPECT_EQ(c.listener().TCPServer().MaxConnections(), 3);
    EXPECT_EQ(c.listener().TCPServer().IdleTimeout(), 7000ms);
    EXPECT_EQ(c.listener().TCPServer().MaxFrame(), 2048u);

    ASSERT_TRUE(sendTcp(port, "<34>Oct 11 22:14:15 mymachine su[123]: over tcp\n"));
    ASSERT_TRUE(storeUntil(1));
    EXPECT_EQ(textAt(data->MessageSet(), 0, "Message"), "over tcp");
    EXPECT_EQ(textAt(data->MessageSet(), 0, "Address"), "127.0.0.1");

    // A new port reopens at once; 0 closes; Shutdown closes.
    const int other = freeTcpPort();
    c.settings()->writeInteger("Options", "TCPPort", other);
    EXPECT_EQ(c.ApplySettings(), "");
    ASSERT_TRUE(c.listener().TCPActive());
    EXPECT_EQ(tcpPortInUse(), other);
    c.settings()->writeString("Options", "TCPBindings", "127.0.0.2");
    EXPECT_EQ(c.ApplySettings(), "");
    EXPECT_EQ(c.listener().TCPServer().BoundAddresses().at(0).IP, "127.0.0.2");
    c.settings()->writeInteger("Options", "TCPPort", 0);
    EXPECT_EQ(c.ApplySettings(), "");
    EXPECT_FALSE(c.listener().TCPActive());
    c.settings()->writeInteger("Options", "TCPPort", other);
    EXPECT_EQ(c.ApplySettings(), "");
    EXPECT_TRUE(c.listener().TCPActive()) << "a port again opens it again";
    EXPECT_EQ(c.Shutdown(), "");
    EXPECT_FALSE(c.listener().TCPActive());
    EXPECT_FALSE(c.listener().Active());
}

TEST_F(CoreTcp, TcpPortInUseIsReportedAndUdpStillListens) {
    BoundSocket held = openTcpListener("127.0.0.1", 0);
    ASSERT_GE(held.fd, 0);
    const int port = localAddressOf(held.fd).Port;
    writeSettings("TCPPort=" + std::to_string(port) + "\r\nTCPBindings=127.0.0.1\r\n");
    AppCore& c = makeCore();
    bool udpOpenAtTheDialog = false;
    dialogs.whileOpen = [&c, &udpOpenAtTheDialog] { udpOpenAtTheDialog = c.listener().UDPServer().Active(); };
    EXPECT_EQ(c.Start(), "") << "start-up answers for UDP, which listens";
    EXPECT_TRUE(udpOpenAtTheDialog) << "the warning waits until every listener is open";
    EXPECT_FALSE(c.tcpIsBuiltInDefault());
    EXPECT_TRUE(c.listener().UDPServer().Active());
    EXPECT_FALSE(c.listener().TCPActive());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(
        dialogs.shown[0].message,
        "Syslog over TCP cannot be received. Could not bind socket. Address and port are already in use.");
    EXPECT_EQ(dialogs.shown[0].title, "Port Settings");
    EXPECT_EQ(dialogs.shown[0].kind, 48);

    EXPECT_EQ(
        c.ApplySettings(),
        "Syslog over TCP cannot be received. Could not bind socket. Address and port are already in use.")
        << "applying the same settings tries again and answers why it failed";
    ::close(held.fd);
    EXPECT_EQ(c.ApplySettings(), "");
    EXPECT_TRUE(c.listener().TCPActive());
}

TEST_F(CoreTcp, ASettingsFileOverTheLimitKeepsTheDefaultsSafeAddressesAndIsNotWritten) {
    std::string text = "[Options]\r\nUDPPort=" + std::to_string(udpPort) + "\r\nUDPBindings=127.0.0.1\r\n";
    text += "Padding=" + std::string(Settings::kMaxFileSize, 'p') + "\r\n";
    std::ofstream(folder.path() + "corvane.ini", std::ios::binary) << text;
    AppCore& c = makeCore();
    core->setLocalAddressSource([] { return std::vector<std::string>{"127.0.0.3"}; });
    EXPECT_EQ(c.settings(), nullptr);
    EXPECT_NE(c.settingsError().find("too large"), std::string::npos) << c.settingsError();
    (void)c.Start();  // port 514 may need a privilege here; the addresses are what counts
    ASSERT_FALSE(c.listener().UDPBindings().empty());
    EXPECT_EQ(c.listener().UDPBindings()[0].IP, "127.0.0.3")
        << "the first local address, never every interface";
    EXPECT_EQ(c.listener().UDPPort(), 514);
    ASSERT_FALSE(c.listener().TCPBindings().empty());
    EXPECT_EQ(c.listener().TCPBindings()[0].IP, "127.0.0.1");
    EXPECT_EQ(c.Shutdown(), "");
    std::ifstream in(folder.path() + "corvane.ini", std::ios::binary);
    const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(after == text) << "the file is left untouched";
}

}  // namespace
}  // namespace corvane
