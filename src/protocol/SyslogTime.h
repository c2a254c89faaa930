#pragma once

#include "protocol/DateTime.h"

#include <string>
#include <string_view>

namespace corvane {

// Reads the time stamp of a syslog header: "Oct 11 22:14:15", "Oct 11 2009 22:14:15",
// "Mar  1 18:46:11.123" (fraction ignored), an optional leading mark such as "*", and the
// canonical text FormatSyslogTime writes. ISO 8601 / RFC 3339 stamps ("2003-10-11T22:14:15Z",
// "2003-10-11T22:14:15.003+02:00", or without offset for local time) name an instant that is
// returned in local time, to the second. A time without a year gets the current local year.
// Never fails: a text that cannot be read gives 0.
DateTime ParseSyslogTime(std::string_view stamp);

// The canonical text of a date-time, "OCT 11 2009 22:14:15" or "MAR  1 2024  9: 5: 3": month
// abbreviation, two spaces for days up to 10 and one above, then day, year and the time with
// each field right-aligned in two characters. Milliseconds are dropped; 0 means now().
std::string FormatSyslogTime(DateTime value);
// The same, written over `out` so a caller can reuse its buffer.
void formatSyslogTimeInto(std::string& out, DateTime value);

// True when the text begins with an ISO 8601 date and time, "YYYY-MM-DDThh:mm:ss".
bool isIsoDateTimeStart(std::string_view text);

}  // namespace corvane
