#include "protocol/SyslogTime.h"

#include "protocol/SyslogVocabulary.h"
#include "protocol/TextUtil.h"

#include <cstdint>

namespace corvane {
namespace {

using text::charAt;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of n decimal digits starting at index i, or -1 when any of them is not a digit.
int digitsAt(std::string_view s, std::size_t i, std::size_t n) {
    if (i + n > s.size())
        return -1;
    int v = 0;
    for (std::size_t k = i; k < i + n; ++k) {
        if (!isDigit(s[k]))
            return -1;
        v = v * 10 + (s[k] - '0');
    }
    return v;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

}  // namespace

bool isIsoDateTimeStart(std::string_view s) {
    return s.size() >= 19 && digitsAt(s, 0, 4) >= 0 && s[4] == '-' && digitsAt(s, 5, 2) >= 0 && s[7] == '-' &&
           digitsAt(s, 8, 2) >= 0 && (s[10] == 'T' || s[10] == 't') && digitsAt(s, 11, 2) >= 0 &&
           s[13] == ':' && digitsAt(s, 14, 2) >= 0 && s[16] == ':' && digitsAt(s, 17, 2) >= 0;
}

namespace {

// An ISO 8601 time stamp: the fraction is dropped; "Z" or a "+hh:mm" / "-hhmm" offset names a UTC
// instant that is converted to local time; without an offset the fields are local already.
DateTime parseIsoTime(std::string_view s) {
    DateTimeFields f{digitsAt(s, 0, 4),
                     digitsAt(s, 5, 2),
                     digitsAt(s, 8, 2),
                     digitsAt(s, 11, 2),
                     digitsAt(s, 14, 2),
                     digitsAt(s, 17, 2),
                     0};
    if (!isValidDateTime(f))
        return 0;
    std::size_t i = 19;
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        ++i;
        while (i < s.size() && isDigit(s[i])) ++i;
    }
    int offsetSeconds = 0;
    if (i < s.size() && (s[i] == 'Z' || s[i] == 'z')) {
        offsetSeconds = 0;
    } else if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        const int hours = digitsAt(s, i + 1, 2);
        const std::size_t minuteAt = i + 3 < s.size() && s[i + 3] == ':' ? i + 4 : i + 3;
        const int minutes = digitsAt(s, minuteAt, 2);
        if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59)
            return 0;
        offsetSeconds = (hours * 60 + minutes) * 60 * (s[i] == '-' ? -1 : 1);
    } else {
        return encodeDateTime(f).value_or(0);
    }
    const std::int64_t unixSeconds = daysFromCivil(f.year, f.month, f.day) * 86400 +
                                     (f.hour * 60LL + f.minute) * 60 + f.second - offsetSeconds;
    return localFromUnix(static_cast<double>(unixSeconds));
}

}  // namespace

DateTime ParseSyslogTime(std::string_view s) {
    if (s.empty())
        return 0;
    if (!text::isLetterOrDigit(s[0]))
        s.remove_prefix(1);
    if (s.size() <= 7)
        return 0;
    if (isIsoDateTimeStart(s))
        return parseIsoTime(s);

    int month = 1;
    for (int m = 12; m >= 1; --m) {
        const std::string_view name = MonthNames[static_cast<std::size_t>(m)];
        if (text::upperAscii(s[0]) == name[0] && text::upperAscii(s[1]) == name[1] &&
            text::upperAscii(s[2]) == name[2]) {
            month = m;
            break;
        }
    }
    if (charAt(s, 4) == ' ')
        s = text::trim(text::cutFrom(s, 4));

    int day = 1;
    if (const std::int64_t p = text::find(s, ' '); p != 0) {
        const std::string_view head = text::cut(s, 1, p - 1);
        if (const auto whole = text::readWholeInt(head)) {
            day = *whole;
            s = text::cutFrom(s, p + 1);
        } else {
            day = text::readLeadingInt(head);
        }
    }

    const std::int64_t q = text::find(s, ' ');
    const int year = q > 0 ? text::readLeadingInt(text::cut(s, 1, 4)) : currentYear();
    const DateTimeFields f{year,
                           month,
                           day,
                           text::readLeadingInt(text::cut(s, q + 1, 2)),
                           text::readLeadingInt(text::cut(s, q + 4, 2)),
                           text::readLeadingInt(text::cut(s, q + 7, 2)),
                           0};
    return encodeDateTime(f).value_or(0);
}

void formatSyslogTimeInto(std::string& out, DateTime value) {
    if (value == 0)
        value = now();
    const DateTimeFields f = decodeDateTime(value);
    // Written by hand: this runs for every message, and the fields are known to be in range.
    char buf[32];
    char* p = buf;
    const std::string_view month = MonthNames[static_cast<std::size_t>(f.month)];
    for (char c : month) *p++ = c;
    *p++ = ' ';
    if (f.day <= 10)
        *p++ = ' ';
    const auto decimal = [&p](int v) {
        char digits[8];
        int n = 0;
        do {
            digits[n++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0 && n < 8);
        while (n > 0) *p++ = digits[--n];
    };
    const auto padded = [&p](int v) {
        *p++ = v < 10 ? ' ' : static_cast<char>('0' + v / 10);
        *p++ = static_cast<char>('0' + v % 10);
    };
    decimal(f.day);
    *p++ = ' ';
    decimal(f.year);
    *p++ = ' ';
    padded(f.hour);
    *p++ = ':';
    padded(f.minute);
    *p++ = ':';
    padded(f.second);
    out.assign(buf, static_cast<std::size_t>(p - buf));
}

std::string FormatSyslogTime(DateTime value) {
    std::string out;
    formatSyslogTimeInto(out, value);
    return out;
}

}  // namespace corvane
