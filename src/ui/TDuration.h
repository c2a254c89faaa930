#pragma once

#include "widgets/TgLabel.h"

#include <functional>

class QTimer;

namespace corvane {

// The up-time counter: a gradient label that shows how long it has been since its start time,
// as "W:w D:d hh:mm:ss:h", refreshed by its own one-second timer when UseTimer is on. The
// clock is injected so tests can move time by hand:
//   auto* d = new TDuration(statusBar); d->OnTimer = [](TDuration&, bool) { ... }; d->setUseTimer(true);
class TDuration : public TgLabel {
    Q_OBJECT
public:
    using Clock = std::function<double()>;  // the current local date-time in days
    using TDurationEvent = std::function<void(TDuration& sender, bool handled)>;

    static constexpr const char* kInitialCaption = QT_TR_NOOP(" 0w 0d 00:00:00 ");
    static constexpr int kInterval = 1000;

    explicit TDuration(QWidget* parent = nullptr, Clock clock = {});

    double startTime() const { return m_start; }
    double currentTime() const { return m_current; }
    double stopTime() const { return m_stop; }
    void SetCurrentTime(double t);
    void SetStopTime(double t);
    void SetStartTime(double t);

    bool useTimer() const { return m_useTimer; }
    // True starts the timer; false stops it. At most one timer runs.
    void setUseTimer(bool on);
    bool hasTimer() const { return m_timer != nullptr; }

    // The timer's handler: runs OnTimer, then shows the time of the clock.
    void Tick();
    void ToggleTimer();
    QString FormatDuration(double t) const;

    // The separator between hours, minutes and seconds; by default the system locale's.
    void setTimeSeparator(const QString& separator) { m_separator = separator; }

    TDurationEvent OnTimer;

private:
    Clock m_clock;
    double m_start = 0;
    double m_current = 0;
    double m_stop = 0;
    bool m_useTimer = false;
    QTimer* m_timer = nullptr;
    QString m_separator;
};

// The separator the system locale puts between hours and minutes (":" when it names none).
QString localeTimeSeparator();

}  // namespace corvane
