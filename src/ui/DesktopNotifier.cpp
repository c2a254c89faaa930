#include "ui/DesktopNotifier.h"

#include "app/Notification.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVariantMap>

namespace corvane {

namespace {

constexpr const char* kContext = "corvane::DesktopNotifier";
constexpr int kShowForMs = 10000;

QString translated(const char* text) {
    return QCoreApplication::translate(kContext, text);
}

QString fromBytes(const std::string& bytes) {
    const QString utf8 = QString::fromUtf8(bytes);
    return utf8.toUtf8() == QByteArray::fromStdString(bytes) ? utf8 : QString::fromLatin1(bytes);
}

QString hostOf(const Alert& a) {
    return fromBytes(a.host.empty() ? a.address : a.host);
}

}  // namespace

DesktopNotifier::DesktopNotifier(const NotificationState& notification, QObject* parent)
    : QObject(parent), m_notification(notification), m_interval(new QTimer(this)) {
    m_interval->setSingleShot(true);
    m_interval->setInterval(kIntervalMs);
    connect(m_interval, &QTimer::timeout, this, &DesktopNotifier::intervalOver);
}

void DesktopNotifier::setIntervalMs(int ms) {
    m_interval->setInterval(ms);
}

QString DesktopNotifier::summaryOf(const Alert& a) {
    switch (a.kind) {
        case Alert::Kind::Silent:
            return translated(QT_TRANSLATE_NOOP("corvane::DesktopNotifier",
                                                "No message from %1 (%2) for %3 minutes"))
                .arg(hostOf(a), fromBytes(a.address))
                .arg(a.silentMinutes);
        case Alert::Kind::Resumed:
            return translated(
                       QT_TRANSLATE_NOOP("corvane::DesktopNotifier", "%1 (%2) sends again after %3 minutes"))
                .arg(hostOf(a), fromBytes(a.address))
                .arg(a.silentMinutes);
        case Alert::Kind::Match:
            break;
    }
    return translated(QT_TRANSLATE_NOOP("corvane::DesktopNotifier", "%1 (%2): %3"))
        .arg(hostOf(a), fromBytes(a.address), fromBytes(a.severity));
}

QString DesktopNotifier::bodyOf(const Alert& a) {
    if (a.kind != Alert::Kind::Match)
        return QString::fromStdString(isoDateTime(a.time));
    return fromBytes(a.message.empty() ? a.data : a.message);
}

void DesktopNotifier::Deliver(const Alert& alert) {
    if (!m_notification.NotifyDesktop)
        return;
    if (m_interval->isActive()) {
        ++m_waiting;
        m_lastWaiting = alert;
        return;
    }
    show(summaryOf(alert), bodyOf(alert));
    m_interval->start();
}

void DesktopNotifier::intervalOver() {
    if (m_waiting == 0)
        return;
    const int count = m_waiting;
    const Alert last = m_lastWaiting;
    m_waiting = 0;
    if (count == 1)
        show(summaryOf(last), bodyOf(last));
    else
        show(
            translated(QT_TRANSLATE_NOOP("corvane::DesktopNotifier", "%1 more matching messages")).arg(count),
            summaryOf(last) + QLatin1Char('\n') + bodyOf(last));
    m_interval->start();
}

void DesktopNotifier::show(const QString& summary, const QString& body) {
    m_lastSummary = summary;
    m_lastBody = body;
    ++m_shown;
    if (!m_useService) {
        showBalloon(summary, body);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("corvane"));
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(2));
    call << QStringLiteral("Corvane") << m_lastId << QStringLiteral("corvane") << summary << body
         << QStringList() << hints << kShowForMs;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        m_useService = false;
        showBalloon(summary, body);
        return;
    }
    // Asked without waiting, so a slow service never holds the window; when it does not answer
    // the balloon shows this notification and every later one.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 3000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, summary, body] {
        QDBusPendingReply<uint> reply = *watcher;
        if (reply.isError()) {
            m_useService = false;
            showBalloon(summary, body);
        } else {
            m_lastId = reply.value();
        }
        watcher->deleteLater();
    });
}

void DesktopNotifier::showBalloon(const QString& summary, const QString& body) {
    if (m_tray && m_tray->isVisible())
        m_tray->showMessage(summary, body, QSystemTrayIcon::Warning, kShowForMs);
}

}  // namespace corvane
