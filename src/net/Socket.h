#pragma once

#include <string>

namespace corvane {

// A socket bound to an address and port, or the reason it is not. The address is IPv4 or IPv6
// text; empty or "0.0.0.0" is every IPv4 address, "::" every address, IPv6 and IPv4.
struct BoundSocket {
    int fd = -1;
    std::string error;
};

// A datagram socket with a large kernel receive queue.
BoundSocket openUdpSocket(const std::string& address, int port);

// A listening stream socket, non-blocking. The address may be reused at once after a restart.
BoundSocket openTcpListener(const std::string& address, int port);

// The operator's text for a failed bind: what went wrong and, where there is one, the remedy.
std::string bindErrorText(int error, const std::string& address, int port);

// An address as text and a port. An IPv4 sender reaching an IPv6 socket is named by its IPv4
// address ("192.0.2.7", not "::ffff:192.0.2.7"), so it is the same host either way.
struct SocketAddress {
    std::string IP;
    int Port = 0;
};
// The address and port of a socket address of either family.
SocketAddress addressText(const void* socketAddress);
// "192.0.2.7:514", or "[2001:db8::5]:514" for an IPv6 address, whose colons would run into the port's.
std::string endpointText(const SocketAddress& address);
// Where a socket is bound, as getsockname reports it.
SocketAddress localAddressOf(int fd);
// The peer of an accepted connection.
SocketAddress peerAddressOf(int fd);

void setBroadcast(int fd, bool on);

}  // namespace corvane
