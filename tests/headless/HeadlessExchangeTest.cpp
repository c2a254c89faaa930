// The one-shot options of corvane-headless: --import, --export, --format and --filter, run as
// the real executable on a data folder of the test's own.
#include "headless/HeadlessRunner.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace corvane {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

struct Outcome {
    int status = -1;
    std::string out, err;
};

class HeadlessExchange : public ::testing::Test {
protected:
    HeadlessExchange() {
        std::string pattern = (fs::temp_directory_path() / "corvane-exchange-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            dir = pattern + "/";
        fs::create_directories(dir + "data");
    }
    ~HeadlessExchange() override { fs::remove_all(dir); }

    // Runs the program on the test's data folder with its output in files.
    Outcome run(std::vector<std::string> args) {
        args.insert(args.begin(),
                    {std::string(CORVANE_BINARY_DIR) + "/corvane-headless", "--data-folder", dir + "data"});
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        const std::string out = dir + "stdout", err = dir + "stderr";
        posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        Outcome r;
        pid_t pid = 0;
        if (::posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ) == 0) {
            int status = 0;
            ::waitpid(pid, &status, 0);
            r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        posix_spawn_file_actions_destroy(&files);
        r.out = readFile(out);
        r.err = readFile(err);
        return r;
    }

    std::string dir;
};

std::size_t lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(HeadlessExchange, ImportThenExportWithAFilter) {
    writeFile(dir + "syslog",
              "Dec  9 06:25:01 web01 CRON[4711]: (root) CMD (run-parts)\n"
              "Dec  9 06:25:02 db02 postgres[12]: checkpoint starting: time\n"
              "Dec  9 06:25:03 web01 sshd[99]: Accepted publickey for admin\n"
              "ab\0cd\n"s);
    const Outcome imported = run({"--import", dir + "syslog"});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out, dir + "syslog: 4 lines read, 3 stored, 1 skipped (first bad line 4)\n");

    const Outcome exported = run({"--export", dir + "web.jsonl", "--filter", "[Host] = 'web01'"});
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, "2 records exported to " + dir + "web.jsonl\n");
    const std::string jsonl = readFile(dir + "web.jsonl");
    EXPECT_EQ(lines(jsonl), 2u);
    EXPECT_NE(jsonl.find("\"Message\":\"Accepted publickey for admin\""), std::string::npos);
    EXPECT_NE(jsonl.find("\"Address\":\"syslog\""), std::string::npos);

    const Outcome csv = run({"--export", dir + "all.txt", "--format", "csv"});
    EXPECT_EQ(csv.status, 0) << csv.err;
    const std::string text = readFile(dir + "all.txt");
    EXPECT_EQ(
        text.substr(0, text.find("\r\n")),
        "Key,Date,TimeStamp,Severity,Process,SubProcess,Message,Host,Address,Facility,PID,Data,Priority,"
        "FacilityKey,HostKey,SeverityKey,ProcessEx");
    EXPECT_EQ(lines(text), 4u);

    // The JSON Lines go back in as the same records.
    const Outcome again = run({"--import", dir + "web.jsonl", "--export", dir + "after.log"});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(lines(readFile(dir + "after.log")), 5u);
}

TEST_F(HeadlessExchange, FailuresEndWithTheirStatus) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string errorPart;
    };
    const Row rows[] = {
        {"unknown format", {"--export", "x.out", "--format", "xml"}, 2, "unknown format xml"},
        {"no format known", {"--export", "x.out"}, 2, "--export needs --format"},
        {"filter alone", {"--filter", "[PID] = 1"}, 2, "--format and --filter need --export"},
        {"filter that does not compile", {"--export", "x.csv", "--filter", "[Nope] = 1"}, 2, "--filter: "},
        {"folder that does not exist",
         {"--export", "/nonexistent-folder/x.csv"},
         1,
         "Could not create the export file"},
        {"file that does not exist",
         {"--import", "/nonexistent-folder/x.log"},
         1,
         "Could not open /nonexistent-folder/x.log"},
    };
    for (const Row& row : rows) {
        const Outcome r = run(row.args);
        EXPECT_EQ(r.status, row.status) << row.name << ": " << r.err;
        EXPECT_NE(r.err.find(row.errorPart), std::string::npos) << row.name << ": " << r.err;
    }
}

}  // namespace
}  // namespace corvane
