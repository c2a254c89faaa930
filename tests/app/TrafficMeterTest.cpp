// Messages a second from samples of the listener's running counts.
#include "app/TrafficMeter.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TrafficCounters counts(std::uint64_t received, std::uint64_t stored) {
    TrafficCounters c;
    c.received = received;
    c.stored = stored;
    return c;
}

TEST(TrafficMeter, RatesOverTheLastSeconds) {
    TrafficMeter meter;
    EXPECT_EQ(meter.receivedPerSecond(), 0) << "no samples";
    meter.sample(counts(0, 0), 100);
    EXPECT_EQ(meter.receivedPerSecond(), 0) << "one sample";
    meter.sample(counts(100, 90), 101);
    EXPECT_DOUBLE_EQ(meter.receivedPerSecond(), 100);
    EXPECT_DOUBLE_EQ(meter.storedPerSecond(), 90);
    // A late tick: the rate is over the time that passed, not per tick.
    meter.sample(counts(400, 390), 103);
    EXPECT_DOUBLE_EQ(meter.receivedPerSecond(), 400.0 / 3);
    // Older samples leave the window.
    for (int s = 104; s <= 110; ++s) meter.sample(counts(400, 390), s);
    EXPECT_DOUBLE_EQ(meter.receivedPerSecond(), 0);
    EXPECT_EQ(meter.latest().received, 400u);
}

TEST(TrafficMeter, CountsThatGoBackRestartTheRates) {
    TrafficMeter meter;
    meter.sample(counts(1000, 1000), 1);
    meter.sample(counts(2000, 2000), 2);
    meter.sample(counts(5, 5), 3);
    EXPECT_EQ(meter.receivedPerSecond(), 0);
    meter.sample(counts(25, 15), 4);
    EXPECT_DOUBLE_EQ(meter.receivedPerSecond(), 20);
    EXPECT_DOUBLE_EQ(meter.storedPerSecond(), 10);
}

}  // namespace
}  // namespace corvane
