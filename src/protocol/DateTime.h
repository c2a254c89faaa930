#pragma once

#include <cstdint>
#include <optional>

namespace corvane {

// A date-time is a count of days since 30 December 1899 00:00 local wall-clock time, with the
// time of day as the fraction (6 hours = 0.25). 0 stands for "no time". Before the epoch the
// whole days count down while the fraction still counts forward: -1.25 is 29 December 1899 06:00.
using DateTime = double;

struct DateTimeFields {
    int year = 0;
    int month = 0;  // 1-12
    int day = 0;    // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    friend bool operator==(const DateTimeFields&, const DateTimeFields&) = default;
};

// True when the fields name a real instant: year 1-9999, month 1-12, day within the month,
// hour 0-23, minute and second 0-59, millisecond 0-999.
bool isValidDateTime(const DateTimeFields& f);
bool isLeapYear(int year);
int daysInMonth(int year, int month);

// Nullopt when the fields are not valid.
std::optional<DateTime> encodeDateTime(const DateTimeFields& f);
std::optional<DateTime> encodeDate(int year, int month, int day);

// Splits a date-time, rounded to the nearest millisecond. Values outside years 1-9999 are clamped.
DateTimeFields decodeDateTime(DateTime value);

// Whole days and milliseconds of the day, the exact form the store keeps.
std::int64_t dateTimeToMilliseconds(DateTime value);
DateTime millisecondsToDateTime(std::int64_t ms);

// Unix seconds (UTC) to local date-time through the system's time zone rules, and back.
DateTime localFromUnix(double unixSeconds);
double unixFromLocal(DateTime local);

// The current local date-time. Tests replace the source with ScopedClock.
DateTime now();
// The year of now(), cheaper than decoding now() when asked for every message.
int currentYear();
// now() without its milliseconds, cheap enough to ask for every message.
DateTime currentSecond();

// Replaces the current time seen by now() for the lifetime of the object (tests only; not
// thread-safe against concurrent now() calls from other threads).
class ScopedClock {
public:
    explicit ScopedClock(DateTime fixed);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    std::optional<DateTime> m_previous;
};

}  // namespace corvane
