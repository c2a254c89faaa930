#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace corvane {

// One local address and port a listener binds, with the sender of the last datagram read on it.
struct Binding {
    std::string IP;  // empty: every local address
    int Port = 0;
    int Socket = -1;  // owned by the listener while it is open; -1 otherwise
    std::string PeerIP;
    int PeerPort = 0;
};

// An ordered list of bindings; a new entry takes the list's default port. Copies carry the
// addresses and ports but never a socket.
class BindingList {
public:
    explicit BindingList(int defaultPort = 0) : m_defaultPort(defaultPort) {}
    BindingList(const BindingList& other) { copyFrom(other); }
    BindingList& operator=(const BindingList& other);

    int DefaultPort() const { return m_defaultPort; }
    void SetDefaultPort(int port) { m_defaultPort = port; }

    Binding& Add();
    Binding& Add(const std::string& ip);
    void Clear() { m_items.clear(); }

    std::size_t Count() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    Binding& operator[](std::size_t i) { return m_items[i]; }
    const Binding& operator[](std::size_t i) const { return m_items[i]; }
    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    void copyFrom(const BindingList& other);

    int m_defaultPort = 0;
    std::vector<Binding> m_items;
};

}  // namespace corvane
