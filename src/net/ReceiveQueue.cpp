#include "net/ReceiveQueue.h"

namespace corvane {

std::size_t ReceiveQueue::cost(const ReceivedItem& item) {
    return sizeof(ReceivedItem) + item.data.capacity() + item.peerIP.capacity() + item.errorText.capacity() +
           item.errorClass.capacity();
}

bool ReceiveQueue::push(std::vector<ReceivedItem>& items) {
    std::lock_guard lock(m_mutex);
    const bool wasEmpty = m_items.empty();
    std::uint64_t dropped = 0;
    for (auto& item : items) {
        const std::size_t c = cost(item);
        if (m_bytes + c > m_limit) {
            ++dropped;
            continue;
        }
        m_bytes += c;
        m_items.push_back(std::move(item));
    }
    items.clear();
    if (dropped)
        m_dropped.fetch_add(dropped, std::memory_order_relaxed);
    return wasEmpty && !m_items.empty();
}

std::optional<ReceivedItem> ReceiveQueue::take() {
    std::lock_guard lock(m_mutex);
    if (m_items.empty())
        return std::nullopt;
    ReceivedItem item = std::move(m_items.front());
    m_items.pop_front();
    m_bytes -= cost(item);
    return item;
}

bool ReceiveQueue::empty() const {
    std::lock_guard lock(m_mutex);
    return m_items.empty();
}

std::size_t ReceiveQueue::size() const {
    std::lock_guard lock(m_mutex);
    return m_items.size();
}

bool ReceiveQueue::pushAll(std::vector<ReceivedItem>& items) {
    std::lock_guard lock(m_mutex);
    const bool wasEmpty = m_items.empty();
    for (auto& item : items) {
        m_bytes += cost(item);
        m_items.push_back(std::move(item));
    }
    items.clear();
    return wasEmpty && !m_items.empty();
}

std::size_t ReceiveQueue::bytes() const {
    std::lock_guard lock(m_mutex);
    return m_bytes;
}

std::size_t ReceiveQueue::limit() const {
    std::lock_guard lock(m_mutex);
    return m_limit;
}

void ReceiveQueue::setLimit(std::size_t bytes) {
    std::lock_guard lock(m_mutex);
    m_limit = bytes;
}

}  // namespace corvane
