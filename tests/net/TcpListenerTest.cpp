#include "LoopbackPeer.h"
#include "TcpPeer.h"

#include "net/NetTexts.h"
#include "net/SysLogServer.h"
#include "net/Socket.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace corvane {
namespace {

using namespace test;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A TCP port on 127.0.0.1 that was free a moment ago.
int freeTcpPort() {
    BoundSocket s = openTcpListener("127.0.0.1", 0);
    const int port = localAddressOf(s.fd).Port;
    ::close(s.fd);
    return port;
}

struct Fault {
    TnComponent* sender;
    std::string text;
    std::string cls;
};

class TcpListener : public ::testing::Test {
protected:
    void SetUp() override {
        record(server, received);
        server.SetOnTCPException(
            [this](TnComponent* s, Binding*, const std::string& text, const std::string& cls) {
                faults.push_back({s, text, cls});
            });
    }
    void TearDown() override {
        EXPECT_EQ(server.SetTCPActive(false), "");
        EXPECT_EQ(server.SetActive(false), "");
    }

    // Opens the TCP listener on 127.0.0.1 at a port the system picks, and returns the port.
    int openOnLoopback() {
        server.TCPBindings().Add("127.0.0.1").Port = 0;
        EXPECT_EQ(server.SetTCPActive(true), "");
        const auto bound = server.TCPServer().BoundAddresses();
        return bound.empty() ? 0 : bound[0].Port;
    }

    // Delivers until `count` messages have arrived or the time is up.
    bool deliverUntil(std::size_t count, std::chrono::milliseconds within = 3000ms) {
        const auto deadline = Clock::now() + within;
        while (received.size() < count && Clock::now() < deadline)
            if (server.DeliverQueued() == 0)
                std::this_thread::sleep_for(1ms);
        return received.size() >= count;
    }

    TnSysLogServer server;
    std::vector<Received> received;
    std::vector<Fault> faults;
};

TEST_F(TcpListener, FramesBecomeMessagesLikeDatagrams) {
    server.UDPBindings().Add("127.0.0.1").Port = 0;
    EXPECT_EQ(server.SetActive(true), "");
    EXPECT_FALSE(server.TCPActive()) << "opening the UDP side leaves TCP alone";
    EXPECT_EQ(server.SetActive(false), "");

    const int port = openOnLoopback();
    ASSERT_GT(port, 0);
    EXPECT_TRUE(server.TCPActive());
    EXPECT_TRUE(server.Active());
    TcpClient client(port);
    ASSERT_TRUE(client.connected());
    const std::string structured =
        "<165>1 2003-10-11T22:14:15.003Z mymachine.example.com evntslog 42 ID47 [ex@32473 iut=\"3\"] text";
    ASSERT_TRUE(client.send("<34>Oct 11 22:14:15 mymachine su[123]: 'su root' failed\n" +
                            std::to_string(structured.size()) + " " + structured + "2000 <" +
                            std::string(1999, 'x')));
    ASSERT_TRUE(deliverUntil(3));

    const Received& classic = received[0];
    EXPECT_EQ(classic.sender, &server.TCPServer());
    EXPECT_EQ(classic.message.Data, "<34>Oct 11 22:14:15 mymachine su[123]: 'su root' failed");
    EXPECT_EQ(classic.message.Protocol, "TCP");
    EXPECT_EQ(classic.message.PeerAddress, "127.0.0.1");
    EXPECT_GT(classic.message.Received, 0.0);
    EXPECT_EQ(classic.binding, &server.TCPBindings()[0]);
    EXPECT_EQ(classic.bindingPeer, "127.0.0.1");
    EXPECT_EQ(received[1].message.Data, structured);
    // An octet count is followed by a blank and the message's "<".
    EXPECT_EQ(received[2].message.Data, "<13> <" + std::string(1023, 'x')) << "the first 1024 bytes are kept";

    server.OnMessage = [&](TnComponent*, TnSyslogMessage* m, Binding*) {
        EXPECT_TRUE(m->IsRfc5424());
        EXPECT_EQ(m->Protocol(), "TCP");
        EXPECT_EQ(m->Host(), "mymachine.example.com");
        EXPECT_EQ(m->Process(), "evntslog");
        EXPECT_EQ(m->PID(), 42);
        EXPECT_EQ(m->SubProcess(), "ID47");
        EXPECT_EQ(m->ProcessEx(), "[ex@32473 iut=\"3\"]");
        EXPECT_EQ(m->MessageText(), "text");
        received.push_back({});
    };
    ASSERT_TRUE(client.send(structured + "\n"));
    ASSERT_TRUE(deliverUntil(4));
    EXPECT_TRUE(faults.empty());
}

// A framing error is reported once per connection, and the connection is read on.
TEST_F(TcpListener, FramingErrorIsReportedOnceAndReadingGoesOn) {
    const int port = openOnLoopback();
    TcpClient good(port);
    TcpClient bad(port);
    ASSERT_TRUE(good.send("<13>first\n"));
    ASSERT_TRUE(deliverUntil(1));
    ASSERT_TRUE(bad.send("5 <13>abc\n5 <13>xyz\n<13>after\n"));
    ASSERT_TRUE(deliverUntil(6));
    EXPECT_FALSE(bad.closedByPeer(100ms));
    EXPECT_EQ(received[1].message.Data, "<13>a");
    EXPECT_EQ(received[2].message.Data, "<13> bc") << "the bytes after a wrong count are a line";
    EXPECT_EQ(received[3].message.Data, "<13>x");
    EXPECT_EQ(received[5].message.Data, "<13>after");
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0].sender, &server.TCPServer());
    EXPECT_EQ(
        faults[0].text,
        "Syslog over TCP from 127.0.0.1 is not framed as expected: octet count did not match the message. "
        "Reading goes on at the next message; further errors of this connection are not shown.");
    EXPECT_EQ(faults[0].cls, "ETcpFramingError");

    ASSERT_TRUE(good.send("<13>second\n"));
    ASSERT_TRUE(deliverUntil(7));
    EXPECT_EQ(received[6].message.Data, "<13>second");
    EXPECT_EQ(faults.size(), 1u);
}

// Newline-framed lines that begin with digits are messages, not octet counts.
TEST_F(TcpListener, LinesThatBeginWithDigitsAreRead) {
    const int port = openOnLoopback();
    TcpClient client(port);
    ASSERT_TRUE(client.send("123: router-2: Dec 10 12:47:30 UTC: %SYS-5-CONFIG_I: done\n42 is the answer\n"));
    ASSERT_TRUE(deliverUntil(2));
    EXPECT_EQ(received[0].message.Data, "<13> 123: router-2: Dec 10 12:47:30 UTC: %SYS-5-CONFIG_I: done");
    EXPECT_EQ(received[1].message.Data, "<13> 42 is the answer");
    EXPECT_TRUE(faults.empty());
}

// Senders that end each record with a NUL and no line end (the standard library's handler).
TEST_F(TcpListener, NulEndsARecord) {
    const int port = openOnLoopback();
    TcpClient client(port);
    ASSERT_TRUE(client.send(std::string("<14>one\0<14>two\0<14>three\0", 26)));
    ASSERT_TRUE(deliverUntil(3));
    EXPECT_EQ(received[0].message.Data, "<14>one");
    EXPECT_EQ(received[1].message.Data, "<14>two");
    EXPECT_EQ(received[2].message.Data, "<14>three");
}

// When every slot is taken, the connection idle longest gives its slot to the newcomer.
TEST_F(TcpListener, NewConnectionReplacesTheLongestIdleWhenFull) {
    server.TCPServer().SetMaxConnections(2);
    const int port = openOnLoopback();
    TcpClient a(port);
    TcpClient b(port);
    ASSERT_TRUE(a.send("<13>a\n"));
    ASSERT_TRUE(deliverUntil(1));
    std::this_thread::sleep_for(20ms);
    ASSERT_TRUE(b.send("<13>b\n"));
    ASSERT_TRUE(deliverUntil(2));
    TcpClient c(port);
    EXPECT_TRUE(a.closedByPeer(2000ms)) << "a was idle longest";
    EXPECT_FALSE(b.closedByPeer(50ms));
    ASSERT_TRUE(c.send("<13>c\n"));
    ASSERT_TRUE(deliverUntil(3));
    EXPECT_EQ(received[2].message.Data, "<13>c");
    EXPECT_EQ(server.TCPServer().RefusedCount(), 1u);
    EXPECT_EQ(server.TCPServer().ConnectionCount(), 2u);
}

TEST_F(TcpListener, NoSlotsClosesEveryConnection) {
    server.TCPServer().SetMaxConnections(0);
    const int port = openOnLoopback();
    TcpClient a(port);
    EXPECT_TRUE(a.closedByPeer(2000ms));
    EXPECT_EQ(server.TCPServer().RefusedCount(), 1u);
}

// Idle and trickling senders cannot hold a slot: a frame must be completed in time.
TEST_F(TcpListener, FrameNotCompletedInTimeClosesTheConnection) {
    server.TCPServer().SetFrameDeadline(300ms);
    const int port = openOnLoopback();
    TcpClient silent(port);
    TcpClient trickling(port);
    TcpClient prompt(port);
    const auto start = Clock::now();
    bool trickleClosed = false;
    // The trickling sender sends a byte every 40 ms and never ends its line; the prompt one
    // completes a frame each time.
    while (!trickleClosed && Clock::now() - start < 2s) {
        trickling.send("x");
        ASSERT_TRUE(prompt.send("<13>tick\n"));
        trickleClosed = trickling.closedByPeer(40ms);
    }
    EXPECT_TRUE(trickleClosed);
    EXPECT_GE(Clock::now() - start, 300ms);
    EXPECT_TRUE(silent.closedByPeer(500ms)) << "a connection that never sends is closed too";
    EXPECT_FALSE(prompt.closedByPeer(10ms));
}

TEST_F(TcpListener, IdleConnectionIsClosedAndItsPartialFrameKept) {
    server.TCPServer().SetIdleTimeout(300ms);
    const int port = openOnLoopback();
    TcpClient idle(port);
    TcpClient busy(port);
    const auto start = Clock::now();
    ASSERT_TRUE(idle.send("<13>no line end"));
    // The busy peer keeps sending more often than the time-out.
    bool idleClosed = false;
    while (!idleClosed && Clock::now() - start < 2s) {
        ASSERT_TRUE(busy.send("<13>tick\n"));
        idleClosed = idle.closedByPeer(40ms);
    }
    EXPECT_TRUE(idleClosed);
    EXPECT_GE(Clock::now() - start, 300ms);
    EXPECT_FALSE(busy.closedByPeer(10ms));
    ASSERT_TRUE(deliverUntil(1));
    server.DeliverQueued();
    std::size_t partial = 0;
    for (const auto& r : received) partial += r.message.Data == "<13>no line end";
    EXPECT_EQ(partial, 1u);
}

TEST_F(TcpListener, ClosingStoresCompleteFramesDropsTheCutOneAndReopens) {
    const int port = openOnLoopback();
    {
        TcpClient client(port);
        ASSERT_TRUE(client.send("<13>whole\n<13>half"));
        const auto deadline = Clock::now() + 2s;
        while (server.QueuedCount() < 1 && Clock::now() < deadline) std::this_thread::sleep_for(1ms);
        ASSERT_EQ(server.SetTCPActive(false), "");
        EXPECT_TRUE(client.closedByPeer(1000ms));
    }
    EXPECT_FALSE(server.TCPActive());
    EXPECT_EQ(server.TCPBindings()[0].Socket, -1);
    // The stop cut the sender off in the middle of "half": it is dropped, never stored cut.
    ASSERT_TRUE(deliverUntil(1));
    EXPECT_FALSE(deliverUntil(2, 200ms));
    EXPECT_EQ(received[0].message.Data, "<13>whole");

    // A new port reopens an open listener at once, and waits for the next opening otherwise.
    ASSERT_EQ(server.SetTCPActive(true), "");
    EXPECT_EQ(server.SetTCPActive(true), "") << "opening twice opens once";
    const int second = freeTcpPort();
    ASSERT_EQ(server.SetTCPPort(second), "");
    EXPECT_TRUE(server.TCPActive());
    EXPECT_EQ(server.TCPPort(), second);
    EXPECT_EQ(server.TCPServer().BoundAddresses().at(0).Port, second);
    TcpClient again(second);
    ASSERT_TRUE(again.send("<13>again\n"));
    ASSERT_TRUE(deliverUntil(2));

    ASSERT_EQ(server.SetTCPActive(false), "");
    const int third = freeTcpPort();
    ASSERT_EQ(server.SetTCPPort(third), "");
    EXPECT_FALSE(server.TCPActive()) << "writing the port does not open";
    ASSERT_EQ(server.SetTCPActive(true), "");
    EXPECT_EQ(server.TCPServer().BoundAddresses().at(0).Port, third);
}

TEST_F(TcpListener, ClosingReadsWhatTheConnectionsHadAlreadySent) {
    const int port = openOnLoopback();
    constexpr int kFrames = 20000;
    std::string stream;
    for (int i = 0; i < kFrames; ++i) stream += "<13>frame " + std::to_string(i) + "\n";
    TcpClient client(port);
    ASSERT_TRUE(client.send(stream));
    // Closed at once: most of it is still in the socket buffers, none of it read yet.
    ASSERT_EQ(server.SetTCPActive(false), "");
    ASSERT_TRUE(deliverUntil(kFrames));
    EXPECT_FALSE(deliverUntil(kFrames + 1, 100ms));
    for (int i = 0; i < kFrames; ++i)
        ASSERT_EQ(received[static_cast<std::size_t>(i)].message.Data, "<13>frame " + std::to_string(i));
}

TEST_F(TcpListener, PortHeldByAnotherListenerGivesTheBindError) {
    BoundSocket holder = openTcpListener("127.0.0.1", 0);
    ASSERT_GE(holder.fd, 0) << holder.error;
    server.TCPBindings().Add("127.0.0.1").Port = localAddressOf(holder.fd).Port;
    EXPECT_EQ(server.SetTCPActive(true), net_texts::kBindInUse);
    EXPECT_FALSE(server.TCPActive());
    EXPECT_EQ(server.TCPBindings()[0].Socket, -1);
    ::close(holder.fd);
}

}  // namespace
}  // namespace corvane
