// Feeds any text through the message object, half of the inputs behind the start of a structured
// header so that the structured-message rules see arbitrary fields, and checks what they answer.
#include "protocol/Rfc5424.h"
#include "protocol/SyslogMessage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {
// A fixed clock keeps runs reproducible.
const corvane::ScopedClock g_clock(45000.5);

bool within(std::string_view part, std::string_view text) {
    return part.empty() ||
           (part.data() >= text.data() && part.data() + part.size() <= text.data() + text.size());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    std::string input = (data[0] & 1) ? "" : "<165>1 2003-10-11T22:14:15.003Z ";
    input.append(reinterpret_cast<const char*>(data + 1), size - 1);

    if (const auto parts = corvane::splitRfc5424(input)) {
        for (std::string_view part :
             {parts->stamp, parts->host, parts->appName, parts->procId, parts->msgId}) {
            if (!within(part, input) || part == "-" || part.find(' ') != std::string_view::npos)
                std::abort();
        }
        if (!within(parts->structuredData, input))
            std::abort();
        if (parts->headerEnd > input.size() || parts->versionAt >= parts->headerEnd)
            std::abort();
        if (!parts->structuredData.empty() && parts->structuredData.front() != '[')
            std::abort();
    }

    corvane::TnSyslogMessage m;
    m.SetData(input);
    const std::string decoded = m.Data();
    const std::string host = m.Host();
    const std::string process = m.Process();
    const corvane::DateTime stamp = m.TimeStamp();
    const int facility = m.Facility();
    const int severity = m.Severity();
    const std::int32_t pid = m.PID();
    const std::string message = m.MessageText();

    if (process.empty() || facility > 31 || severity > 7 || pid < -1)
        std::abort();
    if (stamp != 0 && corvane::dateTimeToMilliseconds(stamp) % 1000 != 0)
        std::abort();
    if (m.IsRfc5424()) {
        if (m.Data() != decoded)
            std::abort();
        if (host.find(' ') != std::string::npos || m.SubProcess().find(' ') != std::string::npos)
            std::abort();
        if (!m.ProcessEx().empty() && m.ProcessEx().front() != '[')
            std::abort();
        if (message.size() > decoded.size())
            std::abort();
    } else if (!m.ProcessEx().empty()) {
        std::abort();
    }
    return 0;
}
