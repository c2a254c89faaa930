// Feeds arbitrary bytes to the mail server answer reader, cut into lines at every "\n" as the
// transfer hands them over. What it keeps must stay bounded, start with the code it reports and
// hold no control characters.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/SmtpReplies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    corvane::SmtpReplies replies;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::size_t take = end == std::string_view::npos ? rest.size() : end + 1;
        replies.feed(rest.substr(0, take));
        rest.remove_prefix(take);
    }
    const std::size_t bound = 4 + corvane::SmtpReplies::kMaxLines * (corvane::SmtpReplies::kMaxLineText + 1);
    for (const std::string& kept : {replies.lastReply(), replies.lastError()}) {
        if (kept.size() > bound)
            std::abort();
        for (char c : kept)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
                std::abort();
    }
    if (replies.lastCode() != 0) {
        char code[8];
        std::snprintf(code, sizeof code, "%03d", replies.lastCode());
        if (replies.lastReply().compare(0, 3, code) != 0)
            std::abort();
    }
    if (replies.lastCode() < 0 || replies.lastCode() > 999)
        std::abort();
    return 0;
}
