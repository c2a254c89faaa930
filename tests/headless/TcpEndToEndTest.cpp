// Sends syslog over TCP with the logger client to the corvane-headless executable and checks
// what reaches the message table file.
#include "store/DataPacketReader.h"
#include "store/Table.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace corvane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A loopback port of the given socket type that was free a moment ago.
int freePort(int type) {
    const int fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a);
    socklen_t length = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    ::close(fd);
    return ntohs(a.sin_port);
}

int runProgram(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class TcpEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "corvane-tcp-e2e-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern + "/";
        udpPort = freePort(SOCK_DGRAM);
        tcpPort = freePort(SOCK_STREAM);
        std::ofstream(folder + "corvane.ini", std::ios::binary)
            << "[Options]\r\nUDPPort=" << udpPort << "\r\nUDPBindings=127.0.0.1\r\nTCPPort=" << tcpPort
            << "\r\nTCPBindings=127.0.0.1\r\nNotifySound=0\r\n";
    }
    void TearDown() override {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        if (out >= 0)
            ::close(out);
        fs::remove_all(folder);
    }

    // Starts the runner and waits (boundedly) for its first line.
    std::string start() {
        int pipeFds[2];
        if (::pipe2(pipeFds, O_CLOEXEC) != 0)
            return "pipe failed";
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_adddup2(&files, pipeFds[1], 1);
        std::string exe = std::string(CORVANE_BINARY_DIR) + "/corvane-headless";
        std::string option = "--data-folder";
        std::vector<char*> argv{exe.data(), option.data(), folder.data(), nullptr};
        const int rc = ::posix_spawn(&pid, exe.c_str(), &files, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&files);
        ::close(pipeFds[1]);
        out = pipeFds[0];
        if (rc != 0)
            return "could not start " + exe;
        std::string line;
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
            pollfd p{out, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            char buffer[256];
            const ssize_t n = ::read(out, buffer, sizeof buffer);
            if (n <= 0)
                break;
            line.append(buffer, static_cast<std::size_t>(n));
        }
        return line;
    }

    // Waits until the message file or its journal holds text, then stops the runner; answers
    // its exit status.
    int stopAfter(const std::string& text) {
        const std::string file = folder + "MessageSet.vtx";
        for (int i = 0;
             i < 500 && (fileText(file) + fileText(file + ".journal")).find(text) == std::string::npos; ++i)
            std::this_thread::sleep_for(10ms);
        ::kill(pid, SIGTERM);
        int status = 0;
        for (int i = 0; i < 1000; ++i) {
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(10ms);
        }
        return -1;
    }

    std::unique_ptr<Table> messages() {
        PacketReadResult r = DataPacketReader::read(fileText(folder + "MessageSet.vtx"));
        if (!r.ok())
            return nullptr;
        auto t = std::make_unique<Table>("MessageSet");
        t->load(std::move(r.contents));
        return t;
    }
    static std::string text(const Table& t, int row, const char* field) {
        const Value v = t.valueAt(row, t.requireField(field));
        return v.kind == Value::Kind::Text ? v.text : "<null>";
    }
    static std::int64_t integer(const Table& t, int row, const char* field) {
        const Value v = t.valueAt(row, t.requireField(field));
        return v.kind == Value::Kind::Integer ? v.integer : -999;
    }

    std::vector<std::string> logger(std::vector<std::string> options, const std::string& message) {
        std::vector<std::string> args{"logger", "--tcp", "-n", "127.0.0.1", "-P", std::to_string(tcpPort)};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(message);
        return args;
    }

    std::string folder;
    int udpPort = 0;
    int tcpPort = 0;
    pid_t pid = -1;
    int out = -1;
};

TEST_F(TcpEndToEnd, LoggerOverTcpInBothFormsAndFramings) {
    if (::access("/usr/bin/logger", X_OK) != 0 && ::access("/bin/logger", X_OK) != 0)
        GTEST_SKIP() << "logger (bsdutils) is not installed";
    ASSERT_NE(start().find("listening on"), std::string::npos);

    ASSERT_EQ(runProgram(logger({"--rfc3164", "-t", "classic"}, "classic over tcp")), 0);
    ASSERT_EQ(runProgram(logger({"--rfc5424", "-t", "app", "--msgid", "MID", "--sd-id", "zoo@123",
                                 "--sd-param", "tiger=\"hungry\""},
                                "structured over tcp")),
              0);
    ASSERT_EQ(
        runProgram(logger({"--rfc5424", "--octet-count", "-i", "-t", "counted"}, "counted over tcp END")), 0);
    ASSERT_EQ(stopAfter("counted over tcp END"), 0);

    auto table = messages();
    ASSERT_TRUE(table);
    ASSERT_EQ(table->recordCount(), 3);
    // Separate connections are read side by side, so their records may be stored in any order.
    const auto row = [&](const std::string& message) {
        for (int r = 0; r < table->recordCount(); ++r)
            if (text(*table, r, "Message") == message)
                return r;
        return -1;
    };
    const int classic = row("classic over tcp"), structured = row("structured over tcp"),
              counted = row("counted over tcp END");
    ASSERT_GE(classic, 0);
    ASSERT_GE(structured, 0);
    ASSERT_GE(counted, 0);
    EXPECT_EQ(text(*table, classic, "Process"), "classic:");
    EXPECT_EQ(text(*table, classic, "Message"), "classic over tcp");
    EXPECT_EQ(text(*table, classic, "Address"), "127.0.0.1");
    EXPECT_EQ(text(*table, classic, "SubProcess"), "<null>") << "classic messages leave it unset";

    EXPECT_EQ(text(*table, structured, "Process"), "app");
    EXPECT_EQ(text(*table, structured, "SubProcess"), "MID");
    EXPECT_NE(text(*table, structured, "ProcessEx").find("[zoo@123 tiger=\"hungry\"]"), std::string::npos);
    EXPECT_EQ(text(*table, structured, "Message"), "structured over tcp");
    EXPECT_EQ(integer(*table, structured, "PID"), -1) << "no process ID sent";

    EXPECT_EQ(text(*table, counted, "Process"), "counted");
    EXPECT_EQ(text(*table, counted, "Message"), "counted over tcp END");
    EXPECT_GT(integer(*table, counted, "PID"), 0);
    EXPECT_EQ(text(*table, counted, "SubProcess"), "<null>") << "a nil MSGID stays unset";
}

}  // namespace
}  // namespace corvane
