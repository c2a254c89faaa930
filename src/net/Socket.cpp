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

// The address and port to bind, or the operator's text of why they are none.
bool localAddress(const std::string& address, int port, sockaddr_storage& local, socklen_t& length,
                  std::string& error) {
    if (port < 0 || port > 65535) {
        error = fillIn(net_texts::kBindBadPort, std::to_string(port));
        return false;
    }
    local = {};
    const auto networkPort = htons(static_cast<std::uint16_t>(port));
    auto* v4 = reinterpret_cast<sockaddr_in*>(&local);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&local);
    if (address.empty()) {
        v4->sin_family = AF_INET;
        v4->sin_port = networkPort;
        v4->sin_addr.s_addr = htonl(INADDR_ANY);
        length = sizeof *v4;
    } else if (::inet_pton(AF_INET, address.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = networkPort;
        length = sizeof *v4;
    } else if (::inet_pton(AF_INET6, address.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = networkPort;
        length = sizeof *v6;
    } else {
        error = fillIn(net_texts::kBindBadAddress, address);
        return false;
    }
    return true;
}

// Creates a socket of the type and binds it; `prepare` runs between the two.
template <typename Prepare>
BoundSocket bindSocket(int type, const std::string& address, int port, Prepare prepare) {
    BoundSocket result;
    sockaddr_storage local{};
    socklen_t length = 0;
    if (!localAddress(address, port, local, length, result.error))
        return result;
    const int fd = ::socket(local.ss_family, type | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        result.error = fillIn(net_texts::kSocketFailed, std::strerror(errno));
        return result;
    }
    if (local.ss_family == AF_INET6) {
        // "::" takes IPv4 senders too; a single IPv6 address only its own.
        const int v6only = 0;
        ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &v6only, sizeof v6only);
    }
    prepare(fd);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), length) != 0) {
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

std::string endpointText(const SocketAddress& address) {
    const std::string port = ":" + std::to_string(address.Port);
    if (address.IP.find(':') != std::string::npos)
        return "[" + address.IP + "]" + port;
    return address.IP + port;
}

SocketAddress addressText(const void* socketAddress) {
    const auto* any = static_cast<const sockaddr*>(socketAddress);
    char text[INET6_ADDRSTRLEN] = {};
    if (any->sa_family == AF_INET) {
        const auto* v4 = static_cast<const sockaddr_in*>(socketAddress);
        ::inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
        return {text, ntohs(v4->sin_port)};
    }
    if (any->sa_family == AF_INET6) {
        const auto* v6 = static_cast<const sockaddr_in6*>(socketAddress);
        if (IN6_IS_ADDR_V4MAPPED(&v6->sin6_addr)) {
            in_addr v4{};
            std::memcpy(&v4, v6->sin6_addr.s6_addr + 12, sizeof v4);
            ::inet_ntop(AF_INET, &v4, text, sizeof text);
        } else {
            ::inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
        }
        return {text, ntohs(v6->sin6_port)};
    }
    return {};
}

SocketAddress localAddressOf(int fd) {
    sockaddr_storage local{};
    socklen_t length = sizeof local;
    if (fd < 0 || ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return {};
    return addressText(&local);
}

SocketAddress peerAddressOf(int fd) {
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    if (fd < 0 || ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) != 0)
        return {};
    return addressText(&peer);
}

void setBroadcast(int fd, bool on) {
    const int value = on ? 1 : 0;
    ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &value, sizeof value);
}

}  // namespace corvane
