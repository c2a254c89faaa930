#include "LoopbackPeer.h"
#include "TcpPeer.h"

#include "net/SysLogServer.h"
#include "net/Socket.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace corvane {
namespace {

using namespace test;

// Sends one datagram from ::1 to ::1 at the port.
bool sendFromIpv6Loopback(int port, const std::string& bytes) {
    const int fd = ::socket(AF_INET6, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_in6 to{};
    to.sin6_family = AF_INET6;
    to.sin6_port = htons(static_cast<std::uint16_t>(port));
    to.sin6_addr = in6addr_loopback;
    const bool sent = ::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to),
                               sizeof to) == static_cast<ssize_t>(bytes.size());
    ::close(fd);
    return sent;
}

TEST(Ipv6Listener, DatagramsFromAnIpv6SenderCarryItsAddress) {
    TnSysLogServer server;
    std::vector<Received> received;
    record(server, received);
    server.UDPBindings().Add("::1").Port = 0;
    ASSERT_EQ(server.SetActive(true), "");
    const auto bound = server.UDPServer().BoundAddresses();
    ASSERT_EQ(bound.size(), 1u);
    EXPECT_EQ(bound[0].IP, "::1");
    ASSERT_TRUE(sendFromIpv6Loopback(bound[0].Port, "<34>Dec 10 13:10:46 v6host app: over IPv6"));
    ASSERT_TRUE(deliverUntil(server, received, 1));
    EXPECT_EQ(received[0].message.PeerAddress, "::1");
    EXPECT_EQ(server.SetActive(false), "");
}

TEST(Ipv6Listener, TcpListensOnAnIpv6Address) {
    BoundSocket listener = openTcpListener("::1", 0);
    ASSERT_GE(listener.fd, 0) << listener.error;
    EXPECT_EQ(localAddressOf(listener.fd).IP, "::1");
    ::close(listener.fd);
}

TEST(SocketAddressText, NamesBothFamiliesAndUnmapsIpv4) {
    struct Row {
        const char* name;
        int family;
        const char* address;
        const char* text;
        const char* endpoint;
    };
    const Row rows[] = {
        {"IPv4", AF_INET, "192.0.2.7", "192.0.2.7", "192.0.2.7:514"},
        {"IPv6", AF_INET6, "2001:db8::5", "2001:db8::5", "[2001:db8::5]:514"},
        {"IPv4 sender on an IPv6 socket", AF_INET6, "::ffff:192.0.2.7", "192.0.2.7", "192.0.2.7:514"},
        {"longest IPv6 text", AF_INET6, "2001:db8:85a3:1234:5678:8a2e:370:7334",
         "2001:db8:85a3:1234:5678:8a2e:370:7334", "[2001:db8:85a3:1234:5678:8a2e:370:7334]:514"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sockaddr_storage storage{};
        if (row.family == AF_INET) {
            auto* a = reinterpret_cast<sockaddr_in*>(&storage);
            a->sin_family = AF_INET;
            a->sin_port = htons(514);
            ASSERT_EQ(::inet_pton(AF_INET, row.address, &a->sin_addr), 1);
        } else {
            auto* a = reinterpret_cast<sockaddr_in6*>(&storage);
            a->sin6_family = AF_INET6;
            a->sin6_port = htons(514);
            ASSERT_EQ(::inet_pton(AF_INET6, row.address, &a->sin6_addr), 1);
        }
        const SocketAddress text = addressText(&storage);
        EXPECT_EQ(text.IP, row.text);
        EXPECT_EQ(text.Port, 514);
        EXPECT_EQ(endpointText(text), row.endpoint);
    }
}

TEST(ListenerBindErrors, AddressThatIsNeitherFamily) {
    const BoundSocket s = openUdpSocket("fe80::zz", 0);
    EXPECT_LT(s.fd, 0);
    EXPECT_EQ(s.error, "Could not bind socket. fe80::zz is not an IP address.");
}

}  // namespace
}  // namespace corvane
