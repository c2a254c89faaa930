#include "ui/TDuration.h"

#include "protocol/DateTime.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTimer>

#include <cmath>
#include <cstdlib>

namespace corvane {

namespace {

constexpr long long kMsPerDay = 86'400'000;

QString twoDigits(long long v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString localeTimeSeparator() {
    const QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    const qsizetype hour = format.indexOf(QRegularExpression(QStringLiteral("[hH]")));
    if (hour < 0)
        return QStringLiteral(":");
    qsizetype i = hour;
    while (i < format.size() && (format[i] == QLatin1Char('h') || format[i] == QLatin1Char('H'))) ++i;
    qsizetype end = i;
    while (end < format.size() && format[end] != QLatin1Char('m')) ++end;
    const QString separator = format.mid(i, end - i);
    return separator.isEmpty() || end >= format.size() ? QStringLiteral(":") : separator;
}

TDuration::TDuration(QWidget* parent, Clock clock)
    : TgLabel(parent), m_clock(clock ? std::move(clock) : Clock([] { return now(); })) {
    m_start = m_clock();
    m_separator = localeTimeSeparator();
    setAutoSize(false);
    setAlignment(TextAlignment::Center);
    setLayout(TextLayout::Center);
    resize(128, 20);
    setCaption(tr(kInitialCaption));
}

QString TDuration::FormatDuration(double t) const {
    // One rounding to the millisecond feeds weeks, days and the time of day alike, so a span of
    // exactly seven days never shows as six days and 24 hours.
    const long long ms = std::llabs(std::llround((t - m_start) * static_cast<double>(kMsPerDay)));
    const long long days = ms / kMsPerDay;
    const long long weeks = days / 7;
    const long long seconds = (ms % kMsPerDay) / 1000;
    const QString time = twoDigits(seconds / 3600) + m_separator + twoDigits(seconds / 60 % 60) +
                         m_separator + twoDigits(seconds % 60);
    //: Weeks, days and the time of day of the up-time: keep the three numbers and the colons.
    return tr("%1:w %2:d %3:h").arg(weeks).arg(days - 7 * weeks).arg(time);
}

void TDuration::SetCurrentTime(double t) {
    if (t == m_current)
        return;
    m_current = t;
    setCaption(FormatDuration(t));
}

void TDuration::SetStopTime(double t) {
    if (t == m_stop)
        return;
    m_stop = t;
    if (t != m_current)
        m_current = t;
    setCaption(FormatDuration(t));
}

void TDuration::SetStartTime(double t) {
    if (t != m_start)
        m_start = t;
    if (m_current < m_start)
        m_current = m_start;
    setCaption(FormatDuration(m_current));
}

void TDuration::setUseTimer(bool on) {
    if (on == m_useTimer)
        return;
    m_useTimer = on;
    if (on != hasTimer())
        ToggleTimer();
}

void TDuration::ToggleTimer() {
    if (m_timer) {
        m_timer->stop();
        delete m_timer;
        m_timer = nullptr;
        return;
    }
    m_timer = new QTimer(this);
    m_timer->setInterval(kInterval);
    connect(m_timer, &QTimer::timeout, this, &TDuration::Tick);
    m_timer->start();
}

void TDuration::Tick() {
    if (OnTimer)
        OnTimer(*this, false);
    SetCurrentTime(m_clock());
}

}  // namespace corvane
