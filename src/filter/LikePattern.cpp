#include "filter/LikePattern.h"

#include <algorithm>
#include <cstring>

#include "filter/TextFold.h"

namespace corvane {
namespace {

bool same(char a, char b, bool ignoreCase) {
    return ignoreCase ? text_fold::lower(a) == text_fold::lower(b) : a == b;
}

bool equalAt(std::string_view text, std::size_t at, std::string_view literal, bool ignoreCase) {
    if (at + literal.size() > text.size())
        return false;
    if (!ignoreCase)
        return std::memcmp(text.data() + at, literal.data(), literal.size()) == 0;
    return text_fold::equalsFolded(text.substr(at, literal.size()), literal);
}

// Finds `needle` (folded when ignoring case, not empty) anywhere in the text.
bool contains(std::string_view text, std::string_view needle, bool ignoreCase) {
    if (needle.size() > text.size())
        return false;
    if (!ignoreCase)
        return text.find(needle) != std::string_view::npos;
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const auto* n = reinterpret_cast<const unsigned char*>(needle.data());
    const std::size_t m = needle.size();
    const std::size_t last = text.size() - m;
    const unsigned char first = n[0];
    for (std::size_t i = 0; i <= last; ++i) {
        if (text_fold::kLower[t[i]] != first)
            continue;
        std::size_t k = 1;
        while (k < m && text_fold::kLower[t[i + k]] == n[k]) ++k;
        if (k == m)
            return true;
    }
    return false;
}

}  // namespace

LikePattern::LikePattern(std::string_view pattern, bool ignoreCase) : m_ignoreCase(ignoreCase) {
    std::string collapsed;
    collapsed.reserve(pattern.size());
    for (char c : pattern)
        if (!(c == '%' && !collapsed.empty() && collapsed.back() == '%'))
            collapsed += c;
    if (ignoreCase)
        collapsed = text_fold::lowered(collapsed);

    const bool hasUnderscore = collapsed.find('_') != std::string::npos;
    const std::size_t percents =
        static_cast<std::size_t>(std::count(collapsed.begin(), collapsed.end(), '%'));
    const bool leading = !collapsed.empty() && collapsed.front() == '%';
    const bool trailing = !collapsed.empty() && collapsed.back() == '%';
    m_literal = collapsed;
    if (hasUnderscore) {
        m_shape = Shape::General;
    } else if (collapsed == "%") {
        m_shape = Shape::Anything;
    } else if (percents == 0) {
        m_shape = Shape::Exact;
    } else if (percents == 1 && trailing) {
        m_shape = Shape::Prefix;
        m_literal.pop_back();
    } else if (percents == 1 && leading) {
        m_shape = Shape::Suffix;
        m_literal.erase(0, 1);
    } else if (percents == 2 && leading && trailing) {
        m_shape = Shape::Contains;
        m_literal = collapsed.substr(1, collapsed.size() - 2);
    }
}

bool LikePattern::matches(std::string_view text) const {
    switch (m_shape) {
        case Shape::Anything:
            return true;
        case Shape::Exact:
            return text.size() == m_literal.size() && equalAt(text, 0, m_literal, m_ignoreCase);
        case Shape::Prefix:
            return equalAt(text, 0, m_literal, m_ignoreCase);
        case Shape::Suffix:
            return text.size() >= m_literal.size() &&
                   equalAt(text, text.size() - m_literal.size(), m_literal, m_ignoreCase);
        case Shape::Contains:
            return contains(text, m_literal, m_ignoreCase);
        case Shape::General:
            break;
    }
    return matches(text, m_literal, m_ignoreCase);
}

bool LikePattern::matches(std::string_view text, std::string_view pattern, bool ignoreCase) {
    // Two pointers; on a mismatch, go back to the last "%" and let it take one more character.
    // Earlier "%"s never need revisiting, so the work is bounded by text times pattern.
    std::size_t t = 0;
    std::size_t p = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '%') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && (pattern[p] == '_' || same(pattern[p], text[t], ignoreCase))) {
            ++p;
            ++t;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '%') ++p;
    return p == pattern.size();
}

}  // namespace corvane
