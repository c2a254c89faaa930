#include "filter/FilterLexer.h"

#include <array>

#include "filter/FilterTexts.h"
#include "filter/TextFold.h"

namespace corvane {
namespace {

constexpr std::size_t kMaxStringLength = 256;

bool isBlank(unsigned char c) {
    return c >= 1 && c <= 32;
}
bool isLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
bool isNameStart(unsigned char c) {
    return isLetter(c) || c == '_' || (c >= 129 && c <= 254);
}
bool isNameChar(unsigned char c) {
    return isLetter(c) || isDigit(c) || c == '_' || c == '.' || c == '[' || c == ']';
}

class Lexer {
public:
    Lexer(std::string_view text, char separator) : m_text(text), m_separator(separator) {}

    std::vector<Token> run() {
        std::vector<Token> out;
        for (;;) {
            Token t = next(out.empty() ? TokenKind::End : out.back().kind,
                           out.empty() ? std::string_view{} : std::string_view(out.back().text));
            const bool stop = t.kind == TokenKind::End || t.kind == TokenKind::Error;
            out.push_back(std::move(t));
            if (stop)
                return out;
        }
    }

private:
    unsigned char at(std::size_t i) const {
        return i < m_text.size() ? static_cast<unsigned char>(m_text[i]) : 0;
    }
    bool atEnd(std::size_t i) const { return i >= m_text.size(); }

    Token make(TokenKind kind, std::size_t start, std::size_t end, std::string text = {}) {
        Token t;
        t.kind = kind;
        t.position = static_cast<int>(start);
        t.source = std::string(m_text.substr(start, end - start));
        t.text = kind == TokenKind::String || kind == TokenKind::Field || kind == TokenKind::Error
                     ? std::move(text)
                     : t.source;
        m_pos = end;
        return t;
    }

    Token error(std::string_view message, std::size_t start) {
        Token t = make(TokenKind::Error, start, start, std::string(message));
        return t;
    }

    static bool endsOperand(TokenKind kind, std::string_view text) {
        switch (kind) {
            case TokenKind::Field:
            case TokenKind::String:
            case TokenKind::Number:
            case TokenKind::RightParen:
                return true;
            case TokenKind::Name:
                return !isOperatorKeyword(text);
            default:
                return false;
        }
    }

    Token next(TokenKind previous, std::string_view previousText) {
        for (;;) {
            while (!atEnd(m_pos) && isBlank(at(m_pos))) ++m_pos;
            if (!(at(m_pos) == '/' && at(m_pos + 1) == '*'))
                break;
            // A comment ends at its first "*", which must be followed by "/".
            std::size_t i = m_pos + 2;
            while (!atEnd(i) && at(i) != '*') ++i;
            if (atEnd(i) || at(i + 1) != '/')
                return error(filter_texts::format(filter_texts::kInvalidCharacter, "/"), m_pos);
            m_pos = i + 2;
        }
        const std::size_t start = m_pos;
        if (atEnd(start))
            return make(TokenKind::End, start, start);
        const unsigned char c = at(start);

        if (c == '[') {
            const std::size_t close = m_text.find(']', start + 1);
            if (close == std::string_view::npos)
                return error(filter_texts::kUnterminatedField, start);
            return make(TokenKind::Field, start, close + 1,
                        std::string(m_text.substr(start + 1, close - start - 1)));
        }
        if (isNameStart(c)) {
            std::size_t i = start + 1;
            while (!atEnd(i) && isNameChar(at(i))) ++i;
            return make(TokenKind::Name, start, i);
        }
        if (c == '\'')
            return stringConstant(start);
        if (c == '-' && endsOperand(previous, previousText))
            return make(TokenKind::Minus, start, start + 1);
        if (isDigit(c) || c == '-')
            return number(start);

        switch (c) {
            case '=':
                return make(TokenKind::Equal, start, start + 1);
            case '<':
                if (at(start + 1) == '>')
                    return make(TokenKind::NotEqual, start, start + 2);
                if (at(start + 1) == '=')
                    return make(TokenKind::LessEqual, start, start + 2);
                return make(TokenKind::Less, start, start + 1);
            case '>':
                if (at(start + 1) == '=')
                    return make(TokenKind::GreaterEqual, start, start + 2);
                return make(TokenKind::Greater, start, start + 1);
            case '+':
                return make(TokenKind::Plus, start, start + 1);
            case '*':
                return make(TokenKind::Star, start, start + 1);
            case '/':
                return make(TokenKind::Slash, start, start + 1);
            case '(':
                return make(TokenKind::LeftParen, start, start + 1);
            case ')':
                return make(TokenKind::RightParen, start, start + 1);
            case ',':
                return make(TokenKind::Comma, start, start + 1);
            default:
                break;
        }
        return error(filter_texts::format(filter_texts::kInvalidCharacter, m_text.substr(start, 1)), start);
    }

    Token number(std::size_t start) {
        std::size_t i = start + 1;
        for (; !atEnd(i); ++i) {
            const unsigned char c = at(i);
            if (isDigit(c) || c == '+' || c == '-' || c == 'e' || c == 'E')
                continue;
            if (c == static_cast<unsigned char>(m_separator) && m_separator != 0) {
                if (c == ',' && isBlank(at(i + 1)))
                    break;
                continue;
            }
            break;
        }
        return make(TokenKind::Number, start, i);
    }

    // Whether a lone quote at `quote` stays part of the string (see tokenizeFilter).
    bool quoteIsLiteral(std::size_t quote) const {
        if (m_text.find('\'', quote + 1) == std::string_view::npos)
            return false;
        std::size_t i = quote + 1;
        while (!atEnd(i) && (isBlank(at(i)) || at(i) == ')')) ++i;
        if (atEnd(i) || !isNameStart(at(i)))
            return false;
        std::size_t end = i;
        while (!atEnd(end) && isNameChar(at(end))) ++end;
        const std::string_view word = m_text.substr(i, end - i);
        static constexpr std::array<std::string_view, 15> kStops = {
            "AND",        "OR",     "LIKE", "IS",    "NULL",   "ASC",   "ASCENDING", "DESC",
            "DESCENDING", "SELECT", "FROM", "WHERE", "HAVING", "UNION", "PLAN"};
        for (std::string_view stop : kStops)
            if (equalsIgnoringCase(word, stop))
                return false;
        static constexpr std::array<std::pair<std::string_view, std::string_view>, 3> kPairs = {
            std::pair{"GROUP", "BY"}, std::pair{"ORDER", "BY"}, std::pair{"FOR", "UPDATE"}};
        for (const auto& [first, second] : kPairs) {
            if (!equalsIgnoringCase(word, first))
                continue;
            std::size_t j = end;
            while (!atEnd(j) && isBlank(at(j))) ++j;
            std::size_t k = j;
            while (!atEnd(k) && isNameChar(at(k))) ++k;
            if (equalsIgnoringCase(m_text.substr(j, k - j), second))
                return false;
        }
        return true;
    }

    Token stringConstant(std::size_t start) {
        std::string value;
        std::size_t i = start + 1;
        for (;;) {
            if (atEnd(i))
                return error(filter_texts::kUnterminatedString, start);
            const char c = m_text[i];
            if (c == '\'') {
                if (at(i + 1) == '\'' && !atEnd(i + 1)) {
                    if (value.size() < kMaxStringLength)
                        value += '\'';
                    i += 2;
                    continue;
                }
                if (!quoteIsLiteral(i))
                    break;
            }
            if (value.size() < kMaxStringLength)
                value += c;
            ++i;
        }
        return make(TokenKind::String, start, i + 1, std::move(value));
    }

    std::string_view m_text;
    char m_separator;
    std::size_t m_pos = 0;
};

}  // namespace

std::string Token::describe() const {
    if (kind == TokenKind::End)
        return std::string(filter_texts::kNothing);
    return "'" + (kind == TokenKind::String ? text : source) + "'";
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (text_fold::lower(a[i]) != text_fold::lower(b[i]))
            return false;
    return true;
}

bool isOperatorKeyword(std::string_view name) {
    for (std::string_view k : {"AND", "OR", "NOT", "LIKE", "IN", "IS"})
        if (equalsIgnoringCase(name, k))
            return true;
    return false;
}

std::vector<Token> tokenizeFilter(std::string_view text, char decimalSeparator) {
    return Lexer(text, decimalSeparator).run();
}

}  // namespace corvane
