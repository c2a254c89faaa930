#pragma once

#include <string>

namespace corvane {

// A socket bound to an IPv4 address (empty: all) and port, or the reason it is not.
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

// An IPv4 address in dotted form and a port.
struct SocketAddress {
    std::string IP;
    int Port = 0;
};
// Where a socket is bound, as getsockname reports it.
SocketAddress localAddressOf(int fd);
// The peer of an accepted connection.
SocketAddress peerAddressOf(int fd);

void setBroadcast(int fd, bool on);

}  // namespace corvane
