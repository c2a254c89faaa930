#include "protocol/EntityDecoder.h"

#include "protocol/TextUtil.h"

#include <cstring>

namespace corvane {

void decodeEntities(std::string_view in, std::string& out) {
    if (const void* nul = std::memchr(in.data(), '\0', in.size())) {
        in = in.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - in.data()));
    }
    out.clear();
    out.reserve(in.size());
    // Where the next ";" lies, remembered so that many "&#" without one stay linear.
    std::size_t semicolon = 0;
    bool semicolonKnown = false;
    std::size_t i = 0;
    while (i < in.size()) {
        const void* amp = std::memchr(in.data() + i, '&', in.size() - i);
        if (amp == nullptr) {
            out.append(in.substr(i));
            break;
        }
        const auto at = static_cast<std::size_t>(static_cast<const char*>(amp) - in.data());
        out.append(in.substr(i, at - i));
        const std::string_view rest = in.substr(at + 1);
        i = at + 1;  // unless a known entity follows, the ampersand stands for itself
        if (rest.starts_with("lt;")) {
            out += '<';
            i += 3;
            continue;
        }
        if (rest.starts_with("gt;")) {
            out += '>';
            i += 3;
            continue;
        }
        if (rest.starts_with("amp;")) {
            out += '&';
            i += 4;
            continue;
        }
        if (rest.starts_with("quot;")) {
            out += '"';
            i += 5;
            continue;
        }
        if (rest.starts_with('#')) {
            if (!semicolonKnown || (semicolon != std::string_view::npos && semicolon < at)) {
                semicolon = in.find(';', at + 2);
                semicolonKnown = true;
            }
            if (semicolon != std::string_view::npos) {
                const std::string_view number = in.substr(at + 2, semicolon - (at + 2));
                const text::IntPrefix value = text::readIntPrefix(number);
                if (!value.overflow) {
                    out += static_cast<char>(
                        static_cast<unsigned char>(static_cast<std::uint32_t>(value.value) & 0xFF));
                    i = semicolon + 1;
                    continue;
                }
            }
        }
        out += '&';
    }
}

}  // namespace corvane
