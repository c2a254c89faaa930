#include "protocol/DateTime.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(DateTime, EncodesKnownDays) {
    EXPECT_DOUBLE_EQ(*encodeDate(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(*encodeDate(1900, 1, 1), 2.0);
    EXPECT_DOUBLE_EQ(*encodeDate(2000, 1, 1), 36526.0);
    EXPECT_DOUBLE_EQ(*encodeDateTime({1899, 12, 30, 6, 0, 0, 0}), 0.25);
    // Before the epoch the fraction still counts forward from the whole day.
    EXPECT_DOUBLE_EQ(*encodeDateTime({1899, 12, 29, 6, 0, 0, 0}), -1.25);
}

TEST(DateTime, RejectsInvalidFields) {
    EXPECT_FALSE(encodeDate(2023, 2, 29));
    EXPECT_TRUE(encodeDate(2024, 2, 29));
    EXPECT_FALSE(encodeDate(1900, 2, 29));
    EXPECT_TRUE(encodeDate(2000, 2, 29));
    EXPECT_FALSE(encodeDate(0, 1, 1));
    EXPECT_FALSE(encodeDate(10000, 1, 1));
    EXPECT_FALSE(encodeDateTime({2024, 1, 1, 24, 0, 0, 0}));
    EXPECT_FALSE(encodeDateTime({2024, 1, 1, 0, 60, 0, 0}));
    EXPECT_FALSE(encodeDateTime({2024, 1, 1, 0, 0, 60, 0}));
    EXPECT_FALSE(encodeDateTime({2024, 13, 1, 0, 0, 0, 0}));
}

TEST(DateTime, RoundTripsToTheMillisecond) {
    const DateTimeFields cases[] = {
        {2024, 1, 8, 14, 30, 5, 123}, {1, 1, 1, 0, 0, 0, 0},      {9999, 12, 31, 23, 59, 59, 999},
        {1899, 12, 29, 6, 0, 0, 1},   {1899, 12, 30, 0, 0, 0, 0}, {2009, 10, 11, 22, 14, 15, 750},
    };
    for (const auto& f : cases) {
        const auto value = encodeDateTime(f);
        ASSERT_TRUE(value);
        EXPECT_EQ(decodeDateTime(*value), f) << f.year << '-' << f.month << '-' << f.day;
        EXPECT_DOUBLE_EQ(millisecondsToDateTime(dateTimeToMilliseconds(*value)), *value);
    }
}

TEST(DateTime, SurvivesValuesOutsideTheCalendar) {
    EXPECT_EQ(decodeDateTime(1e300).year, 9999);
    EXPECT_EQ(decodeDateTime(-1e300).year, 1);
    EXPECT_EQ(decodeDateTime(std::numeric_limits<double>::quiet_NaN()).year, 1);
}

TEST(DateTime, ScopedClockFixesNow) {
    const DateTime fixed = *encodeDateTime({2024, 3, 1, 9, 5, 3, 0});
    {
        ScopedClock clock(fixed);
        EXPECT_DOUBLE_EQ(now(), fixed);
        EXPECT_EQ(currentYear(), 2024);
    }
    EXPECT_NE(now(), fixed);
    EXPECT_EQ(currentYear(), decodeDateTime(now()).year);
}

TEST(DateTime, UnixRoundTripThroughLocalTime) {
    const DateTime local = *encodeDateTime({2021, 6, 15, 12, 0, 0, 0});
    EXPECT_NEAR(localFromUnix(unixFromLocal(local)), local, 1e-9);
}

}  // namespace
}  // namespace corvane
