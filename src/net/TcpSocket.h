#pragma once

#include "net/UdpSocket.h"

#include <string>

namespace corvane {

// A listening stream socket bound to an IPv4 address (empty: all) and port, non-blocking, or
// the reason it is not. The address may be reused at once after a restart.
BoundSocket openTcpListener(const std::string& address, int port);

// The peer of an accepted connection in dotted form, and its port.
SocketAddress peerAddressOf(int fd);

}  // namespace corvane
