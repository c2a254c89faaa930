#pragma once

#include "app/Alert.h"

#include <QObject>
#include <QIcon>

#include <functional>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;

namespace corvane {

class AlertHub;

// The program's icon in the desktop's tray (shown only where the desktop has one): it counts
// the matching messages the operator has not looked at yet (on the icon and in its tip), and
// its menu shows the window, pauses every alert for an hour (or resumes them) and ends the
// program. A click on the icon shows the window too.
class TrayIcon : public QObject, public AlertSink {
    Q_OBJECT
public:
    static constexpr int kPauseMinutes = 60;

    TrayIcon(AlertHub& alerts, QIcon icon, QObject* parent = nullptr);
    ~TrayIcon() override;

    // What "Show" and "Exit" do.
    std::function<void()> showWindow;
    std::function<void()> exitProgram;

    void Deliver(const Alert& alert) override;
    // The operator looked at the window: the count starts again from 0.
    void lookedAt();

    int unseen() const { return m_unseen; }
    // Whether the desktop has a tray and the icon shows in it.
    bool available() const;
    QSystemTrayIcon* icon() { return m_tray; }
    QMenu* menu() { return m_menu; }
    QAction* showAction() { return m_show; }
    QAction* pauseAction() { return m_pause; }
    QAction* exitAction() { return m_exit; }

    // The icon with the count drawn on it (the plain icon for 0).
    static QIcon withCount(const QIcon& icon, int count);

private:
    void refresh();
    void pauseToggled(bool paused);
    void retranslate();
    bool eventFilter(QObject* watched, QEvent* event) override;

    AlertHub& m_alerts;
    QIcon m_icon;
    QSystemTrayIcon* m_tray;
    QMenu* m_menu;
    QAction* m_show;
    QAction* m_pause;
    QAction* m_exit;
    QTimer* m_pauseEnd;
    int m_unseen = 0;
};

}  // namespace corvane
