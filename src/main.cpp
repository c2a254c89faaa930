// The program entry: data module first, then the main window, which opens the listeners; only
// then are the dialogs of start-up shown. The event loop runs until the main window is closed
// (by its Exit button, its frame, or SIGTERM/SIGINT/SIGHUP); the window's destroy step then
// writes the settings and saves the tables while the data module is still alive.
#include "store/TData.h"
#include "filter/ExpressionFilterCompiler.h"
#include "platform/NotifyActions.h"
#include "store/DataFolder.h"
#include "store/FolderLock.h"
#include "app/CommandLine.h"
#include "app/AppCore.h"
#include "app/Settings.h"
#include "app/SettingsTexts.h"
#include "app/StartupDialogs.h"
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
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

using namespace corvane;

int main(int argc, char** argv) {
    // The command line is read before the window system starts, so --help and --version work
    // without a display and bind nothing; the window system's own options pass through to it.
    CommandLine commandLine("corvane",
                            "Receives syslog messages over UDP and TCP and shows them in a window. The\n"
                            "ports, addresses and everything else are set in the settings dialog; without\n"
                            "a display, run it with QT_QPA_PLATFORM=offscreen.");
    addWindowSystemOptions(commandLine);
    if (const int status =
            commandLine.report(commandLine.parse(std::vector<std::string>(argv + 1, argv + argc)));
        status >= 0)
        return status;

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
    QtMessageDialogs screenDialogs;
    if (dataFolder.empty()) {
        screenDialogs.show("No data folder: neither USERPROFILE, XDG_DATA_HOME nor HOME is set.",
                           "Initialize Data", mkError, {});
        return 1;
    }
    // One program per data folder: a second one says so and ends without writing anything.
    const FolderLock folderLock(dataFolder);
    if (!folderLock.held()) {
        screenDialogs.show(folderLock.error(), "Corvane", mkError, {});
        return 1;
    }
    // Every dialog of start-up waits until the listeners are open (released below).
    StartupDialogs dialogs(screenDialogs);

    // SIGTERM, SIGINT and SIGHUP close the program as its Exit button does, whatever dialog is
    // open: the dialogs are closed, the main window closes (its tables saved) and every event
    // loop ends, so the destroy step below stores what was received and writes the settings
    // and the tables. One that comes before the window exists closes it as soon as it does; a
    // second signal finds the work done.
    std::unique_ptr<TSysLogForm> form;
    bool closeRequested = false;
    SignalCloser closer([&form, &closeRequested, &dialogs] {
        dialogs.closing();
        closeOpenDialogs();
        if (!form) {
            closeRequested = true;
            return;
        }
        form->exitProgram();
        QCoreApplication::exit(0);
    });

    const QString folder = appFolder();
    QApplication::setWindowIcon(QIcon(folder + QStringLiteral("corvane.svg")));
    const LocaleFormats formats = systemLocaleFormats();
    ExpressionFilterCompiler compiler(formats);

    QtMainThread mainThread;
    auto data = std::make_unique<TData>(
        dataFolder, folder.toStdString(),
        [&dialogs](TData::ReportKind kind, const std::string& caption, const std::string& text) {
            // An application error is shown under the data module's name, as the error display
            // shows what a component raised.
            dialogs.show(text, kind == TData::ReportKind::MessageDialog ? caption : std::string("Data"),
                         mkError, {});
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
    if (closeRequested) {
        form->exitProgram();
    } else {
        // The listeners are open now: what start-up had to say is shown once the loop runs.
        if (!form->core()->settings() && !form->core()->settingsError().empty())
            dialogs.show(form->core()->settingsError(), settings_texts::kSettingsTitle, mkWarning, {});
        QTimer::singleShot(0, &app, [&dialogs] { dialogs.release(); });
    }

    const int result = CorvaneApplication::exec();
    // The shutdown steps run while every window still exists: storing what was received on
    // the way out still goes through the window's hooks, the settings dialog's among them.
    form->FormDestroy();
    settingsDialog.reset();
    alerts.reset();
    form.reset();
    data.reset();
    return result;
}
