#pragma once

#include "platform/NotifyActions.h"

#include <QString>
#include <QUrl>

namespace corvane {

class MessageDialogs;
class SoundPlayer;

// How the notification opens things; tests record the calls instead.
class PathOpener {
public:
    virtual ~PathOpener() = default;
    // Opens a document, a folder or a web address with the desktop's application for it. With
    // activate false the window that opens should not take the focus. Answers the reason it
    // could not be opened, empty on success.
    virtual QString openUrl(const QUrl& url, bool activate) = 0;
    // Starts a program without waiting for it, with the variables added to its environment.
    // Answers the reason it could not be started.
    virtual QString startProgram(const QString& program, const ProgramEnvironment& environment) = 0;
};

// The desktop's way: QDesktopServices for documents and addresses; a folder that must not take
// the focus goes to xdg-open without a start-up activation token, so the window manager leaves
// the focus where it is; programs start detached through QProcess.
class DesktopPathOpener : public PathOpener {
public:
    QString openUrl(const QUrl& url, bool activate) override;
    QString startProgram(const QString& program, const ProgramEnvironment& environment) override;
};

// The notification's sound and program in the running program: <app folder>Warning.wav through
// the sound player, and the program path opened through the desktop. A path that cannot be
// opened is reported in the "Notification Execute" warning.
class QtNotifyActions : public NotifyActions {
public:
    static constexpr int kStarted = 33;
    static constexpr int kNotStarted = 2;

    // appFolder ends with a slash. Null player or opener: the desktop's own.
    QtNotifyActions(QString appFolder, MessageDialogs& dialogs, SoundPlayer* player = nullptr,
                    PathOpener* opener = nullptr);
    QtNotifyActions(const QtNotifyActions&) = delete;
    QtNotifyActions& operator=(const QtNotifyActions&) = delete;

    void PlayNotifySound(const std::string& name) override;
    // Executable files are started; documents and folders are opened, a path ending in a
    // separator (a folder) without taking the focus; anything with a scheme ("https://...") is
    // opened as an address. Answers kStarted or, after the warning, kNotStarted.
    int RunNotifyProgram(const std::string& path) override { return RunNotifyProgramWith(path, {}); }
    int RunNotifyProgramWith(const std::string& path, const ProgramEnvironment& environment) override;

private:
    QString m_appFolder;
    MessageDialogs& m_dialogs;
    SoundPlayer* m_player;
    DesktopPathOpener m_desktop;
    PathOpener* m_opener;
    bool m_soundReported = false;
};

}  // namespace corvane
