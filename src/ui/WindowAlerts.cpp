#include "ui/SysLogForm.h"
#include "ui/WindowAlerts.h"

#include "app/AppCore.h"
#include "ui/DesktopNotifier.h"
#include "ui/TrayIcon.h"

namespace corvane {

WindowAlerts::WindowAlerts(TSysLogForm& form, const QIcon& icon) : m_form(form) {
    AppCore& core = *form.core();
    m_tray = std::make_unique<TrayIcon>(core.alerts(), icon);
    m_desktop = std::make_unique<DesktopNotifier>(core.notification());
    m_desktop->setTray(m_tray->icon());
    core.alerts().addSink(*m_tray);
    core.alerts().addSink(*m_desktop);
    m_tray->showWindow = [&form] {
        form.showNormal();
        form.raise();
        form.activateWindow();
    };
    m_tray->exitProgram = [&form] { form.exitProgram(); };
    form.windowLookedAt = [tray = m_tray.get()] { tray->lookedAt(); };
    form.closeToTray = [&form, tray = m_tray.get()] {
        Settings* settings = form.core() ? form.core()->settings() : nullptr;
        return tray->available() && settings && settings->readBool(Settings::kOptions, "CloseToTray", false);
    };
}

WindowAlerts::~WindowAlerts() {
    m_form.closeToTray = nullptr;
    m_form.windowLookedAt = nullptr;
    if (AppCore* core = m_form.core()) {
        core->alerts().removeSink(*m_tray);
        core->alerts().removeSink(*m_desktop);
    }
}

}  // namespace corvane
