#pragma once

#include "net/SysLogServer.h"

#include <arpa/inet.h>
#include <chrono>
#include <mutex>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace corvane::test {

// A datagram socket on 127.0.0.1 that sends to a local port.
class LoopbackSender {
public:
    LoopbackSender() : m_fd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {}
    ~LoopbackSender() { ::close(m_fd); }
    LoopbackSender(const LoopbackSender&) = delete;
    LoopbackSender& operator=(const LoopbackSender&) = delete;

    bool send(int port, const std::string& bytes) const {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(static_cast<std::uint16_t>(port));
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return ::sendto(m_fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to),
                        sizeof to) == static_cast<ssize_t>(bytes.size());
    }

private:
    int m_fd;
};

// A port on 127.0.0.1 that was free a moment ago: the system picks it for a socket bound to
// port 0, which is then closed.
inline int freeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a);
    socklen_t length = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    ::close(fd);
    return ntohs(a.sin_port);
}

// What a delivered message object held.
struct MessageCopy {
    std::string Data;
    DateTime Received = 0;
    std::string PeerAddress;
    std::string Protocol;
};

inline MessageCopy copyOf(const TnSyslogMessage& m) {
    return {m.Data(), m.Received(), m.PeerAddress(), m.Protocol()};
}

// Collects what the listener delivers.
struct Received {
    TnComponent* sender = nullptr;
    MessageCopy message;
    Binding* binding = nullptr;
    std::string bindingPeer;
};

inline void record(TnSysLogServer& server, std::vector<Received>& into) {
    server.OnMessage = [&into](TnComponent* sender, TnSyslogMessage* aData, Binding* aBinding) {
        into.push_back({sender, copyOf(*aData), aBinding, aBinding ? aBinding->PeerIP : std::string()});
    };
}

// Delivers queued datagrams on this thread until `count` have arrived or two seconds pass.
inline bool deliverUntil(TnSysLogServer& server, const std::vector<Received>& received, std::size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (received.size() < count && std::chrono::steady_clock::now() < deadline) {
        if (server.DeliverQueued() == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return received.size() >= count;
}

}  // namespace corvane::test
