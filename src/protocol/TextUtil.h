#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text functions shared by the syslog parser and the time-stamp reader. Positions are 1-based as
// in the message rules: 0 means "not found", and cutting clamps instead of failing.
namespace corvane::text {

// Characters with codes 0 to 32 count as blank for trimming.
inline bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}
inline bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
// ".", "/" and the digits: codes 46 to 57.
inline bool isDigitLike(char c) {
    return c >= '.' && c <= '9';
}
inline bool isLetterOrDigit(char c) {
    return isLetter(c) || isDigitLike(c);
}
inline char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The character at 1-based position p, or '\0' when p lies outside the text.
inline char charAt(std::string_view s, std::int64_t p) {
    return p >= 1 && p <= static_cast<std::int64_t>(s.size()) ? s[static_cast<std::size_t>(p - 1)] : '\0';
}

// Smallest position q >= from where needle starts, 0 when there is none. A from below 1 counts as 1.
std::int64_t find(std::string_view s, std::string_view needle, std::int64_t from = 1);
std::int64_t find(std::string_view s, char needle, std::int64_t from = 1);

// The n characters from position p: p below 1 counts as 1, p past the end or a negative n gives
// an empty text, and n is cut to what is left.
std::string_view cut(std::string_view s, std::int64_t p, std::int64_t n);
// Everything from position p to the end, clamped as cut().
std::string_view cutFrom(std::string_view s, std::int64_t p);

std::string_view trim(std::string_view s);

// What one integer reading found at the front of a text: optional leading spaces, an optional
// sign, then decimal digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X". Decimal
// values must fit 32 signed bits; hexadecimal ones take up to 8 digits as a 32-bit pattern.
struct IntPrefix {
    std::int32_t value = 0;
    std::size_t length = 0;  // characters that belong to the number (0 when no digit was read)
    bool overflow = false;   // reading stopped at a digit that would not fit
};
IntPrefix readIntPrefix(std::string_view s);

// Succeeds only when the whole text is one number that fits.
std::optional<std::int32_t> readWholeInt(std::string_view s);
// Never fails: the value read up to the first character that does not fit, 0 when there is none.
std::int32_t readLeadingInt(std::string_view s);

// Appends the decimal digits of v.
void appendDecimal(std::string& out, std::int64_t v);

}  // namespace corvane::text
