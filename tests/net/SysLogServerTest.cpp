#include "LoopbackPeer.h"

#include "net/NetTexts.h"
#include "net/SysLogServer.h"
#include "net/Socket.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <chrono>
#include <stdexcept>

namespace corvane {
namespace {

using namespace test;
using Clock = std::chrono::steady_clock;

class Listener : public ::testing::Test {
protected:
    void SetUp() override { record(server, received); }
    void TearDown() override { EXPECT_EQ(server.SetActive(false), ""); }

    // Opens on one binding of 127.0.0.1 at a port the system picks and returns the port.
    int openOnLoopback() {
        server.UDPBindings().Add("127.0.0.1").Port = 0;
        EXPECT_EQ(server.SetActive(true), "");
        const auto bound = server.UDPServer().BoundAddresses();
        return bound.empty() ? 0 : bound[0].Port;
    }

    TnSysLogServer server;
    std::vector<Received> received;
    LoopbackSender sender;
};

TEST_F(Listener, EmptyBindingListListensOnAllAddressesAtTheDefaultPort) {
    // Every address at the default port is tried without taking it: a socket on 127.0.0.1 holds
    // the port, so binding all addresses there fails and shows what was asked for.
    BoundSocket holder = openUdpSocket("127.0.0.1", 0);
    ASSERT_GE(holder.fd, 0) << holder.error;
    const int port = localAddressOf(holder.fd).Port;
    ASSERT_EQ(server.SetUDPPort(port), "");
    EXPECT_FALSE(server.Active()) << "writing the port does not open";
    EXPECT_EQ(server.SetActive(true), net_texts::kBindInUse);
    ASSERT_EQ(server.UDPBindings().Count(), 1u);
    EXPECT_EQ(server.UDPBindings()[0].IP, "");
    EXPECT_EQ(server.UDPBindings()[0].Port, port);
    EXPECT_FALSE(server.Active());
    ::close(holder.fd);
}

TEST_F(Listener, OneBindingListensOnlyOnItsAddress) {
    const int port = openOnLoopback();
    ASSERT_GT(port, 0);
    EXPECT_EQ(server.BoundAddress(), std::optional<std::string>("127.0.0.1"));
    const auto bound = server.UDPServer().BoundAddresses();
    ASSERT_EQ(bound.size(), 1u);
    EXPECT_EQ(bound[0].Port, port);
    EXPECT_EQ(server.UDPBindings().Count(), 1u) << "no binding added";
    EXPECT_FALSE(server.TCPServer().Active());
    EXPECT_EQ(server.TCPPort(), 601);

    ASSERT_TRUE(sender.send(port, "<34>hello"));
    ASSERT_TRUE(deliverUntil(server, received, 1));
    const Received& r = received[0];
    EXPECT_EQ(r.sender, &server.UDPServer());
    EXPECT_EQ(r.message.Data, "<34>hello");
    EXPECT_EQ(r.message.PeerAddress, "127.0.0.1");
    EXPECT_EQ(r.message.Protocol, "UDP");
    EXPECT_GT(r.message.Received, 0.0);
    EXPECT_EQ(r.binding, &server.UDPBindings()[0]);
    EXPECT_EQ(r.bindingPeer, "127.0.0.1");
}

TEST_F(Listener, KeepsTheFirst1024BytesOfAnyDatagramAndGoesOn) {
    const int port = openOnLoopback();
    std::string withNul = "<13>" + std::string(196, 'n');
    withNul[99] = '\0';
    struct Row {
        const char* name;
        std::string sent;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"2000 bytes", "<13>" + std::string(996, 'a') + std::string(1000, 'b'),
         "<13>" + std::string(996, 'a') + std::string(24, 'b')},
        {"zero bytes", "", ""},
        {"largest datagram", "<13>" + std::string(65503, 'x'), "<13>" + std::string(1020, 'x')},
        {"text ends at a NUL byte at position 100", withNul, withNul.substr(0, 99)},
        {"odd bytes and ampersands", "<13>&\xff\xfe & &amp", "<13>&\xff\xfe & &amp"},
        {"after all of them", "<13>still listening", "<13>still listening"},
    };
    for (const auto& r : rows) ASSERT_TRUE(sender.send(port, r.sent)) << r.name;
    ASSERT_TRUE(deliverUntil(server, received, rows.size()));
    ASSERT_EQ(received.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(received[i].message.Data, rows[i].expected) << rows[i].name;
}

TEST_F(Listener, WritingThePortReopensAnOpenListenerAndWaitsOnAClosedOne) {
    const int first = openOnLoopback();
    const int second = freeLoopbackPort();
    ASSERT_EQ(server.SetUDPPort(second), "");
    EXPECT_TRUE(server.Active());
    EXPECT_EQ(server.UDPBindings()[0].Port, second);
    EXPECT_EQ(server.UDPPort(), second);
    sender.send(first, "<13>old port");
    sender.send(second, "<13>new port");
    ASSERT_TRUE(deliverUntil(server, received, 1));
    EXPECT_EQ(received[0].message.Data, "<13>new port");

    EXPECT_EQ(server.SetUDPPort(0), "") << "0 changes nothing";
    EXPECT_EQ(server.UDPPort(), second);

    ASSERT_EQ(server.SetActive(false), "");
    const int third = freeLoopbackPort();
    ASSERT_EQ(server.SetUDPPort(third), "");
    EXPECT_FALSE(server.Active());
    ASSERT_EQ(server.SetActive(true), "");
    EXPECT_EQ(server.UDPServer().BoundAddresses().at(0).Port, third);
}

TEST_F(Listener, WritingTheCurrentStateDoesNothing) {
    EXPECT_EQ(server.SetActive(false), "");
    EXPECT_FALSE(server.Active());
    openOnLoopback();
    const int socket = server.UDPBindings()[0].Socket;
    ASSERT_GE(socket, 0);
    EXPECT_EQ(server.SetActive(true), "");
    EXPECT_EQ(server.UDPBindings()[0].Socket, socket) << "opened once";
    EXPECT_EQ(server.UDPBindings().Count(), 1u);
}

TEST_F(Listener, PortHeldByAnotherSocketGivesTheBindError) {
    BoundSocket holder = openUdpSocket("127.0.0.1", 0);
    ASSERT_GE(holder.fd, 0) << holder.error;
    const int port = localAddressOf(holder.fd).Port;
    server.UDPBindings().Add("127.0.0.1").Port = port;
    EXPECT_EQ(server.SetActive(true), "Could not bind socket. Address and port are already in use.");
    EXPECT_FALSE(server.Active());
    EXPECT_EQ(server.UDPBindings()[0].Socket, -1);
    ::close(holder.fd);
}

TEST_F(Listener, ClosesWellWithinASecond) {
    openOnLoopback();
    // Let the receive thread settle into its wait first.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const auto start = Clock::now();
    ASSERT_EQ(server.SetActive(false), "");
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_FALSE(server.Active());
    EXPECT_EQ(server.UDPBindings()[0].Socket, -1);
    EXPECT_EQ(server.UDPServer().CurrentBinding(), nullptr);
}

TEST_F(Listener, ClosingReadsTheDatagramsTheSocketAlreadyHolds) {
    const int port = openOnLoopback();
    constexpr int kDatagrams = 2000;
    for (int i = 0; i < kDatagrams; ++i) ASSERT_TRUE(sender.send(port, "<13>datagram " + std::to_string(i)));
    ASSERT_EQ(server.SetActive(false), "");
    ASSERT_TRUE(deliverUntil(server, received, kDatagrams));
    for (int i = 0; i < kDatagrams; ++i)
        ASSERT_EQ(received[static_cast<std::size_t>(i)].message.Data, "<13>datagram " + std::to_string(i));
    EXPECT_EQ(server.DroppedCount(), 0u);
}

TEST_F(Listener, DeliveryErrorsGoToTheExceptionEventAndReceivingGoesOn) {
    struct Caught {
        TnComponent* sender;
        std::string text;
        std::string cls;
    };
    std::vector<Caught> caught;
    server.SetOnUDPException([&](TnComponent* s, Binding*, const std::string& text, const std::string& cls) {
        caught.push_back({s, text, cls});
    });
    server.OnMessage = [&](TnComponent*, TnSyslogMessage* aData, Binding*) {
        if (aData->Data() == "<13>bad")
            throw std::runtime_error("cannot take it");
        received.push_back({nullptr, copyOf(*aData), nullptr, {}});
    };
    const int port = openOnLoopback();
    sender.send(port, "<13>bad");
    sender.send(port, "<13>good");
    ASSERT_TRUE(deliverUntil(server, received, 1));
    ASSERT_EQ(caught.size(), 1u);
    EXPECT_EQ(caught[0].sender, &server.UDPServer());
    EXPECT_EQ(caught[0].text, "cannot take it");
    EXPECT_EQ(caught[0].cls, "std::runtime_error");
    EXPECT_EQ(received[0].message.Data, "<13>good");

    server.SetOnUDPException(nullptr);
    sender.send(port, "<13>bad");
    sender.send(port, "<13>again");
    ASSERT_TRUE(deliverUntil(server, received, 2)) << "an error without a handler is dropped";
}

TEST_F(Listener, BroadcastReachesEveryOpenSocket) {
    openOnLoopback();
    auto broadcastOf = [&] {
        int value = -1;
        socklen_t length = sizeof value;
        ::getsockopt(server.UDPBindings()[0].Socket, SOL_SOCKET, SO_BROADCAST, &value, &length);
        return value;
    };
    EXPECT_EQ(broadcastOf(), 0);
    server.SetBroadcast(true);
    EXPECT_TRUE(server.Broadcast());
    EXPECT_EQ(broadcastOf(), 1);
    ASSERT_EQ(server.SetActive(false), "");
    ASSERT_EQ(server.SetActive(true), "");
    EXPECT_EQ(broadcastOf(), 1) << "applied again on opening";
}

TEST_F(Listener, ThreadUDPDeliversOnTheReceiveThread) {
    std::mutex mutex;
    std::thread::id deliveredOn;
    server.SetThreadUDP(true);
    server.OnMessage = [&](TnComponent*, TnSyslogMessage*, Binding*) {
        std::lock_guard lock(mutex);
        deliveredOn = std::this_thread::get_id();
    };
    const int port = openOnLoopback();
    sender.send(port, "threaded");
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    for (;;) {
        {
            std::lock_guard lock(mutex);
            if (deliveredOn != std::thread::id() || Clock::now() > deadline)
                break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::lock_guard lock(mutex);
    EXPECT_NE(deliveredOn, std::thread::id());
    EXPECT_NE(deliveredOn, std::this_thread::get_id());
    EXPECT_FALSE(server.HasQueued());
}

TEST_F(Listener, InjectMessageDeliversOnTheCallersThread) {
    TnSysLogServer silent;
    EXPECT_TRUE(silent.InjectMessage("<13>nobody listens", "127.0.0.1"));

    EXPECT_TRUE(server.InjectMessage(std::string(1500, 'i'), ""));
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].sender, &server);
    EXPECT_EQ(received[0].binding, nullptr);
    // Cut to 1024 bytes before parsing, which then puts the default priority in front.
    EXPECT_EQ(received[0].message.Data, "<13> " + std::string(1024, 'i'));
    EXPECT_EQ(received[0].message.PeerAddress, "");
    EXPECT_EQ(received[0].message.Protocol, "UDP");

    server.OnMessage = [](TnComponent*, TnSyslogMessage*, Binding*) {
        throw std::runtime_error("intake failed");
    };
    EXPECT_THROW(server.InjectMessage("x", "10.0.0.1"), std::runtime_error);
}

TEST_F(Listener, AHandlerThatClosesTheListenerLosesNothingQueued) {
    std::size_t nested = SIZE_MAX;
    server.OnMessage = [&](TnComponent*, TnSyslogMessage* aData, Binding* aBinding) {
        received.push_back({nullptr, copyOf(*aData), aBinding, {}});
        if (aData->Data() == "<13>0") {
            nested = server.DeliverQueued();
            EXPECT_EQ(server.SetActive(false), "");
        }
    };
    const int port = openOnLoopback();
    for (int i = 0; i < 5; ++i) sender.send(port, "<13>" + std::to_string(i));
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (server.QueuedCount() < 5 && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(server.DeliverQueued(), 5u);
    EXPECT_EQ(nested, 0u) << "a nested call leaves the rest to the outer one";
    EXPECT_FALSE(server.Active());
    ASSERT_EQ(received.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(received[i].message.Data, "<13>" + std::to_string(i));
    ASSERT_EQ(server.SetActive(true), "");
    sender.send(server.UDPServer().BoundAddresses().at(0).Port, "reopened");
    ASSERT_TRUE(deliverUntil(server, received, 6));
}

TEST(ListenerBindErrors, NameTheCause) {
    struct Row {
        const char* name;
        int error;
        const char* address;
        int port;
        std::string expected;
    };
    const Row rows[] = {
        {"in use", EADDRINUSE, "", 514, net_texts::kBindInUse},
        {"privileged port", EACCES, "", 514,
         "Could not bind socket. Port 514 is below 1024 and this program has no right to use it. Run it with "
         "the "
         "cap_net_bind_service capability (setcap cap_net_bind_service=+ep on the executable) or choose a "
         "port of "
         "1024 or above in the settings."},
        {"refused high port", EACCES, "", 5514,
         std::string("Could not bind socket. ") + std::strerror(EACCES)},
        {"foreign address", EADDRNOTAVAIL, "192.0.2.1", 514,
         "Could not bind socket. The address 192.0.2.1 does not belong to this computer."},
    };
    for (const auto& r : rows) EXPECT_EQ(bindErrorText(r.error, r.address, r.port), r.expected) << r.name;

    TnSysLogServer server;
    server.UDPBindings().Add("localhost");
    EXPECT_EQ(server.SetActive(true), "Could not bind socket. localhost is not an IP address.");
    server.UDPBindings()[0].IP = "127.0.0.1";
    EXPECT_EQ(server.SetUDPPort(70000), "");
    EXPECT_EQ(server.SetActive(true), "Could not bind socket. 70000 is not a port number (1 to 65535).");
    EXPECT_FALSE(server.Active());
}

}  // namespace
}  // namespace corvane
