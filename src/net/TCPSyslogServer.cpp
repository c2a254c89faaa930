#include "net/TCPSyslogServer.h"

#include "net/NetTexts.h"
#include "net/ReceivedMessage.h"
#include "net/TcpSocket.h"

#include <cxxabi.h>
#include <typeinfo>
#include <unistd.h>

namespace corvane {

namespace {

std::string className(const std::type_info& type) {
    int status = 0;
    char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string out = (status == 0 && name) ? name : type.name();
    std::free(name);
    return out;
}

}  // namespace

TnTCPSyslogServer::TnTCPSyslogServer() {
    m_limits.maxConnections.store(kDefaultMaxConnections);
    m_limits.idleTimeoutMs.store(std::int64_t{kDefaultIdleTimeoutSeconds} * 1000);
    m_limits.maxFrame.store(kDefaultMaxFrame);
}

TnTCPSyslogServer::~TnTCPSyslogServer() {
    Close();
}

void TnTCPSyslogServer::SetBindings(const BindingList& list) {
    m_bindings = list;
    // Items read before the change cannot name a binding of the new list.
    ++m_generation;
}

std::string TnTCPSyslogServer::Open() {
    if (Active())
        return {};
    if (!m_output.push)
        return net_texts::kTcpNoQueue;
    if (m_bindings.empty())
        m_bindings.Add();
    std::vector<TcpReceiveThread::Listener> listeners;
    auto closeAll = [&] {
        for (const auto& l : listeners) ::close(l.fd);
        for (auto& b : m_bindings) b.Socket = -1;
    };
    for (std::size_t i = 0; i < m_bindings.Count(); ++i) {
        BoundSocket s = openTcpListener(m_bindings[i].IP, m_bindings[i].Port);
        if (s.fd < 0) {
            closeAll();
            return s.error;
        }
        m_bindings[i].Socket = s.fd;
        listeners.push_back({s.fd, i});
    }
    ++m_generation;
    auto thread = std::make_unique<TcpReceiveThread>(listeners, m_generation, m_limits, m_output);
    std::string error;
    if (!thread->start(error)) {
        closeAll();
        return error;
    }
    for (const auto& l : listeners) m_sockets.push_back(l.fd);
    m_thread = std::move(thread);
    return {};
}

void TnTCPSyslogServer::Close() {
    if (!Active())
        return;
    m_thread->stop();
    m_refusedBefore += m_thread->refusedCount();
    m_thread.reset();
    for (int fd : m_sockets) ::close(fd);
    m_sockets.clear();
    for (auto& b : m_bindings) b.Socket = -1;
}

std::vector<SocketAddress> TnTCPSyslogServer::BoundAddresses() const {
    std::vector<SocketAddress> out;
    for (int fd : m_sockets) out.push_back(localAddressOf(fd));
    return out;
}

Binding* TnTCPSyslogServer::bindingFor(const ReceivedItem& item) {
    if (item.generation != m_generation || item.bindingIndex >= m_bindings.Count())
        return nullptr;
    return &m_bindings[item.bindingIndex];
}

void TnTCPSyslogServer::Deliver(const ReceivedItem& item) {
    Binding* binding = bindingFor(item);
    if (item.isError) {
        raiseException(binding, item.errorText, item.errorClass);
        return;
    }
    try {
        if (binding) {
            binding->PeerIP = item.peerIP;
            binding->PeerPort = item.peerPort;
        }
        DoTCPRead(item, binding);
    } catch (const std::exception& e) {
        raiseException(binding, e.what(), className(typeid(e)));
    } catch (...) {
        raiseException(binding, "Unknown error", "unknown");
    }
}

void TnTCPSyslogServer::raiseException(Binding* binding, const std::string& text, const std::string& cls) {
    if (!OnException)
        return;
    try {
        OnException(this, binding, text, cls);
    } catch (...) {
        // An error in the error handler has nowhere left to go; the receive path goes on.
    }
}

void TnTCPSyslogServer::DoTCPRead(const ReceivedItem& item, Binding* binding) {
    TnSyslogMessage message;
    fillReceivedMessage(message, item, net_texts::kProtocolTCP);
    DoMessage(this, &message, binding);
}

void TnTCPSyslogServer::DoMessage(TnComponent* sender, TnSyslogMessage* aData, Binding* aBinding) {
    if (OnMessage && aData)
        OnMessage(sender, aData, aBinding);
}

}  // namespace corvane
