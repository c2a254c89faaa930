#pragma once

#include <string_view>

namespace corvane {

// The process tag of a message whose tag could not be found.
inline constexpr std::string_view kUnknownProcess = "Unknown";

}  // namespace corvane
