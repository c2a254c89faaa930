#include "filter/LocaleFormats.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace corvane {
namespace {

enum class Part : unsigned char { Literal, Day, Month, Year2, Year4, Hour12, Hour24, Minute, Second, AmPm };

struct Element {
    Part part = Part::Literal;
    int width = 1;       // digits written (1 = as few as needed, 2 = zero-padded)
    bool lower = false;  // ap rather than AP
    std::string literal;
};

std::vector<Element> split(std::string_view pattern) {
    bool twelveHour = false;
    for (std::size_t i = 0; i + 1 < pattern.size(); ++i)
        if ((pattern[i] == 'A' && pattern[i + 1] == 'P') || (pattern[i] == 'a' && pattern[i + 1] == 'p'))
            twelveHour = true;

    std::vector<Element> out;
    auto literal = [&out](std::string_view text) {
        if (out.empty() || out.back().part != Part::Literal)
            out.push_back({});
        out.back().literal.append(text);
    };
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == '\'') {
            std::size_t j = i + 1;
            std::string text;
            while (j < pattern.size()) {
                if (pattern[j] == '\'') {
                    if (j + 1 < pattern.size() && pattern[j + 1] == '\'') {
                        text += '\'';
                        j += 2;
                        continue;
                    }
                    break;
                }
                text += pattern[j++];
            }
            literal(i + 1 == j && j < pattern.size() ? "'" : text);
            i = j + 1;
            continue;
        }
        if ((c == 'A' || c == 'a') && i + 1 < pattern.size() && pattern[i + 1] == (c == 'A' ? 'P' : 'p')) {
            out.push_back({Part::AmPm, 2, c == 'a', {}});
            i += 2;
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) ++run;
        Element e;
        e.width = run >= 2 ? 2 : 1;
        switch (c) {
            case 'd':
                e.part = Part::Day;
                break;
            case 'M':
                e.part = Part::Month;
                break;
            case 'y':
                e.part = run >= 4 ? Part::Year4 : Part::Year2;
                break;
            case 'h':
                e.part = twelveHour ? Part::Hour12 : Part::Hour24;
                break;
            case 'H':
                e.part = Part::Hour24;
                break;
            case 'm':
                e.part = Part::Minute;
                break;
            case 's':
                e.part = Part::Second;
                break;
            default:
                e.part = Part::Literal;
                break;
        }
        const bool names = (c == 'd' || c == 'M') && run >= 3;
        if (e.part == Part::Literal || names || (c == 'y' && run != 2 && run != 4) || run > 4) {
            literal(pattern.substr(i, run));
        } else {
            out.push_back(e);
        }
        i += run;
    }
    return out;
}

void appendNumber(std::string& out, int value, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, width == 2 ? "%02d" : width == 4 ? "%04d" : "%d", value);
    out += buf;
}

std::string format(std::string_view pattern, const DateTimeFields& f) {
    std::string out;
    for (const Element& e : split(pattern)) {
        switch (e.part) {
            case Part::Literal:
                out += e.literal;
                break;
            case Part::Day:
                appendNumber(out, f.day, e.width);
                break;
            case Part::Month:
                appendNumber(out, f.month, e.width);
                break;
            case Part::Year2:
                appendNumber(out, f.year % 100, 2);
                break;
            case Part::Year4:
                appendNumber(out, f.year, 4);
                break;
            case Part::Hour12:
                appendNumber(out, f.hour % 12 == 0 ? 12 : f.hour % 12, e.width);
                break;
            case Part::Hour24:
                appendNumber(out, f.hour, e.width);
                break;
            case Part::Minute:
                appendNumber(out, f.minute, e.width);
                break;
            case Part::Second:
                appendNumber(out, f.second, e.width);
                break;
            case Part::AmPm:
                out += f.hour < 12 ? (e.lower ? "am" : "AM") : (e.lower ? "pm" : "PM");
                break;
        }
    }
    return out;
}

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 32 && c != 0;
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

void skipBlanks(std::string_view text, std::size_t& at) {
    while (at < text.size() && isBlank(text[at])) ++at;
}

// Reads the pattern's parts from text at `at` into f; false when the text does not fit.
bool scan(std::string_view pattern, std::string_view text, std::size_t& at, DateTimeFields& f) {
    int pm = -1;  // -1 none given, 0 AM, 1 PM
    bool twelveHour = false;
    for (const Element& e : split(pattern)) {
        if (e.part == Part::Literal) {
            for (char c : e.literal) {
                if (isBlank(c)) {
                    skipBlanks(text, at);
                    continue;
                }
                skipBlanks(text, at);
                if (at >= text.size() || text[at] != c)
                    return false;
                ++at;
            }
            continue;
        }
        if (e.part == Part::AmPm) {
            skipBlanks(text, at);
            if (at < text.size() &&
                (text[at] == 'A' || text[at] == 'a' || text[at] == 'P' || text[at] == 'p')) {
                pm = (text[at] == 'P' || text[at] == 'p') ? 1 : 0;
                ++at;
                if (at < text.size() && (text[at] == 'M' || text[at] == 'm'))
                    ++at;
            }
            continue;
        }
        skipBlanks(text, at);
        const bool year = e.part == Part::Year2 || e.part == Part::Year4;
        const std::size_t maxDigits = year ? 4 : 2;
        std::size_t digits = 0;
        int value = 0;
        while (at < text.size() && digits < maxDigits && isDigit(text[at])) {
            value = value * 10 + (text[at++] - '0');
            ++digits;
        }
        if (digits == 0)
            return false;
        switch (e.part) {
            case Part::Day:
                f.day = value;
                break;
            case Part::Month:
                f.month = value;
                break;
            case Part::Year2:
            case Part::Year4:
                f.year = digits <= 2 ? (value < 50 ? 2000 + value : 1900 + value) : value;
                break;
            case Part::Hour12:
                f.hour = value;
                twelveHour = true;
                break;
            case Part::Hour24:
                f.hour = value;
                break;
            case Part::Minute:
                f.minute = value;
                break;
            case Part::Second:
                f.second = value;
                break;
            default:
                break;
        }
    }
    if (twelveHour && pm >= 0) {
        if (f.hour < 1 || f.hour > 12)
            return false;
        f.hour = f.hour % 12 + (pm == 1 ? 12 : 0);
    }
    return true;
}

// The time pattern without its seconds and the separator in front of them ("HH:mm:ss" gives
// "HH:mm", "h:mm:ss AP" gives "h:mm AP"); empty when it has no seconds.
std::string withoutSeconds(std::string_view pattern) {
    bool quoted = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '\'')
            quoted = !quoted;
        if (quoted || c != 's')
            continue;
        std::size_t end = i + 1;
        while (end < pattern.size() && pattern[end] == 's') ++end;
        std::size_t start = i;
        while (start > 0 && !std::isalpha(static_cast<unsigned char>(pattern[start - 1])) &&
               pattern[start - 1] != '\'' && !isBlank(pattern[start - 1]))
            --start;
        return std::string(pattern.substr(0, start)) + std::string(pattern.substr(end));
    }
    return {};
}

// Reads the time pattern at `at`; a time typed without its seconds is read as well.
bool scanTime(std::string_view pattern, std::string_view text, std::size_t& at, DateTimeFields& f) {
    const std::size_t start = at;
    DateTimeFields tried = f;
    if (scan(pattern, text, at, tried)) {
        skipBlanks(text, at);
        if (at >= text.size()) {
            f = tried;
            return true;
        }
    }
    const std::string shorter = withoutSeconds(pattern);
    if (shorter.empty())
        return false;
    at = start;
    tried = f;
    tried.second = 0;
    if (!scan(shorter, text, at, tried))
        return false;
    f = tried;
    return true;
}

}  // namespace

std::string LocaleFormats::formatDate(DateTime value) const {
    return format(shortDate, decodeDateTime(value));
}

std::string LocaleFormats::formatTime(DateTime value) const {
    return format(longTime, decodeDateTime(value));
}

std::string LocaleFormats::formatDateTime(DateTime value) const {
    const DateTimeFields f = decodeDateTime(value);
    std::string out = format(shortDate, f);
    if (f.hour != 0 || f.minute != 0 || f.second != 0 || f.millisecond != 0) {
        out += ' ';
        out += format(longTime, f);
    }
    return out;
}

std::optional<DateTime> LocaleFormats::parseDateTime(std::string_view text) const {
    DateTimeFields f;
    std::size_t at = 0;
    if (!scan(shortDate, text, at, f))
        return std::nullopt;
    skipBlanks(text, at);
    if (at < text.size()) {
        if (!scanTime(longTime, text, at, f))
            return std::nullopt;
        skipBlanks(text, at);
        if (at < text.size())
            return std::nullopt;
    }
    return encodeDateTime(f);
}

std::optional<DateTime> LocaleFormats::parseTime(std::string_view text) const {
    DateTimeFields f{1899, 12, 30, 0, 0, 0, 0};
    std::size_t at = 0;
    if (!scanTime(longTime, text, at, f))
        return std::nullopt;
    skipBlanks(text, at);
    if (at < text.size())
        return std::nullopt;
    return encodeDateTime(f);
}

}  // namespace corvane
