#pragma once

#include "app/Alert.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace corvane {

// Notices senders that went quiet: a sender (by address) that sent at least kMinMessages
// messages during this run and then nothing for the set number of minutes is reported once, and
// once more when it is heard again. Off (and forgetting every sender) while the minutes are 0.
class SilentSenders {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::uint32_t kMinMessages = 10;
    // Senders beyond this many are not watched, so forged addresses cannot fill the memory.
    static constexpr std::size_t kMaxSenders = 10000;

    SilentSenders();

    void setMinutes(int minutes);
    int minutes() const { return m_minutes; }

    // A message from the sender; answers the Resumed alert when the sender had been reported
    // quiet. host is the sender's latest name (kept when empty).
    std::optional<Alert> noteMessage(const std::string& address, const std::string& host);
    // The Silent alerts of the senders that have just passed the set minutes without a message.
    std::vector<Alert> check();

    std::size_t watched() const { return m_senders.size(); }
    void setClock(Clock clock) { m_clock = std::move(clock); }

private:
    struct Sender {
        std::string host;
        std::uint32_t count = 0;
        std::chrono::steady_clock::time_point lastSeen;
        bool silent = false;
    };
    Alert alertOf(Alert::Kind kind, const std::string& address, const Sender& sender, int minutes) const;

    int m_minutes = 0;
    Clock m_clock;
    std::unordered_map<std::string, Sender> m_senders;
};

}  // namespace corvane
