#pragma once

#include "net/Binding.h"
#include "net/MainThread.h"
#include "net/NetComponent.h"
#include "net/ReceiveQueue.h"
#include "net/SyslogEvents.h"
#include "net/UdpSocket.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

class ReceiveThread;

// The UDP side of the listener. Opening binds every binding's socket and starts the receive
// thread. Unless ThreadedEvent is set, the thread queues what it reads and wakes the main
// thread, which builds and delivers the messages one at a time in arrival order
// (DeliverQueued); with ThreadedEvent the receive thread delivers them itself.
class TnUDPSyslogServer : public TnComponent {
public:
    static constexpr int kDefaultPort = 514;

    TnUDPSyslogServer();
    ~TnUDPSyslogServer() override;

    BindingList& Bindings() { return m_bindings; }
    const BindingList& Bindings() const { return m_bindings; }
    // Replaces the list by a copy; an open listener keeps its sockets until it is closed.
    void SetBindings(const BindingList& list);
    int DefaultPort() const { return m_bindings.DefaultPort(); }
    void SetDefaultPort(int port) { m_bindings.SetDefaultPort(port); }

    bool BroadcastEnabled() const { return m_broadcast; }
    void SetBroadcastEnabled(bool on);
    bool ThreadedEvent = false;

    TLogMessageEvent OnMessage;
    TLogExceptionEvent OnException;

    bool Active() const { return m_thread != nullptr; }
    // Empty on success, otherwise the reason, and the listener stays closed.
    std::string Open();
    void Close();
    Binding* CurrentBinding();
    // Where the open sockets are bound, in binding order (the port the system chose for a
    // binding of port 0 included); empty while closed.
    std::vector<SocketAddress> BoundAddresses() const;

    // Deliveries reach the main thread through this; without one, the owner calls
    // DeliverQueued itself.
    void SetMainThread(MainThread* mainThread) { m_mainThread = mainThread; }
    // Delivers queued datagrams in arrival order, at most maxCount; returns how many it took.
    // Does nothing when called again from inside a delivery: the outer call goes on with
    // the rest.
    std::size_t DeliverQueued(std::size_t maxCount = SIZE_MAX);
    bool HasQueued() const { return !m_queue.empty(); }
    std::size_t QueuedCount() const { return m_queue.size(); }
    std::uint64_t DroppedCount() const { return m_queue.dropped(); }
    void SetQueueLimit(std::size_t bytes) { m_queue.setLimit(bytes); }

    // The TCP listener shares this queue, so all messages reach the main thread in one order:
    // EnqueueTCP appends its items (from any thread; it keeps itself within QueueBusyBytes, so
    // nothing of it is dropped) and wakes the main thread, and DeliverQueued hands items marked
    // viaTcp to DeliverTCP instead of building them here.
    void EnqueueTCP(std::vector<ReceivedItem>& items);
    // True when the queue holds more than `share` bytes or half its limit, whichever is less.
    bool QueueBusy(std::size_t share) const;
    std::function<void(const ReceivedItem&)> DeliverTCP;

    virtual void DoMessage(TnComponent* sender, TnSyslogMessage* aData, Binding* aBinding);

protected:
    // The datagram-read step: builds the message from what was read and raises DoMessage.
    virtual void DoUDPRead(const ReceivedItem& item, Binding* binding);

private:
    void deliverItem(const ReceivedItem& item);
    void raiseException(Binding* binding, const std::string& text, const std::string& cls);
    Binding* bindingFor(const ReceivedItem& item);
    void wakeMainThread();

    BindingList m_bindings{kDefaultPort};
    bool m_broadcast = false;
    std::vector<int> m_sockets;
    std::size_t m_currentBinding = SIZE_MAX;
    std::uint64_t m_generation = 0;
    std::unique_ptr<ReceiveThread> m_thread;
    ReceiveQueue m_queue;
    MainThread* m_mainThread = nullptr;
    bool m_delivering = false;
    // Posted wake-ups hold this weakly, so one that runs after the listener is gone does nothing.
    std::shared_ptr<TnUDPSyslogServer*> m_self;
};

}  // namespace corvane
