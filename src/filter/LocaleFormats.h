#pragma once

#include <optional>
#include <string>
#include <string_view>

// Field.h comes first: its enumerator FieldType::DateTime would otherwise shadow the alias.
#include "store/Field.h"
#include "protocol/DateTime.h"

namespace corvane {

// The user's regional formats that filter texts and the grid follow: the short date pattern, the
// long time pattern and the decimal separator. The Qt layer fills them from the system locale;
// tests use fixed ones.
//
// Patterns are Qt-like: d dd (day), M MM (month), yy yyyy (year), h hh (hour, 12-hour when the
// pattern holds AP or ap, else 24-hour), H HH (24-hour), m mm (minute), s ss (second), AP ap
// (AM/PM, am/pm). Text in single quotes is literal ('' is a quote); every other character is
// literal too. Day and month names (ddd, MMM and longer) are not supported and stay literal.
struct LocaleFormats {
    std::string shortDate = "yyyy-MM-dd";
    std::string longTime = "HH:mm:ss";
    char decimalSeparator = '.';

    std::string formatDate(DateTime value) const;
    std::string formatTime(DateTime value) const;

    // The short date, a space and the long time; the time is left out at exactly midnight.
    std::string formatDateTime(DateTime value) const;

    // Reads "short date[ long time]" as formatDateTime writes it. Reading is lenient: one or two
    // digits for any day, month, hour, minute or second; blanks around the parts; AM/PM in any
    // case and optional; the seconds may be left out with their separator. A year of one or two digits reads
    // 00-49 as 20xx and 50-99 as 19xx. Nullopt when the text is no real date and time.
    std::optional<DateTime> parseDateTime(std::string_view text) const;

    // Reads a time of day alone in the long time format (a value between 0 and 1).
    std::optional<DateTime> parseTime(std::string_view text) const;
};

}  // namespace corvane
