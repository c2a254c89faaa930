#pragma once

namespace corvane::http_texts {

// %1 is the limit in bytes.
inline constexpr const char* kBodyTooLarge = "The server's answer is larger than %1 bytes.";
inline constexpr const char* kBodyNotStored = "The server's answer could not be stored.";
// %1 is the response code.
inline constexpr const char* kErrorStatus = "HTTP error %1";

}  // namespace corvane::http_texts
