#pragma once

#include <array>
#include <string_view>

namespace corvane {

// A priority value (0-255) splits into facility = priority >> 3 (0-31) and severity =
// priority & 7. Only facility codes 0-23 have names; 24-31 come from priorities 192-255.
inline constexpr int kNamedFacilities = 24;

// Indexed by facility code. The spellings are kept exactly as stored files and filters use them,
// including the two entries named "Clock (chron)".
inline constexpr std::array<std::string_view, kNamedFacilities> FacilityNames = {
    "Kernel",
    "User",
    "Mail",
    "System",
    "Security/Aothorize",
    "Syslog Internal",
    "Printer",
    "Network Mews (NNTP)",
    "Usenet (UUCP)",
    "Clock (chron)",
    "Security/Authorize",
    "FTP",
    "Network Time (NTP)",
    "Audit",
    "Alert",
    "Clock (chron)",
    "Local 0",
    "Local 1",
    "Local 2",
    "Local 3",
    "Local 4",
    "Local 5",
    "Local 6",
    "Local 7",
};

// Indexed by severity code.
inline constexpr std::array<std::string_view, 8> SeverityNames = {
    "Emergency", "Alert", "Critical", "Error", "Warning", "Notice", "Information", "Debug",
};

// Indexed by month number 1-12; entry 0 is unused.
inline constexpr std::array<std::string_view, 13> MonthNames = {
    "", "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC",
};

// The facility's name, empty for codes without one (24-31 and anything out of range).
std::string_view facilityName(int code);
// The severity's name, empty for a code outside 0-7.
std::string_view severityName(int code);
// The facility names in upper case, as the percent-tag rule matches against them.
std::string_view upperFacilityName(int code);

}  // namespace corvane
