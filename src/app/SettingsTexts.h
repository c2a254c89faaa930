#pragma once

namespace corvane::settings_texts {

inline constexpr const char* kSettingsTitle = "Settings";
// %1 is the file's path, %2 the system's reason.
inline constexpr const char* kReadFailed = "Could not read the settings file %1: %2";
inline constexpr const char* kTooLarge = "The settings file %1 is too large to be a settings file.";
inline constexpr const char* kWriteFailed = "Could not write the settings file %1: %2";

}  // namespace corvane::settings_texts
