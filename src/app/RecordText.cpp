#include "app/RecordText.h"

#include "protocol/TextUtil.h"

#include <array>
#include <cstdint>

namespace corvane::record_text {

bool isValidUtf8(std::string_view s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const auto* end = p + s.size();
    while (p < end) {
        // Plain ASCII runs are the common case; skip them eight bytes at a time.
        while (end - p >= 8) {
            std::uint64_t word;
            __builtin_memcpy(&word, p, 8);
            if (word & 0x8080808080808080ull)
                break;
            p += 8;
        }
        if (p >= end)
            break;
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int extra;
        std::uint32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= extra)
            return false;
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        p += extra + 1;
    }
    return true;
}

void appendUtf8(std::string& out, std::string_view bytes) {
    if (isValidUtf8(bytes)) {
        out.append(bytes);
        return;
    }
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out.push_back(ch);
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
}

namespace {

void appendDigits(std::string& out, int value, int width) {
    char buf[8];
    for (int i = width - 1; i >= 0; --i) {
        buf[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out.append(buf, static_cast<std::size_t>(width));
}

bool readDigits(std::string_view s, std::size_t at, int width, int& value) {
    if (at + static_cast<std::size_t>(width) > s.size())
        return false;
    value = 0;
    for (int i = 0; i < width; ++i) {
        const char c = s[at + static_cast<std::size_t>(i)];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

}  // namespace

void appendDateTime(std::string& out, DateTime value, char separator) {
    const DateTimeFields f = decodeDateTime(value);
    appendDigits(out, f.year, 4);
    out.push_back('-');
    appendDigits(out, f.month, 2);
    out.push_back('-');
    appendDigits(out, f.day, 2);
    out.push_back(separator);
    appendDigits(out, f.hour, 2);
    out.push_back(':');
    appendDigits(out, f.minute, 2);
    out.push_back(':');
    appendDigits(out, f.second, 2);
    out.push_back('.');
    appendDigits(out, f.millisecond, 3);
}

std::optional<DateTime> readDateTime(std::string_view s) {
    DateTimeFields f;
    if (s.size() < 19 || !readDigits(s, 0, 4, f.year) || s[4] != '-' || !readDigits(s, 5, 2, f.month) ||
        s[7] != '-' || !readDigits(s, 8, 2, f.day) || (s[10] != 'T' && s[10] != ' ') ||
        !readDigits(s, 11, 2, f.hour) || s[13] != ':' || !readDigits(s, 14, 2, f.minute) || s[16] != ':' ||
        !readDigits(s, 17, 2, f.second))
        return std::nullopt;
    if (s.size() != 19 && (s.size() != 23 || s[19] != '.' || !readDigits(s, 20, 3, f.millisecond)))
        return std::nullopt;
    return encodeDateTime(f);
}

namespace {

// Bytes a JSON string cannot hold as they are.
constexpr std::array<bool, 256> kJsonEscaped = [] {
    std::array<bool, 256> t{};
    for (int c = 0; c < 0x20; ++c) t[c] = true;
    t['"'] = true;
    t['\\'] = true;
    return t;
}();

}  // namespace

void appendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string utf8;
    if (!isValidUtf8(text)) {
        appendUtf8(utf8, text);
        text = utf8;
    }
    out.push_back('"');
    std::size_t run = 0;  // start of the bytes not yet copied
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!kJsonEscaped[c]) [[likely]]
            continue;
        out.append(text.data() + run, i - run);
        run = i + 1;
        switch (c) {
            case '"':
                out.append("\\\"");
                break;
            case '\\':
                out.append("\\\\");
                break;
            case '\n':
                out.append("\\n");
                break;
            case '\r':
                out.append("\\r");
                break;
            case '\t':
                out.append("\\t");
                break;
            case '\b':
                out.append("\\b");
                break;
            case '\f':
                out.append("\\f");
                break;
            default:
                out.append("\\u00");
                out.push_back(kHex[c >> 4]);
                out.push_back(kHex[c & 15]);
        }
    }
    out.append(text.data() + run, text.size() - run);
    out.push_back('"');
}

void appendCsvField(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        appendUtf8(out, text);
        return;
    }
    std::string utf8;
    appendUtf8(utf8, text);
    out.push_back('"');
    for (char c : utf8) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

}  // namespace corvane::record_text
