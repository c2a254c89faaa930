#include "app/AlertHub.h"

#include "app/AppTexts.h"
#include "app/Notification.h"
#include "platform/NotifyActions.h"

#include <algorithm>

namespace corvane {

AlertHub::AlertHub(NotifyActions& actions, const NotificationState& notification)
    : m_actions(actions),
      m_notification(notification),
      m_clock([] { return std::chrono::steady_clock::now(); }) {}

void AlertHub::addSink(AlertSink& sink) {
    if (std::find(m_sinks.begin(), m_sinks.end(), &sink) == m_sinks.end())
        m_sinks.push_back(&sink);
}

void AlertHub::removeSink(AlertSink& sink) {
    m_sinks.erase(std::remove(m_sinks.begin(), m_sinks.end(), &sink), m_sinks.end());
}

void AlertHub::Deliver(const Alert& alert) {
    if (paused())
        return;
    // A sink may remove itself while it is told; the copy keeps the walk valid.
    const std::vector<AlertSink*> sinks = m_sinks;
    for (AlertSink* sink : sinks) sink->Deliver(alert);
}

void AlertHub::RaiseSenderAlert(const Alert& alert) {
    if (paused())
        return;
    if (m_notification.NotifySound)
        m_actions.PlayNotifySound(app_texts::kWarningSound);
    Deliver(alert);
}

void AlertHub::pauseFor(std::chrono::minutes duration) {
    m_pausedUntil = m_clock() + duration;
}

bool AlertHub::paused() const {
    return m_pausedUntil && m_clock() < *m_pausedUntil;
}

std::optional<std::chrono::steady_clock::time_point> AlertHub::pausedUntil() const {
    return paused() ? m_pausedUntil : std::nullopt;
}

}  // namespace corvane
