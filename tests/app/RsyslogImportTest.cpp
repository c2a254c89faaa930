// A real log: lines that `logger` sent to an rsyslog of the test's own (its own configuration,
// a private socket, its own files), rotated and compressed the way logrotate leaves them, then
// imported. Skipped when rsyslogd or logger is not installed.
#include "app/IntakeFakes.h"

#include "app/LogImport.h"
#include "app/MessageIntake.h"
#include "store/FileIo.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace corvane {
namespace {

using namespace test;

std::string findProgram(const std::vector<std::string>& candidates) {
    for (const std::string& c : candidates)
        if (::access(c.c_str(), X_OK) == 0)
            return c;
    return {};
}

pid_t spawn(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    return pid;
}

int run(const std::vector<std::string>& args) {
    const pid_t pid = spawn(args);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::size_t lineCount(const std::string& path) {
    const std::string text = readFile(path);
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

template <typename F>
bool waitFor(F done) {
    for (int i = 0; i < 200; ++i) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
}

TEST(RsyslogImport, LinesLoggedThroughRsyslogAreImportedFromTheRotatedFile) {
    const std::string rsyslogd = findProgram({"/usr/sbin/rsyslogd", "/sbin/rsyslogd"});
    const std::string logger = findProgram({"/usr/bin/logger", "/bin/logger"});
    const std::string gzip = findProgram({"/usr/bin/gzip", "/bin/gzip"});
    if (rsyslogd.empty() || logger.empty() || gzip.empty())
        GTEST_SKIP() << "rsyslogd, logger or gzip is not installed";

    TempDataFolder folder;
    const std::string dir = folder.path();
    const std::string socket = dir + "log.sock";
    const std::string classic = dir + "syslog";
    const std::string precise = dir + "precise.log";
    ASSERT_EQ(
        writeFileAtomically(dir + "rsyslog.conf", "global(workDirectory=\"" + dir +
                                                      "\")\n"
                                                      "module(load=\"imuxsock\" SysSock.Use=\"off\")\n"
                                                      "input(type=\"imuxsock\" Socket=\"" +
                                                      socket +
                                                      "\")\n"
                                                      "*.* action(type=\"omfile\" file=\"" +
                                                      classic +
                                                      "\" template=\"RSYSLOG_TraditionalFileFormat\")\n"
                                                      "*.* action(type=\"omfile\" file=\"" +
                                                      precise + "\" template=\"RSYSLOG_FileFormat\")\n"),
        "");
    const pid_t daemon = spawn({rsyslogd, "-n", "-f", dir + "rsyslog.conf", "-i", dir + "rsyslog.pid"});
    ASSERT_GT(daemon, 0);
    struct Stop {
        pid_t pid;
        ~Stop() {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    } stop{daemon};
    ASSERT_TRUE(waitFor([&] { return ::access(socket.c_str(), F_OK) == 0; })) << "rsyslogd did not start";

    constexpr int kLines = 20;
    for (int i = 0; i < kLines; ++i)
        ASSERT_EQ(run({logger, "-u", socket, "-t", "backup", "-p", i % 2 ? "daemon.err" : "user.info", "-i",
                       "nightly run " + std::to_string(i) + ", \"quoted\""}),
                  0);
    ASSERT_TRUE(waitFor([&] { return lineCount(classic) >= kLines && lineCount(precise) >= kLines; }));
    // Rotated as logrotate does it: renamed, the daemon told to reopen, then compressed.
    ASSERT_EQ(std::rename(classic.c_str(), (classic + ".1").c_str()), 0);
    ::kill(daemon, SIGHUP);
    ASSERT_EQ(run({gzip, "-9", classic + ".1"}), 0);

    for (const std::string& path : {classic + ".1.gz", precise}) {
        TempDataFolder store;
        auto data = openStore(store.path());
        RecordingWindow window;
        RecordingDialogs dialogs;
        RecordingActions actions;
        NotificationState notification;
        MessageIntake intake(*data, window, dialogs, actions, notification);
        const DateTime before = now();
        const ImportSummary s = importLogFile(intake, *data, path);
        EXPECT_TRUE(s.ok()) << path << ": " << s.error;
        EXPECT_EQ(s.linesRead, static_cast<std::size_t>(kLines)) << path;
        EXPECT_EQ(s.stored, static_cast<std::size_t>(kLines)) << path;
        Table& m = data->MessageSet();
        ASSERT_EQ(m.recordCount(), kLines) << path;
        for (int i = 0; i < kLines; ++i) {
            EXPECT_EQ(textAt(m, i, "Message"), "nightly run " + std::to_string(i) + ", \"quoted\"") << path;
            EXPECT_EQ(textAt(m, i, "Process").rfind("backup[", 0), 0u)
                << path << " " << textAt(m, i, "Process");
            EXPECT_EQ(textAt(m, i, "Address"), LogImport::addressOf(path));
            // The line's own time: written a moment ago, to the second.
            const DateTime date = valueAt(m, i, "Date").dateTime;
            EXPECT_EQ(valueAt(m, i, "Date"), valueAt(m, i, "TimeStamp")) << path;
            EXPECT_LE(date, before + 1e-8) << path;
            EXPECT_GE(date, before - 60.0 / 86400) << path;
        }
    }
}

}  // namespace
}  // namespace corvane
