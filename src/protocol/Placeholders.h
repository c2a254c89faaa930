#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace corvane {

// Fills the placeholders of a message text in one pass: "%1" to "%9" take the value of that
// number, and each "%s" takes the next value in order (the form the system's own texts use). A
// placeholder without a value becomes empty; a value is never searched for placeholders itself,
// and a "%" that starts no placeholder stays as it is.
std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> values);

inline std::string fillIn(std::string_view pattern, std::string_view value) {
    return fillIn(pattern, {value});
}

}  // namespace corvane
