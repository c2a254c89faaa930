#include "app/UpdateIdentity.h"

#include "app/UpdateTexts.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sys/utsname.h>
#include <unistd.h>

namespace corvane {
namespace {

constexpr double kUnixEpochDays = 25569.0;  // 1 January 1970 as a day count since 30 December 1899

std::string firstLineOf(const char* path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && static_cast<unsigned char>(line.back()) <= ' ') line.pop_back();
    return line;
}

std::uint64_t fnv1a(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

std::string updateUserAgent(std::string_view version) {
    std::string agent = update_texts::kUserAgentPrefix;
    agent += kProductName;
    agent += ' ';
    agent += std::to_string(kProductNumber);
    agent += ':';
    agent += version;
    agent += kVariantSuffix;
    agent += ')';
    return agent;
}

std::string machineTagFrom(std::string_view systemName, std::string_view processor) {
    std::string tag;
    const auto add = [&tag](std::string_view part) {
        for (const char c : part) {
            const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                              c == '-' || c == '_' || c == '.';
            if (kept && tag.size() < kMaxMachineTag)
                tag += c;
        }
    };
    add(systemName);
    if (!processor.empty() && tag.size() < kMaxMachineTag)
        tag += '-';
    add(processor);
    return tag;
}

std::string machineTag() {
    utsname names{};
    if (::uname(&names) != 0)
        return {};
    return machineTagFrom(names.sysname, names.machine);
}

std::string machineIdentifierFrom(std::string_view machineId, std::string_view hostName) {
    std::string input = kProductName;
    input += machineId.empty() ? "/host/" : "/machine/";
    input += machineId.empty() ? hostName : machineId;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(fnv1a(input)));
    return hex;
}

std::string machineIdentifier() {
    std::string id = firstLineOf("/etc/machine-id");
    if (id.empty())
        id = firstLineOf("/var/lib/dbus/machine-id");
    char host[256] = {};
    if (id.empty() && ::gethostname(host, sizeof host - 1) != 0)
        host[0] = '\0';
    return machineIdentifierFrom(id, host);
}

double utcNowDays() {
    using namespace std::chrono;
    const double seconds = duration<double>(system_clock::now().time_since_epoch()).count();
    return kUnixEpochDays + seconds / 86400.0;
}

double firstStartTime(const std::string& dataFolder, double utcNow) {
    const std::string path = dataFolder + update_texts::kFirstStartFile;
    const std::string kept = firstLineOf(path.c_str());
    if (!kept.empty()) {
        double value = 0;
        const auto [end, error] = std::from_chars(kept.data(), kept.data() + kept.size(), value);
        if (error == std::errc() && end == kept.data() + kept.size() && std::isfinite(value) && value > 0)
            return value;
    }
    // The locale-independent shortest form that reads back to the same value.
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, utcNow);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        << std::string_view(text, written.ptr - text) << '\n';
    return utcNow;
}

std::string formatDays(double days, char decimalSeparator) {
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, days, std::chars_format::general, 15);
    std::string result(text, written.ptr);
    for (char& c : result) {
        if (c == '.')
            c = decimalSeparator;
    }
    return result;
}

}  // namespace corvane
