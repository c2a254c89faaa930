#pragma once

namespace corvane::platform_texts {

inline constexpr const char* kNotificationExecute = "Notification Execute";
// %s is the path; ": " and the system's reason follow.
inline constexpr const char* kOpenFileFailed = "An Error ocurred opening the file. File name %s";
inline constexpr const char* kNotificationSound = "Notification Sound";
// %s is the sound system's reason.
inline constexpr const char* kSoundFailed =
    "The notification sound cannot be played (%s). No further sounds are played until the program is "
    "started again.";

}  // namespace corvane::platform_texts
