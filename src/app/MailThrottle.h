#pragma once

#include "app/MailCompose.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>

namespace corvane {

// Decides when a notification mail goes out and what it holds, so that a flood never sends more
// than one mail a minute: the first alert goes at once, the alerts of the next minute wait and
// go together in the next mail. At most kQueueLimit alerts wait; the others are counted and the
// next mail says how many. A mail that failed is tried again after a wait that doubles with
// each failure, with what came meanwhile. Not thread-safe; the mailer holds its lock around it.
class MailThrottle {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    static constexpr std::size_t kQueueLimit = 300;

    struct Timing {
        std::chrono::milliseconds interval{60000};
        std::chrono::milliseconds firstRetry{60000};
        std::chrono::milliseconds longestRetry{15 * 60000};
    };

    void setTiming(Timing timing) { m_timing = timing; }
    const Timing& timing() const { return m_timing; }

    void add(const Alert& alert);
    // When the next mail may go; nothing when no alert waits.
    std::optional<TimePoint> dueAt() const;
    bool due(TimePoint now) const;
    // REQUIRES: due(now). What the mail sent now holds; the queue is empty afterwards.
    MailBatch take(TimePoint now);
    // The mail of batch was not sent: its alerts wait again, before the newer ones.
    void failed(MailBatch batch, TimePoint now);
    void succeeded();
    // Forgets every waiting alert (mail was turned off).
    void clear();

    std::size_t queued() const { return m_queue.size(); }
    std::uint64_t notKept() const { return m_notKept; }
    std::chrono::milliseconds retryWait() const { return m_retryWait; }

private:
    Timing m_timing;
    std::deque<Alert> m_queue;
    std::uint64_t m_notKept = 0;
    std::optional<TimePoint> m_lastAttempt;
    std::optional<TimePoint> m_retryAt;
    std::chrono::milliseconds m_retryWait{0};
};

}  // namespace corvane
