#include "app/UpdateChecker.h"

#include "app/Settings.h"
#include "app/UpdateIdentity.h"
#include "net/MainThread.h"
#include "platform/HttpTestServer.h"
#include "platform/MessageDialogs.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace corvane {
namespace {

namespace fs = std::filesystem;
using test::HttpTestReply;
using test::HttpTestRequest;
using test::HttpTestServer;
using namespace std::chrono_literals;

// The main thread of a test: posted work waits until the test runs it.
class QueueMainThread : public MainThread {
public:
    void post(std::function<void()> task) override {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
        m_ready.notify_all();
    }

    bool runNext(std::chrono::milliseconds timeout = 5000ms) {
        std::function<void()> task;
        {
            std::unique_lock lock(m_mutex);
            if (!m_ready.wait_for(lock, timeout, [this] { return !m_tasks.empty(); }))
                return false;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task();
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<std::function<void()>> m_tasks;
};

class RecordingDialogs : public MessageDialogs {
public:
    struct Call {
        std::string message, title, detail;
        int kind = 0;
    };
    int show(const std::string& message, const std::string& title, int kind,
             const std::string& detail) override {
        calls.push_back({message, title, detail, kind});
        return 1;
    }
    std::vector<Call> calls;
};

constexpr double kFirstStartUtc = 45999.25;

class UpdateCheckRun : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ::setenv("no_proxy", "*", 1);
        ::setenv("NO_PROXY", "*", 1);
    }

    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "update-check-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern + "/";
        m_settings = std::make_unique<Settings>(m_folder + "corvane.ini");
        m_settings->writeString(Settings::kOptions, "UpdateURL", m_server.url("/upd/"));
    }
    void TearDown() override {
        m_check.reset();
        fs::remove_all(m_folder);
    }

    UpdateCheckerSetup setup() {
        UpdateCheckerSetup s;
        s.dataFolder = m_folder;
        s.mainThread = &m_main;
        s.dialogs = &m_dialogs;
        s.isInternetConnected = [this] { return m_connected.load(); };
        s.now = [this] { return m_now; };
        s.utcNow = [] { return kFirstStartUtc; };
        return s;
    }

    UpdateChecker& check() {
        if (!m_check) {
            m_check = std::make_unique<UpdateChecker>(setup());
            m_check->setSettings(m_settings.get());
            readUpdateSettings(m_check->state(), *m_settings);
        }
        return *m_check;
    }

    // One daily check as the window's timer makes it; waits for its result when it sent a request.
    void daily() {
        check().DailyUpdateCheck();
        if (check().state().busy) {
            ASSERT_TRUE(m_main.runNext());
        }
        EXPECT_FALSE(check().state().busy);
    }

    void write(const std::string& name, const std::string& text) const {
        std::ofstream(m_folder + name, std::ios::binary) << text;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(m_folder + name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    bool exists(const std::string& name) const { return fs::exists(m_folder + name); }

    HttpTestReply m_reply = [] {
        HttpTestReply r;
        r.headers = {{"Server", "TestServer/1.0"}};
        r.body = "1.0.0.57 Corvane release\r\nA new build is out.\r\nSee the web site.\r\n";
        return r;
    }();
    std::mutex m_replyMutex;
    HttpTestServer m_server{[this](const HttpTestRequest&) {
        std::lock_guard lock(m_replyMutex);
        return m_reply;
    }};
    void setReply(int status, std::string reason, std::string body) {
        std::lock_guard lock(m_replyMutex);
        m_reply.status = status;
        m_reply.reason = std::move(reason);
        m_reply.body = std::move(body);
    }

    std::string m_folder;
    std::unique_ptr<Settings> m_settings;
    QueueMainThread m_main;
    RecordingDialogs m_dialogs;
    std::atomic<bool> m_connected{true};
    double m_now = 46000.5;
    std::unique_ptr<UpdateChecker> m_check;
};

TEST_F(UpdateCheckRun, TheFirstCheckAsksOnceNamingTheInstallationAndKeepsTheAnswer) {
    write("Update.exe", "old installer");
    daily();

    const auto requests = m_server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, "/upd/Version.txt");
    const std::string version =
        std::to_string(CORVANE_VERSION_MAJOR) + "." + std::to_string(CORVANE_VERSION_MINOR) + "." +
        std::to_string(CORVANE_VERSION_PATCH) + "." + std::to_string(CORVANE_VERSION_TWEAK + 0);
    EXPECT_EQ(requests[0].header("user-agent"), "Vantro Client(Corvane 101:" + version + "L)");
    const std::string pid = machineIdentifier() + "&45999.25";
    EXPECT_EQ(requests[0].header("authorization"),
              "Basic " + test::base64(machineTag() + "&" + pid + "&Location not Assigned:"));
    EXPECT_EQ(machineIdentifier().size(), 16u);
    EXPECT_LE(machineTag().size(), 12u);

    EXPECT_NE(read("corvane.ini").find("PID=" + pid + "\r\n"), std::string::npos);
    EXPECT_EQ(read("Version.txt"),
              "1.0.0.57 Corvane release\r\nA new build is out.\r\nSee the web site.\r\n");
    EXPECT_FALSE(exists("Update.exe"));
    EXPECT_EQ(check().state().latestBuild, 57);
    EXPECT_EQ(check().state().secondLine, "A new build is out.");
    EXPECT_EQ(check().state().thirdLine, "See the web site.");
    EXPECT_EQ(check().state().lastCheck, 46000.5);
    EXPECT_TRUE(m_dialogs.calls.empty());
}

TEST_F(UpdateCheckRun, ChecksOncePerDayAndNeverTwiceAtOnce) {
    daily();
    m_now += 1.0 / 24;  // an hour later
    daily();
    m_now = 46000.5 + 1.0;  // exactly a day after the first check
    daily();
    EXPECT_EQ(m_server.requests().size(), 1u);

    m_now = 46000.5 + 1.0 + 10.0 / 1440;  // a timer tick a day and ten minutes later
    check().DailyUpdateCheck();
    EXPECT_TRUE(check().state().busy);
    m_now += 3;  // calls while the answer is on its way do nothing
    check().DailyUpdateCheck();
    check().DailyUpdateCheck();
    EXPECT_EQ(check().state().lastCheck, 46000.5 + 1.0 + 10.0 / 1440);
    ASSERT_TRUE(m_main.runNext());
    EXPECT_FALSE(check().state().busy);
    EXPECT_FALSE(m_main.runNext(100ms));
    EXPECT_EQ(m_server.requests().size(), 2u);
}

TEST_F(UpdateCheckRun, NoCheckWhenSwitchedOffOrNoServerIsConfigured) {
    m_settings->writeBool(Settings::kOptions, "UpdateCheck", false);
    daily();
    EXPECT_EQ(check().state().lastCheck, 0);

    check().state().updateCheck = true;
    check().state().updateUrl.clear();
    m_settings->writeString(Settings::kOptions, "UpdateURL", "");
    daily();
    EXPECT_EQ(check().state().lastCheck, 46000.5);
    EXPECT_TRUE(m_server.requests().empty());
    EXPECT_TRUE(m_dialogs.calls.empty());
    EXPECT_FALSE(exists("corvane.ini"));

    // An empty URL is looked up in the settings again at the next check.
    m_settings->writeString(Settings::kOptions, "UpdateURL", m_server.url("/again/"));
    m_now += 2;
    daily();
    ASSERT_EQ(m_server.requests().size(), 1u);
    EXPECT_EQ(m_server.requests()[0].target, "/again/Version.txt");
    EXPECT_EQ(check().state().updateUrl, m_server.url("/again/"));
}

TEST_F(UpdateCheckRun, AnErrorStatusIsExplainedAndLeavesNoVersionFile) {
    write("Version.txt", "1.0.0.5 older\r\n");
    write("Update.exe", "old installer");
    check().state().latestBuild = 5;
    setReply(404, "Not Found", "<html>gone</html>");
    daily();

    ASSERT_EQ(m_dialogs.calls.size(), 1u);
    EXPECT_EQ(m_dialogs.calls[0].title, "Get Data");
    EXPECT_EQ(m_dialogs.calls[0].message, "An error has occured obtaining Data from the Server.");
    EXPECT_EQ(m_dialogs.calls[0].kind, 48);
    EXPECT_EQ(m_dialogs.calls[0].detail, "TestServer/1.0 - HTTP/1.1 404 Not Found");
    EXPECT_FALSE(exists("Version.txt"));
    EXPECT_TRUE(exists("Update.exe"));
    EXPECT_EQ(check().state().latestBuild, 5);
}

TEST_F(UpdateCheckRun, AnUnresolvableHostIsNamedInTheDetail) {
    m_settings->writeString(Settings::kOptions, "UpdateURL", "http://update.corvane.invalid/");
    daily();
    ASSERT_EQ(m_dialogs.calls.size(), 1u);
    const std::string prefix = "The Host name could not be resolved to an IP address.: - ";
    EXPECT_EQ(m_dialogs.calls[0].detail.substr(0, prefix.size()), prefix) << m_dialogs.calls[0].detail;
    EXPECT_GT(m_dialogs.calls[0].detail.size(), prefix.size());
}

TEST_F(UpdateCheckRun, AnEmptyAnswerClearsTheBuildAndTheInstaller) {
    write("Version.txt", "1.0.0.5 older\r\n");
    write("Update.exe", "old installer");
    check().state().latestBuild = 5;
    setReply(200, "OK", "");
    daily();
    EXPECT_FALSE(exists("Version.txt"));
    EXPECT_FALSE(exists("Update.exe"));
    EXPECT_EQ(check().state().latestBuild, 0);
    EXPECT_TRUE(m_dialogs.calls.empty());
}

TEST_F(UpdateCheckRun, WithoutAConnectionOnlyTheInstallIdIsWritten) {
    m_connected = false;
    write("Version.txt", "1.0.0.5 older\r\n");
    daily();
    EXPECT_TRUE(m_server.requests().empty());
    EXPECT_TRUE(m_dialogs.calls.empty());
    EXPECT_EQ(read("Version.txt"), "1.0.0.5 older\r\n");
    EXPECT_NE(read("corvane.ini").find("PID="), std::string::npos);
}

TEST_F(UpdateCheckRun, ASettingsFileThatCannotBeWrittenIsReportedAndTheCheckGoesOn) {
    m_settings = std::make_unique<Settings>(m_folder + "missing/corvane.ini");
    m_settings->writeString(Settings::kOptions, "UpdateURL", m_server.url("/upd/"));
    check().DailyUpdateCheck();
    ASSERT_TRUE(m_main.runNext());  // the report
    ASSERT_TRUE(m_main.runNext());  // the answer
    EXPECT_FALSE(check().state().busy);
    ASSERT_EQ(m_dialogs.calls.size(), 1u);
    EXPECT_EQ(m_dialogs.calls[0].title, "Update Check");
    EXPECT_EQ(m_dialogs.calls[0].kind, 16);
    EXPECT_EQ(m_dialogs.calls[0].message.rfind(
                  "Could not write the settings file " + m_folder + "missing/corvane.ini", 0),
              0u)
        << m_dialogs.calls[0].message;
    EXPECT_EQ(m_server.requests().size(), 1u);
    EXPECT_EQ(check().state().latestBuild, 57);
}

TEST_F(UpdateCheckRun, TheInstallIdKeepsTheFirstStartAcrossRuns) {
    UpdateCheckerSetup first = setup();
    first.decimalSeparator = ',';
    {
        UpdateChecker run(first);
        run.setSettings(m_settings.get());
        EXPECT_EQ(run.WriteInstallId(), machineIdentifier() + "&45999,25");
    }
    UpdateCheckerSetup later = setup();
    later.utcNow = [] { return 46200.75; };
    UpdateChecker run(later);
    run.setSettings(m_settings.get());
    EXPECT_EQ(run.WriteInstallId(), machineIdentifier() + "&45999.25");

    // Without a settings object there is no id, and the user name is the machine tag and "&".
    run.setSettings(nullptr);
    EXPECT_EQ(run.WriteInstallId(), "");
    EXPECT_TRUE(run.RequestUpdateFile(m_server.url("/"), "Version.txt"));
    ASSERT_TRUE(m_main.runNext());
    ASSERT_EQ(m_server.requests().size(), 1u);
    EXPECT_EQ(m_server.requests()[0].header("authorization"), "Basic " + test::base64(machineTag() + "&:"));
}

TEST_F(UpdateCheckRun, ShuttingDownGivesUpARequestInFlightSilently) {
    {
        std::lock_guard lock(m_replyMutex);
        m_reply.mode = HttpTestReply::Mode::Stall;
    }
    check().DailyUpdateCheck();
    ASSERT_TRUE(check().state().busy);
    std::this_thread::sleep_for(100ms);
    const auto start = std::chrono::steady_clock::now();
    m_check.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    // The result posted by the abandoned request finds nobody to deliver to.
    EXPECT_TRUE(m_main.runNext());
    EXPECT_TRUE(m_dialogs.calls.empty());
}

}  // namespace
}  // namespace corvane
