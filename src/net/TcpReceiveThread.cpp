#include "net/TcpReceiveThread.h"

#include "net/NetTexts.h"
#include "net/SyslogEvents.h"
#include "net/TcpFraming.h"
#include "protocol/Placeholders.h"
#include "net/Socket.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace corvane {

namespace {

using Clock = std::chrono::steady_clock;

// Connections taken from one listening socket per turn, so a flood of new connections cannot
// hold up reading the open ones.
constexpr int kAcceptsPerTurn = 64;

}  // namespace

struct TcpReceiveThread::Connection {
    int fd = -1;
    std::string peerIP;
    int peerPort = 0;
    std::size_t bindingIndex = 0;
    TcpFramer framer;
    Clock::time_point lastActivity;
    // Since when the frame in progress (or, before the first, the connection) waits to be
    // completed; empty while no frame is in progress.
    std::optional<Clock::time_point> frameSince;
    bool framingReported = false;  // a connection's framing errors are shown once
};

TcpReceiveThread::TcpReceiveThread(std::vector<Listener> listeners, std::uint64_t generation,
                                   const TcpLimits& limits, Output output)
    : m_listeners(std::move(listeners)),
      m_generation(generation),
      m_limits(limits),
      m_output(std::move(output)) {}

TcpReceiveThread::~TcpReceiveThread() {
    stop();
}

void TcpReceiveThread::run() {
    std::vector<Connection> connections;
    std::vector<pollfd> fds;
    std::vector<ReceivedItem> batch;
    std::size_t turn = 0;
    while (!stopping()) {
        const bool congested = m_output.congested && m_output.congested();
        const std::int64_t idleMs = m_limits.idleTimeoutMs.load();
        const std::int64_t frameMs = m_limits.frameDeadlineMs.load();
        const auto start = Clock::now();

        int timeout = kWaitMilliseconds;
        const auto waitUntil = [&](Clock::time_point at) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(at - start).count();
            timeout = static_cast<int>(std::clamp<std::int64_t>(left + 1, 0, timeout));
        };
        if (congested) {
            timeout = kCongestedWaitMilliseconds;
        } else {
            for (const auto& c : connections) {
                if (idleMs > 0)
                    waitUntil(c.lastActivity + std::chrono::milliseconds(idleMs));
                if (frameMs > 0 && c.frameSince)
                    waitUntil(*c.frameSince + std::chrono::milliseconds(frameMs));
            }
        }

        fds.clear();
        fds.push_back({stopFd(), POLLIN, 0});
        for (const auto& l : m_listeners) fds.push_back({l.fd, POLLIN, 0});
        // A congested thread leaves the connections unread; their data waits in the kernel.
        if (!congested)
            for (const auto& c : connections) fds.push_back({c.fd, POLLIN, 0});
        const int ready = ::poll(fds.data(), fds.size(), timeout);
        if (ready < 0 && errno != EINTR) {
            ReceivedItem item;
            item.isError = true;
            item.viaTcp = true;
            item.errorText = fillIn(net_texts::kReceiveFailed, std::strerror(errno));
            item.errorClass = "ESocketError";
            item.generation = m_generation;
            batch.push_back(std::move(item));
            m_output.push(batch);
            ::usleep(100 * 1000);  // a failing wait must not spin
            continue;
        }
        if (stopping())
            break;

        const std::size_t connectionsBefore = congested ? 0 : connections.size();
        const std::size_t firstConnection = 1 + m_listeners.size();
        // Read the connections polled this turn before accepting new ones: accepting moves
        // the vector, and its first entries are the ones the poll list names.
        // What one connection read goes on at once, and once the output is busy the others
        // wait for the next turn; the turn starts at a different connection each time, so
        // none of them is always the one left waiting.
        std::vector<std::size_t> closing;
        bool busy = false;
        for (std::size_t k = 0; ready > 0 && !busy && k < connectionsBefore; ++k) {
            const std::size_t i = (k + turn) % connectionsBefore;
            if (fds[firstConnection + i].revents == 0)
                continue;
            if (!readFrom(connections[i], batch))
                closing.push_back(i);
            if (!batch.empty()) {
                m_output.push(batch);
                busy = m_output.congested && m_output.congested();
            }
        }
        ++turn;
        const auto now = Clock::now();
        if (congested) {
            // Time spent waiting for room is not idleness of the peers, nor slowness.
            for (auto& c : connections) {
                c.lastActivity = now;
                if (c.frameSince)
                    c.frameSince = now;
            }
        } else {
            for (std::size_t i = 0; i < connections.size(); ++i) {
                const Connection& c = connections[i];
                const bool idle = idleMs > 0 && now - c.lastActivity >= std::chrono::milliseconds(idleMs);
                const bool slow =
                    frameMs > 0 && c.frameSince && now - *c.frameSince >= std::chrono::milliseconds(frameMs);
                if ((idle || slow) && std::find(closing.begin(), closing.end(), i) == closing.end())
                    closing.push_back(i);
            }
        }
        std::sort(closing.begin(), closing.end());
        for (auto it = closing.rbegin(); it != closing.rend(); ++it) {
            closeConnection(connections[*it], batch);
            connections.erase(connections.begin() + static_cast<std::ptrdiff_t>(*it));
        }
        for (std::size_t l = 0; ready > 0 && l < m_listeners.size(); ++l)
            if (fds[1 + l].revents & POLLIN)
                acceptAll(m_listeners[l], connections, batch);
        m_connectionCount.store(connections.size());
        if (!batch.empty())
            m_output.push(batch);
    }
    drainConnections(connections, batch);
    m_connectionCount.store(0);
    if (!batch.empty())
        m_output.push(batch);
}

void TcpReceiveThread::drainConnections(std::vector<Connection>& connections,
                                        std::vector<ReceivedItem>& batch) {
    // What the peers sent before the stop is in this computer's socket buffers (or on its way
    // from theirs): read it, whether or not the output is busy, so a normal stop loses nothing.
    const auto deadline = Clock::now() + std::chrono::milliseconds(kDrainMilliseconds);
    // A connection the system had already set up is open as far as its sender knows: it is
    // taken too, and read like the others. Nothing later is accepted.
    for (const auto& listener : m_listeners) {
        std::size_t before = 0;
        do {
            before = connections.size();
            acceptAll(listener, connections, batch);
        } while (connections.size() > before);
    }
    std::size_t reads = 0;
    std::vector<pollfd> fds;
    while (!connections.empty() && reads < kDrainLimitBytes / kReadSize) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            break;
        fds.clear();
        for (const auto& c : connections) fds.push_back({c.fd, POLLIN, 0});
        const int ready = ::poll(fds.data(), fds.size(),
                                 static_cast<int>(std::min<std::int64_t>(left, kDrainQuietMilliseconds)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;  // quiet: everything pending has been read
        std::vector<std::size_t> ended;
        for (std::size_t i = 0; i < connections.size(); ++i) {
            if (fds[i].revents == 0)
                continue;
            ++reads;
            if (!readFrom(connections[i], batch))
                ended.push_back(i);
        }
        // A peer that closed its end finished its last frame, as in normal operation.
        for (auto it = ended.rbegin(); it != ended.rend(); ++it) {
            closeConnection(connections[*it], batch);
            connections.erase(connections.begin() + static_cast<std::ptrdiff_t>(*it));
        }
        if (!batch.empty())
            m_output.push(batch);
    }
    // Still open: the stop cut the sender off, so a frame it had only begun is incomplete.
    for (auto& c : connections) ::close(c.fd);
    connections.clear();
}

void TcpReceiveThread::acceptAll(const Listener& listener, std::vector<Connection>& connections,
                                 std::vector<ReceivedItem>& batch) {
    for (int n = 0; n < kAcceptsPerTurn; ++n) {
        const int fd = ::accept4(listener.fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            // Out of descriptors or memory: the pending connection stays readable, so wait a
            // little instead of spinning on it.
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
                ::usleep(10 * 1000);
            return;
        }
        const auto slots = static_cast<std::size_t>(std::max(0, m_limits.maxConnections.load()));
        if (slots == 0) {
            // Counted first, so whoever sees the connection closed also sees it counted.
            m_refused.fetch_add(1);
            ::close(fd);
            continue;
        }
        while (connections.size() >= slots) {
            // Every slot is taken: the connection idle longest makes room, so silent senders
            // cannot lock out one that has something to say.
            const auto idlest = std::min_element(
                connections.begin(), connections.end(),
                [](const Connection& a, const Connection& b) { return a.lastActivity < b.lastActivity; });
            m_refused.fetch_add(1);
            closeConnection(*idlest, batch);
            connections.erase(idlest);
        }
        const SocketAddress peer = peerAddressOf(fd);
        const auto accepted = Clock::now();
        connections.push_back({fd, peer.IP, peer.Port, listener.bindingIndex,
                               TcpFramer(m_limits.maxFrame.load(), kSyslogMessageBytes), accepted, accepted});
    }
}

bool TcpReceiveThread::readFrom(Connection& connection, std::vector<ReceivedItem>& batch) {
    const ssize_t n = ::recv(connection.fd, m_buffer.data(), m_buffer.size(), MSG_DONTWAIT);
    if (n < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    if (n == 0)
        return false;
    const auto now = Clock::now();
    connection.lastActivity = now;
    std::vector<std::string> frames;
    const bool ok =
        connection.framer.feed(std::string_view(m_buffer.data(), static_cast<std::size_t>(n)), frames);
    // A frame completed restarts the clock for the next one, which starts with its first byte.
    if (!frames.empty())
        connection.frameSince.reset();
    if (connection.framer.inFrame() && (!connection.frameSince || !frames.empty()))
        connection.frameSince = now;
    addFrames(connection, frames, batch);
    // The framer reads on after an error, so the connection stays open; the operator hears of
    // the first error only, not of every frame of a sender that frames wrongly.
    if (!ok && !connection.framingReported) {
        connection.framingReported = true;
        ReceivedItem item;
        item.isError = true;
        item.viaTcp = true;
        item.errorText = fillIn(net_texts::kTcpFramingError, {connection.peerIP, connection.framer.error()});
        item.errorClass = "ETcpFramingError";
        item.peerIP = connection.peerIP;
        item.peerPort = connection.peerPort;
        item.bindingIndex = connection.bindingIndex;
        item.generation = m_generation;
        batch.push_back(std::move(item));
    }
    return true;
}

void TcpReceiveThread::closeConnection(Connection& connection, std::vector<ReceivedItem>& batch) {
    std::vector<std::string> frames;
    connection.framer.finish(frames);
    addFrames(connection, frames, batch);
    ::close(connection.fd);
    connection.fd = -1;
}

void TcpReceiveThread::addFrames(Connection& connection, std::vector<std::string>& frames,
                                 std::vector<ReceivedItem>& batch) {
    if (frames.empty())
        return;
    const DateTime arrived = now();
    for (auto& frame : frames) {
        ReceivedItem item;
        item.data = std::move(frame);
        item.peerIP = connection.peerIP;
        item.peerPort = connection.peerPort;
        item.bindingIndex = connection.bindingIndex;
        item.generation = m_generation;
        item.received = arrived;
        item.viaTcp = true;
        batch.push_back(std::move(item));
    }
}

}  // namespace corvane
