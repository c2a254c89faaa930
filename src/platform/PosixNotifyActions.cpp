#include "platform/NotifyActions.h"

#include "platform/MessageDialogs.h"
#include "platform/PlatformTexts.h"
#include "protocol/Placeholders.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace corvane {

namespace {

// What a successful start answers; any value above 32 means success.
constexpr int kStarted = 33;
constexpr int kNotStarted = 2;

bool isExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// Starts argv in a session of its own with nothing of ours open on its standard streams; a
// thread of its own collects it when it ends so no zombie is left. Answers 0 or the error code.
int spawnDetached(const std::vector<std::string>& args, const ProgramEnvironment& extra) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawnattr_t attr;
    posix_spawn_file_actions_init(&files);
    posix_spawnattr_init(&attr);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    // Our environment, less the variables the program is given, then those.
    std::vector<std::string> added;
    for (const auto& [name, value] : extra) added.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (char** e = environ; e && *e; ++e) {
        const std::string_view entry(*e);
        const auto named = [&entry](const auto& pair) {
            return entry.size() > pair.first.size() && entry.starts_with(pair.first) &&
                   entry[pair.first.size()] == '=';
        };
        if (std::none_of(extra.begin(), extra.end(), named))
            envp.push_back(*e);
    }
    for (auto& a : added) envp.push_back(a.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, argv[0], &files, &attr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attr);
    if (rc != 0)
        return rc;
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return 0;
}

std::string openFailedText(const std::string& path, const std::string& reason) {
    return fillIn(platform_texts::kOpenFileFailed, path) + ": " + reason;
}

// A scheme of two letters or more ("https:", "mailto:"); a single letter is a drive ("C:").
bool hasScheme(const std::string& path) {
    const auto colon = path.find(':');
    if (colon == std::string::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(path[0])))
        return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (!(std::isalnum(c) || c == '+' || c == '-' || c == '.'))
            return false;
    }
    return true;
}

}  // namespace

PosixNotifyActions::PosixNotifyActions(std::string appFolder, MessageDialogs& dialogs)
    : m_appFolder(std::move(appFolder)), m_dialogs(dialogs) {}

PosixNotifyActions::~PosixNotifyActions() = default;

void PosixNotifyActions::PlayNotifySound(const std::string& name) {
    if (name.empty())
        return;
    const std::string file = m_appFolder + name + ".wav";
    // Without the file the desktop's own warning sound plays instead, as a missing wave file
    // gives the system's default sound.
    if (::access(file.c_str(), R_OK) == 0)
        m_sound.playFile(file);
    else
        m_sound.playEvent("dialog-warning");
    if (const std::string failure = m_sound.failure(); !failure.empty() && !m_soundReported) {
        m_soundReported = true;
        m_dialogs.show(fillIn(platform_texts::kSoundFailed, failure), platform_texts::kNotificationSound,
                       dkWarning);
    }
}

int PosixNotifyActions::RunNotifyProgram(const std::string& path) {
    return RunNotifyProgramWith(path, {});
}

int PosixNotifyActions::RunNotifyProgramWith(const std::string& path, const ProgramEnvironment& environment) {
    if (path.empty())
        return kNotStarted;
    // A folder, a document or a web address is opened by the desktop; an executable file is
    // started itself. The message text is never passed on. The desktop's opener reports nothing
    // back, so a path that does not exist is caught here rather than reported as started.
    const bool folder = path.back() == '/' || path.back() == '\\';
    std::string local = path;
    if (local.back() == '\\')
        local.pop_back();
    std::vector<std::string> args;
    int rc = 0;
    if (hasScheme(path))
        args = {m_opener, path};
    else if (struct stat st{}; ::stat(local.c_str(), &st) != 0)
        rc = errno;
    else if (!folder && isExecutableFile(local))
        args = {local};
    else
        args = {m_opener, local};
    if (rc == 0)
        rc = spawnDetached(args, environment);
    if (rc == 0)
        return kStarted;
    std::string reason = std::strerror(rc);
    if (args.size() > 1)
        reason = args[0] + ": " + reason;
    m_dialogs.show(openFailedText(path, reason), platform_texts::kNotificationExecute, dkWarning);
    return kNotStarted;
}

}  // namespace corvane
