#include "net/SyslogListener.h"

#include <cstdlib>
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

SyslogListener::~SyslogListener() {
    // The derived listener closes in its own destructor; this only covers a thread left over.
    if (m_thread)
        m_thread->stop();
    for (int fd : m_sockets) ::close(fd);
}

void SyslogListener::SetBindings(const BindingList& list) {
    m_bindings = list;
    // Items read before the change cannot name a binding of the new list.
    ++m_generation;
}

std::string SyslogListener::Open() {
    if (Active())
        return {};
    if (std::string reason = CanOpen(); !reason.empty())
        return reason;
    if (m_bindings.empty())
        m_bindings.Add();
    std::vector<OpenSocket> sockets;
    auto closeAll = [&] {
        for (const auto& s : sockets) ::close(s.fd);
        for (auto& b : m_bindings) b.Socket = -1;
    };
    for (std::size_t i = 0; i < m_bindings.Count(); ++i) {
        BoundSocket s = OpenSocketFor(m_bindings[i]);
        if (s.fd < 0) {
            closeAll();
            return s.error;
        }
        m_bindings[i].Socket = s.fd;
        sockets.push_back({s.fd, i});
    }
    std::unique_ptr<ReceiveLoop> thread = MakeThread(sockets, ++m_generation);
    std::string error;
    if (!thread->start(error)) {
        closeAll();
        return error;
    }
    for (const auto& s : sockets) m_sockets.push_back(s.fd);
    m_thread = std::move(thread);
    Opened();
    return {};
}

void SyslogListener::Close() {
    if (!Active())
        return;
    m_thread->stop();
    ThreadStopped(*m_thread);
    m_thread.reset();
    for (int fd : m_sockets) ::close(fd);
    m_sockets.clear();
    for (auto& b : m_bindings) b.Socket = -1;
}

std::vector<SocketAddress> SyslogListener::BoundAddresses() const {
    std::vector<SocketAddress> out;
    for (int fd : m_sockets) out.push_back(localAddressOf(fd));
    return out;
}

Binding* SyslogListener::bindingFor(const ReceivedItem& item) {
    if (item.generation != m_generation.load() || item.bindingIndex >= m_bindings.Count())
        return nullptr;
    return &m_bindings[item.bindingIndex];
}

void SyslogListener::Deliver(const ReceivedItem& item) {
    Binding* binding = bindingFor(item);
    if (item.isError) {
        raiseException(ErrorBinding(binding, true), item.errorText, item.errorClass);
        return;
    }
    try {
        if (binding) {
            binding->PeerIP = item.peerIP;
            binding->PeerPort = item.peerPort;
        }
        DoRead(item, binding);
    } catch (const std::exception& e) {
        raiseException(ErrorBinding(binding, false), e.what(), className(typeid(e)));
    } catch (...) {
        raiseException(ErrorBinding(binding, false), "Unknown error", "unknown");
    }
}

void SyslogListener::raiseException(Binding* binding, const std::string& text, const std::string& cls) {
    if (!OnException)
        return;
    try {
        OnException(this, binding, text, cls);
    } catch (...) {
        // An error in the error handler has nowhere left to go; the receive path goes on.
    }
}

void SyslogListener::DoMessage(TnComponent* sender, TnSyslogMessage* aData, Binding* aBinding) {
    if (OnMessage && aData)
        OnMessage(sender, aData, aBinding);
}

}  // namespace corvane
