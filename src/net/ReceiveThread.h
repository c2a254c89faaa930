#pragma once

#include "net/ReceiveLoop.h"
#include "net/ReceiveQueue.h"
#include "net/SyslogEvents.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace corvane {

// The UDP listener's receive thread: waits on the bound sockets, drains every readable one in
// batches and hands what it read, in arrival order, to the main thread's queue, or delivers it
// itself while `threaded` is set. It never waits for anyone but the sockets. A stop request ends
// the waiting at once; the datagrams the sockets already hold are still read (for up to
// kDrainMilliseconds) and handed on before the thread ends.
class ReceiveThread : public ReceiveLoop {
public:
    struct Socket {
        int fd = -1;
        std::size_t bindingIndex = 0;
    };
    struct Output {
        // Takes the batch (the items are moved out of it).
        std::function<void(std::vector<ReceivedItem>& batch)> handOver;
        std::function<void(const ReceivedItem& item)> deliverHere;
        const std::atomic<bool>* threaded = nullptr;
    };

    // A datagram is read whole into a buffer of this size (the largest UDP payload fits), and
    // only its first kSyslogMessageBytes are handed on.
    static constexpr std::size_t kBufferSize = 64 * 1024;
    static constexpr int kWaitMilliseconds = 1000;
    static constexpr int kDrainMilliseconds = 1000;

    ReceiveThread(std::vector<Socket> sockets, std::uint64_t generation, Output output);
    ~ReceiveThread() override;

private:
    void run() override;
    struct Buffers;
    // Reads what the socket holds, a few batches at a time; answers true when it may hold more.
    // Once a stop is asked for it reads on only while `stopping` says so.
    bool drain(const Socket& socket, Buffers& buffers, std::vector<ReceivedItem>& batch, bool stopping);
    // Hands an error on as the datagrams go.
    void handOnError(ReceivedItem item, std::vector<ReceivedItem>& batch);

    std::vector<Socket> m_sockets;
    std::uint64_t m_generation;
    Output m_output;
};

}  // namespace corvane
