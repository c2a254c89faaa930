#include "app/Ticker.h"

namespace corvane {

Ticker::Ticker(std::chrono::milliseconds interval, std::function<void()> tick) {
    m_thread = std::thread([this, interval, tick = std::move(tick)] {
        std::unique_lock lock(m_mutex);
        while (!m_wake.wait_for(lock, interval, [this] { return m_stop; })) {
            lock.unlock();
            tick();
            lock.lock();
        }
    });
}

Ticker::~Ticker() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

}  // namespace corvane
