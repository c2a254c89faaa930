#include "app/UpdateChecker.h"

#include "app/Settings.h"
#include "app/UpdateIdentity.h"
#include "app/UpdateTexts.h"
#include "net/MainThread.h"
#include "platform/MessageDialogs.h"
#include "platform/Version.h"
#include "protocol/DateTime.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <utility>

namespace corvane {
namespace {

// Clears the busy flag on every way out unless a running request has taken it over.
class BusyGuard {
public:
    explicit BusyGuard(bool& busy) : m_busy(busy) { m_busy = true; }
    ~BusyGuard() {
        if (m_owned)
            m_busy = false;
    }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
    void handOver() { m_owned = false; }

private:
    bool& m_busy;
    bool m_owned = true;
};

}  // namespace

std::string requestFailureDetail(const HttpResult& result) {
    std::string detail = result.serverHeader + " - " + result.error;
    // The resolver's failure stands for the system's "host not found" error.
    if (result.hostUnresolved)
        detail = std::string(update_texts::kHostUnresolved) + ":" + detail;
    return detail;
}

UpdateChecker::UpdateChecker(UpdateCheckerSetup setup)
    : m_setup(std::move(setup)),
      m_machineTag(machineTag()),
      m_machineIdentifier(machineIdentifier()),
      m_self(std::make_shared<UpdateChecker*>(this)) {
    if (!m_setup.now)
        m_setup.now = [] { return corvane::now(); };
    if (!m_setup.utcNow)
        m_setup.utcNow = &utcNowDays;
    m_firstStart = firstStartTime(m_setup.dataFolder, m_setup.utcNow());
}

UpdateChecker::~UpdateChecker() {
    shutdown();
    m_self.reset();
}

void UpdateChecker::shutdown() {
    m_shuttingDown = true;
    if (m_worker.joinable())
        m_worker.join();
}

void UpdateChecker::DailyUpdateCheck() {
    if (m_state.busy || !m_state.updateCheck || m_shuttingDown)
        return;
    BusyGuard busy(m_state.busy);
    const double current = m_setup.now();
    if (current - 1.0 > m_state.lastCheck) {
        m_state.lastCheck = current;
        if (CheckForUpdate())
            busy.handOver();
    }
}

bool UpdateChecker::CheckForUpdate() {
    if (m_state.updateUrl.empty() && m_settings)
        m_state.updateUrl = m_settings->readString(Settings::kOptions, update_texts::kKeyUpdateUrl, "");
    if (m_state.updateUrl.empty())
        return false;
    return RequestUpdateFile(m_state.updateUrl, update_texts::kVersionFile);
}

std::string UpdateChecker::WriteInstallId() {
    if (!m_settings)
        return {};
    const std::string pid = m_machineIdentifier + "&" + formatDays(m_firstStart, m_setup.decimalSeparator);
    m_settings->writeString(Settings::kOptions, update_texts::kKeyPid, pid);
    // The report waits for the main loop, so that no dialog's event loop runs in the middle of
    // starting a check.
    if (std::string error = m_settings->flush(); !error.empty() && m_setup.dialogs && m_setup.mainThread) {
        m_setup.mainThread->post([self = std::weak_ptr<UpdateChecker*>(m_self), error = std::move(error)] {
            if (const auto alive = self.lock())
                (*alive)->m_setup.dialogs->show(error, update_texts::kUpdateCheckTitle, dkError);
        });
    }
    return pid;
}

bool UpdateChecker::RequestUpdateFile(const std::string& baseUrl, const std::string& fileName) {
    std::uint16_t v[4] = {};
    if (m_shuttingDown || !m_setup.mainThread || !ReadFileVersion(v[0], v[1], v[2], v[3]))
        return false;

    std::string pid;
    std::string location;
    if (m_settings) {
        const std::string written = WriteInstallId();
        const std::string stored = m_settings->readString(Settings::kOptions, update_texts::kKeyPid, written);
        if (!stored.empty())
            pid = "&" + stored;
        location = m_settings->readString(Settings::kOptions, update_texts::kKeyLocation,
                                          update_texts::kDefaultLocation);
    }
    char version[32];
    std::snprintf(version, sizeof version, "%d.%d.%d.%d", v[0], v[1], v[2], v[3]);

    DownloadContext context;
    context.updateFolder = m_setup.dataFolder;
    context.cookies = &m_cookies;
    context.http = m_setup.http;
    context.isInternetConnected = m_setup.isInternetConnected;
    context.shuttingDown = &m_shuttingDown;

    if (m_worker.joinable())
        m_worker.join();
    m_worker =
        std::thread([context = std::move(context), url = baseUrl + fileName, fileName,
                     userAgent = updateUserAgent(version), userName = m_machineTag + pid + "&" + location,
                     mainThread = m_setup.mainThread, self = std::weak_ptr<UpdateChecker*>(m_self)] {
            HttpResult result;
            std::optional<VersionFileContent> content;
            try {
                result = DownloadFile(context, url, "", fileName, userAgent, userName);
                if (result.ok) {
                    std::error_code ignored;
                    std::filesystem::remove(context.updateFolder + update_texts::kInstallerFile, ignored);
                    content = readVersionFileContent(context.updateFolder + fileName);
                }
            } catch (const std::exception& e) {
                result = HttpResult{};
                result.failed = true;
                result.error = e.what();
            }
            mainThread->post([self, result = std::move(result), content = std::move(content)] {
                if (const auto alive = self.lock())
                    (*alive)->finish(result, content);
            });
        });
    return true;
}

void UpdateChecker::finish(const HttpResult& result, const std::optional<VersionFileContent>& content) {
    if (m_worker.joinable())
        m_worker.join();
    if (content)
        applyVersionFile(*content, m_state);
    if (result.failed && !result.cancelled && !m_shuttingDown && m_setup.dialogs) {
        // The dialog runs its own event loop; the program may end before it returns.
        const std::weak_ptr<UpdateChecker*> self = m_self;
        m_setup.dialogs->show(update_texts::kGetDataMessage, update_texts::kGetDataTitle, dkWarning,
                              requestFailureDetail(result));
        if (self.expired())
            return;
    }
    m_state.busy = false;
}

}  // namespace corvane
