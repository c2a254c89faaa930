#include "net/Socket.h"

#include "net/NetTexts.h"
#include "protocol/Placeholders.h"

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
constexpr int kBacklog = 128;

// The IPv4 address and port to bind, or the operator's text of why they are none.
bool localAddress(const std::string& address, int port, sockaddr_in& local, std::string& error) {
    if (port < 0 || port > 65535) {
        error = fillIn(net_texts::kBindBadPort, std::to_string(port));
        return false;
    }
    local = {};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<std::uint16_t>(port));
    if (address.empty()) {
        local.sin_addr.s_addr = htonl(INADDR_ANY);
    } else if (::inet_pton(AF_INET, address.c_str(), &local.sin_addr) != 1) {
        error = fillIn(net_texts::kBindBadAddress, address);
        return false;
    }
    return true;
}

SocketAddress addressText(const sockaddr_in& a) {
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &a.sin_addr, text, sizeof text);
    return {text, ntohs(a.sin_port)};
}

// Creates a socket of the type and binds it; `prepare` runs between the two.
template <typename Prepare>
BoundSocket bindSocket(int type, const std::string& address, int port, Prepare prepare) {
    BoundSocket result;
    sockaddr_in local{};
    if (!localAddress(address, port, local, result.error))
        return result;
    const int fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        result.error = fillIn(net_texts::kSocketFailed, std::strerror(errno));
        return result;
    }
    prepare(fd);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        result.error = bindErrorText(errno, address, port);
        ::close(fd);
        return result;
    }
    result.fd = fd;
    return result;
}

}  // namespace

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
    return bindSocket(SOCK_DGRAM, address, port, [](int fd) {
        const int size = kReceiveBufferBytes;
        if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof size) != 0)
            ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    });
}

BoundSocket openTcpListener(const std::string& address, int port) {
    BoundSocket result = bindSocket(SOCK_STREAM | SOCK_NONBLOCK, address, port, [](int fd) {
        const int on = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    });
    if (result.fd >= 0 && ::listen(result.fd, kBacklog) != 0) {
        result.error = bindErrorText(errno, address, port);
        ::close(result.fd);
        result.fd = -1;
    }
    return result;
}

SocketAddress localAddressOf(int fd) {
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (fd < 0 || ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return {};
    return addressText(local);
}

SocketAddress peerAddressOf(int fd) {
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    if (fd < 0 || ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) != 0)
        return {};
    return addressText(peer);
}

void setBroadcast(int fd, bool on) {
    const int value = on ? 1 : 0;
    ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &value, sizeof value);
}

}  // namespace corvane
