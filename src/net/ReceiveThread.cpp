#include "net/ReceiveThread.h"

#include "net/NetTexts.h"
#include "protocol/Placeholders.h"
#include "net/Socket.h"

#include <arpa/inet.h>
#include <chrono>
#include <cerrno>
#include <cstring>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace corvane {

namespace {

constexpr unsigned kBatch = 32;
// Batches read from one socket before the others get their turn.
constexpr int kBatchesPerTurn = 16;

}  // namespace

struct ReceiveThread::Buffers {
    std::unique_ptr<char[]> data{new char[kBatch * ReceiveThread::kBufferSize]};
    mmsghdr headers[kBatch]{};
    iovec vectors[kBatch]{};
    sockaddr_storage peers[kBatch]{};

    void reset() {
        for (unsigned i = 0; i < kBatch; ++i) {
            vectors[i] = {data.get() + i * ReceiveThread::kBufferSize, ReceiveThread::kBufferSize};
            headers[i] = {};
            headers[i].msg_hdr.msg_iov = &vectors[i];
            headers[i].msg_hdr.msg_iovlen = 1;
            headers[i].msg_hdr.msg_name = &peers[i];
            headers[i].msg_hdr.msg_namelen = sizeof peers[i];
        }
    }
};

namespace {

ReceivedItem errorItem(const std::string& text, std::size_t bindingIndex, std::uint64_t generation) {
    ReceivedItem item;
    item.isError = true;
    item.errorText = text;
    item.errorClass = "ESocketError";
    item.bindingIndex = bindingIndex;
    item.generation = generation;
    return item;
}

}  // namespace

ReceiveThread::ReceiveThread(std::vector<Socket> sockets, std::uint64_t generation, Output output)
    : m_sockets(std::move(sockets)), m_generation(generation), m_output(std::move(output)) {}

ReceiveThread::~ReceiveThread() {
    stop();
}

void ReceiveThread::handOnError(ReceivedItem item, std::vector<ReceivedItem>& batch) {
    if (m_output.threaded && m_output.threaded->load()) {
        m_output.deliverHere(item);
        return;
    }
    batch.push_back(std::move(item));
    m_output.handOver(batch);
}

void ReceiveThread::run() {
    Buffers buffers;
    std::vector<pollfd> fds;
    for (const auto& s : m_sockets) fds.push_back({s.fd, POLLIN, 0});
    fds.push_back({stopFd(), POLLIN, 0});
    std::vector<ReceivedItem> batch;
    while (!stopping()) {
        for (auto& p : fds) p.revents = 0;
        const int ready = ::poll(fds.data(), fds.size(), kWaitMilliseconds);
        if (ready < 0) {
            if (errno != EINTR) {
                handOnError(
                    errorItem(fillIn(net_texts::kReceiveFailed, std::strerror(errno)), 0, m_generation),
                    batch);
                ::usleep(100 * 1000);  // a failing wait must not spin
            }
            continue;
        }
        for (std::size_t i = 0; i < m_sockets.size() && !stopping(); ++i)
            if (fds[i].revents & (POLLIN | POLLERR))
                drain(m_sockets[i], buffers, batch, false);
    }
    // Stopping: what already arrived is read too, so a normal stop loses nothing that reached
    // this computer; bounded by time, since senders may go on sending.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kDrainMilliseconds);
    for (bool more = true; more && std::chrono::steady_clock::now() < deadline;) {
        more = false;
        for (const auto& socket : m_sockets) more = drain(socket, buffers, batch, true) || more;
    }
}

bool ReceiveThread::drain(const Socket& socket, Buffers& b, std::vector<ReceivedItem>& batch, bool stopping) {
    for (int turn = 0; turn < kBatchesPerTurn && (stopping || !this->stopping()); ++turn) {
        b.reset();
        const int n = ::recvmmsg(socket.fd, b.headers, kBatch, MSG_DONTWAIT, nullptr);
        if (n < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return false;
            if (errno == EINTR)
                continue;
            handOnError(errorItem(fillIn(net_texts::kReceiveFailed, std::strerror(errno)),
                                  socket.bindingIndex, m_generation),
                        batch);
            return false;
        }
        const DateTime arrived = now();
        for (int i = 0; i < n; ++i) {
            ReceivedItem item;
            const std::size_t length = std::min<std::size_t>(b.headers[i].msg_len, kSyslogMessageBytes);
            item.data.assign(b.data.get() + static_cast<std::size_t>(i) * kBufferSize, length);
            SocketAddress peer = addressText(&b.peers[i]);
            item.peerIP = std::move(peer.IP);
            item.peerPort = peer.Port;
            item.bindingIndex = socket.bindingIndex;
            item.generation = m_generation;
            item.received = arrived;
            batch.push_back(std::move(item));
        }
        if (m_output.threaded && m_output.threaded->load()) {
            for (const auto& item : batch) m_output.deliverHere(item);
            batch.clear();
        } else {
            m_output.handOver(batch);
        }
        if (static_cast<unsigned>(n) < kBatch)
            return false;
    }
    return true;
}

}  // namespace corvane
