#pragma once

#include "net/Binding.h"
#include "net/NetComponent.h"
#include "net/ReceiveQueue.h"
#include "net/SyslogEvents.h"
#include "net/TcpReceiveThread.h"
#include "net/UdpSocket.h"

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
// output, which the owner connects to the ordered queue the UDP side uses, and the main thread
// delivers them from there through Deliver.
class TnTCPSyslogServer : public TnComponent {
public:
    static constexpr int kDefaultPort = 601;
    static constexpr int kDefaultMaxConnections = 100;
    static constexpr int kDefaultIdleTimeoutSeconds = 300;
    static constexpr std::size_t kDefaultMaxFrame = 64 * 1024;

    TnTCPSyslogServer();
    ~TnTCPSyslogServer() override;

    BindingList& Bindings() { return m_bindings; }
    const BindingList& Bindings() const { return m_bindings; }
    // Replaces the list by a copy; an open listener keeps its sockets until it is closed.
    void SetBindings(const BindingList& list);
    int DefaultPort() const { return m_bindings.DefaultPort(); }
    void SetDefaultPort(int port) { m_bindings.SetDefaultPort(port); }

    // Connections beyond this many are closed as soon as they are accepted.
    int MaxConnections() const { return m_limits.maxConnections.load(); }
    void SetMaxConnections(int count) { m_limits.maxConnections.store(count < 0 ? 0 : count); }
    // A connection that sends nothing for this long is closed; zero or less: never.
    std::chrono::milliseconds IdleTimeout() const {
        return std::chrono::milliseconds(m_limits.idleTimeoutMs.load());
    }
    void SetIdleTimeout(std::chrono::milliseconds timeout) {
        m_limits.idleTimeoutMs.store(std::max<std::int64_t>(0, timeout.count()));
    }
    // The longest frame; what a frame holds beyond the kept bytes is skipped in any case, and a
    // line longer than this is handed on cut without waiting for its end.
    std::size_t MaxFrame() const { return m_limits.maxFrame.load(); }
    void SetMaxFrame(std::size_t bytes) { m_limits.maxFrame.store(bytes < 1 ? 1 : bytes); }

    TLogMessageEvent OnMessage;
    TLogExceptionEvent OnException;

    // Where the receive thread puts what it read; set before opening.
    void SetOutput(TcpReceiveThread::Output output) { m_output = std::move(output); }

    bool Active() const { return m_thread != nullptr; }
    // Empty on success, otherwise the reason, and the listener stays closed.
    std::string Open();
    // Frames in progress are handed on as they stand; every connection is closed.
    void Close();
    // Where the listening sockets are bound, in binding order; empty while closed.
    std::vector<SocketAddress> BoundAddresses() const;
    std::size_t ConnectionCount() const { return m_thread ? m_thread->connectionCount() : 0; }
    // Connections refused because the maximum was reached, over every opening.
    std::uint64_t RefusedCount() const { return m_refusedBefore + (m_thread ? m_thread->refusedCount() : 0); }

    // Builds and delivers one item the receive thread read (main thread); errors of building or
    // delivering go to OnException, never further.
    void Deliver(const ReceivedItem& item);

    virtual void DoMessage(TnComponent* sender, TnSyslogMessage* aData, Binding* aBinding);

protected:
    // Builds the message of one frame and raises DoMessage.
    virtual void DoTCPRead(const ReceivedItem& item, Binding* binding);

private:
    Binding* bindingFor(const ReceivedItem& item);
    void raiseException(Binding* binding, const std::string& text, const std::string& cls);

    BindingList m_bindings{kDefaultPort};
    TcpLimits m_limits;
    TcpReceiveThread::Output m_output;
    std::vector<int> m_sockets;
    std::uint64_t m_generation = 0;
    std::uint64_t m_refusedBefore = 0;
    std::unique_ptr<TcpReceiveThread> m_thread;
};

}  // namespace corvane
