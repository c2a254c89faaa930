// Feeds any bytes through the message object and reads every field in intake order.
#include "protocol/SyslogMessage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {
// A fixed clock keeps runs reproducible.
const corvane::ScopedClock g_clock(45000.5);
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    corvane::TnSyslogMessage m;
    m.SetData(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string host = m.Host();
    const std::size_t stored = m.Data().size();
    const std::string process = m.Process();
    const corvane::DateTime stamp = m.TimeStamp();
    const int facility = m.Facility();
    const int severity = m.Severity();
    const std::int32_t pid = m.PID();
    const std::string message = m.MessageText();

    // Time stamps before 1900 are negative day counts; any stamp holds whole seconds.
    if (process.empty() || facility > 31 || severity > 7 || pid < -1)
        std::abort();
    if (stamp != 0 && corvane::dateTimeToMilliseconds(stamp) % 1000 != 0)
        std::abort();
    if (host.size() > stored || message.size() > stored || stored > size + 5)
        std::abort();
    return 0;
}
