#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

// One value of a flat JSON object: a string, a number or literal as written, or null.
struct JsonValue {
    enum class Kind : unsigned char { Null, String, Number, Bool };
    Kind kind = Kind::Null;
    std::string text;  // the decoded string (UTF-8), or the number's characters
    bool flag = false;
};

// Reads one JSON object whose values are strings, numbers, true, false or null (the layout of
// an exported record). Nested objects and arrays are refused; so is anything after the object
// but blanks. Nullopt when the line is not such an object.
std::optional<std::vector<std::pair<std::string, JsonValue>>> parseJsonRecord(std::string_view line);

}  // namespace corvane
