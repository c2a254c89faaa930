#include "net/UDPSyslogServer.h"

#include "net/NetTexts.h"
#include "net/ReceivedMessage.h"

namespace corvane {

TnUDPSyslogServer::~TnUDPSyslogServer() {
    Close();
}

void TnUDPSyslogServer::SetBroadcastEnabled(bool on) {
    if (on == m_broadcast)
        return;
    m_broadcast = on;
    for (int fd : Sockets()) setBroadcast(fd, on);
}

BoundSocket TnUDPSyslogServer::OpenSocketFor(const Binding& binding) {
    return openUdpSocket(binding.IP, binding.Port);
}

std::unique_ptr<ReceiveLoop> TnUDPSyslogServer::MakeThread(const std::vector<OpenSocket>& sockets,
                                                           std::uint64_t generation) {
    std::vector<ReceiveThread::Socket> polled;
    for (const auto& s : sockets) polled.push_back({s.fd, s.bindingIndex});
    ReceiveThread::Output output{m_output, [this](const ReceivedItem& item) { Deliver(item); },
                                 &m_threadedEvent};
    if (!output.handOver)
        output.handOver = [this](std::vector<ReceivedItem>& batch) {
            for (const auto& item : batch) Deliver(item);
            batch.clear();
        };
    return std::make_unique<ReceiveThread>(std::move(polled), generation, std::move(output));
}

void TnUDPSyslogServer::Opened() {
    for (int fd : Sockets()) setBroadcast(fd, m_broadcast);
}

Binding* TnUDPSyslogServer::CurrentBinding() {
    return Active() && !Bindings().empty() ? &Bindings()[0] : nullptr;
}

Binding* TnUDPSyslogServer::ErrorBinding(Binding* itemBinding, bool readError) {
    return readError && itemBinding ? itemBinding : CurrentBinding();
}

void TnUDPSyslogServer::DoRead(const ReceivedItem& item, Binding* binding) {
    TnSyslogMessage message;
    fillReceivedMessage(message, item, net_texts::kProtocolUDP);
    DoMessage(this, &message, binding);
}

}  // namespace corvane
