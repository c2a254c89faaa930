#pragma once

#include "net/ReceiveQueue.h"
#include "net/SyslogEvents.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace corvane {

// The listener's receive thread: waits on the bound sockets, drains every readable one in
// batches and passes what it read, in arrival order, to the sink. It never waits for anyone but
// the sockets, and a stop request ends it at once.
class ReceiveThread {
public:
    struct Socket {
        int fd = -1;
        std::size_t bindingIndex = 0;
    };
    using Sink = std::function<void(std::vector<ReceivedItem>& batch)>;

    // A datagram is read whole into a buffer of this size (the largest UDP payload fits), and
    // only its first kSyslogMessageBytes are handed on.
    static constexpr std::size_t kBufferSize = 64 * 1024;
    static constexpr int kWaitMilliseconds = 1000;

    ReceiveThread(std::vector<Socket> sockets, std::uint64_t generation, Sink sink);
    ~ReceiveThread();  // stops and joins
    ReceiveThread(const ReceiveThread&) = delete;
    ReceiveThread& operator=(const ReceiveThread&) = delete;

    // False when the thread could not be started; the text says why.
    bool start(std::string& error);
    void stop();
    bool isCurrentThread() const { return std::this_thread::get_id() == m_thread.get_id(); }

private:
    void run();
    struct Buffers;
    void drain(const Socket& socket, Buffers& buffers, std::vector<ReceivedItem>& batch);

    std::vector<Socket> m_sockets;
    std::uint64_t m_generation;
    Sink m_sink;
    int m_stopFd = -1;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

}  // namespace corvane
