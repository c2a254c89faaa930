#include "protocol/Placeholders.h"

namespace corvane {

std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> values) {
    std::string out;
    out.reserve(pattern.size() + 32);
    std::size_t next = 0;
    auto value = [&](std::size_t i) {
        return i < values.size() ? *(values.begin() + i) : std::string_view();
    };
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const char mark = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (c == '%' && mark == 's') {
            out += value(next++);
            ++i;
        } else if (c == '%' && mark >= '1' && mark <= '9') {
            out += value(static_cast<std::size_t>(mark - '1'));
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace corvane
