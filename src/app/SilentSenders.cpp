#include "app/SilentSenders.h"

#include "protocol/DateTime.h"

namespace corvane {

SilentSenders::SilentSenders() : m_clock([] { return std::chrono::steady_clock::now(); }) {}

void SilentSenders::setMinutes(int minutes) {
    m_minutes = minutes > 0 ? minutes : 0;
    if (m_minutes == 0)
        m_senders.clear();
}

Alert SilentSenders::alertOf(Alert::Kind kind, const std::string& address, const Sender& sender,
                             int minutes) const {
    Alert alert;
    alert.kind = kind;
    alert.host = sender.host;
    alert.address = address;
    alert.time = now();
    alert.silentMinutes = minutes;
    return alert;
}

std::optional<Alert> SilentSenders::noteMessage(const std::string& address, const std::string& host) {
    if (m_minutes == 0)
        return std::nullopt;
    auto it = m_senders.find(address);
    if (it == m_senders.end()) {
        if (m_senders.size() >= kMaxSenders)
            return std::nullopt;
        it = m_senders.emplace(address, Sender{}).first;
    }
    Sender& sender = it->second;
    const auto at = m_clock();
    if (!host.empty())
        sender.host = host;
    if (sender.count < kMinMessages)
        ++sender.count;
    std::optional<Alert> resumed;
    if (sender.silent) {
        sender.silent = false;
        const auto quiet = std::chrono::duration_cast<std::chrono::minutes>(at - sender.lastSeen);
        resumed = alertOf(Alert::Kind::Resumed, address, sender, static_cast<int>(quiet.count()));
    }
    sender.lastSeen = at;
    return resumed;
}

std::vector<Alert> SilentSenders::check() {
    std::vector<Alert> alerts;
    if (m_minutes == 0)
        return alerts;
    const auto at = m_clock();
    const auto limit = std::chrono::minutes(m_minutes);
    for (auto& [address, sender] : m_senders) {
        if (sender.silent || sender.count < kMinMessages || at - sender.lastSeen < limit)
            continue;
        sender.silent = true;
        alerts.push_back(alertOf(Alert::Kind::Silent, address, sender, m_minutes));
    }
    return alerts;
}

}  // namespace corvane
