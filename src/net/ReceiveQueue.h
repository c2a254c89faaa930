#pragma once

#include "protocol/DateTime.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// One thing the receive thread hands to the main thread: a datagram's kept bytes with its
// sender, or the text of an error met while reading.
struct ReceivedItem {
    std::string data;
    std::string peerIP;
    int peerPort = 0;
    std::size_t bindingIndex = 0;
    std::uint64_t generation = 0;  // which opening of the listener read it
    DateTime received = 0;
    bool isError = false;
    std::string errorText;
    std::string errorClass;
    bool viaTcp = false;  // a frame of a TCP connection rather than a datagram
};

// The ordered hand-over between the receive thread and the main thread. The receive thread
// never waits for the main thread: when the queue holds its memory limit, new items are
// dropped and counted instead.
class ReceiveQueue {
public:
    static constexpr std::size_t kDefaultLimitBytes = 256 * 1024 * 1024;

    explicit ReceiveQueue(std::size_t limitBytes = kDefaultLimitBytes) : m_limit(limitBytes) {}

    // Appends in order what fits; returns true when the queue was empty before, so that the
    // caller wakes the main thread once per batch rather than once per item.
    bool push(std::vector<ReceivedItem>& items);
    // Appends everything, past the limit if need be. Only for a sender that bounds itself by
    // waiting while the queue is busy (TCP can make its peers wait; UDP cannot).
    bool pushAll(std::vector<ReceivedItem>& items);
    std::optional<ReceivedItem> take();
    bool empty() const;
    std::size_t size() const;

    std::uint64_t dropped() const { return m_dropped.load(std::memory_order_relaxed); }
    void setLimit(std::size_t bytes);
    // The memory the queued items take, as counted against the limit.
    std::size_t bytes() const;
    std::size_t limit() const;

    static std::size_t cost(const ReceivedItem& item);

private:
    mutable std::mutex m_mutex;
    std::deque<ReceivedItem> m_items;
    std::size_t m_bytes = 0;
    std::size_t m_limit;
    std::atomic<std::uint64_t> m_dropped{0};
};

}  // namespace corvane
