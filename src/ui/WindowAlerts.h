#pragma once

#include <QIcon>

#include <memory>

namespace corvane {

class DesktopNotifier;
class TSysLogForm;
class TrayIcon;

// What the window adds to the core's alerts: the tray icon and the desktop notifications. Both
// are handed the alerts while this object lives; the window closes to the tray when CloseToTray
// is set and the desktop has a tray, and ends the program from the tray's menu.
class WindowAlerts {
public:
    // REQUIRES: the form's core exists, and outlives this object.
    WindowAlerts(TSysLogForm& form, const QIcon& icon);
    ~WindowAlerts();
    WindowAlerts(const WindowAlerts&) = delete;
    WindowAlerts& operator=(const WindowAlerts&) = delete;

    TrayIcon& tray() { return *m_tray; }
    DesktopNotifier& desktop() { return *m_desktop; }

private:
    TSysLogForm& m_form;
    std::unique_ptr<TrayIcon> m_tray;
    std::unique_ptr<DesktopNotifier> m_desktop;
};

}  // namespace corvane
