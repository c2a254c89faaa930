#include "net/UDPSyslogServer.h"

#include "net/NetTexts.h"
#include "net/ReceivedMessage.h"
#include "net/ReceiveThread.h"

#include <algorithm>
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

TnUDPSyslogServer::TnUDPSyslogServer() : m_self(std::make_shared<TnUDPSyslogServer*>(this)) {}

TnUDPSyslogServer::~TnUDPSyslogServer() {
    Close();
}

void TnUDPSyslogServer::SetBindings(const BindingList& list) {
    m_bindings = list;
    // Items read before the change cannot name a binding of the new list.
    ++m_generation;
}

void TnUDPSyslogServer::SetBroadcastEnabled(bool on) {
    if (on == m_broadcast)
        return;
    m_broadcast = on;
    for (int fd : m_sockets) setBroadcast(fd, on);
}

std::string TnUDPSyslogServer::Open() {
    if (Active())
        return {};
    if (m_bindings.empty())
        m_bindings.Add();
    std::vector<ReceiveThread::Socket> sockets;
    for (std::size_t i = 0; i < m_bindings.Count(); ++i) {
        BoundSocket s = openUdpSocket(m_bindings[i].IP, m_bindings[i].Port);
        if (s.fd < 0) {
            for (const auto& open : sockets) ::close(open.fd);
            for (auto& b : m_bindings) b.Socket = -1;
            return s.error;
        }
        m_bindings[i].Socket = s.fd;
        sockets.push_back({s.fd, i});
    }
    ++m_generation;
    auto thread =
        std::make_unique<ReceiveThread>(sockets, m_generation, [this](std::vector<ReceivedItem>& batch) {
            if (ThreadedEvent) {
                for (const auto& item : batch) deliverItem(item);
                batch.clear();
            } else if (m_queue.push(batch)) {
                wakeMainThread();
            }
        });
    std::string error;
    if (!thread->start(error)) {
        for (const auto& s : sockets) ::close(s.fd);
        for (auto& b : m_bindings) b.Socket = -1;
        return error;
    }
    for (const auto& s : sockets) m_sockets.push_back(s.fd);
    m_thread = std::move(thread);
    m_currentBinding = 0;
    for (int fd : m_sockets) setBroadcast(fd, m_broadcast);
    return {};
}

void TnUDPSyslogServer::Close() {
    if (!Active())
        return;
    m_thread->stop();
    m_thread.reset();
    for (int fd : m_sockets) ::close(fd);
    m_sockets.clear();
    for (auto& b : m_bindings) b.Socket = -1;
    m_currentBinding = SIZE_MAX;
}

Binding* TnUDPSyslogServer::CurrentBinding() {
    return m_currentBinding < m_bindings.Count() ? &m_bindings[m_currentBinding] : nullptr;
}

std::vector<SocketAddress> TnUDPSyslogServer::BoundAddresses() const {
    std::vector<SocketAddress> out;
    for (int fd : m_sockets) out.push_back(localAddressOf(fd));
    return out;
}

void TnUDPSyslogServer::wakeMainThread() {
    if (!m_mainThread)
        return;
    std::weak_ptr<TnUDPSyslogServer*> self = m_self;
    m_mainThread->post([self] {
        if (auto alive = self.lock())
            (*alive)->DeliverQueued();
    });
}

void TnUDPSyslogServer::EnqueueTCP(std::vector<ReceivedItem>& items) {
    if (m_queue.pushAll(items))
        wakeMainThread();
}

bool TnUDPSyslogServer::QueueBusy(std::size_t share) const {
    return m_queue.bytes() > std::min(share, m_queue.limit() / 2);
}

std::size_t TnUDPSyslogServer::DeliverQueued(std::size_t maxCount) {
    if (m_delivering)
        return 0;
    m_delivering = true;
    std::size_t count = 0;
    try {
        while (count < maxCount) {
            auto item = m_queue.take();
            if (!item)
                break;
            ++count;
            if (item->viaTcp) {
                if (DeliverTCP)
                    DeliverTCP(*item);
            } else {
                deliverItem(*item);
            }
        }
    } catch (...) {
        m_delivering = false;
        throw;
    }
    m_delivering = false;
    return count;
}

Binding* TnUDPSyslogServer::bindingFor(const ReceivedItem& item) {
    if (item.generation != m_generation || item.bindingIndex >= m_bindings.Count())
        return nullptr;
    return &m_bindings[item.bindingIndex];
}

void TnUDPSyslogServer::deliverItem(const ReceivedItem& item) {
    Binding* binding = bindingFor(item);
    if (item.isError) {
        raiseException(binding ? binding : CurrentBinding(), item.errorText, item.errorClass);
        return;
    }
    try {
        if (binding) {
            binding->PeerIP = item.peerIP;
            binding->PeerPort = item.peerPort;
        }
        DoUDPRead(item, binding);
    } catch (const std::exception& e) {
        raiseException(CurrentBinding(), e.what(), className(typeid(e)));
    } catch (...) {
        raiseException(CurrentBinding(), "Unknown error", "unknown");
    }
}

void TnUDPSyslogServer::raiseException(Binding* binding, const std::string& text, const std::string& cls) {
    if (!OnException)
        return;
    try {
        OnException(this, binding, text, cls);
    } catch (...) {
        // An error in the error handler has nowhere left to go; the receive path goes on.
    }
}

void TnUDPSyslogServer::DoUDPRead(const ReceivedItem& item, Binding* binding) {
    TnSyslogMessage message;
    fillReceivedMessage(message, item, net_texts::kProtocolUDP);
    DoMessage(this, &message, binding);
}

void TnUDPSyslogServer::DoMessage(TnComponent* sender, TnSyslogMessage* aData, Binding* aBinding) {
    if (OnMessage && aData)
        OnMessage(sender, aData, aBinding);
}

}  // namespace corvane
