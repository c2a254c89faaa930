#pragma once

#include "platform/SoundPlayer.h"

#include <string>
#include <utility>
#include <vector>

namespace corvane {

class MessageDialogs;

// Variables added to the environment of a started program, each replacing one of that name.
using ProgramEnvironment = std::vector<std::pair<std::string, std::string>>;

// The two things a matching message can set off: a sound and the opening of a program,
// document or folder.
class NotifyActions {
public:
    virtual ~NotifyActions() = default;
    // Plays <program folder>/<name>.wav in the background; an empty name plays nothing. A sound
    // that cannot play (no sound device) is reported once; later sounds are skipped silently.
    virtual void PlayNotifySound(const std::string& name) = 0;
    // Opens the path without waiting for what it starts. Answers a value above 32 on success and
    // 2 when nothing could be started (a path that does not exist included), after the
    // "Notification Execute" warning was shown.
    virtual int RunNotifyProgram(const std::string& path) = 0;
    // RunNotifyProgram with the given variables in the started program's environment (a
    // document or folder opened by the desktop may not see them).
    virtual int RunNotifyProgramWith(const std::string& path, const ProgramEnvironment& environment) {
        (void)environment;
        return RunNotifyProgram(path);
    }
};

// The desktop's services: libcanberra plays the sound; an executable file is started directly,
// anything else (a folder, a document, a web address) is handed to xdg-open. Programs run detached, in their
// own session, and are never waited for.
class PosixNotifyActions : public NotifyActions {
public:
    // appFolder ends with a slash and holds Warning.wav.
    PosixNotifyActions(std::string appFolder, MessageDialogs& dialogs);
    ~PosixNotifyActions() override;
    PosixNotifyActions(const PosixNotifyActions&) = delete;
    PosixNotifyActions& operator=(const PosixNotifyActions&) = delete;

    void PlayNotifySound(const std::string& name) override;
    int RunNotifyProgram(const std::string& path) override;
    int RunNotifyProgramWith(const std::string& path, const ProgramEnvironment& environment) override;

    // The opener used for anything that is not an executable file ("xdg-open" by default).
    void setOpener(std::string opener) { m_opener = std::move(opener); }

private:
    std::string m_appFolder;
    MessageDialogs& m_dialogs;
    std::string m_opener = "xdg-open";
    CanberraSoundPlayer m_sound;
    bool m_soundReported = false;
};

}  // namespace corvane
