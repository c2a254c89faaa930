#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "filter/FilterBinder.h"
#include "filter/FilterLexer.h"
#include "store/Field.h"

namespace corvane {

// Recursive-descent parser of the filter language, loosest binding first:
//   expression  := and-chain { OR and-chain }
//   and-chain   := negation { AND negation }
//   negation    := [NOT] comparison
//   comparison  := sum [ (= <> < > <= >= LIKE) sum | IS [NOT] NULL | IN ( expression {, expression} ) ]
//   sum         := term { (+ -) term }
//   term        := operand { (* /) operand }
//   operand     := function ( [args] ) | NULL | True | False | field | string | number | ( expression )
// Nesting through parentheses, IN lists and function arguments is limited, so no text can
// exhaust the stack; long AND, OR and arithmetic chains are kept flat.
class FilterParser {
public:
    static constexpr int kMaxDepth = 256;

    FilterParser(std::string_view text, std::span<const FieldDef> fields, const LocaleFormats& formats,
                 bool ignoreCase);

    // The condition of the whole text, or null with error() telling why.
    FilterNodePtr parse();
    const FilterError& error() const { return m_binder.error(); }

private:
    const Token& current() const { return m_tokens[m_index]; }
    const Token& following() const;
    void advance();
    bool isKeyword(const Token& token, std::string_view word) const;
    bool fail(std::string_view message, const Token& token);
    bool failFormatted(std::string_view message, const Token& token);

    bool parseExpression(FilterOperand& out);
    bool parseAndChain(FilterOperand& out);
    bool parseNegation(FilterOperand& out);
    bool parseComparison(FilterOperand& out);
    bool parseInList(FilterOperand& left, int position, FilterOperand& out);
    bool parseSum(FilterOperand& out);
    bool parseTerm(FilterOperand& out);
    bool parseOperand(FilterOperand& out);
    bool parseCall(FilterOperand& out);
    bool parseField(const Token& token, const std::string& name, FilterOperand& out);

    std::vector<Token> m_tokens;
    std::size_t m_index = 0;
    std::span<const FieldDef> m_fields;
    FilterBinder m_binder;
    int m_depth = 0;
};

}  // namespace corvane
