#include "protocol/TextUtil.h"

#include <gtest/gtest.h>

#include <optional>

namespace corvane::text {
namespace {

TEST(TextUtil, WholeIntegerReadings) {
    struct Row {
        const char* name;
        std::string_view input;
        std::optional<std::int32_t> expected;
    };
    const Row rows[] = {
        {"decimal", "34", 34},
        {"leading spaces", "  34", 34},
        {"negative", "-1", -1},
        {"plus sign", "+7", 7},
        {"dollar hex", "$FF", 255},
        {"x hex", "x41", 65},
        {"0X hex", "0X41", 65},
        {"hex is a 32-bit pattern", "$FFFFFFFF", -1},
        {"largest decimal", "2147483647", 2147483647},
        {"smallest decimal", "-2147483648", -2147483647 - 1},
        {"decimal overflow", "2147483648", std::nullopt},
        {"nine hex digits", "$123456789", std::nullopt},
        {"trailing letter", "12a", std::nullopt},
        {"trailing space", "34 ", std::nullopt},
        {"empty", "", std::nullopt},
        {"sign only", "-", std::nullopt},
        {"prefix only", "0x", std::nullopt},
        {"huge", "44444444444444444444", std::nullopt},
    };
    for (const Row& row : rows) EXPECT_EQ(readWholeInt(row.input), row.expected) << row.name;
}

TEST(TextUtil, LeadingIntegerReadingsNeverFail) {
    struct Row {
        const char* name;
        std::string_view input;
        std::int32_t expected;
    };
    const Row rows[] = {
        {"digits then text", "12abc", 12},
        {"no digits", "abc", 0},
        {"padded", " 9", 9},
        {"stops before overflow", "21474836479", 2147483647},
        {"hex stops after 8 digits", "$FFFFFFFFF", -1},
        {"time field", "22:14", 22},
        {"colon first", ":5", 0},
    };
    for (const Row& row : rows) EXPECT_EQ(readLeadingInt(row.input), row.expected) << row.name;
}

TEST(TextUtil, CuttingAndSearchingClamp) {
    const std::string_view s = "abcdef";
    EXPECT_EQ(cut(s, 0, 2), "ab");
    EXPECT_EQ(cut(s, -5, 2), "ab");
    EXPECT_EQ(cut(s, 7, 1), "");
    EXPECT_EQ(cut(s, 3, -1), "");
    EXPECT_EQ(cut(s, 5, 10), "ef");
    EXPECT_EQ(cutFrom(s, 6), "f");
    EXPECT_EQ(find("abcabc", 'c', 4), 6);
    EXPECT_EQ(find("abcabc", 'c', 0), 3);
    EXPECT_EQ(find("abcabc", 'z'), 0);
    EXPECT_EQ(find("abcabc", "bc", 3), 5);
    EXPECT_EQ(find("abc", 'a', 4), 0);
    EXPECT_EQ(trim(std::string_view("\0 \t x y \r\n", 10)), "x y");
}

}  // namespace
}  // namespace corvane::text
