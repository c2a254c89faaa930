#include "net/SysLogServer.h"

#include "net/NetTexts.h"
#include "protocol/DateTime.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr std::size_t kTcpQueueShareBytes = 4 * 1024 * 1024;

}  // namespace

TnSysLogServer::TnSysLogServer() : m_self(std::make_shared<TnSysLogServer*>(this)) {
    auto forward = [this](TnComponent* sender, TnSyslogMessage* aData, Binding* aBinding) {
        DoMessage(sender, aData, aBinding);
    };
    m_udp.OnMessage = forward;
    m_tcp.OnMessage = forward;
    m_udp.SetOutput([this](std::vector<ReceivedItem>& batch) { Enqueue(batch); });
    m_tcp.SetOutput({[this](std::vector<ReceivedItem>& batch) { EnqueueWaiting(batch); },
                     [this] { return QueueBusy(); }});
}

TnSysLogServer::~TnSysLogServer() {
    m_tcp.Close();
    m_udp.Close();
}

std::string TnSysLogServer::SetActive(bool active) {
    if (active == m_udp.Active())
        return {};
    if (!active) {
        m_udp.Close();
        return {};
    }
    return m_udp.Open();
}

std::string TnSysLogServer::SetUDPPort(int port) {
    if (port == 0)
        return {};
    const bool wasOpen = m_udp.Active();
    m_udp.Close();
    m_udp.SetDefaultPort(port);
    for (auto& b : m_udp.Bindings()) b.Port = port;
    return wasOpen ? m_udp.Open() : std::string();
}

std::string TnSysLogServer::SetTCPPort(int port) {
    if (port == 0)
        return {};
    const bool wasOpen = m_tcp.Active();
    m_tcp.Close();
    m_tcp.SetDefaultPort(port);
    for (auto& b : m_tcp.Bindings()) b.Port = port;
    return wasOpen ? m_tcp.Open() : std::string();
}

std::string TnSysLogServer::SetTCPActive(bool active) {
    if (active == m_tcp.Active())
        return {};
    if (!active) {
        m_tcp.Close();
        return {};
    }
    return m_tcp.Open();
}

void TnSysLogServer::SetThreadUDP(bool on) {
    m_threadUDP = on;
    m_udp.SetThreadedEvent(on);
}

void TnSysLogServer::SetMainThread(MainThread* mainThread, std::function<void()> onQueued) {
    m_onQueued = std::move(onQueued);
    m_mainThread.store(mainThread);
}

void TnSysLogServer::Enqueue(std::vector<ReceivedItem>& items) {
    if (m_queue.push(items))
        wakeMainThread();
}

void TnSysLogServer::EnqueueWaiting(std::vector<ReceivedItem>& items) {
    if (m_queue.pushAll(items))
        wakeMainThread();
}

bool TnSysLogServer::QueueBusy() const {
    // TCP peers can be made to wait, so TCP takes only a small share of the queue: the rest
    // stays free for datagrams, which cannot wait, and a datagram is never queued behind more
    // than that share of TCP frames.
    return m_queue.bytes() > std::min(kTcpQueueShareBytes, m_queue.limit() / 2);
}

void TnSysLogServer::wakeMainThread() {
    MainThread* mainThread = m_mainThread.load();
    if (!mainThread)
        return;
    mainThread->post([self = std::weak_ptr<TnSysLogServer*>(m_self)] {
        auto alive = self.lock();
        if (!alive)
            return;
        TnSysLogServer& server = **alive;
        if (server.m_onQueued)
            server.m_onQueued();
        else
            server.DeliverQueued();
    });
}

std::size_t TnSysLogServer::DeliverQueued(std::size_t maxCount) {
    if (m_delivering)
        return 0;
    m_delivering = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_delivering};
    std::size_t count = 0;
    while (count < maxCount) {
        auto item = m_queue.take();
        if (!item)
            break;
        ++count;
        if (item->viaTcp)
            m_tcp.Deliver(*item);
        else
            m_udp.Deliver(*item);
    }
    return count;
}

void TnSysLogServer::SetOnUDPException(TLogExceptionEvent handler) {
    m_onUDPException = handler;
    m_udp.OnException = std::move(handler);
}

std::optional<std::string> TnSysLogServer::BoundAddress() const {
    const auto bound = m_udp.BoundAddresses();
    if (bound.empty())
        return std::nullopt;
    return bound.front().IP == "0.0.0.0" ? std::string() : bound.front().IP;
}

bool TnSysLogServer::InjectMessage(std::string_view bytes, const std::string& peerAddress) {
    TnSyslogMessage message;
    message.SetReceived(now());
    message.SetData(bytes.substr(0, kSyslogMessageBytes));
    message.SetPeerAddress(peerAddress);
    message.SetProtocol(net_texts::kProtocolUDP);
    DoMessage(this, &message, nullptr);
    return true;
}

void TnSysLogServer::DoMessage(TnComponent* sender, TnSyslogMessage* aData, Binding* aBinding) {
    if (OnMessage && aData)
        OnMessage(sender, aData, aBinding);
}

}  // namespace corvane
