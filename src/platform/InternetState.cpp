#include "platform/InternetState.h"

#include <fstream>
#include <ifaddrs.h>
#include <net/if.h>
#include <sstream>

namespace corvane {

namespace {

constexpr unsigned kRouteUp = 0x1;  // RTF_UP
constexpr std::size_t kMaxRouteTable = 1 << 20;

std::set<std::string> upInterfaces() {
    std::set<std::string> names;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return names;
    for (const ifaddrs* a = list; a; a = a->ifa_next) {
        if (!a->ifa_name)
            continue;
        const unsigned flags = a->ifa_flags;
        if ((flags & IFF_UP) && (flags & IFF_RUNNING) && !(flags & IFF_LOOPBACK))
            names.insert(a->ifa_name);
    }
    ::freeifaddrs(list);
    return names;
}

std::string readRouteTable() {
    std::ifstream in("/proc/net/route");
    if (!in)
        return {};
    std::string text;
    text.resize(kMaxRouteTable);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

}  // namespace

bool hasDefaultRoute(std::string_view routeTable, const std::set<std::string>& up) {
    std::istringstream lines{std::string(routeTable)};
    std::string line;
    bool header = true;
    while (std::getline(lines, line)) {
        if (header) {
            header = false;
            continue;
        }
        std::istringstream fields(line);
        std::string iface, destination, gateway, flagsText;
        if (!(fields >> iface >> destination >> gateway >> flagsText))
            continue;
        unsigned long flags = 0;
        try {
            flags = std::stoul(flagsText, nullptr, 16);
        } catch (...) {
            continue;
        }
        if (destination == "00000000" && (flags & kRouteUp) && up.count(iface))
            return true;
    }
    return false;
}

bool IsInternetConnected() {
    const auto up = upInterfaces();
    if (up.empty())
        return false;
    return hasDefaultRoute(readRouteTable(), up);
}

}  // namespace corvane
