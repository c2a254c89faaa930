#include "net/TCPSyslogServer.h"

#include "net/NetTexts.h"
#include "net/ReceivedMessage.h"

namespace corvane {

TnTCPSyslogServer::TnTCPSyslogServer() : SyslogListener(kDefaultPort) {
    m_limits.maxConnections.store(kDefaultMaxConnections);
    m_limits.idleTimeoutMs.store(std::int64_t{kDefaultIdleTimeoutSeconds} * 1000);
    m_limits.maxFrame.store(kDefaultMaxFrame);
}

TnTCPSyslogServer::~TnTCPSyslogServer() {
    Close();
}

std::string TnTCPSyslogServer::CanOpen() const {
    return m_output.push ? std::string() : std::string(net_texts::kTcpNoQueue);
}

BoundSocket TnTCPSyslogServer::OpenSocketFor(const Binding& binding) {
    return openTcpListener(binding.IP, binding.Port);
}

std::unique_ptr<ReceiveLoop> TnTCPSyslogServer::MakeThread(const std::vector<OpenSocket>& sockets,
                                                           std::uint64_t generation) {
    std::vector<TcpReceiveThread::Listener> listeners;
    for (const auto& s : sockets) listeners.push_back({s.fd, s.bindingIndex});
    return std::make_unique<TcpReceiveThread>(std::move(listeners), generation, m_limits, m_output);
}

const TcpReceiveThread* TnTCPSyslogServer::tcpThread() const {
    return static_cast<const TcpReceiveThread*>(Thread());
}

std::size_t TnTCPSyslogServer::ConnectionCount() const {
    const TcpReceiveThread* thread = tcpThread();
    return thread ? thread->connectionCount() : 0;
}

std::uint64_t TnTCPSyslogServer::RefusedCount() const {
    const TcpReceiveThread* thread = tcpThread();
    return m_refusedBefore + (thread ? thread->refusedCount() : 0);
}

void TnTCPSyslogServer::ThreadStopped(ReceiveLoop& thread) {
    m_refusedBefore += static_cast<TcpReceiveThread&>(thread).refusedCount();
}

void TnTCPSyslogServer::DoRead(const ReceivedItem& item, Binding* binding) {
    TnSyslogMessage message;
    fillReceivedMessage(message, item, net_texts::kProtocolTCP);
    DoMessage(this, &message, binding);
}

}  // namespace corvane
