// Reads any text as a time stamp; whatever reads as a time must write and read back unchanged.
#include "protocol/SyslogTime.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {
const corvane::ScopedClock g_clock(45000.5);
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const corvane::DateTime value =
        corvane::ParseSyslogTime(std::string_view(reinterpret_cast<const char*>(data), size));
    if (value == 0)
        return 0;
    const std::int64_t ms = corvane::dateTimeToMilliseconds(value);
    if (ms % 1000 != 0)
        std::abort();
    const std::string text = corvane::FormatSyslogTime(value);
    if (corvane::dateTimeToMilliseconds(corvane::ParseSyslogTime(text)) != ms)
        std::abort();
    return 0;
}
