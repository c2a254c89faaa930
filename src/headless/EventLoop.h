#pragma once

#include "net/MainThread.h"

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>

namespace corvane {

// The headless runner's main thread: tasks posted from any thread run here one at a time, in
// the order they were posted, until a stop is requested.
class EventLoop : public MainThread {
public:
    EventLoop();
    ~EventLoop() override;
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    void post(std::function<void()> task) override;

    // Runs tasks until requestStop; answers at once when a stop was requested before.
    void run();
    // Runs the tasks waiting now (and any they post) without blocking; answers how many ran.
    std::size_t runPending();
    // Safe to call from a signal handler.
    void requestStop();
    bool stopRequested() const { return m_stop.load(); }

private:
    void wake();
    void drainWakeups();

    int m_eventFd = -1;
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_tasks;
    std::atomic<bool> m_stop{false};
};

}  // namespace corvane
