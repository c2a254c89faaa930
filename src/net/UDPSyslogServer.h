#pragma once

#include "net/ReceiveThread.h"
#include "net/SyslogListener.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <vector>

namespace corvane {

// The UDP side of the listener. Opening binds every binding's socket and starts the receive
// thread. Unless ThreadedEvent is set, the thread hands what it reads to the output (the owner's
// ordered queue), and the owner delivers it on the main thread through Deliver; with
// ThreadedEvent the receive thread delivers it itself.
class TnUDPSyslogServer : public SyslogListener {
public:
    static constexpr int kDefaultPort = 514;
    using Output = std::function<void(std::vector<ReceivedItem>& batch)>;

    TnUDPSyslogServer() : SyslogListener(kDefaultPort) {}
    ~TnUDPSyslogServer() override;

    bool BroadcastEnabled() const { return m_broadcast; }
    void SetBroadcastEnabled(bool on);
    bool ThreadedEvent() const { return m_threadedEvent.load(); }
    void SetThreadedEvent(bool on) { m_threadedEvent.store(on); }

    // Where the receive thread puts what it read; set before opening. It takes what fits and
    // must never make the thread wait. Without one the receive thread delivers itself.
    void SetOutput(Output output) { m_output = std::move(output); }

    Binding* CurrentBinding();

protected:
    BoundSocket OpenSocketFor(const Binding& binding) override;
    std::unique_ptr<ReceiveLoop> MakeThread(const std::vector<OpenSocket>& sockets,
                                            std::uint64_t generation) override;
    void Opened() override;
    // The datagram-read step: builds the message from what was read and raises DoMessage.
    void DoRead(const ReceivedItem& item, Binding* binding) override;
    // Errors are reported with the current binding; a failed read with its socket's binding.
    Binding* ErrorBinding(Binding* itemBinding, bool readError) override;

private:
    bool m_broadcast = false;
    std::atomic<bool> m_threadedEvent{false};
    Output m_output;
};

}  // namespace corvane
