#pragma once

#include "platform/NotifyActions.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

namespace corvane {

// Passes the notification actions on, but starts the program at most once per interval: a flood
// of matching messages must not start thousands of programs. Skipped starts are counted.
class ThrottledNotifyActions : public NotifyActions {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::milliseconds kMinInterval{1000};

    explicit ThrottledNotifyActions(NotifyActions& inner);

    void PlayNotifySound(const std::string& name) override { m_inner.PlayNotifySound(name); }
    // Answers 2 without starting anything when the last start was less than the interval ago.
    int RunNotifyProgram(const std::string& path) override { return RunNotifyProgramWith(path, {}); }
    int RunNotifyProgramWith(const std::string& path, const ProgramEnvironment& environment) override;

    std::uint64_t skippedStarts() const { return m_skipped; }
    void setClock(Clock clock) { m_clock = std::move(clock); }

private:
    NotifyActions& m_inner;
    Clock m_clock;
    std::optional<std::chrono::steady_clock::time_point> m_lastStart;
    std::uint64_t m_skipped = 0;
};

}  // namespace corvane
