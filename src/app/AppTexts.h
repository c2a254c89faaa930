#pragma once

#include <array>
#include <string_view>

namespace corvane::app_texts {

inline constexpr const char* kUpdateHost = "Update Host";
inline constexpr const char* kUnassigned = "Unassigned";
inline constexpr const char* kSaveData = "Save Data";
// Shown once when saving the tables fails; the store's reason follows on the next line.
inline constexpr const char* kSaveFailed =
    "The received messages could not be saved. They are kept in memory and saving is tried again with the "
    "next message.";
inline constexpr const char* kWarningSound = "Warning";
inline constexpr const char* kMailTitle = "Notification Mail";
// Shown once when a notification mail could not be sent; %1 is the server's or the transfer's
// reason. The second line follows it.
inline constexpr const char* kMailFailed = "The notification mail could not be sent: %1";
inline constexpr const char* kMailRetried = "It is tried again later; the matching messages are kept for it.";
// Why the mail settings cannot be used.
inline constexpr const char* kMailNoRecipient = "No mail address to notify is set.";
inline constexpr const char* kMailNoServer = "No mail server is set.";
inline constexpr const char* kMailBadPort = "The mail server port is not a number from 1 to 65535.";
inline constexpr const char* kLoopbackAddress = "127.0.0.1";
inline constexpr const char* kOptions = "Options";

// The facility and severity names the settings dialog offers. Item i stands for code i - 1;
// item 0 ("Any") for no restriction. Some are spelled unlike the table rows.
inline constexpr std::array<std::string_view, 25> kDialogFacilities = {"Any",
                                                                       "Kernel",
                                                                       "User",
                                                                       "Mail",
                                                                       "System",
                                                                       "Security/Access",
                                                                       "Syslog Internal",
                                                                       "Printer",
                                                                       "Network News (NNTP)",
                                                                       "Usenet (UUCP)",
                                                                       "Clock (chron)",
                                                                       "Decurity/Access",
                                                                       "FTP",
                                                                       "Time (NTP)",
                                                                       "Audit",
                                                                       "Alert",
                                                                       "Clock  (chron)",
                                                                       "local use 0",
                                                                       "local use 1",
                                                                       "local use 2",
                                                                       "local use 3",
                                                                       "local use 4",
                                                                       "local use 5",
                                                                       "local use 6",
                                                                       "local use 7"};
inline constexpr std::array<std::string_view, 9> kDialogSeverities = {
    "Any", "Emergency", "Alert", "Critical", "Error", "Warning", "Notice", "Informational", "Debug"};

}  // namespace corvane::app_texts
