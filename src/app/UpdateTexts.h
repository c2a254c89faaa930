#pragma once

namespace corvane::update_texts {

inline constexpr const char* kVersionFile = "Version.txt";
inline constexpr const char* kInstallerFile = "Update.exe";
// Holds the time of the program's first start in this data folder, for the installation id.
inline constexpr const char* kFirstStartFile = "FirstStart";

inline constexpr const char* kKeyUpdateCheck = "UpdateCheck";
inline constexpr const char* kKeyUpdateUrl = "UpdateURL";
inline constexpr const char* kKeyPid = "PID";
inline constexpr const char* kKeyLocation = "Location";
inline constexpr const char* kDefaultLocation = "Location not Assigned";

inline constexpr const char* kUserAgentPrefix = "Vantro Client(";

inline constexpr const char* kGetDataTitle = "Get Data";
inline constexpr const char* kGetDataMessage = "An error has occured obtaining Data from the Server.";
inline constexpr const char* kHostUnresolved = "The Host name could not be resolved to an IP address.";

// The settings file could not be written during a check; the message is the settings error.
inline constexpr const char* kUpdateCheckTitle = "Update Check";

// %1 is the folder or file, %2 the system's reason.
inline constexpr const char* kFolderFailed = "Could not create the folder %1: %2";
inline constexpr const char* kFileFailed = "Could not write the file %1: %2";

}  // namespace corvane::update_texts
