#include "net/TcpSocket.h"

#include "net/NetTexts.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace corvane {

namespace {

constexpr int kBacklog = 128;

}  // namespace

BoundSocket openTcpListener(const std::string& address, int port) {
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
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        result.error = fillIn(net_texts::kSocketFailed, std::strerror(errno));
        return result;
    }
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        result.error = bindErrorText(errno, address, port);
        ::close(fd);
        return result;
    }
    if (::listen(fd, kBacklog) != 0) {
        result.error = bindErrorText(errno, address, port);
        ::close(fd);
        return result;
    }
    result.fd = fd;
    return result;
}

SocketAddress peerAddressOf(int fd) {
    SocketAddress out;
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    if (fd < 0 || ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) != 0)
        return out;
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &peer.sin_addr, text, sizeof text);
    out.IP = text;
    out.Port = ntohs(peer.sin_port);
    return out;
}

}  // namespace corvane
