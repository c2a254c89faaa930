#include "protocol/TimeStampMatch.h"

#include <gtest/gtest.h>

#include <string_view>

namespace corvane {
namespace {

DateTime at(int y, int mo, int d, int h, int mi, int s) {
    return encodeDateTime({y, mo, d, h, mi, s, 0}).value();
}

DateTime utc(int y, int mo, int d, int h, int mi, int s) {
    const std::int64_t days = static_cast<std::int64_t>(encodeDate(y, mo, d).value()) - 25569;
    return localFromUnix(static_cast<double>(days * 86400 + (h * 60LL + mi) * 60 + s));
}

TEST(TimeStampMatch, ShapesSendersUse) {
    const DateTime received = at(2026, 12, 10, 13, 11, 0);
    struct Row {
        const char* name;
        std::string_view text;
        std::size_t end;  // 0: no time stamp
        DateTime value;
        bool colon;
    };
    const Row rows[] = {
        {"classic", "Dec 10 13:10:46 host", 15, at(2026, 12, 10, 13, 10, 46), false},
        {"padded day", "Dec  1 08:05:09 host", 15, at(2026, 12, 1, 8, 5, 9), false},
        {"unpadded day", "Dec 1 08:05:09 host", 14, at(2026, 12, 1, 8, 5, 9), false},
        {"lower case month", "dec 10 13:10:46", 15, at(2026, 12, 10, 13, 10, 46), false},
        {"year before time", "Dec 10 2025 13:10:46: x", 21, at(2025, 12, 10, 13, 10, 46), true},
        {"year after time", "Dec 10 13:10:46 2025 host", 20, at(2025, 12, 10, 13, 10, 46), false},
        {"year first", "2025 Dec 10 13:10:46 UTC: x", 25, utc(2025, 12, 10, 13, 10, 46), true},
        {"fraction and UTC", "Dec 10 12:47:30.123 UTC: %X", 24, utc(2026, 12, 10, 12, 47, 30), true},
        {"local zone word is wall clock", "Dec 10 12:47:30 CET: %X", 20, at(2026, 12, 10, 12, 47, 30), true},
        {"unknown upper-case word is not a zone", "Dec 10 12:47:30 EDGE x", 15, at(2026, 12, 10, 12, 47, 30),
         false},
        {"unsynchronised mark", "*Mar  1 00:01:02.345: %X", 21, at(2026, 3, 1, 0, 1, 2), true},
        {"sync lost mark", ".Dec 10 12:47:31: %X", 17, at(2026, 12, 10, 12, 47, 31), true},
        {"ISO with T and offset", "2026-12-10T13:10:46.5+01:00 h", 27, utc(2026, 12, 10, 12, 10, 46), false},
        {"ISO with blank, comma fraction", "2026-12-10 13:10:46,123 h", 23, at(2026, 12, 10, 13, 10, 46),
         false},
        {"ISO negative offset without colon", "2026-12-10T13:10:46-0130 h", 24, utc(2026, 12, 10, 14, 40, 46),
         false},
        {"ISO Z", "2026-12-10T13:10:46Z", 20, utc(2026, 12, 10, 13, 10, 46), false},
        {"invalid day keeps the shape", "Feb 30 10:00:00 host", 15, 0, false},
        {"time runs into a word", "Dec 10 13:10:46host", 0, 0, false},
        {"key=value date", "date=2026-12-10 time=13:10:46", 0, 0, false},
        {"no seconds", "Dec 10 13:10 host", 0, 0, false},
        {"words", "hello world", 0, 0, false},
        {"empty", "", 0, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto match = matchTimeStamp(row.text, 0, received);
        ASSERT_EQ(match.has_value(), row.end != 0);
        if (!match)
            continue;
        EXPECT_EQ(match->end, row.end);
        EXPECT_DOUBLE_EQ(match->value, row.value);
        EXPECT_EQ(match->closedByColon, row.colon);
    }
}

TEST(TimeStampMatch, StampWithoutYearIsPlacedNearReceipt) {
    struct Row {
        const char* name;
        DateTime received;
        std::string_view text;
        DateTime value;
    };
    const Row rows[] = {
        {"December read in January", at(2027, 1, 2, 0, 5, 0), "Dec 31 23:59:58",
         at(2026, 12, 31, 23, 59, 58)},
        {"sender a little ahead", at(2026, 12, 31, 23, 0, 0), "Jan  3 00:00:01", at(2026, 1, 3, 0, 0, 1)},
        {"up to 7 days ahead stays", at(2026, 6, 1, 0, 0, 0), "Jun  7 23:00:00", at(2026, 6, 7, 23, 0, 0)},
        {"more than 7 days ahead", at(2026, 6, 1, 0, 0, 0), "Jun  9 00:00:00", at(2025, 6, 9, 0, 0, 0)},
        {"a year in the text is kept", at(2027, 1, 2, 0, 0, 0), "Dec 31 2027 10:00:00",
         at(2027, 12, 31, 10, 0, 0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto match = matchTimeStamp(row.text, 0, row.received);
        ASSERT_TRUE(match);
        EXPECT_DOUBLE_EQ(match->value, row.value);
    }
}

}  // namespace
}  // namespace corvane
