#include "LoopbackPeer.h"
#include "TcpPeer.h"

#include "net/SysLogServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace corvane {
namespace {

using namespace test;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Counts deliveries per transport and remembers the texts.
struct Tally {
    std::vector<std::string> tcp;
    std::vector<std::string> udp;
};

void tallyInto(TnSysLogServer& server, Tally& tally) {
    server.OnMessage = [&tally](TnComponent*, TnSyslogMessage* m, Binding*) {
        (m->Protocol() == "TCP" ? tally.tcp : tally.udp).push_back(m->Data());
    };
}

bool deliverUntil(TnSysLogServer& server, const std::function<bool()>& done,
                  std::chrono::milliseconds within) {
    const auto deadline = Clock::now() + within;
    while (!done() && Clock::now() < deadline)
        if (server.DeliverQueued() == 0)
            std::this_thread::sleep_for(1ms);
    return done();
}

// Two hundred peers send their messages a few bytes at a time; datagrams sent meanwhile are
// delivered at once, not after the slow peers.
TEST(TcpLoad, TricklingPeersDoNotHoldUpDatagrams) {
    constexpr int kPeers = 200;
    TnSysLogServer server;
    Tally tally;
    tallyInto(server, tally);
    server.TCPServer().SetMaxConnections(kPeers);
    server.TCPBindings().Add("127.0.0.1").Port = 0;
    ASSERT_EQ(server.SetTCPActive(true), "");
    const int tcpPort = server.TCPServer().BoundAddresses().at(0).Port;
    server.UDPBindings().Add("127.0.0.1").Port = 0;
    ASSERT_EQ(server.SetActive(true), "");
    const int udpPort = server.UDPServer().BoundAddresses().at(0).Port;

    std::vector<std::unique_ptr<TcpClient>> peers;
    std::vector<std::string> texts;
    for (int i = 0; i < kPeers; ++i) {
        peers.push_back(std::make_unique<TcpClient>(tcpPort));
        ASSERT_TRUE(peers.back()->connected());
        texts.push_back("<13>Oct 11 22:14:15 host peer[" + std::to_string(i) + "]: trickled\n");
    }
    LoopbackSender udp;
    std::size_t sent = 0;
    for (std::size_t at = 0; sent < texts[0].size() + 20; at += 3) {
        for (std::size_t i = 0; i < peers.size(); ++i) {
            if (at < texts[i].size()) {
                ASSERT_TRUE(peers[i]->send(texts[i].substr(at, 3)));
            }
        }
        ASSERT_TRUE(udp.send(udpPort, "<13>datagram " + std::to_string(sent)));
        ++sent;
        ASSERT_TRUE(deliverUntil(
            server, [&] { return tally.udp.size() == sent; }, 2000ms))
            << "datagram " << sent - 1 << " waited behind the TCP peers";
        if (at + 3 < texts[0].size()) {
            EXPECT_TRUE(tally.tcp.empty()) << "no frame is complete before its line end";
        }
    }
    ASSERT_TRUE(deliverUntil(
        server, [&] { return tally.tcp.size() == kPeers; }, 3000ms));
    std::sort(tally.tcp.begin(), tally.tcp.end());
    std::vector<std::string> expected;
    for (auto t : texts) {
        t.pop_back();
        expected.push_back(t);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(tally.tcp, expected);
    EXPECT_EQ(server.TCPServer().ConnectionCount(), static_cast<std::size_t>(kPeers));
    EXPECT_EQ(server.TCPServer().RefusedCount(), 0u);
    EXPECT_EQ(server.DroppedCount(), 0u);
}

// One peer sends numbered messages as fast as it can, both framings in turn, while the queue is
// kept small: the listener waits for room instead of dropping, so all of them arrive in order,
// and datagrams sent meanwhile still find room.
TEST(TcpLoad, HundredThousandMessagesArriveCompleteAndInOrder) {
    constexpr int kMessages = 100000;
    constexpr int kDatagrams = 200;
    TnSysLogServer server;
    server.SetQueueLimit(4 * 1024 * 1024);
    int expected = 0;
    int outOfOrder = 0;
    int datagrams = 0;
    server.OnMessage = [&](TnComponent*, TnSyslogMessage* m, Binding*) {
        if (m->Protocol() == "UDP") {
            ++datagrams;
            return;
        }
        const std::string& data = m->Data();
        if (data.size() != 13 || data.compare(0, 6, "<13>m ") != 0 || std::stoi(data.substr(6)) != expected)
            ++outOfOrder;
        ++expected;
    };
    server.TCPBindings().Add("127.0.0.1").Port = 0;
    ASSERT_EQ(server.SetTCPActive(true), "");
    const int port = server.TCPServer().BoundAddresses().at(0).Port;
    server.UDPBindings().Add("127.0.0.1").Port = 0;
    ASSERT_EQ(server.SetActive(true), "");
    const int udpPort = server.UDPServer().BoundAddresses().at(0).Port;

    std::string stream;
    for (int i = 0; i < kMessages; ++i) {
        std::string number = std::to_string(i);
        const std::string text = "<13>m " + std::string(7 - number.size(), '0') + number;
        stream += i % 2 ? text + "\n" : std::to_string(text.size()) + " " + text;
    }
    std::thread sender([&] {
        TcpClient client(port);
        client.send(stream);
    });
    // Let the queue fill up before the main thread starts working through it.
    std::this_thread::sleep_for(100ms);
    LoopbackSender udp;
    for (int i = 0; i < kDatagrams; ++i) udp.send(udpPort, "<13>datagram");
    deliverUntil(
        server, [&] { return expected >= kMessages && datagrams >= kDatagrams; }, 20000ms);
    sender.join();
    EXPECT_EQ(expected, kMessages);
    EXPECT_EQ(outOfOrder, 0);
    EXPECT_EQ(datagrams, kDatagrams);
    EXPECT_EQ(server.DroppedCount(), 0u);
}

}  // namespace
}  // namespace corvane
