#pragma once

#include "net/SyslogListener.h"
#include "net/TcpReceiveThread.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

// The TCP side of the listener: syslog over stream connections, each frame of a connection one
// message (octet-counted or newline-terminated framing, chosen per frame). Opening binds and
// listens on every binding and starts the receive thread; the thread hands the frames to the
// output (the owner's ordered queue), and the owner delivers them on the main thread through
// Deliver.
class TnTCPSyslogServer : public SyslogListener {
public:
    static constexpr int kDefaultPort = 601;
    static constexpr int kDefaultMaxConnections = 100;
    static constexpr int kDefaultIdleTimeoutSeconds = 300;
    static constexpr std::size_t kDefaultMaxFrame = 64 * 1024;

    TnTCPSyslogServer();
    ~TnTCPSyslogServer() override;

    // Connections open at the same time; a new one beyond this many takes the slot of the one
    // idle longest (0: every connection is closed at once).
    int MaxConnections() const { return m_limits.maxConnections.load(); }
    void SetMaxConnections(int count) { m_limits.maxConnections.store(count < 0 ? 0 : count); }
    // A connection that sends nothing for this long is closed; zero or less: never.
    std::chrono::milliseconds IdleTimeout() const {
        return std::chrono::milliseconds(m_limits.idleTimeoutMs.load());
    }
    void SetIdleTimeout(std::chrono::milliseconds timeout) {
        m_limits.idleTimeoutMs.store(std::max<std::int64_t>(0, timeout.count()));
    }
    // A connection that has not completed a frame this long after its first byte (or after
    // connecting) is closed; zero or less: never.
    std::chrono::milliseconds FrameDeadline() const {
        return std::chrono::milliseconds(m_limits.frameDeadlineMs.load());
    }
    void SetFrameDeadline(std::chrono::milliseconds deadline) {
        m_limits.frameDeadlineMs.store(std::max<std::int64_t>(0, deadline.count()));
    }
    // The longest frame; what a frame holds beyond the kept bytes is skipped in any case, and a
    // line longer than this is handed on cut without waiting for its end.
    std::size_t MaxFrame() const { return m_limits.maxFrame.load(); }
    void SetMaxFrame(std::size_t bytes) { m_limits.maxFrame.store(bytes < 1 ? 1 : bytes); }

    // Where the receive thread puts what it read; set before opening.
    void SetOutput(TcpReceiveThread::Output output) { m_output = std::move(output); }

    std::size_t ConnectionCount() const;
    // Connections refused because the maximum was reached, over every opening.
    std::uint64_t RefusedCount() const;

protected:
    std::string CanOpen() const override;
    BoundSocket OpenSocketFor(const Binding& binding) override;
    std::unique_ptr<ReceiveLoop> MakeThread(const std::vector<OpenSocket>& sockets,
                                            std::uint64_t generation) override;
    void ThreadStopped(ReceiveLoop& thread) override;
    // Builds the message of one frame and raises DoMessage.
    void DoRead(const ReceivedItem& item, Binding* binding) override;

private:
    const TcpReceiveThread* tcpThread() const;

    TcpLimits m_limits;
    TcpReceiveThread::Output m_output;
    std::uint64_t m_refusedBefore = 0;
};

}  // namespace corvane
