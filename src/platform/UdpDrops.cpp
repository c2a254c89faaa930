#include "platform/UdpDrops.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <string>

namespace corvane {

namespace {

// The next blank-separated word of `line` from `at`, or empty at the end.
std::string_view nextWord(std::string_view line, std::size_t& at) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    const std::size_t start = at;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t') ++at;
    return line.substr(start, at - start);
}

template <typename T>
bool readNumber(std::string_view word, T& out, int base) {
    if (word.empty())
        return false;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), out, base);
    return ec == std::errc() && end == word.data() + word.size();
}

// One row: "sl: local rem st tx:rx tr:when retrnsmt uid timeout inode ref pointer drops".
bool readRow(std::string_view line, int& port, std::uint64_t& inode, std::uint64_t& drops) {
    std::size_t at = 0;
    std::string_view words[13];
    for (std::string_view& w : words) {
        w = nextWord(line, at);
        if (w.empty())
            return false;
    }
    if (words[0].back() != ':')
        return false;
    const std::size_t colon = words[1].rfind(':');
    unsigned portValue = 0;
    if (colon == std::string_view::npos || !readNumber(words[1].substr(colon + 1), portValue, 16) ||
        portValue > 65535)
        return false;
    port = static_cast<int>(portValue);
    return readNumber(words[9], inode, 10) && readNumber(words[12], drops, 10);
}

}  // namespace

std::uint64_t udpDropsIn(std::string_view table, const std::vector<std::uint64_t>& inodes,
                         const std::vector<int>& ports) {
    std::uint64_t sum = 0;
    while (!table.empty()) {
        const std::size_t end = table.find('\n');
        const std::string_view line = table.substr(0, end);
        table = end == std::string_view::npos ? std::string_view() : table.substr(end + 1);
        int port = 0;
        std::uint64_t inode = 0, drops = 0;
        if (!readRow(line, port, inode, drops))
            continue;
        if (std::find(inodes.begin(), inodes.end(), inode) != inodes.end() &&
            std::find(ports.begin(), ports.end(), port) != ports.end())
            sum += drops;
    }
    return sum;
}

std::vector<std::uint64_t> ownSocketInodes() {
    std::vector<std::uint64_t> inodes;
    DIR* dir = ::opendir("/proc/self/fd");
    if (!dir)
        return inodes;
    constexpr std::string_view kPrefix = "socket:[";
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string path = std::string("/proc/self/fd/") + entry->d_name;
        char target[64];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
        if (n <= 0 || n >= static_cast<ssize_t>(sizeof target))
            continue;
        const std::string_view link(target, static_cast<std::size_t>(n));
        std::uint64_t inode = 0;
        if (link.size() > kPrefix.size() + 1 && link.substr(0, kPrefix.size()) == kPrefix &&
            link.back() == ']' &&
            readNumber(link.substr(kPrefix.size(), link.size() - kPrefix.size() - 1), inode, 10))
            inodes.push_back(inode);
    }
    ::closedir(dir);
    return inodes;
}

std::optional<std::uint64_t> systemUdpDrops(const std::vector<int>& ports) {
    const std::vector<std::uint64_t> inodes = ownSocketInodes();
    bool read = false;
    std::uint64_t sum = 0;
    for (const char* path : {"/proc/net/udp", "/proc/net/udp6"}) {
        std::ifstream in(path);
        if (!in)
            continue;
        // The table is small (a row per UDP socket of the system); read it whole, bounded.
        std::string text;
        text.reserve(4096);
        char buffer[4096];
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
            text.append(buffer, static_cast<std::size_t>(in.gcount()));
            if (text.size() > (16u << 20))
                break;
        }
        read = true;
        sum += udpDropsIn(text, inodes, ports);
    }
    if (!read)
        return std::nullopt;
    return sum;
}

}  // namespace corvane
