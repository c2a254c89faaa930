// The system's drop count of our own UDP sockets, from the kernel's socket table.
#include "platform/UdpDrops.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>

namespace corvane {
namespace {

constexpr const char* kTable =
    "   sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  timeout inode ref "
    "pointer drops\n"
    " 8560: 0100007F:CE45 00000000:0000 07 00000000:00000000 00:00000000 00000000  1000        0 876578 2 "
    "0000000014710ef9 17\n"
    " 8561: 00000000:0202 00000000:0000 07 00000000:00000000 00:00000000 00000000     0        0 900001 2 "
    "0000000014710efa 5\n"
    "  103: 00000000000000000000000001000000:CE45 00000000000000000000000000000000:0000 07 00000000:00000000 "
    "00:00000000 00000000  1000        0 900002 2 0000000014710efb 3\n"
    " 8562: 0100007F:CE46 00000000:0000 07 00000000:00000000 00:00000000 00000000     0        0 900003 2 "
    "0000000014710efc 99999999999999999999999\n"
    " 8563: 0100007F:CE45 00000000:0000 07 00000000:00000000 00:00000000 00000000     0        0 900004 2\n";

TEST(UdpDrops, CountsTheRowsOfOurSocketsOnOurPorts) {
    struct Row {
        const char* name;
        std::vector<std::uint64_t> inodes;
        std::vector<int> ports;
        std::uint64_t drops;
    };
    const Row rows[] = {
        {"one socket", {876578}, {0xCE45}, 17},
        {"IPv4 and IPv6 on one port", {876578, 900002}, {0xCE45}, 20},
        {"two ports", {876578, 900001}, {0xCE45, 514}, 22},
        {"a socket of another process on our port", {900001}, {0xCE45}, 0},
        {"our socket on another port", {900001}, {0xCE45}, 0},
        {"a drop count out of range is not a row", {900003}, {0xCE46}, 0},
        {"a cut row is not a row", {900004}, {0xCE45}, 0},
        {"nothing held", {}, {0xCE45}, 0},
    };
    for (const Row& r : rows) EXPECT_EQ(udpDropsIn(kTable, r.inodes, r.ports), r.drops) << r.name;
    EXPECT_EQ(udpDropsIn("", {1}, {1}), 0u);
    EXPECT_EQ(udpDropsIn("x:\n:\n\n  :  : : : :", {1}, {1}), 0u);
}

TEST(UdpDrops, FindsASocketThisProcessHolds) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    struct stat st {};
    ASSERT_EQ(::fstat(fd, &st), 0);
    const std::vector<std::uint64_t> inodes = ownSocketInodes();
    EXPECT_NE(std::find(inodes.begin(), inodes.end(), static_cast<std::uint64_t>(st.st_ino)), inodes.end());
    const int port = ntohs(a.sin_port);
    const auto before = systemUdpDrops({port});
    if (!before) {
        ::close(fd);
        GTEST_SKIP() << "no readable socket table";
    }
    EXPECT_EQ(*before, 0u) << "a fresh socket has dropped nothing";

    // A small receive buffer that nobody reads overflows: the system counts what it dropped.
    const int small = 4096;
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    const int sender = ::socket(AF_INET, SOCK_DGRAM, 0);
    const std::string datagram(1000, 'x');
    for (int i = 0; i < 200; ++i)
        ::sendto(sender, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::close(sender);
    const auto after = systemUdpDrops({port});
    ASSERT_TRUE(after);
    EXPECT_GT(*after, 100u);
    EXPECT_EQ(systemUdpDrops({port + 1 > 65535 ? 1 : port + 1}).value_or(1), 0u) << "another port";
    ::close(fd);
}

}  // namespace
}  // namespace corvane
