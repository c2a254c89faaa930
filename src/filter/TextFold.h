#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace corvane::text_fold {

// Case folding of the filter language: ASCII letters only, so that multi-byte text (UTF-8) and
// 8-bit text of any code page keep their bytes and compare predictably.
inline constexpr std::array<unsigned char, 256> kLower = [] {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i >= 'A' && i <= 'Z' ? i + 32 : i);
    return t;
}();

inline unsigned char lower(char c) {
    return kLower[static_cast<unsigned char>(c)];
}
inline char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

inline std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(lower(c));
    return out;
}

// `folded` is already lower-cased.
inline bool equalsFolded(std::string_view text, std::string_view folded) {
    if (text.size() != folded.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (lower(text[i]) != static_cast<unsigned char>(folded[i]))
            return false;
    return true;
}

inline bool startsWithFolded(std::string_view text, std::string_view folded) {
    return text.size() >= folded.size() && equalsFolded(text.substr(0, folded.size()), folded);
}

// -1, 0 or 1, comparing bytes as unsigned, optionally ignoring case.
inline int compare(std::string_view a, std::string_view b, bool ignoreCase) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = ignoreCase ? lower(a[i]) : static_cast<unsigned char>(a[i]);
        const unsigned char y = ignoreCase ? lower(b[i]) : static_cast<unsigned char>(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace corvane::text_fold
