#pragma once

#include "net/MainThread.h"
#include "net/NetComponent.h"
#include "net/SyslogEvents.h"
#include "net/TCPSyslogServer.h"
#include "net/UDPSyslogServer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The program's syslog listener: a UDP listener and a TCP listener, and the message event both
// of them raise. Both put what they read into one ordered queue that the main thread works
// through. Active opens and closes the UDP listener; TCPActive the TCP one. Operations that open
// a listener return the reason it could not be opened (empty on success).
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

    // The receive thread's hand-over to the main thread.
    void SetMainThread(MainThread* mainThread) { m_udp.SetMainThread(mainThread); }
    std::size_t DeliverQueued(std::size_t maxCount = SIZE_MAX) { return m_udp.DeliverQueued(maxCount); }
    bool HasQueued() const { return m_udp.HasQueued(); }
    // Messages dropped because the hand-over queue was full.
    std::uint64_t DroppedCount() const { return m_udp.DroppedCount(); }

    virtual void DoMessage(TnComponent* sender, TnSyslogMessage* aData, Binding* aBinding);

private:
    TnUDPSyslogServer m_udp;
    TnTCPSyslogServer m_tcp;
    bool m_threadUDP = false;
    TLogExceptionEvent m_onUDPException;
};

}  // namespace corvane
