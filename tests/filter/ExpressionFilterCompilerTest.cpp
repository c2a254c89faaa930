#include "filter/ExpressionFilterCompiler.h"

#include <gtest/gtest.h>

#include <string>

#include "FilterFixture.h"

namespace corvane {
namespace {

using testing::messageTable;

LocaleFormats usFormats() {
    return {"M/d/yy", "h:mm:ss AP", '.'};
}
LocaleFormats germanFormats() {
    return {"dd.MM.yyyy", "HH:mm:ss", ','};
}

struct CountCase {
    const char* name;
    const char* expression;
    int expected;
};

void PrintTo(const CountCase& c, std::ostream* os) {
    *os << c.expression;
}

int countOf(const ExpressionFilterCompiler& compiler, const std::string& text, bool caseInsensitive = true) {
    const auto table = messageTable();
    const auto result = compiler.compile(text, table.fields(), caseInsensitive);
    if (!result.ok()) {
        ADD_FAILURE() << text << ": " << result.error << " at " << result.errorPosition;
        return -1;
    }
    return table.count(*result.filter);
}

class CountTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(CountTest, KeepsTheExpectedMessages) {
    const ScopedClock clock(testing::at(2024, 12, 10, 20, 0, 0));
    EXPECT_EQ(countOf(ExpressionFilterCompiler(usFormats()), GetParam().expression), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Expressions, CountTest,
    ::testing::Values(
        CountCase{"PrefixStarAnyCase", "[Message] = 'disk*'", 2},
        CountCase{"PrefixStarNotEqual", "[Message] <> 'disk*'", 4},
        CountCase{"LoneStarIsLiteral", "[Message] = '*'", 0},
        CountCase{"LikeContainsAnyCase", "[Message] LIKE '%error%'", 2},
        CountCase{"LikeUnderscore", "[Message] like '___ done'", 1},
        CountCase{"LikeSuffixWithUnderscore", "[Message] LIKE '%done_ok'", 1},
        CountCase{"LikeEverything", "[Message] LIKE '%%'", 6},
        CountCase{"SeverityByName", "[Severity] = 'Error' or [Severity] = 'Warning'", 3},
        CountCase{"SeverityByCode", "[SeverityKey] IN (3, 4)", 3},
        CountCase{"EqualsIgnoresCase", "[Severity] = 'error'", 2},
        CountCase{"NotEqualIgnoresCase", "[Severity] <> 'ERROR'", 4},
        CountCase{"InIgnoresCase", "[Severity] in ('ERROR', 'notice')", 3},
        CountCase{"AddressAsNumber", "[Address] = 10.0.0.5", 3},
        CountCase{"AddressQuoted", "[Address] = '10.0.0.5'", 3},
        CountCase{"AddressFourParts", "[Address] = 192.168.1.20", 1},
        CountCase{"TextTakesIntegerType", "[Key] in ('1', 2, 3)", 3},
        CountCase{"ConstantOnTheLeft", "3 < [Key]", 3},
        CountCase{"IntegerRange", "[Key] > 2 and [Key] <= 4", 2}, CountCase{"Not", "not [Key] = 1", 5},
        CountCase{"AndBindsTighterThanOr", "[Key] = 1 or [Key] = 2 and [Host] = 'beta'", 2},
        CountCase{"Parentheses", "([Key] = 1 or [Key] = 2) and [Host] = 'alpha'", 1},
        CountCase{"IsNull", "[PID] is null", 1}, CountCase{"IsNotNull", "[PID] IS NOT NULL", 5},
        CountCase{"EqualsNull", "[PID] = NULL", 1}, CountCase{"NotEqualsNull", "[PID] <> null", 5},
        CountCase{"NullNeverCompares", "[PID] < 1000", 5},
        CountCase{"NotOfNullComparison", "NOT [PID] = 100", 5},
        CountCase{"NeverFilledField", "[SubProcess] IS NULL", 6},
        CountCase{"ArithmeticWithNullIsNull", "[PID] + 1 IS NULL", 1},
        CountCase{"DoubledQuote", "[Process] = 'O''Brien'", 1},
        CountCase{"LoneQuoteBeforeWord", "[Process] = 'O'Brien'", 1},
        CountCase{"LoneQuoteInParentheses", "([Process] = 'O'Brien')", 1},
        CountCase{"QuoteBeforeKeywordEnds", "[Process] = 'cron' OR [Process] = 'app'", 2},
        CountCase{"Comment", "/* only errors */ [SeverityKey] = 3", 2},
        CountCase{"MinusAfterField", "[Key]-1 = 0", 1}, CountCase{"MinusWithBlanks", "[Key] > 5 - 1", 2},
        CountCase{"NegativeNumber", "[Key] > -1", 6},
        CountCase{"NegativeAfterKeyword", "[Key] > 1 and -5 < [Key]", 5},
        CountCase{"Arithmetic", "[Key] * 2 + 1 = 7", 1}, CountCase{"Division", "[Key] / 2 = 1.5", 1},
        CountCase{"TextConcatenation", "[Host] + '@' + [Address] = 'alpha@10.0.0.5'", 3},
        CountCase{"TrueAndFalse", "[Key] = True or False", 1}, CountCase{"TrueAlone", "True", 6},
        CountCase{"DateAfter", "[Date] > '12/8/24 9:15:00 AM'", 3},
        CountCase{"DateAtOrAfter", "[Date] >= '12/8/24 9:15:00 AM'", 4},
        CountCase{"DateAloneIsMidnight", "[Date] > '12/9/24'", 1},
        CountCase{"DateEqualsMidnight", "[Date] = '12/9/24'", 1},
        CountCase{"DatePlusDays", "[Date] + 1 > '12/10/24'", 1},
        CountCase{"DateMinusDate", "[Date] - [TimeStamp] > 0.04", 6},
        CountCase{"TextMinusDate", "'12/10/24 6:45:30 PM' - [Date] = 0", 1},
        CountCase{"GetDate", "GETDATE() - [Date] < 1", 1}, CountCase{"Year", "YEAR([Date]) = 2023", 1},
        CountCase{"Month", "MONTH([Date]) = 12", 5}, CountCase{"DayInList", "DAY([Date]) IN (9, 10)", 2},
        CountCase{"HourAndMinute", "HOUR([Date]) = 12 and MINUTE([Date]) = 30", 1},
        CountCase{"Second", "SECOND([Date]) = 30", 1},
        CountCase{"DateFunction", "DATE([Date]) = '12/8/24'", 3},
        CountCase{"TimeFunction", "TIME([Date]) > '12:00:00 PM'", 2},
        CountCase{"YearOfText", "YEAR('12/8/24') = 2024", 6},
        CountCase{"Upper", "UPPER([Host]) = 'ALPHA'", 3}, CountCase{"Lower", "lower([Facility]) = 'kern'", 1},
        CountCase{"SubstringWithLength", "SUBSTRING([Address], 1, 7) = '192.168'", 2},
        CountCase{"SubstringToEnd", "SUBSTRING([Message], 6) = 'error on sda'", 1},
        CountCase{"SubstringBeforeStart", "SUBSTRING([Message], 0, 2) = 'D'", 2},
        CountCase{"Trim", "TRIM([Message]) = 'padded'", 1},
        CountCase{"TrimLeft", "TRIMLEFT([Message]) LIKE 'pad%'", 1},
        CountCase{"TrimRight", "TRIMRIGHT([Message]) = '  padded'", 1}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CaseSensitiveTable, ComparesTextExactly) {
    const ExpressionFilterCompiler compiler(usFormats());
    EXPECT_EQ(countOf(compiler, "[Host] = 'ALPHA'", false), 0);
    EXPECT_EQ(countOf(compiler, "UPPER([Host]) = 'ALPHA'", false), 3);
    EXPECT_EQ(countOf(compiler, "[Message] LIKE '%error%'", false), 1);
    EXPECT_EQ(countOf(compiler, "[Message] = 'disk*'", false), 1);
}

TEST(CommaDecimalSeparator, ReadsNumbersAndDatesInThoseFormats) {
    const ExpressionFilterCompiler compiler(germanFormats());
    EXPECT_EQ(countOf(compiler, "[Key] / 2 = 1,5"), 1);
    EXPECT_EQ(countOf(compiler, "[SeverityKey] IN (3, 4)"), 3);  // "3," before a blank is 3
    EXPECT_EQ(countOf(compiler, "[Date] > '08.12.2024 09:15:00'"), 3);
    EXPECT_EQ(countOf(compiler, "[Address] = '10.0.0.5'"), 3);

    const auto table = messageTable();
    const auto list = compiler.compile("[SeverityKey] IN (3,4)", table.fields(), true);
    EXPECT_EQ(list.error, "'3,4' is not a valid integer value");
    EXPECT_EQ(list.errorPosition, 18);

    const auto bare = compiler.compile("[Address] = 10.0.0.5", table.fields(), true);
    EXPECT_EQ(bare.error, "Invalid filter expression character: '.'");
    EXPECT_EQ(bare.errorPosition, 14);
}

TEST(LongTexts, AreRefusedOrCompiledWithoutExhaustingTheStack) {
    const ExpressionFilterCompiler compiler(usFormats());
    const auto table = messageTable();

    const auto parens = compiler.compile(std::string(100000, '('), table.fields(), true);
    EXPECT_EQ(parens.error, "Expression expected but '(' found");
    EXPECT_EQ(parens.errorPosition, 256);

    std::string chain;
    for (int i = 0; i < 100000; ++i) chain += "[Key] = 1 or ";
    chain += "[Key] = 2";
    EXPECT_EQ(countOf(compiler, chain), 2);

    std::string sum = "[Key]";
    for (int i = 0; i < 100000; ++i) sum += " + 1";
    EXPECT_EQ(countOf(compiler, sum + " = 100001"), 1);

    std::string comments;
    for (int i = 0; i < 100000; ++i) comments += "/**/";
    EXPECT_EQ(countOf(compiler, comments + "[Key] = 3"), 1);
}

TEST(StringConstants, AreCutToTheirLimits) {
    const ExpressionFilterCompiler compiler(usFormats());
    testing::FakeTable table({testing::dataField("Text", FieldType::Text, 1024)});
    table.add({std::string(255, 'a')});
    table.add({std::string(300, 'a')});
    const auto result = compiler.compile("[Text] = '" + std::string(300, 'a') + "'", table.fields(), false);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_TRUE(table.matchesRow(*result.filter, 0));
    EXPECT_FALSE(table.matchesRow(*result.filter, 1));
}

}  // namespace
}  // namespace corvane
