#include "store/Table.h"
#include "ui/TrafficMonitor.h"

#include "protocol/SyslogVocabulary.h"

#include <QTimer>

namespace corvane {

TrafficMonitor::TrafficMonitor(const Table& messages, std::function<TrafficCounters()> counters,
                               QObject* parent)
    : QObject(parent), m_history(messages), m_counters(std::move(counters)), m_timer(new QTimer(this)) {
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, [this] { refresh(now(), m_clock.elapsed() / 1000.0); });
    m_clock.start();
}

void TrafficMonitor::start() {
    refresh(now(), m_clock.elapsed() / 1000.0);
    m_timer->start();
}

void TrafficMonitor::refresh(DateTime when, double seconds) {
    m_history.refresh(when);
    TrafficCounters c = m_counters ? m_counters() : TrafficCounters{};
    c.stored = m_history.added();
    m_meter.sample(c, seconds);
    emit updated();
}

QString shortCount(double count) {
    if (count < 999.5)
        return QString::number(count, 'f',
                               count > 0 && count < 9.95 && count != static_cast<int>(count) ? 1 : 0);
    if (count < 999'500)
        return QString::number(count / 1000, 'f', count < 9'950 ? 1 : 0) + QLatin1Char('k');
    return QString::number(count / 1'000'000, 'f', 1) + QLatin1Char('M');
}

QString TrafficMonitor::rateText() const {
    return tr("%1/s").arg(shortCount(m_meter.receivedPerSecond()));
}

bool TrafficMonitor::losing() const {
    const TrafficCounters& c = m_meter.latest();
    return c.queueDropped > 0 || c.systemDropped.value_or(0) > 0;
}

QString TrafficMonitor::summary() const {
    const TrafficCounters& c = m_meter.latest();
    QStringList lines;
    lines << tr("Received: %1 messages a second").arg(shortCount(m_meter.receivedPerSecond()))
          << tr("Stored: %1 messages a second").arg(shortCount(m_meter.storedPerSecond()))
          << tr("Dropped by the receive queue: %1").arg(c.queueDropped)
          << (c.systemDropped ? tr("Dropped by the system: %1").arg(*c.systemDropped)
                              : tr("Dropped by the system: not known"))
          << tr("Connections refused: %1").arg(c.refused);
    const TrafficHistory::Minute hour = m_history.hour();
    const std::uint32_t total = hour.total();
    QStringList shares;
    for (int s = 0; s < TrafficHistory::kSeverities; ++s) {
        const std::uint32_t n = hour.bySeverity[static_cast<std::size_t>(s)];
        if (n == 0)
            continue;
        const std::string_view name = SeverityNames[static_cast<std::size_t>(s)];
        shares << QStringLiteral("%1 %2%")
                      .arg(QString::fromLatin1(name.data(), static_cast<int>(name.size())))
                      .arg(QString::number(100.0 * n / total, 'f', n * 1000 < total ? 1 : 0));
    }
    QString hourLine = tr("Last hour: %1 messages").arg(total);
    if (!shares.isEmpty())
        hourLine += QStringLiteral(" (") + shares.join(QStringLiteral(", ")) + QLatin1Char(')');
    lines << hourLine;
    return lines.join(QLatin1Char('\n'));
}

}  // namespace corvane
