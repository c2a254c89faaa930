#include "ui/SettingsDialogOpen.h"

#include "app/Settings.h"
#include "ui/SettingsDialog.h"

#include <optional>

namespace corvane {

namespace {

// Lets the message controls follow their tables again however the dialog ends.
class ControlsHold {
public:
    explicit ControlsHold(const std::function<void(bool)>& hold) : m_hold(hold) {
        if (m_hold)
            m_hold(true);
    }
    ~ControlsHold() {
        if (m_hold)
            m_hold(false);
    }
    ControlsHold(const ControlsHold&) = delete;
    ControlsHold& operator=(const ControlsHold&) = delete;

private:
    const std::function<void(bool)>& m_hold;
};

}  // namespace

int OpenSettingsDialog(TSettings& dialog, const SettingsDialogHost& host) {
    dialog.SetSettings(host.settings);
    dialog.setIcons(host.facilityIcons, host.severityIcons);
    dialog.setLocalAddresses(host.localAddresses);
    std::optional<std::vector<std::string>> copy;
    if (host.settings)
        copy = host.settings->content();
    const ControlsHold hold(host.holdMessageControls);
    try {
        const int result = dialog.exec();
        if (result == QDialog::Accepted) {
            if (host.applySettings)
                host.applySettings();
        } else if (copy) {
            host.settings->setContent(*copy);
        }
        return result;
    } catch (...) {
        if (copy && dialog.result() != QDialog::Accepted)
            host.settings->setContent(*copy);
        throw;
    }
}

}  // namespace corvane
