#pragma once

#include "app/Alert.h"

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace corvane {

class NotifyActions;
struct NotificationState;

// Hands every alert on to the sinks (mail, desktop, tray), and raises the alerts about senders
// with the sound as well. While alerts are paused nothing alerts at all: no sound, no program, no
// mail, no notification. The sinks are not owned; each must be removed before it goes away.
class AlertHub : public AlertSink {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    AlertHub(NotifyActions& actions, const NotificationState& notification);

    void addSink(AlertSink& sink);
    void removeSink(AlertSink& sink);

    // A matching message, after CheckNotification played the sound and opened the program.
    void Deliver(const Alert& alert) override;
    // A sender that went quiet or is heard again: the sound (when on) and the sinks.
    void RaiseSenderAlert(const Alert& alert);

    void pauseFor(std::chrono::minutes duration);
    void resume() { m_pausedUntil.reset(); }
    bool paused() const;
    // When the pause ends; nothing when alerts are not paused.
    std::optional<std::chrono::steady_clock::time_point> pausedUntil() const;

    void setClock(Clock clock) { m_clock = std::move(clock); }

private:
    NotifyActions& m_actions;
    const NotificationState& m_notification;
    std::vector<AlertSink*> m_sinks;
    Clock m_clock;
    std::optional<std::chrono::steady_clock::time_point> m_pausedUntil;
};

}  // namespace corvane
