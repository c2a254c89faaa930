#pragma once

namespace corvane::exchange_texts {

// %1 is the file's path, %2 the system's reason.
inline constexpr const char* kCreateFailed = "Could not create the export file %1: %2";
inline constexpr const char* kWriteFailed =
    "Could not write the export file %1: %2. The incomplete file was removed.";
inline constexpr const char* kOpenFailed = "Could not open %1: %2";
inline constexpr const char* kReadFailed = "Could not read %1: %2";
// %1 is a field name.
inline constexpr const char* kNoSuchColumn = "There is no field named %1.";
inline constexpr const char* kNotOpen = "The message table is not open.";

}  // namespace corvane::exchange_texts
