#include "app/TrafficMeter.h"

namespace corvane {

void TrafficMeter::sample(const TrafficCounters& counters, double seconds) {
    if (!m_samples.empty()) {
        const TrafficCounters& last = m_samples.back().counters;
        if (counters.received < last.received || counters.stored < last.stored ||
            seconds < m_samples.back().seconds)
            m_samples.clear();
    }
    m_samples.push_back({counters, seconds});
    while (m_samples.size() > 2 && seconds - m_samples[1].seconds >= kWindow) m_samples.pop_front();
}

const TrafficCounters& TrafficMeter::latest() const {
    static const TrafficCounters none;
    return m_samples.empty() ? none : m_samples.back().counters;
}

double TrafficMeter::rate(std::uint64_t TrafficCounters::*count) const {
    if (m_samples.size() < 2)
        return 0;
    const Sample& first = m_samples.front();
    const Sample& last = m_samples.back();
    const double span = last.seconds - first.seconds;
    if (span <= 0)
        return 0;
    return static_cast<double>(last.counters.*count - first.counters.*count) / span;
}

}  // namespace corvane
