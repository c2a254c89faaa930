#include "filter/FilterParser.h"

#include <array>
#include <optional>

#include "filter/FilterTexts.h"

namespace corvane {
namespace {

struct FunctionName {
    std::string_view name;
    std::optional<FilterFunction> function;  // none for the aggregates
};

constexpr std::array<FunctionName, 20> kFunctions = {{
    {"UPPER", FilterFunction::Upper},
    {"LOWER", FilterFunction::Lower},
    {"SUBSTRING", FilterFunction::Substring},
    {"TRIM", FilterFunction::Trim},
    {"TRIMLEFT", FilterFunction::TrimLeft},
    {"TRIMRIGHT", FilterFunction::TrimRight},
    {"YEAR", FilterFunction::Year},
    {"MONTH", FilterFunction::Month},
    {"DAY", FilterFunction::Day},
    {"HOUR", FilterFunction::Hour},
    {"MINUTE", FilterFunction::Minute},
    {"SECOND", FilterFunction::Second},
    {"DATE", FilterFunction::Date},
    {"TIME", FilterFunction::Time},
    {"GETDATE", FilterFunction::GetDate},
    {"SUM", std::nullopt},
    {"MIN", std::nullopt},
    {"MAX", std::nullopt},
    {"AVG", std::nullopt},
    {"COUNT", std::nullopt},
}};

const FunctionName* findFunction(std::string_view name) {
    for (const FunctionName& f : kFunctions)
        if (equalsIgnoringCase(name, f.name))
            return &f;
    return nullptr;
}

std::optional<CompareOp> comparisonOf(TokenKind kind) {
    switch (kind) {
        case TokenKind::Equal:
            return CompareOp::Equal;
        case TokenKind::NotEqual:
            return CompareOp::NotEqual;
        case TokenKind::Less:
            return CompareOp::Less;
        case TokenKind::Greater:
            return CompareOp::Greater;
        case TokenKind::LessEqual:
            return CompareOp::LessEqual;
        case TokenKind::GreaterEqual:
            return CompareOp::GreaterEqual;
        default:
            return std::nullopt;
    }
}

FilterType typeOf(FieldType type) {
    switch (type) {
        case FieldType::Text:
            return FilterType::Text;
        case FieldType::DateTime:
            return FilterType::Moment;
        default:
            return FilterType::Integer;
    }
}

}  // namespace

FilterParser::FilterParser(std::string_view text, std::span<const FieldDef> fields,
                           const LocaleFormats& formats, bool ignoreCase)
    : m_tokens(tokenizeFilter(text, formats.decimalSeparator)),
      m_fields(fields),
      m_binder(formats, ignoreCase) {}

const Token& FilterParser::following() const {
    return m_index + 1 < m_tokens.size() ? m_tokens[m_index + 1] : m_tokens.back();
}

void FilterParser::advance() {
    if (m_index + 1 < m_tokens.size())
        ++m_index;
    // A lexical fault is reported once the parser reaches it, as nothing can follow it.
    if (current().kind == TokenKind::Error)
        m_binder.fail(current().text, current().position);
}

bool FilterParser::isKeyword(const Token& token, std::string_view word) const {
    return token.kind == TokenKind::Name && equalsIgnoringCase(token.text, word);
}

bool FilterParser::fail(std::string_view message, const Token& token) {
    return m_binder.fail(std::string(message), token.position);
}

bool FilterParser::failFormatted(std::string_view message, const Token& token) {
    return m_binder.fail(filter_texts::format(message, token.describe()), token.position);
}

FilterNodePtr FilterParser::parse() {
    if (current().kind == TokenKind::Error) {
        fail(current().text, current());
        return nullptr;
    }
    FilterOperand root;
    if (!parseExpression(root))
        return nullptr;
    if (current().kind != TokenKind::End) {
        fail(filter_texts::kIncorrectlyTerminated, current());
        return nullptr;
    }
    if (root.aggregate) {
        m_binder.fail(std::string(filter_texts::kAggregateNotAllowed), root.aggregatePosition);
        return nullptr;
    }
    FilterNodePtr node;
    if (!m_binder.condition(root, node))
        return nullptr;
    return node;
}

bool FilterParser::parseExpression(FilterOperand& out) {
    struct DepthGuard {
        int& depth;
        ~DepthGuard() { --depth; }
    } guard{++m_depth};
    if (m_depth > kMaxDepth)
        return failFormatted(filter_texts::kExpressionExpected, current());

    FilterOperand first;
    if (!parseAndChain(first))
        return false;
    if (!isKeyword(current(), "OR")) {
        out = std::move(first);
        return true;
    }
    const int position = current().position;
    std::vector<FilterOperand> terms;
    terms.push_back(std::move(first));
    while (isKeyword(current(), "OR")) {
        advance();
        FilterOperand term;
        if (!parseAndChain(term))
            return false;
        terms.push_back(std::move(term));
    }
    out.position = terms.front().position;
    return m_binder.junction(false, terms, position, out);
}

bool FilterParser::parseAndChain(FilterOperand& out) {
    FilterOperand first;
    if (!parseNegation(first))
        return false;
    if (!isKeyword(current(), "AND")) {
        out = std::move(first);
        return true;
    }
    const int position = current().position;
    std::vector<FilterOperand> terms;
    terms.push_back(std::move(first));
    while (isKeyword(current(), "AND")) {
        advance();
        FilterOperand term;
        if (!parseNegation(term))
            return false;
        terms.push_back(std::move(term));
    }
    out.position = terms.front().position;
    return m_binder.junction(true, terms, position, out);
}

bool FilterParser::parseNegation(FilterOperand& out) {
    if (!isKeyword(current(), "NOT"))
        return parseComparison(out);
    const int position = current().position;
    advance();
    FilterOperand operand;
    if (!parseComparison(operand))
        return false;
    out.position = position;
    return m_binder.negation(operand, out);
}

bool FilterParser::parseComparison(FilterOperand& out) {
    FilterOperand left;
    if (!parseSum(left))
        return false;
    const Token& op = current();
    const int position = op.position;
    out.position = left.position;
    if (const auto compare = comparisonOf(op.kind)) {
        advance();
        FilterOperand right;
        return parseSum(right) && m_binder.compare(left, *compare, right, position, out);
    }
    if (isKeyword(op, "LIKE")) {
        advance();
        FilterOperand right;
        return parseSum(right) && m_binder.like(left, right, position, out);
    }
    if (isKeyword(op, "IS")) {
        advance();
        bool wantNull = true;
        if (isKeyword(current(), "NOT")) {
            wantNull = false;
            advance();
        }
        if (!isKeyword(current(), "NULL"))
            return fail(filter_texts::kInvalidKeywordUse, current());
        advance();
        return m_binder.nullTest(left, wantNull, out);
    }
    if (isKeyword(op, "IN")) {
        advance();
        return parseInList(left, position, out);
    }
    out = std::move(left);
    return true;
}

bool FilterParser::parseInList(FilterOperand& left, int position, FilterOperand& out) {
    if (current().kind != TokenKind::LeftParen)
        return failFormatted(filter_texts::kLeftParenExpected, current());
    advance();
    if (current().kind == TokenKind::RightParen)
        return fail(filter_texts::kEmptyInList, current());
    std::vector<FilterOperand> items;
    for (;;) {
        FilterOperand item;
        if (!parseExpression(item))
            return false;
        items.push_back(std::move(item));
        if (current().kind == TokenKind::Comma) {
            advance();
            continue;
        }
        if (current().kind != TokenKind::RightParen)
            return failFormatted(filter_texts::kParenOrCommaExpected, current());
        advance();
        break;
    }
    return m_binder.in(left, items, position, out);
}

bool FilterParser::parseSum(FilterOperand& out) {
    FilterOperand first;
    if (!parseTerm(first))
        return false;
    std::vector<FilterBinder::Step> steps;
    while (current().kind == TokenKind::Plus || current().kind == TokenKind::Minus) {
        FilterBinder::Step step{current().kind == TokenKind::Plus ? '+' : '-', current().position, {}};
        advance();
        if (!parseTerm(step.operand))
            return false;
        steps.push_back(std::move(step));
    }
    return m_binder.arithmetic(first, steps, out);
}

bool FilterParser::parseTerm(FilterOperand& out) {
    FilterOperand first;
    if (!parseOperand(first))
        return false;
    std::vector<FilterBinder::Step> steps;
    while (current().kind == TokenKind::Star || current().kind == TokenKind::Slash) {
        FilterBinder::Step step{current().kind == TokenKind::Star ? '*' : '/', current().position, {}};
        advance();
        if (!parseOperand(step.operand))
            return false;
        steps.push_back(std::move(step));
    }
    return m_binder.arithmetic(first, steps, out);
}

bool FilterParser::parseOperand(FilterOperand& out) {
    const Token& token = current();
    out.position = token.position;
    out.display = token.describe();
    switch (token.kind) {
        case TokenKind::Name:
            if (isKeyword(token, "NULL")) {
                out.constant = ConstantKind::Null;
            } else if (isKeyword(token, "TRUE") || isKeyword(token, "FALSE")) {
                out.constant = ConstantKind::Boolean;
                out.value.clear();
                out.value.push_back(isKeyword(token, "TRUE") ? '1' : '0');
            } else if (isOperatorKeyword(token.text)) {
                return failFormatted(filter_texts::kExpressionExpected, token);
            } else if (following().kind == TokenKind::LeftParen && findFunction(token.text)) {
                return parseCall(out);
            } else {
                return parseField(token, token.text, out);
            }
            advance();
            return true;
        case TokenKind::Field:
            return parseField(token, token.text, out);
        case TokenKind::String:
            out.constant = ConstantKind::Text;
            out.value = token.text;
            advance();
            return true;
        case TokenKind::Number:
            out.constant = ConstantKind::Number;
            out.value = token.text;
            advance();
            return true;
        case TokenKind::LeftParen: {
            advance();
            if (!parseExpression(out))
                return false;
            if (current().kind != TokenKind::RightParen)
                return failFormatted(filter_texts::kRightParenExpected, current());
            advance();
            return true;
        }
        case TokenKind::Error:
            return fail(token.text, token);
        default:
            return failFormatted(filter_texts::kExpressionExpected, token);
    }
}

bool FilterParser::parseCall(FilterOperand& out) {
    const Token& name = current();
    const int position = name.position;
    const FunctionName* function = findFunction(name.text);
    const bool count = equalsIgnoringCase(name.text, "COUNT");
    advance();  // the name
    advance();  // "("
    std::vector<FilterOperand> arguments;
    if (current().kind == TokenKind::RightParen) {
        advance();
    } else {
        for (;;) {
            if (count && arguments.empty() && current().kind == TokenKind::Star) {
                advance();
                arguments.emplace_back();
            } else {
                FilterOperand argument;
                if (!parseExpression(argument))
                    return false;
                arguments.push_back(std::move(argument));
            }
            if (current().kind == TokenKind::Comma) {
                advance();
                continue;
            }
            if (current().kind != TokenKind::RightParen)
                return failFormatted(filter_texts::kParenOrCommaExpected, current());
            advance();
            break;
        }
    }
    if (!function->function) {
        out.aggregate = true;
        out.aggregatePosition = position;
        out.type = FilterType::Float;
        out.node = ConstantNode::null(FilterType::Float);
        return true;
    }
    return m_binder.function(*function->function, arguments, position, out);
}

bool FilterParser::parseField(const Token& token, const std::string& name, FilterOperand& out) {
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const FieldDef& field = m_fields[i];
        if (!equalsIgnoringCase(field.name, name))
            continue;
        if (field.kind != FieldKind::Data)
            return m_binder.fail(filter_texts::format(filter_texts::kFieldNotUsable, name), token.position);
        out.type = typeOf(field.type);
        out.varying = true;
        out.node = std::make_unique<FieldNode>(out.type, static_cast<int>(i));
        advance();
        return true;
    }
    return m_binder.fail(filter_texts::format(filter_texts::kFieldNotFound, name), token.position);
}

}  // namespace corvane
