#include "LoopbackPeer.h"

#include "net/ReceiveQueue.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace corvane {
namespace {

using namespace test;

// Runs posted work when the test says so, as the program's event loop would.
class TestMainThread : public MainThread {
public:
    void post(std::function<void()> task) override {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    std::size_t runAll() {
        std::vector<std::function<void()>> tasks;
        {
            std::lock_guard lock(m_mutex);
            tasks.swap(m_tasks);
        }
        for (auto& t : tasks) t();
        return tasks.size();
    }
    std::size_t pending() {
        std::lock_guard lock(m_mutex);
        return m_tasks.size();
    }

private:
    std::mutex m_mutex;
    std::vector<std::function<void()>> m_tasks;
};

std::vector<ReceivedItem> items(std::initializer_list<const char*> texts) {
    std::vector<ReceivedItem> out;
    for (const char* t : texts) out.push_back(ReceivedItem{t, "127.0.0.1", 1, 0, 0, 0, false, {}, {}});
    return out;
}

TEST(ReceiveQueue, KeepsOrderAndCountsWhatDoesNotFit) {
    auto batch = items({"a", "b", "c", "d"});
    ReceiveQueue queue(3 * ReceiveQueue::cost(batch[0]));
    EXPECT_TRUE(queue.push(batch)) << "first push into an empty queue wakes";
    EXPECT_EQ(queue.dropped(), 1u);
    auto more = items({"e"});
    EXPECT_FALSE(queue.push(more)) << "a queue with work waiting needs no second wake";
    EXPECT_EQ(queue.dropped(), 2u);
    for (const char* expected : {"a", "b", "c"}) EXPECT_EQ(queue.take()->data, expected);
    EXPECT_FALSE(queue.take());
    auto later = items({"f"});
    EXPECT_TRUE(queue.push(later)) << "room again once drained";
    EXPECT_EQ(queue.take()->data, "f");
}

TEST(ReceiveQueue, WakesTheMainThreadWhichDeliversInOrder) {
    TestMainThread mainThread;
    std::vector<Received> received;
    auto server = std::make_unique<TnSysLogServer>();
    record(*server, received);
    server->SetMainThread(&mainThread);
    server->UDPBindings().Add("127.0.0.1").Port = 0;
    ASSERT_EQ(server->SetActive(true), "");
    const int port = server->UDPServer().BoundAddresses().at(0).Port;
    LoopbackSender sender;
    constexpr int kCount = 200;
    for (int i = 0; i < kCount; ++i) sender.send(port, "<13>" + std::to_string(i));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (received.size() < kCount && std::chrono::steady_clock::now() < deadline) {
        if (mainThread.runAll() == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_EQ(received.size(), static_cast<std::size_t>(kCount));
    for (int i = 0; i < kCount; ++i) ASSERT_EQ(received[i].message.Data, "<13>" + std::to_string(i));
    EXPECT_EQ(server->DroppedCount(), 0u);

    // A wake-up that runs after the listener is gone finds nothing to do.
    sender.send(port, "late");
    const auto wait = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (mainThread.pending() == 0 && std::chrono::steady_clock::now() < wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    server.reset();
    EXPECT_EQ(mainThread.runAll(), 1u);
    EXPECT_EQ(received.size(), static_cast<std::size_t>(kCount));
}

TEST(ReceiveQueue, TheWakeUpRunsTheOwnersHookAndNothingElse) {
    TestMainThread mainThread;
    std::vector<Received> received;
    TnSysLogServer server;
    record(server, received);
    int wakeUps = 0;
    std::size_t waitingAtWakeUp = 0;
    server.SetMainThread(&mainThread, [&] {
        ++wakeUps;
        waitingAtWakeUp = server.QueuedCount();
    });
    server.UDPBindings().Add("127.0.0.1").Port = 0;
    ASSERT_EQ(server.SetActive(true), "");
    const int port = server.UDPServer().BoundAddresses()[0].Port;
    LoopbackSender sender;
    ASSERT_TRUE(sender.send(port, "<13>one"));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (mainThread.pending() == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(mainThread.runAll(), 1u);
    EXPECT_EQ(wakeUps, 1);
    EXPECT_EQ(waitingAtWakeUp, 1u) << "the hook decides when to take what waits";
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(server.DeliverQueued(), 1u);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message.Data, "<13>one");
}

TEST(ReceiveQueue, AFullQueueDropsAndCountsWithoutStoppingTheThread) {
    std::vector<Received> received;
    TnSysLogServer server;
    record(server, received);
    server.SetQueueLimit(4 * ReceiveQueue::cost(items({"123456789"})[0]));
    server.UDPBindings().Add("127.0.0.1").Port = 0;
    ASSERT_EQ(server.SetActive(true), "");
    const int port = server.UDPServer().BoundAddresses().at(0).Port;
    LoopbackSender sender;
    constexpr std::uint64_t kCount = 10;
    for (std::uint64_t i = 0; i < kCount; ++i) sender.send(port, "<13>12345678" + std::to_string(i));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (server.DroppedCount() + server.QueuedCount() < kCount &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(server.DroppedCount(), 6u);
    server.DeliverQueued();
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(received[0].message.Data, "<13>123456780");
    EXPECT_EQ(received[3].message.Data, "<13>123456783");

    sender.send(port, "<13>123456789");
    ASSERT_TRUE(deliverUntil(server, received, 5));
}

}  // namespace
}  // namespace corvane
