#pragma once

#include "app/UpdateDownload.h"
#include "app/UpdateState.h"
#include "app/UpdateVersionFile.h"
#include "platform/HttpGet.h"
#include "platform/HttpCookieStore.h"

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace corvane {

class MainThread;
class MessageDialogs;
class Settings;

// What the update check is given by the program (or by a test).
struct UpdateCheckerSetup {
    // Where "Version.txt" is kept and the first start is recorded: the data folder, ending in a
    // separator.
    std::string dataFolder;
    // Both required. The request's result is handed back through mainThread; failures are
    // shown through dialogs.
    MainThread* mainThread = nullptr;
    MessageDialogs* dialogs = nullptr;
    // Asked before every request, off the main thread; unset counts as connected.
    std::function<bool()> isInternetConnected;
    // The current local date-time; unset means the system clock.
    std::function<double()> now;
    // The current universal time as a day count; unset means the system clock.
    std::function<double()> utcNow;
    // The user's decimal separator, used in the installation id's time.
    char decimalSeparator = '.';
    HttpOptions http;
};

// The daily update check. Once a day the program asks the update server at UpdateURL for
// "Version.txt", names itself in the request (see UpdateIdentity.h), keeps the answer in the data
// folder and reads its latest build into the update state. A failed request is explained in the
// "Get Data" warning dialog; otherwise the check is silent.
//
// Everything here is called on the main thread. The request itself runs on a thread of its own,
// so the window stays responsive; its result comes back through MainThread::post. The window
// calls DailyUpdateCheck when it becomes active and every kTimerIntervalMs; the busy flag turns
// calls that come while a check is running (or its dialog is open) into no-ops.
class UpdateChecker {
public:
    static constexpr int kTimerIntervalMs = 600000;

    explicit UpdateChecker(UpdateCheckerSetup setup);
    ~UpdateChecker();  // shutdown()
    UpdateChecker(const UpdateChecker&) = delete;
    UpdateChecker& operator=(const UpdateChecker&) = delete;

    UpdateState& state() { return m_state; }
    const UpdateState& state() const { return m_state; }

    // The settings object PID and Location are kept in, and UpdateURL re-read from; may be null.
    // The caller keeps it alive while it is set.
    void setSettings(Settings* settings) { m_settings = settings; }

    // Starts a check when the switch is on, no check is running and the last one of this run
    // started more than a day ago (so the first call of a run checks at once).
    void DailyUpdateCheck();

    // Asks for "Version.txt" at the update URL (read again from the settings when empty). Answers
    // whether a request was started; its result is taken in later. Without an update URL no
    // server is configured and nothing is done.
    bool CheckForUpdate();

    // Records this installation's id under PID, writes the settings file and starts the request
    // for baseUrl + fileName. Answers whether the request was started.
    bool RequestUpdateFile(const std::string& baseUrl, const std::string& fileName);

    // Writes PID ("<machine identifier>&<first start time>") and the settings file, and answers
    // the PID text; empty without a settings object. A settings file that cannot be written is
    // reported in a dialog from the main loop; the check goes on.
    std::string WriteInstallId();

    // No request starts any more; one in flight is given up and waited for (about a second at
    // most). Its result is dropped.
    void shutdown();

private:
    void finish(const HttpResult& result, const std::optional<VersionFileContent>& content);

    UpdateCheckerSetup m_setup;
    UpdateState m_state;
    Settings* m_settings = nullptr;
    std::string m_machineTag;
    std::string m_machineIdentifier;
    double m_firstStart = 0;

    HttpCookieStore m_cookies;
    std::atomic<bool> m_shuttingDown{false};
    std::thread m_worker;
    // Posted results reach this object only while it lives.
    std::shared_ptr<UpdateChecker*> m_self;
};

// The detail text of the "Get Data" dialog for a failed request.
std::string requestFailureDetail(const HttpResult& result);

}  // namespace corvane
