#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace corvane {

// Datagrams the operating system dropped on this program's UDP sockets because their receive
// buffer was full, as the kernel's socket table (/proc/net/udp and /proc/net/udp6) counts them.
// Only sockets this process holds count, and of them only those bound to one of `ports`.
// Nothing when the table cannot be read (another system, a restricted /proc).
std::optional<std::uint64_t> systemUdpDrops(const std::vector<int>& ports);

// The sum of the drops column over the rows of a socket table text whose inode is one of
// `inodes` and whose local port is one of `ports`. Rows that do not read as a row of the table
// (the heading, a cut line, numbers out of range) are skipped.
std::uint64_t udpDropsIn(std::string_view table, const std::vector<std::uint64_t>& inodes,
                         const std::vector<int>& ports);

// The inodes of the sockets this process holds open.
std::vector<std::uint64_t> ownSocketInodes();

}  // namespace corvane
