#pragma once

namespace corvane::platform_texts {

inline constexpr const char* kNotificationExecute = "Notification Execute";
// %s is the path; ": " and the system's reason follow.
inline constexpr const char* kOpenFileFailed = "An Error ocurred opening the file. File name %s";

}  // namespace corvane::platform_texts
