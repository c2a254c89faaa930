#include "app/MailThrottle.h"

#include <algorithm>

namespace corvane {

void MailThrottle::add(const Alert& alert) {
    if (m_queue.size() < kQueueLimit)
        m_queue.push_back(alert);
    else
        ++m_notKept;
}

std::optional<MailThrottle::TimePoint> MailThrottle::dueAt() const {
    if (m_queue.empty() && m_notKept == 0)
        return std::nullopt;
    TimePoint at{};
    if (m_lastAttempt)
        at = *m_lastAttempt + m_timing.interval;
    if (m_retryAt)
        at = std::max(at, *m_retryAt);
    return at;
}

bool MailThrottle::due(TimePoint now) const {
    const auto at = dueAt();
    return at && now >= *at;
}

MailBatch MailThrottle::take(TimePoint now) {
    MailBatch batch;
    batch.alerts.assign(m_queue.begin(), m_queue.end());
    batch.notKept = m_notKept;
    m_queue.clear();
    m_notKept = 0;
    m_lastAttempt = now;
    return batch;
}

void MailThrottle::failed(MailBatch batch, TimePoint now) {
    std::deque<Alert> merged(batch.alerts.begin(), batch.alerts.end());
    std::uint64_t notKept = batch.notKept + m_notKept;
    for (Alert& a : m_queue) {
        if (merged.size() < kQueueLimit)
            merged.push_back(std::move(a));
        else
            ++notKept;
    }
    m_queue = std::move(merged);
    m_notKept = notKept;
    m_retryWait =
        m_retryWait.count() == 0 ? m_timing.firstRetry : std::min(m_retryWait * 2, m_timing.longestRetry);
    m_retryAt = now + m_retryWait;
}

void MailThrottle::succeeded() {
    m_retryWait = std::chrono::milliseconds(0);
    m_retryAt.reset();
}

void MailThrottle::clear() {
    m_queue.clear();
    m_notKept = 0;
}

}  // namespace corvane
