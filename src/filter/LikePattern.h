#pragma once

#include <string>
#include <string_view>

namespace corvane {

// A LIKE pattern: "%" stands for any run of characters (empty included; "%%" is one "%"), "_"
// for exactly one character, every other character for itself; the pattern covers the whole
// text. Common shapes (exact, prefix, suffix, contains, anything) are recognised once and matched
// with a plain search; the rest go through a matcher whose time is at most text times pattern.
class LikePattern {
public:
    LikePattern(std::string_view pattern, bool ignoreCase);

    bool matches(std::string_view text) const;

    // Matches a pattern that is only known per record.
    static bool matches(std::string_view text, std::string_view pattern, bool ignoreCase);

private:
    enum class Shape : unsigned char { Anything, Exact, Prefix, Suffix, Contains, General };

    Shape m_shape = Shape::General;
    bool m_ignoreCase = false;
    std::string m_literal;  // folded when ignoring case; the whole pattern for General
};

}  // namespace corvane
