#include "filter/LocaleFormats.h"

#include <gtest/gtest.h>

#include "FilterFixture.h"

namespace corvane {
namespace {

using testing::at;

const LocaleFormats kUs{"M/d/yy", "h:mm:ss AP", '.'};
const LocaleFormats kGerman{"dd.MM.yyyy", "HH:mm:ss", ','};

TEST(LocaleFormats, FormatsShortDateAndLongTime) {
    EXPECT_EQ(kUs.formatDateTime(at(2024, 12, 8, 9, 15, 0)), "12/8/24 9:15:00 AM");
    EXPECT_EQ(kUs.formatDateTime(at(2005, 1, 2, 13, 5, 9)), "1/2/05 1:05:09 PM");
    EXPECT_EQ(kUs.formatDateTime(at(2024, 12, 9, 0, 30, 5)), "12/9/24 12:30:05 AM");
    EXPECT_EQ(kUs.formatDateTime(at(2024, 12, 9, 12, 0, 0)), "12/9/24 12:00:00 PM");
    EXPECT_EQ(kUs.formatDateTime(at(2024, 12, 9)), "12/9/24");
    EXPECT_EQ(kGerman.formatDateTime(at(2024, 12, 8, 9, 15, 0)), "08.12.2024 09:15:00");
    EXPECT_EQ(kGerman.formatDateTime(at(2024, 12, 9)), "09.12.2024");
    EXPECT_EQ(kGerman.formatTime(at(2024, 12, 9, 23, 59, 59)), "23:59:59");
    EXPECT_EQ(
        (LocaleFormats{"'day' d 'of' M, yyyy", "hh.mm ap", '.'}.formatDateTime(at(1999, 3, 4, 7, 8, 0))),
        "day 4 of 3, 1999 07.08 am");
}

TEST(LocaleFormats, ReadsWhatItWrites) {
    for (double value : {at(2024, 12, 8, 9, 15, 0), at(2024, 12, 9), at(2024, 12, 9, 12, 0, 1),
                         at(1999, 1, 31, 23, 59, 59)}) {
        EXPECT_EQ(kUs.parseDateTime(kUs.formatDateTime(value)), value) << kUs.formatDateTime(value);
        EXPECT_EQ(kGerman.parseDateTime(kGerman.formatDateTime(value)), value)
            << kGerman.formatDateTime(value);
    }
}

TEST(LocaleFormats, ReadsLeniently) {
    struct Case {
        const char* text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"12/8/24", at(2024, 12, 8)},
        {"  12/8/24   9:15:00 pm ", at(2024, 12, 8, 21, 15, 0)},
        {"12/8/24 12:00:00 AM", at(2024, 12, 8)},
        {"12/8/24 21:15:00", at(2024, 12, 8, 21, 15, 0)},
        {"12/08/2024 9:15:00 AM", at(2024, 12, 8, 9, 15, 0)},
        {"1/1/49", at(2049, 1, 1)},
        {"1/1/50", at(1950, 1, 1)},
        {"1/1/00", at(2000, 1, 1)},
        {"2/29/24", at(2024, 2, 29)},
        {"2/29/23", std::nullopt},
        {"13/1/24", std::nullopt},
        {"12/8/24 13:00:00 PM", std::nullopt},
        {"12/8/24 9:15", at(2024, 12, 8, 9, 15, 0)},  // typed without the seconds
        {"12/8/24 9:15 PM", at(2024, 12, 8, 21, 15, 0)},
        {"12/8/24 9:15 00", std::nullopt},
        {"12/8/24 9", std::nullopt},
        {"12/8/24 9:15:00 AM x", std::nullopt},
        {"12-8-24", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(kUs.parseDateTime(c.text), c.expected) << c.text;

    EXPECT_EQ(kGerman.parseDateTime("8.12.24 9:15:00"), at(2024, 12, 8, 9, 15, 0));
    EXPECT_EQ(kGerman.parseDateTime("31.04.2024"), std::nullopt);
}

TEST(LocaleFormats, ReadsATimeAlone) {
    EXPECT_EQ(kUs.parseTime("9:15:00 PM"), at(1899, 12, 30, 21, 15, 0));
    EXPECT_EQ(kGerman.parseTime("00:00:01"), at(1899, 12, 30, 0, 0, 1));
    EXPECT_EQ(kGerman.parseTime("24:00:00"), std::nullopt);
    EXPECT_EQ(kGerman.parseTime("17:45"), at(1899, 12, 30, 17, 45, 0));
    EXPECT_EQ(kUs.parseTime("12/8/24"), std::nullopt);
}

}  // namespace
}  // namespace corvane
