#pragma once

#include "net/MainThread.h"
#include "net/NetComponent.h"
#include "net/ReceiveQueue.h"
#include "net/SyslogEvents.h"
#include "net/TCPSyslogServer.h"
#include "net/UDPSyslogServer.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The program's syslog listener: a UDP listener and a TCP listener, and the message event both
// of them raise. Both receive threads put what they read into the one ordered queue this
// component owns, and the first item of a batch wakes the main thread, which delivers them in
// arrival order (DeliverQueued). Active opens and closes the UDP listener; TCPActive the TCP one.
// Operations that open a listener return the reason it could not be opened (empty on success).
class TnSysLogServer : public TnComponent {
public:
    TnSysLogServer();
    ~TnSysLogServer() override;

    TnUDPSyslogServer& UDPServer() { return m_udp; }
    TnTCPSyslogServer& TCPServer() { return m_tcp; }

    bool Active() const { return m_udp.Active() || m_tcp.Active(); }
    // Opens or closes the UDP listener; writing the current state does nothing.
    [[nodiscard]] std::string SetActive(bool active);

    bool Broadcast() const { return m_udp.BroadcastEnabled(); }
    void SetBroadcast(bool on) { m_udp.SetBroadcastEnabled(on); }

    int UDPPort() const { return m_udp.DefaultPort(); }
    // A port other than 0 becomes the default port and the port of every binding; an open
    // listener is reopened on it at once. 0 changes nothing.
    [[nodiscard]] std::string SetUDPPort(int port);
    int TCPPort() const { return m_tcp.DefaultPort(); }
    // As SetUDPPort, for the TCP listener.
    [[nodiscard]] std::string SetTCPPort(int port);
    bool TCPActive() const { return m_tcp.Active(); }
    // Opens or closes the TCP listener; writing the current state does nothing.
    [[nodiscard]] std::string SetTCPActive(bool active);

    BindingList& UDPBindings() { return m_udp.Bindings(); }
    void SetUDPBindings(const BindingList& list) { m_udp.SetBindings(list); }
    BindingList& TCPBindings() { return m_tcp.Bindings(); }
    void SetTCPBindings(const BindingList& list) { m_tcp.SetBindings(list); }

    bool ThreadUDP() const { return m_threadUDP; }
    void SetThreadUDP(bool on);
    void SetOnUDPException(TLogExceptionEvent handler);
    // Receive and delivery errors of the TCP listener, framing errors included.
    void SetOnTCPException(TLogExceptionEvent handler) { m_tcp.OnException = std::move(handler); }
    TLogMessageEvent OnMessage;

    // The address the UDP listener is bound to (its first binding's address as bound, empty
    // for all addresses), or nothing while it is closed; lets the owner see whether the
    // configured address differs from the one in use.
    std::optional<std::string> BoundAddress() const;

    // Delivers a text as if it had arrived from peerAddress, on the caller's thread, with the
    // listener as sender and no binding. Errors of building or delivering reach the caller.
    bool InjectMessage(std::string_view bytes, const std::string& peerAddress);

    // The wake-up: once items wait, a task posted to mainThread runs onQueued there, or delivers
    // them all when onQueued is empty. Without a main thread the owner calls DeliverQueued itself.
    // Set before opening.
    void SetMainThread(MainThread* mainThread, std::function<void()> onQueued = {});
    // Delivers waiting items in arrival order, at most maxCount, each through the listener that
    // read it; returns how many it took. Does nothing when called again from inside a delivery:
    // the outer call goes on with the rest.
    std::size_t DeliverQueued(std::size_t maxCount = SIZE_MAX);
    bool HasQueued() const { return !m_queue.empty(); }
    std::size_t QueuedCount() const { return m_queue.size(); }
    // Datagrams dropped because the queue was full (TCP frames are never dropped: a congested
    // queue makes the TCP receive thread stop reading instead).
    std::uint64_t DroppedCount() const { return m_queue.dropped(); }
    void SetQueueLimit(std::size_t bytes) { m_queue.setLimit(bytes); }

    virtual void DoMessage(TnComponent* sender, TnSyslogMessage* aData, Binding* aBinding);

private:
    // From the receive threads.
    void Enqueue(std::vector<ReceivedItem>& items);
    void EnqueueWaiting(std::vector<ReceivedItem>& items);
    bool QueueBusy() const;
    void wakeMainThread();

    ReceiveQueue m_queue;
    std::atomic<MainThread*> m_mainThread{nullptr};
    std::function<void()> m_onQueued;
    bool m_delivering = false;
    // Posted wake-ups hold this weakly, so one that runs after the listener is gone does nothing.
    std::shared_ptr<TnSysLogServer*> m_self;
    TnUDPSyslogServer m_udp;
    TnTCPSyslogServer m_tcp;
    bool m_threadUDP = false;
    TLogExceptionEvent m_onUDPException;
};

}  // namespace corvane
