// The program entry: data module first, then the main window; the event loop runs until the
// main window is closed (by its Exit button, its frame, or SIGTERM/SIGINT); the window's destroy
// step then writes the settings and saves the tables while the data module is still alive.
#include "store/TData.h"
#include "filter/ExpressionFilterCompiler.h"
#include "platform/NotifyActions.h"
#include "store/DataFolder.h"
#include "store/FolderLock.h"
#include "app/Settings.h"
#include "ui/AppFolder.h"
#include "ui/ApplicationEvents.h"
#include "ui/LanguageDialog.h"
#include "ui/MsgDialog.h"
#include "ui/QtNotifyActions.h"
#include "ui/QtLocaleFormats.h"
#include "ui/QtMainThread.h"
#include "ui/SignalCloser.h"
#include "ui/SoundPlayer.h"
#include "ui/SplashForm.h"
#include "ui/SettingsDialog.h"
#include "ui/SettingsDialogWiring.h"
#include "ui/SysLogForm.h"
#include "ui/TranslationHooks.h"
#include "ui/WindowAlerts.h"

#include <QIcon>

#include <memory>

using namespace corvane;

int main(int argc, char** argv) {
    // The data folder is fixed before anything else runs.
    const std::string dataFolder = resolveDataFolder();

    CorvaneApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvane"));
    QApplication::setDesktopFileName(QStringLiteral("corvane"));
    LoadSystemSounds();
    // The operator's language comes first, so every window is built in it; then the splash
    // window shows while the rest starts and hides itself by its own timer.
    if (!dataFolder.empty())
        startLanguage(settingsFilePath(dataFolder));
    TSplashForm splash;
    splash.ShowSplash();
    // SIGTERM and SIGINT close the main window as its Exit button does; one that comes before the
    // window exists closes it as soon as it does.
    std::unique_ptr<TSysLogForm> form;
    bool closeRequested = false;
    SignalCloser closer([&form, &closeRequested] {
        if (form)
            form->exitProgram();
        else
            closeRequested = true;
    });

    QtMessageDialogs dialogs;
    if (dataFolder.empty()) {
        dialogs.show("No data folder: neither USERPROFILE, XDG_DATA_HOME nor HOME is set.", "Initialize Data",
                     mkError, {});
        return 1;
    }
    // One program per data folder: a second one says so and ends without writing anything.
    const FolderLock folderLock(dataFolder);
    if (!folderLock.held()) {
        dialogs.show(folderLock.error(), "Corvane", mkError, {});
        return 1;
    }
    const QString folder = appFolder();
    QApplication::setWindowIcon(QIcon(folder + QStringLiteral("corvane.svg")));
    const LocaleFormats formats = systemLocaleFormats();
    ExpressionFilterCompiler compiler(formats);

    QtMainThread mainThread;
    auto data = std::make_unique<TData>(
        dataFolder, folder.toStdString(),
        [&dialogs](TData::ReportKind kind, const std::string& caption, const std::string& text) {
            if (kind == TData::ReportKind::MessageDialog) {
                dialogs.show(text, caption, mkError, {});
            } else {
                QObject component;
                component.setObjectName(QStringLiteral("Data"));
                const std::runtime_error error(text);
                ApplicationEventsException(&component, &error);
            }
        });
    data->setFilterCompiler(&compiler);
    data->DataModuleCreate();

    QtNotifyActions actions(folder, dialogs);
    FormEnvironment environment;
    environment.appFolder = folder;
    environment.settingsPath = settingsFilePath(dataFolder);
    environment.formats = formats;
    environment.dialogs = &dialogs;
    environment.actions = &actions;
    environment.mainThread = &mainThread;

    form = std::make_unique<TSysLogForm>(*data, std::move(environment));
    TLanguageDlg languageDlg;
    connectLanguageDialog(*form, languageDlg);
    auto settingsDialog = CreateSettingsDialog(*form, *data, dialogs, folder);
    auto alerts = std::make_unique<WindowAlerts>(*form, QApplication::windowIcon());
    form->show();
    if (closeRequested)
        form->exitProgram();

    const int result = CorvaneApplication::exec();
    settingsDialog.reset();
    alerts.reset();
    form.reset();
    data.reset();
    return result;
}
