#pragma once

#include <cstdint>
#include <deque>
#include <optional>

namespace corvane {

// The listener's running counts, as read at one moment.
struct TrafficCounters {
    std::uint64_t received = 0;                  // messages handed to intake
    std::uint64_t stored = 0;                    // records added to the message table since a moment
    std::uint64_t queueDropped = 0;              // datagrams the receive queue had no room for
    std::optional<std::uint64_t> systemDropped;  // by the operating system; nothing when unknown
    std::uint64_t refused = 0;                   // TCP connections refused
};

// Rates from samples of the running counts: messages a second received and stored, over the
// samples of the last kWindow seconds (so one slow tick does not make the figure jump). Counts
// that go back (a reopened listener) restart the rates from the sample that went back.
class TrafficMeter {
public:
    static constexpr double kWindow = 5.0;

    // `seconds`: a steady clock's reading; samples come in its order.
    void sample(const TrafficCounters& counters, double seconds);
    double receivedPerSecond() const { return rate(&TrafficCounters::received); }
    double storedPerSecond() const { return rate(&TrafficCounters::stored); }
    // The counts of the last sample.
    const TrafficCounters& latest() const;

private:
    struct Sample {
        TrafficCounters counters;
        double seconds = 0;
    };
    double rate(std::uint64_t TrafficCounters::*count) const;

    std::deque<Sample> m_samples;
};

}  // namespace corvane
