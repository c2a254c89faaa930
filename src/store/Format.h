#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Fills each "%s" of a message template with the next argument, in order.
std::string formatText(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace corvane
