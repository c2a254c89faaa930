#include "protocol/TimeStampMatch.h"

#include "protocol/SyslogVocabulary.h"
#include "protocol/TextUtil.h"

#include <array>
#include <cstdint>

namespace corvane {
namespace {

constexpr double kRollOverDays = 7;
constexpr std::int64_t kUnixEpochDay = 25569;  // 1 January 1970 as a day count

// Zone words that follow a time; the first three name UTC.
constexpr std::array<std::string_view, 33> kZoneWords = {
    "UTC",  "GMT", "UT",  "CET", "CEST", "EET",  "EEST", "WET",  "WEST", "BST",  "IST",
    "MSK",  "JST", "KST", "HKT", "SGT",  "AEST", "AEDT", "ACST", "ACDT", "AWST", "NZST",
    "NZDT", "EST", "EDT", "CST", "CDT",  "MST",  "MDT",  "PST",  "PDT",  "AKST", "HST",
};
constexpr std::size_t kUtcWords = 3;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

class Cursor {
public:
    Cursor(std::string_view s, std::size_t at) : m_s(s), m_i(at) {}

    char peek(std::size_t ahead = 0) const { return m_i + ahead < m_s.size() ? m_s[m_i + ahead] : '\0'; }
    bool atBlankOrEnd() const { return m_i >= m_s.size() || text::isBlank(m_s[m_i]); }
    bool take(char c) {
        if (peek() != c)
            return false;
        ++m_i;
        return true;
    }
    // Reads minN to maxN digits; -1 when fewer than minN are there.
    int number(std::size_t minN, std::size_t maxN) {
        int v = 0;
        std::size_t n = 0;
        while (n < maxN && isDigit(peek())) {
            v = v * 10 + (peek() - '0');
            ++m_i;
            ++n;
        }
        return n >= minN ? v : -1;
    }
    // The month whose abbreviation is here, in any letter case; 0 when there is none.
    int month() {
        for (int m = 1; m <= 12; ++m) {
            const std::string_view name = MonthNames[static_cast<std::size_t>(m)];
            if (text::upperAscii(peek()) == name[0] && text::upperAscii(peek(1)) == name[1] &&
                text::upperAscii(peek(2)) == name[2] && !text::isLetter(peek(3))) {
                m_i += 3;
                return m;
            }
        }
        return 0;
    }
    void skipSpaces(std::size_t most) {
        for (std::size_t n = 0; n < most && peek() == ' '; ++n) ++m_i;
    }
    void skipDigits() {
        while (isDigit(peek())) ++m_i;
    }
    // A zone word after one blank: -1 when there is none, else its index in kZoneWords.
    int zoneWord() {
        if (peek() != ' ')
            return -1;
        std::size_t n = 0;
        while (peek(1 + n) >= 'A' && peek(1 + n) <= 'Z') ++n;
        const char after = peek(1 + n);
        if (n < 2 || !(after == ':' || after == '\0' || text::isBlank(after)))
            return -1;
        const std::string_view word = m_s.substr(m_i + 1, n);
        for (std::size_t k = 0; k < kZoneWords.size(); ++k) {
            if (kZoneWords[k] == word) {
                m_i += 1 + n;
                return static_cast<int>(k);
            }
        }
        return -1;
    }
    std::size_t position() const { return m_i; }

private:
    std::string_view m_s;
    std::size_t m_i;
};

// hh:mm:ss with an optional fraction; false when the shape is not there.
bool readTime(Cursor& c, DateTimeFields& f) {
    f.hour = c.number(1, 2);
    if (f.hour < 0 || !c.take(':'))
        return false;
    f.minute = c.number(2, 2);
    if (f.minute < 0 || !c.take(':'))
        return false;
    f.second = c.number(2, 2);
    if (f.second < 0)
        return false;
    if ((c.peek() == '.' || c.peek() == ',') && isDigit(c.peek(1))) {
        c.take(c.peek());
        c.skipDigits();
    }
    return true;
}

DateTime localFromUtcFields(const DateTimeFields& f, int offsetSeconds) {
    if (!isValidDateTime(f))
        return 0;
    const auto day = encodeDate(f.year, f.month, f.day);
    if (!day)
        return 0;
    const std::int64_t unixSeconds = (static_cast<std::int64_t>(*day) - kUnixEpochDay) * 86400 +
                                     (f.hour * 60LL + f.minute) * 60 + f.second - offsetSeconds;
    return localFromUnix(static_cast<double>(unixSeconds));
}

// "2003-10-11T22:14:15", a blank for the "T" too, then fraction, offset and ":".
std::optional<StampMatch> matchIso(std::string_view s, std::size_t at) {
    Cursor c(s, at);
    DateTimeFields f;
    f.year = c.number(4, 4);
    if (f.year < 0 || !c.take('-'))
        return std::nullopt;
    f.month = c.number(2, 2);
    if (f.month < 0 || !c.take('-'))
        return std::nullopt;
    f.day = c.number(2, 2);
    if (f.day < 0 || !(c.take('T') || c.take('t') || c.take(' ')))
        return std::nullopt;
    if (!readTime(c, f))
        return std::nullopt;

    StampMatch match;
    bool utc = false;
    int offset = 0;
    if (c.take('Z') || c.take('z')) {
        utc = true;
    } else if (const char sign = c.peek(); (sign == '+' || sign == '-') && isDigit(c.peek(1))) {
        c.take(sign);
        const int hours = c.number(2, 2);
        c.take(':');
        const int minutes = isDigit(c.peek()) ? c.number(2, 2) : 0;
        if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59)
            return std::nullopt;
        utc = true;
        offset = (hours * 60 + minutes) * 60 * (sign == '-' ? -1 : 1);
    } else if (const int zone = c.zoneWord(); zone >= 0) {
        utc = static_cast<std::size_t>(zone) < kUtcWords;
    }
    match.closedByColon = c.take(':');
    if (!c.atBlankOrEnd())
        return std::nullopt;
    match.end = c.position();
    match.value = utc ? localFromUtcFields(f, offset) : encodeDateTime(f).value_or(0);
    return match;
}

// "Oct 11 22:14:15", "Oct 11 2009 22:14:15" or "2009 Oct 11 22:14:15", with the marks around it.
std::optional<StampMatch> matchClassic(std::string_view s, std::size_t at, DateTime reference) {
    Cursor c(s, at);
    if (c.peek() == '*' || c.peek() == '.')
        c.take(c.peek());
    DateTimeFields f;
    f.year = -1;
    if (isDigit(c.peek())) {
        f.year = c.number(4, 4);
        if (f.year < 0 || !c.take(' '))
            return std::nullopt;
    }
    f.month = c.month();
    if (f.month == 0 || !c.take(' '))
        return std::nullopt;
    c.skipSpaces(1);
    f.day = c.number(1, 2);
    if (f.day < 0 || !c.take(' '))
        return std::nullopt;
    if (f.year < 0 && isDigit(c.peek(2)) && isDigit(c.peek(3)) && c.peek(4) == ' ') {
        f.year = c.number(4, 4);
        if (f.year < 0 || !c.take(' '))
            return std::nullopt;
    }
    if (!readTime(c, f))
        return std::nullopt;
    // "Dec 10 13:10:46 2026", as some controllers write the year.
    if (f.year < 0 && c.peek() == ' ' && isDigit(c.peek(1)) && isDigit(c.peek(4)) &&
        (c.peek(5) == ':' || c.peek(5) == '\0' || text::isBlank(c.peek(5)))) {
        c.take(' ');
        f.year = c.number(4, 4);
    }
    const int zone = c.zoneWord();
    StampMatch match;
    match.closedByColon = c.take(':');
    if (!c.atBlankOrEnd())
        return std::nullopt;
    match.end = c.position();

    if (f.year < 0) {
        if (reference == 0)
            reference = currentSecond();
        f.year = decodeDateTime(reference).year;
        const auto thisYear = encodeDateTime(f);
        if (!thisYear || *thisYear > reference + kRollOverDays)
            --f.year;
    }
    const bool utc = zone >= 0 && static_cast<std::size_t>(zone) < kUtcWords;
    match.value = utc ? localFromUtcFields(f, 0) : encodeDateTime(f).value_or(0);
    return match;
}

}  // namespace

std::optional<StampMatch> matchTimeStamp(std::string_view text, std::size_t at, DateTime reference) {
    if (at >= text.size())
        return std::nullopt;
    if (isDigit(text[at]) && at + 4 < text.size() && text[at + 4] == '-')
        return matchIso(text, at);
    return matchClassic(text, at, reference);
}

}  // namespace corvane
