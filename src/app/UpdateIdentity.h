#pragma once

#include <string>
#include <string_view>

namespace corvane {

// How an update request names the product, its version and the installation asking.
//
// The user agent is "Vantro Client(Corvane <product number>:<version><variant suffix>)", for
// example "Vantro Client(Corvane 101:1.0.0.0L)": product number 101 stands for this desktop
// syslog server, the suffix "L" for its Linux build.
//
// The basic-authentication user name is "<machine tag>&<machine identifier>&<time>&<location>":
// - the machine tag is the system's name and processor ("Linux-x86_64"), at most 12 characters;
// - the machine identifier is 16 hexadecimal digits derived from the system's machine id
//   (/etc/machine-id) by a one-way hash salted with the product name, so the server can tell
//   installations apart without learning the id other programs see; without a machine id the
//   host name is hashed instead;
// - the time is the program's first start in this data folder, in universal time, as a day
//   count since 30 December 1899 with up to 15 significant digits and the user's decimal
//   separator; it is kept in the data folder, so it stays the same for the life of the
//   installation;
// - the location is the operator's free text (Location).
inline constexpr const char* kProductName = "Corvane";
inline constexpr int kProductNumber = 101;
inline constexpr const char* kVariantSuffix = "L";
inline constexpr std::size_t kMaxMachineTag = 12;

// The user agent for the given "%d.%d.%d.%d" version text.
std::string updateUserAgent(std::string_view version);

// The machine tag from the system's name and processor, cut to kMaxMachineTag; characters other
// than letters, digits, "-", "_" and "." are left out so that the tag never holds a separator.
std::string machineTag();
std::string machineTagFrom(std::string_view systemName, std::string_view processor);

// The machine identifier: from the machine id when there is one, otherwise from the host name.
std::string machineIdentifier();
std::string machineIdentifierFrom(std::string_view machineId, std::string_view hostName);

// The current universal time as a day count since 30 December 1899.
double utcNowDays();

// The time of the first start as kept in dataFolder (which ends in a separator). When nothing
// is kept yet, or what is kept is no time, utcNow is recorded and answered; when the folder
// cannot be written, utcNow is answered all the same.
double firstStartTime(const std::string& dataFolder, double utcNow);

// A day count in the general format with up to 15 significant digits and the given separator.
std::string formatDays(double days, char decimalSeparator);

}  // namespace corvane
