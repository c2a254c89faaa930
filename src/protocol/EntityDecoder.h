#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Copies a received text into `out` up to its end or its first NUL byte, decoding "&lt;", "&gt;",
// "&amp;", "&quot;" and numeric references "&#65;" / "&#x41;" (the low 8 bits of the number
// become one byte; "&#;" gives a NUL byte). Anything else after an ampersand is kept as it stands:
// a message such as "AT&T" or "a=1&b=2" must reach the operator, so decoding never fails. A
// numeric reference without a closing ";" or with a value beyond 32 bits is kept literally too.
void decodeEntities(std::string_view in, std::string& out);

}  // namespace corvane
