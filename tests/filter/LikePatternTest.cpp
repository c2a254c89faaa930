#include "filter/LikePattern.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

struct LikeCase {
    const char* name;
    const char* pattern;
    const char* text;
    bool ignoreCase;
    bool expected;
};

class LikePatternTest : public ::testing::TestWithParam<LikeCase> {};

TEST_P(LikePatternTest, MatchesLikeTheRawMatcher) {
    const LikeCase& c = GetParam();
    EXPECT_EQ(LikePattern(c.pattern, c.ignoreCase).matches(c.text), c.expected);
    // The precompiled shapes must agree with the general matcher.
    EXPECT_EQ(LikePattern::matches(c.text, c.pattern, c.ignoreCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, LikePatternTest,
    ::testing::Values(
        LikeCase{"ContainsAnyCase", "%error%", "Disk ERROR on sda", true, true},
        LikeCase{"ContainsCaseSensitive", "%error%", "Disk ERROR on sda", false, false},
        LikeCase{"ContainsAtStart", "%err%", "error", true, true},
        LikeCase{"ContainsMissing", "%error%", "erro", true, false},
        LikeCase{"Exact", "abc", "ABC", true, true}, LikeCase{"ExactLonger", "abc", "abcd", true, false},
        LikeCase{"Prefix", "ab%", "abxyz", false, true}, LikeCase{"PrefixMiss", "ab%", "xab", false, false},
        LikeCase{"Suffix", "%yz", "abxyz", false, true}, LikeCase{"SuffixMiss", "%yz", "yza", false, false},
        LikeCase{"PercentAlone", "%", "", false, true},
        LikeCase{"DoublePercentIsOne", "a%%c", "abbc", false, true},
        LikeCase{"DoublePercentNotLiteral", "a%%c", "a%c", false, true},
        LikeCase{"UnderscoreOne", "a_c", "abc", false, true},
        LikeCase{"UnderscoreNotEmpty", "a_c", "ac", false, false},
        LikeCase{"UnderscoreNotTwo", "a_c", "abbc", false, false},
        LikeCase{"MixedBacktrack", "%a_c%x", "aac abc x", false, true},
        LikeCase{"MixedBacktrackMiss", "%a_c%x", "aac abc y", false, false},
        LikeCase{"ManyPercents", "%a%b%c%", "xxaxxbxxcxx", false, true},
        LikeCase{"ManyPercentsOrder", "%a%b%c%", "xxcxxbxxaxx", false, false},
        LikeCase{"EmptyPatternEmptyText", "", "", false, true},
        LikeCase{"EmptyPatternText", "", "a", false, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(LikePatternTime, PathologicalPatternStaysLinearInTextTimesPattern) {
    // Exponential matchers never finish this; the bounded matcher does it in microseconds.
    const std::string text(20000, 'a');
    std::string pattern;
    for (int i = 0; i < 30; ++i) pattern += "%a";
    pattern += "%b";
    EXPECT_FALSE(LikePattern(pattern, true).matches(text));
    EXPECT_TRUE(LikePattern(pattern.substr(0, pattern.size() - 2), true).matches(text));
}

}  // namespace
}  // namespace corvane
