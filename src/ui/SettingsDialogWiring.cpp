#include "store/TData.h"
#include "ui/SettingsDialogWiring.h"

#include "app/AppCore.h"
#include "platform/LocalAddresses.h"
#include "ui/AppFolder.h"
#include "ui/DataGridView.h"
#include "ui/HelpWindow.h"
#include "ui/SettingsDialog.h"
#include "ui/SettingsDialogOpen.h"
#include "ui/SysLogForm.h"
#include "widgets/TgCheckLabel.h"
#include "widgets/TnControl.h"
#include "widgets/TnDBGrid.h"

namespace corvane {

void HoldMessageControls(TSysLogForm& form, TData& data, bool hold) {
    for (QWidget* w : std::initializer_list<QWidget*>{form.Messages, form.DataGrid, form.Filter})
        if (w)
            w->setUpdatesEnabled(!hold);
    if (hold)
        return;
    Table& messages = data.MessageSet();
    if (messages.isOpen())
        messages.last();
    form.MessageSetScrolled();
}

std::unique_ptr<TSettings> CreateSettingsDialog(TSysLogForm& form, TData& data, MessageDialogs& dialogs,
                                                const QString& appFolder) {
    SettingsDialogEnvironment env;
    env.data = &data;
    env.dialogs = &dialogs;
    env.mainWindow = &form;
    env.showHelp = [&dialogs, appFolder](int context) {
        ShowHelpOrWarn(helpFolder(appFolder), context, dialogs);
    };
    auto dialog = std::make_unique<TSettings>(std::move(env));
    TSettings* d = dialog.get();
    form.handSettingsToDialog = [d](Settings* settings) { d->SetSettings(settings); };
    form.settingsDialogVisible = [d] { return d->isVisible(); };
    form.saveLocationChecked = [d] { return d->SaveLocation->checked(); };
    form.showSettingsDialog = [d, &form, &data] {
        AppCore* core = form.core();
        SettingsDialogHost host;
        host.settings = core ? core->settings() : nullptr;
        host.facilityIcons = &form.iFacilityList;
        host.severityIcons = &form.iSeverityList;
        // The computer's IPv4 addresses, every IPv4 address, every address, its IPv6 addresses.
        if (core)
            host.localAddresses = bindingChoices(core->localAddresses(), localIPv6Addresses());
        host.holdMessageControls = [&form, &data](bool hold) { HoldMessageControls(form, data, hold); };
        host.applySettings = [&form] { form.ApplySettings(); };
        OpenSettingsDialog(*d, host);
    };
    return dialog;
}

}  // namespace corvane
