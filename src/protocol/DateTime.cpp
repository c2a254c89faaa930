#include "protocol/DateTime.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <limits>

namespace corvane {
namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;
constexpr std::int64_t kEpochCivilDays = -25569;  // 1899-12-30 relative to 1970-01-01

std::optional<DateTime> g_fixedNow;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

constexpr double kMinValue = -693593.0;         // 0001-01-01
constexpr double kMaxValue = 2958465.99999999;  // 9999-12-31 23:59:59.999

}  // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isValidDateTime(const DateTimeFields& f) {
    return f.year >= 1 && f.year <= 9999 && f.month >= 1 && f.month <= 12 && f.day >= 1 &&
           f.day <= daysInMonth(f.year, f.month) && f.hour >= 0 && f.hour <= 23 && f.minute >= 0 &&
           f.minute <= 59 && f.second >= 0 && f.second <= 59 && f.millisecond >= 0 && f.millisecond <= 999;
}

std::int64_t dateTimeToMilliseconds(DateTime value) {
    if (!(value >= kMinValue))
        value = kMinValue;  // also catches NaN
    if (value > kMaxValue)
        value = kMaxValue;
    // Before the epoch the fraction counts forward from the (negative) whole day.
    const double whole = std::trunc(value);
    const double frac = std::fabs(value - whole);
    std::int64_t dayMs = std::llround(frac * static_cast<double>(kMsPerDay));
    std::int64_t days = static_cast<std::int64_t>(whole);
    if (dayMs >= kMsPerDay) {
        dayMs -= kMsPerDay;
        days += 1;  // the fraction rounded up into the next day (it counts forward on both sides)
    }
    return days * kMsPerDay + (days < 0 ? -dayMs : dayMs);
}

DateTime millisecondsToDateTime(std::int64_t ms) {
    const std::int64_t days = ms / kMsPerDay;  // truncates toward zero
    const std::int64_t rest = ms % kMsPerDay;  // same sign as ms
    const double frac = static_cast<double>(rest < 0 ? -rest : rest) / static_cast<double>(kMsPerDay);
    return days < 0 || (days == 0 && rest < 0) ? static_cast<double>(days) - frac
                                               : static_cast<double>(days) + frac;
}

std::optional<DateTime> encodeDate(int year, int month, int day) {
    return encodeDateTime(DateTimeFields{year, month, day, 0, 0, 0, 0});
}

std::optional<DateTime> encodeDateTime(const DateTimeFields& f) {
    if (!isValidDateTime(f))
        return std::nullopt;
    const std::int64_t days =
        daysFromCivil(f.year, static_cast<unsigned>(f.month), static_cast<unsigned>(f.day)) - kEpochCivilDays;
    const std::int64_t ms = ((f.hour * 60LL + f.minute) * 60LL + f.second) * 1000LL + f.millisecond;
    const double frac = static_cast<double>(ms) / static_cast<double>(kMsPerDay);
    return days < 0 ? static_cast<double>(days) - frac : static_cast<double>(days) + frac;
}

DateTimeFields decodeDateTime(DateTime value) {
    const std::int64_t total = dateTimeToMilliseconds(value);
    std::int64_t days = total / kMsPerDay;
    std::int64_t ms = total % kMsPerDay;
    if (ms < 0)
        ms = -ms;
    DateTimeFields f;
    civilFromDays(days + kEpochCivilDays, f.year, f.month, f.day);
    f.millisecond = static_cast<int>(ms % 1000);
    f.second = static_cast<int>(ms / 1000 % 60);
    f.minute = static_cast<int>(ms / 60'000 % 60);
    f.hour = static_cast<int>(ms / 3'600'000);
    return f;
}

DateTime localFromUnix(double unixSeconds) {
    const double whole = std::floor(unixSeconds);
    const std::time_t t = static_cast<std::time_t>(whole);
    std::tm tm{};
    if (localtime_r(&t, &tm) == nullptr)
        return 0;
    const int ms = static_cast<int>(std::lround((unixSeconds - whole) * 1000.0));
    DateTimeFields f{tm.tm_year + 1900,  tm.tm_mon + 1, tm.tm_mday,
                     tm.tm_hour,         tm.tm_min,     tm.tm_sec > 59 ? 59 : tm.tm_sec,
                     ms > 999 ? 999 : ms};
    return encodeDateTime(f).value_or(0);
}

double unixFromLocal(DateTime local) {
    const DateTimeFields f = decodeDateTime(local);
    std::tm tm{};
    tm.tm_year = f.year - 1900;
    tm.tm_mon = f.month - 1;
    tm.tm_mday = f.day;
    tm.tm_hour = f.hour;
    tm.tm_min = f.minute;
    tm.tm_sec = f.second;
    tm.tm_isdst = -1;
    return static_cast<double>(std::mktime(&tm)) + f.millisecond / 1000.0;
}

DateTime now() {
    if (g_fixedNow)
        return *g_fixedNow;
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
    return localFromUnix(static_cast<double>(ms) / 1000.0);
}

int currentYear() {
    if (g_fixedNow)
        return decodeDateTime(*g_fixedNow).year;
    // The local year can only change when the second does.
    thread_local std::int64_t cachedSecond = std::numeric_limits<std::int64_t>::min();
    thread_local int cachedYear = 0;
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const std::int64_t second = std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch).count();
    if (second != cachedSecond) {
        cachedYear = decodeDateTime(localFromUnix(static_cast<double>(second))).year;
        cachedSecond = second;
    }
    return cachedYear;
}

DateTime currentSecond() {
    if (g_fixedNow)
        return *g_fixedNow;
    thread_local std::int64_t cachedSecond = std::numeric_limits<std::int64_t>::min();
    thread_local DateTime cachedValue = 0;
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const std::int64_t second = std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch).count();
    if (second != cachedSecond) {
        cachedValue = localFromUnix(static_cast<double>(second));
        cachedSecond = second;
    }
    return cachedValue;
}

ScopedClock::ScopedClock(DateTime fixed) : m_previous(g_fixedNow) {
    g_fixedNow = fixed;
}
ScopedClock::~ScopedClock() {
    g_fixedNow = m_previous;
}

}  // namespace corvane
