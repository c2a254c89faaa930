#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace corvane {

// Calls tick on a thread of its own every interval until it is destroyed; the destructor waits
// for a tick under way. tick must return quickly (it usually posts work to the main thread).
class Ticker {
public:
    Ticker(std::chrono::milliseconds interval, std::function<void()> tick);
    ~Ticker();
    Ticker(const Ticker&) = delete;
    Ticker& operator=(const Ticker&) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};

}  // namespace corvane
