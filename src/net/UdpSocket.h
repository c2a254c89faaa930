#pragma once

#include <string>

namespace corvane {

// A datagram socket bound to an IPv4 address (empty: all) and port, or the reason it is not.
struct BoundSocket {
    int fd = -1;
    std::string error;
};

BoundSocket openUdpSocket(const std::string& address, int port);

// The operator's text for a failed bind: what went wrong and, where there is one, the remedy.
std::string bindErrorText(int error, const std::string& address, int port);

// The address and port a socket is bound to, as getsockname reports them.
struct SocketAddress {
    std::string IP;
    int Port = 0;
};
SocketAddress localAddressOf(int fd);

void setBroadcast(int fd, bool on);

// Replaces "%1" in the pattern by the value.
std::string fillIn(const char* pattern, const std::string& value);

}  // namespace corvane
