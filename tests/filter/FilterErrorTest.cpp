#include <gtest/gtest.h>

#include <string>

#include "FilterFixture.h"
#include "filter/ExpressionFilterCompiler.h"

namespace corvane {
namespace {

struct ErrorCase {
    const char* name;
    const char* expression;
    const char* message;
    int position;
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
    *os << c.expression;
}

class FilterErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(FilterErrorTest, ReportsMessageAndPosition) {
    const ErrorCase& c = GetParam();
    auto fields = testing::messageFields();
    FieldDef lookup = testing::dataField("OfTime", FieldType::Text, 24);
    lookup.kind = FieldKind::Lookup;
    fields.push_back(lookup);

    const ExpressionFilterCompiler compiler(LocaleFormats{"M/d/yy", "h:mm:ss AP", '.'});
    const auto result = compiler.compile(c.expression, fields, true);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.error, c.message);
    EXPECT_EQ(result.errorPosition, c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, FilterErrorTest,
    ::testing::Values(
        ErrorCase{"DanglingAnd", "[Key] > 5 and", "Expression expected but nothing found", 13},
        ErrorCase{"EmptyText", "", "Expression expected but nothing found", 0},
        ErrorCase{"MissingOperand", "[Key] = )", "Expression expected but ')' found", 8},
        ErrorCase{"DoubleNot", "NOT NOT [Key] = 1", "Expression expected but 'NOT' found", 4},
        ErrorCase{"TrailingWord", "[Message] = 'abc' extra", "Filter expression incorrectly terminated", 18},
        ErrorCase{"StrayNumberAfterConstant", "[Key] = 1 23", "Filter expression incorrectly terminated", 10},
        ErrorCase{"StrayParen", "[Key] = 1)", "Filter expression incorrectly terminated", 9},
        ErrorCase{"UnterminatedField", "[Message = 'x'", "Unterminated field name", 0},
        ErrorCase{"UnterminatedString", "[Message] = 'abc", "Unterminated string constant", 12},
        ErrorCase{"InvalidCharacter", "[Key] ! 3", "Invalid filter expression character: '!'", 6},
        ErrorCase{"OpenComment", "[Key] = 1 /* open", "Invalid filter expression character: '/'", 10},
        ErrorCase{"CommentWithStar", "/* a * b */ [Key] = 1", "Invalid filter expression character: '/'", 0},
        ErrorCase{"InWithoutParen", "[Key] in 1", "'(' expected but '1' found", 9},
        ErrorCase{"UnclosedParen", "([Key] = 1", "')' expected but nothing found", 10},
        ErrorCase{"UnclosedInList", "[Key] in (1, 2", "')' or ',' expected but nothing found", 14},
        ErrorCase{"InListWithoutComma", "[Key] in (1 2)", "')' or ',' expected but '2' found", 12},
        ErrorCase{"ArgumentsWithoutComma", "UPPER([Host] 'a') = 'A'", "')' or ',' expected but 'a' found",
                  13},
        ErrorCase{"UnknownBracketedField", "[Nope] = 1", "Field 'Nope' not found", 0},
        ErrorCase{"UnknownPlainField", "Key = 1 and Nope = 1", "Field 'Nope' not found", 12},
        ErrorCase{"FunctionNameWithoutParen", "UPPER = 'A'", "Field 'UPPER' not found", 0},
        ErrorCase{"LookupField", "[OfTime] = 'Days'", "Field 'OfTime' cannot be used in a filter expression",
                  0},
        ErrorCase{"LikeNull", "[Message] like NULL", "NULL only allowed with '=' and '<>'", 15},
        ErrorCase{"OrderedNull", "NULL > [Key]", "NULL only allowed with '=' and '<>'", 0},
        ErrorCase{"EmptyInList", "[Key] in ()", "IN predicate list may not be empty", 10},
        ErrorCase{"IsWithoutNull", "[Key] is 5", "Invalid use of keyword", 9},
        ErrorCase{"IsNotWithoutNull", "[Key] is not 5", "Invalid use of keyword", 13},
        ErrorCase{"TextWithNumber", "[Message] = [Key] + 1", "Type mismatch in expression", 10},
        ErrorCase{"TextMinusNumber", "[Message] - 1 = 'a'", "Type mismatch in expression", 10},
        ErrorCase{"DatePlusDate", "[Date] + [TimeStamp] > 1", "Type mismatch in expression", 7},
        ErrorCase{"LikeOnInteger", "[Key] + 1 LIKE [Message]", "Type mismatch in expression", 10},
        ErrorCase{"FunctionWithoutArguments", "UPPER() = 'A'", "Type mismatch in expression", 0},
        ErrorCase{"FunctionWrongArgument", "YEAR([Message]) = 1", "Type mismatch in expression", 0},
        ErrorCase{"GetDateWithArgument", "GETDATE(1) > [Date]", "Type mismatch in expression", 0},
        ErrorCase{"FieldAlone", "[Key]", "Incorrectly formed filter expression", 0},
        ErrorCase{"FieldInAnd", "[Key] = 1 and [Host]", "Incorrectly formed filter expression", 14},
        ErrorCase{"NullAlone", "NULL", "Incorrectly formed filter expression", 0},
        ErrorCase{"Aggregate", "COUNT(*) > 5", "Aggregate expressions not allowed in filters", 0},
        ErrorCase{"AggregateOfField", "5 < sum([Key])", "Aggregate expressions not allowed in filters", 4},
        ErrorCase{"AggregateMixed", "SUM([Key]) > [Key]",
                  "Operation cannot mix aggregate value with record-varying value", 11},
        ErrorCase{"TextForInteger", "[Key] = 'abc'", "'abc' is not a valid integer value", 8},
        ErrorCase{"FractionForInteger", "[Key] = 2.5", "'2.5' is not a valid integer value", 8},
        ErrorCase{"IntegerOutOfRange", "[Key] IN (1, 99999999999)",
                  "'99999999999' is not a valid integer value", 13},
        ErrorCase{"NumberWithSigns", "[Key] > 5-1", "'5-1' is not a valid integer value", 8},
        ErrorCase{"NotADate", "[Date] > 'yesterday'", "'yesterday' is not a valid date and time", 9},
        ErrorCase{"ImpossibleDate", "[Date] > '2/30/24'", "'2/30/24' is not a valid date and time", 9},
        ErrorCase{"TruthAsText", "[Message] = True", "Constant is not correct type 'True'", 12},
        ErrorCase{"MalformedNumber", "1.2.3 > 5", "Constant is not correct type '1.2.3'", 0}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace corvane
