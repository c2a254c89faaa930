#pragma once

#include <string>
#include <string_view>

namespace corvane::filter_texts {

// The compile errors of the filter language, shown to the operator as they stand. "%s" is the
// offending token in single quotes, or the word nothing at the end of the text.
inline constexpr std::string_view kIncorrectlyTerminated = "Filter expression incorrectly terminated";
inline constexpr std::string_view kUnterminatedField = "Unterminated field name";
inline constexpr std::string_view kUnterminatedString = "Unterminated string constant";
inline constexpr std::string_view kInvalidCharacter = "Invalid filter expression character: '%s'";
inline constexpr std::string_view kLeftParenExpected = "'(' expected but %s found";
inline constexpr std::string_view kRightParenExpected = "')' expected but %s found";
inline constexpr std::string_view kParenOrCommaExpected = "')' or ',' expected but %s found";
inline constexpr std::string_view kExpressionExpected = "Expression expected but %s found";
inline constexpr std::string_view kFieldNotFound = "Field '%s' not found";
inline constexpr std::string_view kFieldNotUsable = "Field '%s' cannot be used in a filter expression";
inline constexpr std::string_view kNullOnlyWithEquals = "NULL only allowed with '=' and '<>'";
inline constexpr std::string_view kEmptyInList = "IN predicate list may not be empty";
inline constexpr std::string_view kInvalidKeywordUse = "Invalid use of keyword";
inline constexpr std::string_view kTypeMismatch = "Type mismatch in expression";
inline constexpr std::string_view kNotACondition = "Incorrectly formed filter expression";
inline constexpr std::string_view kAggregateNotAllowed = "Aggregate expressions not allowed in filters";
inline constexpr std::string_view kAggregateMixed =
    "Operation cannot mix aggregate value with record-varying value";
inline constexpr std::string_view kConstantOutOfRange = "Constant out of range";
inline constexpr std::string_view kConstantWrongType = "Constant is not correct type %s";
inline constexpr std::string_view kNotAnInteger = "'%s' is not a valid integer value";
inline constexpr std::string_view kNotADateTime = "'%s' is not a valid date and time";

// The word that stands for the end of the text in place of a token.
inline constexpr std::string_view kNothing = "nothing";

// The message with its first "%s" replaced by the argument.
inline std::string format(std::string_view message, std::string_view argument) {
    const auto at = message.find("%s");
    if (at == std::string_view::npos)
        return std::string(message);
    std::string out;
    out.reserve(message.size() + argument.size());
    out.append(message.substr(0, at)).append(argument).append(message.substr(at + 2));
    return out;
}

}  // namespace corvane::filter_texts
