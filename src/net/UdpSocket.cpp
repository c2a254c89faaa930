#include "net/UdpSocket.h"

#include "net/NetTexts.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace corvane {

namespace {

// A large kernel queue absorbs bursts while the receive thread is busy; the kernel caps the
// request at what the system allows.
constexpr int kReceiveBufferBytes = 8 * 1024 * 1024;

}  // namespace

std::string fillIn(const char* pattern, const std::string& value) {
    std::string out = pattern;
    if (auto p = out.find("%1"); p != std::string::npos)
        out.replace(p, 2, value);
    return out;
}

std::string bindErrorText(int error, const std::string& address, int port) {
    switch (error) {
        case EADDRINUSE:
            return net_texts::kBindInUse;
        case EACCES:
            // The kernel refuses ports below 1024 to a process without the capability to bind them.
            if (port > 0 && port < 1024)
                return fillIn(net_texts::kBindPrivileged, std::to_string(port));
            break;
        case EADDRNOTAVAIL:
            return fillIn(net_texts::kBindNoSuchAddress, address);
        default:
            break;
    }
    return fillIn(net_texts::kBindFailed, std::strerror(error));
}

BoundSocket openUdpSocket(const std::string& address, int port) {
    BoundSocket result;
    if (port < 0 || port > 65535) {
        result.error = fillIn(net_texts::kBindBadPort, std::to_string(port));
        return result;
    }
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<std::uint16_t>(port));
    if (address.empty())
        local.sin_addr.s_addr = htonl(INADDR_ANY);
    else if (::inet_pton(AF_INET, address.c_str(), &local.sin_addr) != 1) {
        result.error = fillIn(net_texts::kBindBadAddress, address);
        return result;
    }
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        result.error = fillIn(net_texts::kSocketFailed, std::strerror(errno));
        return result;
    }
    const int size = kReceiveBufferBytes;
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof size) != 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        result.error = bindErrorText(errno, address, port);
        ::close(fd);
        return result;
    }
    result.fd = fd;
    return result;
}

SocketAddress localAddressOf(int fd) {
    SocketAddress out;
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (fd < 0 || ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return out;
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &local.sin_addr, text, sizeof text);
    out.IP = text;
    out.Port = ntohs(local.sin_port);
    return out;
}

void setBroadcast(int fd, bool on) {
    const int value = on ? 1 : 0;
    ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &value, sizeof value);
}

}  // namespace corvane
