#include "filter/HighlightTerms.h"

#include "filter/FilterLexer.h"

#include <algorithm>

namespace corvane {

namespace {

bool isMessageField(const Token& t) {
    return (t.kind == TokenKind::Field || t.kind == TokenKind::Name) && equalsIgnoringCase(t.text, "Message");
}

bool isKeyword(const Token& t, std::string_view word) {
    return t.kind == TokenKind::Name && equalsIgnoringCase(t.text, word);
}

void addTerm(std::vector<std::string>& terms, std::string term) {
    if (!term.empty() && std::find(terms.begin(), terms.end(), term) == terms.end())
        terms.push_back(std::move(term));
}

void addLiteralRuns(std::vector<std::string>& terms, std::string_view pattern) {
    std::string run;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] == '%') {
            run += '%';
            ++i;
        } else if (c == '%' || c == '_') {
            addTerm(terms, std::move(run));
            run.clear();
        } else {
            run += c;
        }
    }
    addTerm(terms, std::move(run));
}

}  // namespace

std::vector<std::string> highlightTerms(std::string_view filterText, char decimalSeparator) {
    const std::vector<Token> tokens = tokenizeFilter(filterText, decimalSeparator);
    std::vector<std::string> terms;
    auto negated = [&](std::size_t first) { return first > 0 && isKeyword(tokens[first - 1], "NOT"); };
    for (std::size_t i = 0; i + 2 < tokens.size(); ++i) {
        const Token& a = tokens[i];
        const Token& op = tokens[i + 1];
        const Token& b = tokens[i + 2];
        // A constant that goes on ("'a' + 'b'") is not the text compared with.
        const bool whole = i + 3 >= tokens.size() || tokens[i + 3].kind != TokenKind::Plus;
        if (isMessageField(a) && b.kind == TokenKind::String && whole && !negated(i)) {
            if (isKeyword(op, "LIKE"))
                addLiteralRuns(terms, b.text);
            else if (op.kind == TokenKind::Equal)
                addTerm(terms, b.text);
        } else if (a.kind == TokenKind::String && op.kind == TokenKind::Equal && isMessageField(b) &&
                   !negated(i)) {
            addTerm(terms, a.text);
        }
    }
    return terms;
}

}  // namespace corvane
