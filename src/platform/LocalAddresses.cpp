#include "platform/LocalAddresses.h"

#include <algorithm>
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace corvane {

namespace {

bool isLoopback(const in_addr& a) {
    return (ntohl(a.s_addr) >> 24) == 127;
}

std::string toText(const in_addr& a) {
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &a, text, sizeof text);
    return text;
}

void addUnique(std::vector<std::string>& list, const std::string& address) {
    if (std::find(list.begin(), list.end(), address) == list.end())
        list.push_back(address);
}

std::vector<in_addr> hostNameAddresses() {
    std::vector<in_addr> out;
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return out;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* list = nullptr;
    if (::getaddrinfo(name, nullptr, &hints, &list) != 0)
        return out;
    for (addrinfo* p = list; p; p = p->ai_next)
        if (p->ai_family == AF_INET)
            out.push_back(reinterpret_cast<const sockaddr_in*>(p->ai_addr)->sin_addr);
    ::freeaddrinfo(list);
    return out;
}

}  // namespace

std::vector<std::string> localIPv4Addresses() {
    std::vector<std::string> result;
    const auto byName = hostNameAddresses();
    const bool onlyLoopback = std::all_of(byName.begin(), byName.end(), isLoopback);
    if (!onlyLoopback) {
        for (const auto& a : byName) addUnique(result, toText(a));
        return result;
    }
    std::vector<std::string> loopback;
    ifaddrs* interfaces = nullptr;
    if (::getifaddrs(&interfaces) == 0) {
        for (ifaddrs* p = interfaces; p; p = p->ifa_next) {
            if (!p->ifa_addr || p->ifa_addr->sa_family != AF_INET)
                continue;
            const in_addr a = reinterpret_cast<const sockaddr_in*>(p->ifa_addr)->sin_addr;
            addUnique(isLoopback(a) ? loopback : result, toText(a));
        }
        ::freeifaddrs(interfaces);
    }
    for (const auto& a : byName) addUnique(loopback, toText(a));
    for (const auto& a : loopback) addUnique(result, a);
    return result;
}

std::vector<std::string> localIPv6Addresses() {
    std::vector<std::string> result;
    bool loopback = false;
    ifaddrs* interfaces = nullptr;
    if (::getifaddrs(&interfaces) == 0) {
        for (ifaddrs* p = interfaces; p; p = p->ifa_next) {
            if (!p->ifa_addr || p->ifa_addr->sa_family != AF_INET6)
                continue;
            const in6_addr& a = reinterpret_cast<const sockaddr_in6*>(p->ifa_addr)->sin6_addr;
            if (IN6_IS_ADDR_LINKLOCAL(&a) || IN6_IS_ADDR_V4MAPPED(&a))
                continue;
            if (IN6_IS_ADDR_LOOPBACK(&a)) {
                loopback = true;
                continue;
            }
            char text[INET6_ADDRSTRLEN] = {};
            ::inet_ntop(AF_INET6, &a, text, sizeof text);
            addUnique(result, text);
        }
        ::freeifaddrs(interfaces);
    }
    if (loopback)
        result.emplace_back("::1");
    return result;
}

std::vector<std::string> bindingChoices(const std::vector<std::string>& ipv4,
                                        const std::vector<std::string>& ipv6) {
    std::vector<std::string> result;
    for (const auto& a : ipv4) addUnique(result, a);
    addUnique(result, "0.0.0.0");
    addUnique(result, "::");
    for (const auto& a : ipv6) addUnique(result, a);
    return result;
}

bool isIPv6Address(const std::string& text) {
    in6_addr a{};
    return ::inet_pton(AF_INET6, text.c_str(), &a) == 1;
}

bool isIPv4Address(const std::string& text) {
    in_addr a{};
    return ::inet_pton(AF_INET, text.c_str(), &a) == 1;
}

}  // namespace corvane
