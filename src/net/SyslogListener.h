#pragma once

#include "net/Binding.h"
#include "net/NetComponent.h"
#include "net/ReceiveLoop.h"
#include "net/ReceiveQueue.h"
#include "net/Socket.h"
#include "net/SyslogEvents.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

// What the UDP and the TCP listener share: a binding list, opening a socket per binding and a
// receive thread over them, closing them again, and delivering what the thread read (an item
// of the receive queue) as a message or an error. A listener only produces items; the queue they
// go to belongs to the owner.
class SyslogListener : public TnComponent {
public:
    ~SyslogListener() override;

    BindingList& Bindings() { return m_bindings; }
    const BindingList& Bindings() const { return m_bindings; }
    // Replaces the list by a copy; an open listener keeps its sockets until it is closed.
    void SetBindings(const BindingList& list);
    int DefaultPort() const { return m_bindings.DefaultPort(); }
    void SetDefaultPort(int port) { m_bindings.SetDefaultPort(port); }

    TLogMessageEvent OnMessage;
    TLogExceptionEvent OnException;

    bool Active() const { return m_thread != nullptr; }
    // Binds every binding (an empty list gets one binding first) and starts the receive thread.
    // Empty on success, otherwise the reason, and the listener stays closed.
    std::string Open();
    // Stops the receive thread and closes the sockets.
    void Close();
    // Where the open sockets are bound, in binding order (the port the system chose for a
    // binding of port 0 included); empty while closed.
    std::vector<SocketAddress> BoundAddresses() const;

    // Builds and delivers one item the receive thread read: a message through DoRead, an error
    // to OnException. Errors of building or delivering go to OnException, never further.
    void Deliver(const ReceivedItem& item);

    // Raises OnMessage when it is set and the message is there.
    virtual void DoMessage(TnComponent* sender, TnSyslogMessage* aData, Binding* aBinding);

protected:
    struct OpenSocket {
        int fd = -1;
        std::size_t bindingIndex = 0;
    };

    explicit SyslogListener(int defaultPort) : m_bindings(defaultPort) {}

    // The reason the listener cannot be opened now, or empty.
    virtual std::string CanOpen() const { return {}; }
    virtual BoundSocket OpenSocketFor(const Binding& binding) = 0;
    // The receive thread over the bound sockets; not yet started.
    virtual std::unique_ptr<ReceiveLoop> MakeThread(const std::vector<OpenSocket>& sockets,
                                                    std::uint64_t generation) = 0;
    // After opening (the sockets bound, the thread running) and before closing the sockets.
    virtual void Opened() {}
    virtual void ThreadStopped(ReceiveLoop& /*thread*/) {}
    // Builds the message of one item and raises DoMessage.
    virtual void DoRead(const ReceivedItem& item, Binding* binding) = 0;
    // The binding an error is reported with: the item's own, unless the listener says otherwise.
    virtual Binding* ErrorBinding(Binding* itemBinding, bool /*readError*/) { return itemBinding; }

    const std::vector<int>& Sockets() const { return m_sockets; }
    const ReceiveLoop* Thread() const { return m_thread.get(); }

private:
    Binding* bindingFor(const ReceivedItem& item);
    void raiseException(Binding* binding, const std::string& text, const std::string& cls);

    BindingList m_bindings;
    std::vector<int> m_sockets;
    // Which opening (or binding list) an item belongs to; read by a thread that delivers itself.
    std::atomic<std::uint64_t> m_generation{0};
    std::unique_ptr<ReceiveLoop> m_thread;
};

}  // namespace corvane
