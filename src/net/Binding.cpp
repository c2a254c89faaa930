#include "net/Binding.h"

namespace corvane {

BindingList& BindingList::operator=(const BindingList& other) {
    if (this != &other)
        copyFrom(other);
    return *this;
}

void BindingList::copyFrom(const BindingList& other) {
    m_defaultPort = other.m_defaultPort;
    m_items = other.m_items;
    for (auto& b : m_items) b.Socket = -1;
}

Binding& BindingList::Add() {
    Binding& b = m_items.emplace_back();
    b.Port = m_defaultPort;
    return b;
}

Binding& BindingList::Add(const std::string& ip) {
    Binding& b = Add();
    b.IP = ip;
    return b;
}

}  // namespace corvane
