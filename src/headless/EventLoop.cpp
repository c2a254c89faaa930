#include "headless/EventLoop.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <poll.h>
#include <stdexcept>
#include <sys/eventfd.h>
#include <unistd.h>

namespace corvane {

EventLoop::EventLoop() : m_eventFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (m_eventFd < 0)
        throw std::runtime_error("Could not create the main loop's wake-up descriptor");
}

EventLoop::~EventLoop() {
    ::close(m_eventFd);
}

void EventLoop::wake() {
    const std::uint64_t one = 1;
    // A full counter already means "wake up"; nothing else can go wrong here worth reporting.
    [[maybe_unused]] const auto written = ::write(m_eventFd, &one, sizeof one);
}

void EventLoop::drainWakeups() {
    std::uint64_t count = 0;
    [[maybe_unused]] const auto got = ::read(m_eventFd, &count, sizeof count);
}

void EventLoop::post(std::function<void()> task) {
    bool first = false;
    {
        std::lock_guard lock(m_mutex);
        first = m_tasks.empty();
        m_tasks.push_back(std::move(task));
    }
    if (first)
        wake();
}

void EventLoop::requestStop() {
    m_stop.store(true);
    wake();
}

std::size_t EventLoop::runPending() {
    std::size_t ran = 0;
    while (!m_stop.load()) {
        std::function<void()> task;
        {
            std::lock_guard lock(m_mutex);
            if (m_tasks.empty())
                break;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        try {
            task();
        } catch (const std::exception& e) {
            // Nobody waits for a posted task; its error must not end the loop.
            std::fprintf(stderr, "corvane-headless: %s\n", e.what());
        }
        ++ran;
    }
    return ran;
}

void EventLoop::run() {
    while (!m_stop.load()) {
        drainWakeups();
        runPending();
        if (m_stop.load())
            break;
        {
            std::lock_guard lock(m_mutex);
            if (!m_tasks.empty())
                continue;
        }
        pollfd p{m_eventFd, POLLIN, 0};
        const int rc = ::poll(&p, 1, 1000);
        if (rc < 0 && errno != EINTR)
            break;
    }
}

}  // namespace corvane
