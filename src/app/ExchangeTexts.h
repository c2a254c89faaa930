#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

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

// Puts the values in place of "%1", "%2", ... (each once).
inline std::string fill(const char* pattern, std::initializer_list<std::string_view> values) {
    std::string out(pattern);
    int n = 1;
    for (std::string_view v : values) {
        const std::string mark = "%" + std::to_string(n++);
        if (auto p = out.find(mark); p != std::string::npos)
            out.replace(p, mark.size(), v);
    }
    return out;
}

}  // namespace corvane::exchange_texts
