#include "protocol/SyslogTime.h"
#include "protocol/SyslogVocabulary.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

DateTime at(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
    return encodeDateTime({y, mo, d, h, mi, s, ms}).value();
}

// 2003-10-11T22:14:15Z
constexpr double kIsoInstant = 1065910455.0;

TEST(SyslogTime, ReadsTimeStamps) {
    const ScopedClock clock(at(2024, 6, 15, 12, 0, 0));
    struct Row {
        const char* name;
        std::string_view stamp;
        DateTime expected;
    };
    const Row rows[] = {
        {"classic, current year", "Oct 11 22:14:15", at(2024, 10, 11, 22, 14, 15)},
        {"single-digit day", "Oct  1 22:14:15", at(2024, 10, 1, 22, 14, 15)},
        {"with year", "Oct 11 2009 22:14:15", at(2009, 10, 11, 22, 14, 15)},
        {"fraction ignored", "Mar  1 18:46:11.123", at(2024, 3, 1, 18, 46, 11)},
        {"leading mark dropped", "*Mar  1 18:46:11.123", at(2024, 3, 1, 18, 46, 11)},
        {"lower-case month", "oct 11 22:14:15", at(2024, 10, 11, 22, 14, 15)},
        {"canonical", "OCT 11 2009 22:14:15", at(2009, 10, 11, 22, 14, 15)},
        {"canonical padded", "MAR  1 2024  9: 5: 3", at(2024, 3, 1, 9, 5, 3)},
        {"numeric date reads by leading parts", "11/10/2009 22:14:15", at(11, 1, 11, 22, 14, 15)},
        {"invalid day", "Feb 30 10:00:00", 0},
        {"invalid hour", "Oct 11 25:00:00", 0},
        {"seven characters", "Oct 11 ", 0},
        {"empty", "", 0},
        {"words", "hello world", 0},
        {"ISO local", "2003-10-11T22:14:15", at(2003, 10, 11, 22, 14, 15)},
        {"ISO local with fraction", "2003-10-11T22:14:15.999", at(2003, 10, 11, 22, 14, 15)},
        {"ISO UTC", "2003-10-11T22:14:15Z", localFromUnix(kIsoInstant)},
        {"ISO offset with fraction", "2003-10-11T22:14:15.003+02:00", localFromUnix(kIsoInstant - 7200)},
        {"ISO negative offset without colon", "2003-10-11T22:14:15-0130", localFromUnix(kIsoInstant + 5400)},
        {"ISO invalid date", "2003-02-30T10:00:00Z", 0},
        {"ISO invalid offset", "2003-10-11T22:14:15+25:00", 0},
    };
    for (const Row& row : rows) EXPECT_DOUBLE_EQ(ParseSyslogTime(row.stamp), row.expected) << row.name;
}

TEST(SyslogTime, WritesCanonicalText) {
    const ScopedClock clock(at(2024, 6, 15, 12, 0, 7));
    EXPECT_EQ(FormatSyslogTime(at(2009, 10, 11, 22, 14, 15, 750)), "OCT 11 2009 22:14:15");
    EXPECT_EQ(FormatSyslogTime(at(2024, 3, 1, 9, 5, 3)), "MAR  1 2024  9: 5: 3");
    EXPECT_EQ(FormatSyslogTime(at(2024, 10, 10, 0, 0, 0)), "OCT  10 2024  0: 0: 0");
    EXPECT_EQ(FormatSyslogTime(at(2024, 12, 31, 23, 59, 59)), "DEC 31 2024 23:59:59");
    EXPECT_EQ(FormatSyslogTime(0), "JUN 15 2024 12: 0: 7");
}

TEST(SyslogTime, CanonicalTextReadsBackToTheSecond) {
    // Sample every year 1-9999 at changing days and times of day.
    for (int year = 1; year <= 9999; year += 7) {
        const int month = 1 + year % 12;
        const DateTime value = at(year, month, 1 + year % daysInMonth(year, month), year % 24, year % 60,
                                  (year * 7) % 60, year % 1000);
        const DateTime whole =
            at(year, month, 1 + year % daysInMonth(year, month), year % 24, year % 60, (year * 7) % 60);
        ASSERT_DOUBLE_EQ(ParseSyslogTime(FormatSyslogTime(value)), whole) << FormatSyslogTime(value);
    }
}

TEST(SyslogVocabulary, NamesAreSpelledAsStored) {
    EXPECT_EQ(facilityName(4), "Security/Aothorize");
    EXPECT_EQ(facilityName(10), "Security/Authorize");
    EXPECT_EQ(facilityName(9), "Clock (chron)");
    EXPECT_EQ(facilityName(15), "Clock (chron)");
    EXPECT_EQ(facilityName(7), "Network Mews (NNTP)");
    EXPECT_EQ(facilityName(23), "Local 7");
    EXPECT_EQ(facilityName(24), "");
    EXPECT_EQ(facilityName(-1), "");
    EXPECT_EQ(upperFacilityName(3), "SYSTEM");
    EXPECT_EQ(severityName(6), "Information");
    EXPECT_EQ(severityName(8), "");
    EXPECT_EQ(MonthNames[1], "JAN");
    EXPECT_EQ(MonthNames[12], "DEC");
}

}  // namespace
}  // namespace corvane
