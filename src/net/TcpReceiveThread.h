#pragma once

#include "net/ReceiveLoop.h"
#include "net/ReceiveQueue.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace corvane {

// The limits of the TCP listener. The receive thread reads them on every turn, so a change
// applies at once to open connections; a new maximum frame size applies to connections
// accepted after the change.
struct TcpLimits {
    std::atomic<int> maxConnections{100};
    std::atomic<std::int64_t> idleTimeoutMs{300 * 1000};  // 0: no time-out
    std::atomic<std::size_t> maxFrame{64 * 1024};
    // A connection must complete a frame within this time of its first byte (or of connecting),
    // so idle and trickling senders cannot hold a slot.
    std::atomic<std::int64_t> frameDeadlineMs{30 * 1000};
};

// The TCP listener's receive thread: accepts connections on the listening sockets, reads every
// connection with poll(), splits each stream into frames and passes them, in the order each
// connection sent them, to the output. It never waits for anyone but its sockets.
//
// When the output reports congestion the thread stops reading connections (the peers' own
// sending then stalls under TCP flow control) until it has room again, so a fast TCP sender
// can neither fill the queue that UDP shares nor lose a message.
class TcpReceiveThread : public ReceiveLoop {
public:
    struct Listener {
        int fd = -1;
        std::size_t bindingIndex = 0;
    };
    struct Output {
        std::function<void(std::vector<ReceivedItem>& batch)> push;
        std::function<bool()> congested;
    };

    static constexpr std::size_t kReadSize = 64 * 1024;
    static constexpr int kWaitMilliseconds = 1000;
    // How often a congested thread looks again whether it may read.
    static constexpr int kCongestedWaitMilliseconds = 5;

    TcpReceiveThread(std::vector<Listener> listeners, std::uint64_t generation, const TcpLimits& limits,
                     Output output);
    // Stops as stop() says, then every connection is closed.
    ~TcpReceiveThread() override;

    // stop() (of ReceiveLoop): no more connections are accepted (those the system had already
    // set up are taken); what each open connection has already sent is read for up to
    // kDrainMilliseconds and its complete frames handed on; a frame that is only partly received
    // is dropped (never handed on cut); then every connection is closed.
    static constexpr int kDrainMilliseconds = 1000;
    // A stopping thread takes everything pending as read once no connection has had anything
    // more for this long.
    static constexpr int kDrainQuietMilliseconds = 50;
    // And it reads at most this much while stopping, whatever the peers keep sending.
    static constexpr std::size_t kDrainLimitBytes = 256 * 1024 * 1024;

    std::size_t connectionCount() const { return m_connectionCount.load(); }
    // Connections closed because every slot was taken: with a maximum above 0 the one idle
    // longest gives its slot to the newcomer; with a maximum of 0 the newcomer is closed.
    std::uint64_t refusedCount() const { return m_refused.load(); }

private:
    struct Connection;
    void run() override;
    void acceptAll(const Listener& listener, std::vector<Connection>& connections,
                   std::vector<ReceivedItem>& batch);
    // False when the connection is to be closed.
    bool readFrom(Connection& connection, std::vector<ReceivedItem>& batch);
    void closeConnection(Connection& connection, std::vector<ReceivedItem>& batch);
    void drainConnections(std::vector<Connection>& connections, std::vector<ReceivedItem>& batch);
    void addFrames(Connection& connection, std::vector<std::string>& frames,
                   std::vector<ReceivedItem>& batch);

    std::vector<Listener> m_listeners;
    std::uint64_t m_generation;
    const TcpLimits& m_limits;
    Output m_output;
    std::atomic<std::size_t> m_connectionCount{0};
    std::atomic<std::uint64_t> m_refused{0};
    std::vector<char> m_buffer = std::vector<char>(kReadSize);
};

}  // namespace corvane
