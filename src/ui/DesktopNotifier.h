#pragma once

#include "app/Alert.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <functional>

class QSystemTrayIcon;
class QTimer;

namespace corvane {

struct NotificationState;

// Shows alerts as desktop notifications while NotifyDesktop is on: through the desktop's
// notification service (org.freedesktop.Notifications on the session bus) when it answers,
// else as the tray icon's balloon. At most one every kInterval: the alerts that come meanwhile
// are counted and shown together when the interval is over ("12 more matching messages").
class DesktopNotifier : public QObject, public AlertSink {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 5000;

    DesktopNotifier(const NotificationState& notification, QObject* parent = nullptr);

    // The balloon's icon, used when there is no notification service; may be null.
    void setTray(QSystemTrayIcon* tray) { m_tray = tray; }
    // Tests shorten the interval.
    void setIntervalMs(int ms);
    void Deliver(const Alert& alert) override;

    // What the last notification said, and how many were shown (for tests).
    const QString& lastSummary() const { return m_lastSummary; }
    const QString& lastBody() const { return m_lastBody; }
    int shownCount() const { return m_shown; }
    // False once the service failed to answer; the balloon is used from then on.
    bool usesService() const { return m_useService; }

    // The title and text an alert is shown with, in the window's language.
    static QString summaryOf(const Alert& alert);
    static QString bodyOf(const Alert& alert);

private:
    void show(const QString& summary, const QString& body);
    void showBalloon(const QString& summary, const QString& body);
    void intervalOver();

    const NotificationState& m_notification;
    QSystemTrayIcon* m_tray = nullptr;
    QTimer* m_interval;
    int m_waiting = 0;
    Alert m_lastWaiting;
    bool m_useService = true;
    uint m_lastId = 0;
    QString m_lastSummary, m_lastBody;
    int m_shown = 0;
};

}  // namespace corvane
