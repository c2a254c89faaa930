#include "protocol/TextUtil.h"

#include <cstring>

namespace corvane::text {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

std::int64_t find(std::string_view s, std::string_view needle, std::int64_t from) {
    if (from < 1)
        from = 1;
    if (needle.empty() || from > static_cast<std::int64_t>(s.size()))
        return 0;
    const auto at = s.find(needle, static_cast<std::size_t>(from - 1));
    return at == std::string_view::npos ? 0 : static_cast<std::int64_t>(at) + 1;
}

std::int64_t find(std::string_view s, char needle, std::int64_t from) {
    if (from < 1)
        from = 1;
    if (from > static_cast<std::int64_t>(s.size()))
        return 0;
    const auto start = static_cast<std::size_t>(from - 1);
    const void* hit = std::memchr(s.data() + start, needle, s.size() - start);
    return hit == nullptr ? 0 : static_cast<const char*>(hit) - s.data() + 1;
}

std::string_view cut(std::string_view s, std::int64_t p, std::int64_t n) {
    if (p < 1)
        p = 1;
    const auto size = static_cast<std::int64_t>(s.size());
    if (p > size || n <= 0)
        return {};
    if (n > size - p + 1)
        n = size - p + 1;
    return s.substr(static_cast<std::size_t>(p - 1), static_cast<std::size_t>(n));
}

std::string_view cutFrom(std::string_view s, std::int64_t p) {
    return cut(s, p, static_cast<std::int64_t>(s.size()));
}

std::string_view trim(std::string_view s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && isBlank(s[b])) ++b;
    while (e > b && isBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

IntPrefix readIntPrefix(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        negative = s[i] == '-';
        ++i;
    }
    IntPrefix r;
    std::uint32_t magnitude = 0;
    std::size_t digits = 0;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X' ||
                         (s[i] == '0' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X')))) {
        const std::size_t prefixEnd = s[i] == '0' ? i + 2 : i + 1;
        if (prefixEnd < s.size() && hexDigit(s[prefixEnd]) >= 0) {
            i = prefixEnd;
            for (; i < s.size() && hexDigit(s[i]) >= 0; ++i, ++digits) {
                if (digits == 8) {
                    r.overflow = true;
                    break;
                }
                magnitude = magnitude << 4 | static_cast<std::uint32_t>(hexDigit(s[i]));
            }
            r.length = i;
            r.value = static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude);
            return r;
        }
        // "0x" without hexadecimal digits: the "0" alone is the number.
    }
    const std::uint32_t limit = negative ? 2147483648u : 2147483647u;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++digits) {
        const auto d = static_cast<std::uint32_t>(s[i] - '0');
        if (magnitude > (limit - d) / 10) {
            r.overflow = true;
            break;
        }
        magnitude = magnitude * 10 + d;
    }
    if (digits == 0)
        return IntPrefix{};
    r.length = i;
    r.value = static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude);
    return r;
}

std::optional<std::int32_t> readWholeInt(std::string_view s) {
    const IntPrefix r = readIntPrefix(s);
    if (r.length == 0 || r.length != s.size() || r.overflow)
        return std::nullopt;
    return r.value;
}

std::int32_t readLeadingInt(std::string_view s) {
    return readIntPrefix(s).value;
}

void appendDecimal(std::string& out, std::int64_t v) {
    char buf[24];
    char* end = buf + sizeof buf;
    char* p = end;
    const bool negative = v < 0;
    auto u = negative ? 0ull - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    do {
        *--p = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (negative)
        *--p = '-';
    out.append(p, static_cast<std::size_t>(end - p));
}

}  // namespace corvane::text
