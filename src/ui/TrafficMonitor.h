#pragma once

#include "app/TrafficHistory.h"
#include "app/TrafficMeter.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <functional>

class QTimer;

namespace corvane {

class Table;

// The traffic the status bar and the Senders page show: once a second it reads the listener's
// running counts (messages received and stored, datagrams dropped by the receive queue and by
// the system, connections refused) and the messages stored per minute, and says `updated`.
// Never per message: a flood costs it no more than a quiet second.
//   auto* monitor = new TrafficMonitor(messages, [&] { return countersNow(); }, this);
//   monitor->start();
// The stored count is the history's: records added to the message table.
class TrafficMonitor : public QObject {
    Q_OBJECT
public:
    TrafficMonitor(const Table& messages, std::function<TrafficCounters()> counters,
                   QObject* parent = nullptr);

    // Every second from now on, and once at once.
    void start();
    // One reading at `now` (local date-time) and `seconds` (a steady clock); tests pass their own.
    void refresh(DateTime now, double seconds);

    const TrafficHistory& history() const { return m_history; }
    const TrafficMeter& meter() const { return m_meter; }

    // "12/s": messages received a second, short enough for the status bar.
    QString rateText() const;
    // Every figure, one a line: the rates, the drops, the refusals and the last hour's share of
    // each severity.
    QString summary() const;
    // Whether anything was lost: datagrams dropped by the queue or the system.
    bool losing() const;

signals:
    void updated();

private:
    TrafficHistory m_history;
    TrafficMeter m_meter;
    std::function<TrafficCounters()> m_counters;
    QTimer* m_timer;
    QElapsedTimer m_clock;
};

// The short form of a message count: 950, 12.3k, 4.5M.
QString shortCount(double count);

}  // namespace corvane
