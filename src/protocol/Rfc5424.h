#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace corvane {

// The parts of a message in the structured form
//   <PRI>1 TIMESTAMP HOSTNAME APP-NAME PROCID MSGID STRUCTURED-DATA MSG
// as views into the text it was split from. A field sent as "-" (the nil value) is empty.
struct Rfc5424Parts {
    std::string_view stamp;
    std::string_view host;
    std::string_view appName;
    std::string_view procId;
    std::string_view msgId;
    // The structured-data elements exactly as sent, brackets and escapes included.
    std::string_view structuredData;
    std::size_t versionAt = 0;  // index of the version digit
    std::size_t headerEnd = 0;  // index just past the structured data; the message follows
};

// Recognises the form by a priority of one to three digits, the version "1" and a date-time of
// the shape "YYYY-MM-DDThh:mm:ss" or the nil value "-" right after it; nothing else is taken
// for it. Past that point
// the split is lenient: a text that ends early leaves the missing fields empty, a structured
// data element without its closing bracket runs to the end of the text, and something other
// than "-" or "[" where the structured data belongs is taken as the start of the message.
std::optional<Rfc5424Parts> splitRfc5424(std::string_view text);

// The message part with a leading UTF-8 byte order mark removed and blanks trimmed.
std::string_view rfc5424MessageText(std::string_view message);

}  // namespace corvane
