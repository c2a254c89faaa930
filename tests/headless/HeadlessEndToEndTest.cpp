// Drives the corvane-headless executable over real UDP on loopback and checks what reaches the
// data files.
#include "store/DataPacketReader.h"
#include "store/Table.h"
#include "app/SmtpTestServer.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace corvane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int freePort() {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a);
    socklen_t length = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    ::close(fd);
    return ntohs(a.sin_port);
}

// Runs a program to its end; answers its exit status, or -1 when it could not be started.
int runToEnd(std::vector<std::string> args) {
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

bool onPath(const std::string& program) {
    for (const char* dir : {"/usr/bin/", "/bin/", "/usr/local/bin/"})
        if (::access((std::string(dir) + program).c_str(), X_OK) == 0)
            return true;
    return false;
}

class HeadlessEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "corvane-e2e-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern + "/";
        port = freePort();
        std::ofstream(folder + "corvane.ini", std::ios::binary)
            << "[Options]\r\nUDPPort=" << port
            << "\r\nUDPBindings=127.0.0.1\r\nTCPPort=0\r\nNotifySound=0\r\n";
        sender = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    }
    void TearDown() override {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        if (out >= 0)
            ::close(out);
        ::close(sender);
        fs::remove_all(folder);
    }

    // Starts the runner and waits (boundedly) for its "listening on" line.
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

    void send(const std::string& bytes) {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(static_cast<std::uint16_t>(port));
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(::sendto(sender, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to),
                           sizeof to),
                  static_cast<ssize_t>(bytes.size()));
    }

    // Waits until the message file or its journal holds text, then stops the runner with
    // SIGTERM; answers its exit status.
    int stopAfter(const std::string& text) {
        const std::string file = folder + "MessageSet.vtx";
        for (int i = 0;
             i < 500 && (readFile(file) + readFile(file + ".journal")).find(text) == std::string::npos; ++i)
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

    std::unique_ptr<Table> readTable(const std::string& name) {
        PacketReadResult r = DataPacketReader::read(readFile(folder + name + ".vtx"));
        if (!r.ok())
            return nullptr;
        auto t = std::make_unique<Table>(name);
        t->load(std::move(r.contents));
        return t;
    }
    static std::string text(const Table& t, int row, const char* field) {
        const Value v = t.valueAt(row, t.requireField(field));
        return v.kind == Value::Kind::Text ? v.text : "<null>";
    }

    std::string folder;
    int port = 0;
    int sender = -1;
    pid_t pid = -1;
    int out = -1;
};

TEST_F(HeadlessEndToEnd, AMatchIsMailedAndTheProgramGetsItInItsEnvironment) {
    if (!test::SmtpTestServer::available())
        GTEST_SKIP() << "python3-aiosmtpd or openssl missing (scripts/bootstrap installs them)";
    test::SmtpTestServer mail;
    const int mailPort = mail.start("plain");
    ASSERT_GT(mailPort, 0);
    const std::string script = folder + "notify.sh";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s|%s|%s|%s|%s' \"$CORVANE_HOST\" \"$CORVANE_ADDRESS\" "
                             "\"$CORVANE_SEVERITY\" \"$CORVANE_MESSAGE\" \"$#\" > \""
                          << folder << "env.txt\"\n";
    fs::permissions(script, fs::perms::owner_all);
    std::ofstream(folder + "corvane.ini", std::ios::binary | std::ios::app)
        << "NotifyFacility=Any\r\nNotifySeverity=Critical\r\nNotifyExec=1\r\nExecPath=" << script
        << "\r\nNotifyEmail=1\r\nEmailAddr1=noc@example.org\r\nMailHost=127.0.0.1\r\nPort=" << mailPort
        << "\r\nUseSSL=0\r\nMailFrom=corvane@example.org\r\n";
    ASSERT_EQ(start(), "listening on 127.0.0.1:" + std::to_string(port) + ", data folder " + folder + "\n");
    send("<13>Oct 11 22:14:15 quiet tag: not a match");
    send("<10>Oct 11 22:14:16 router7 kernel: link down on port 7");
    const auto mails = mail.waitForMails(1);
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].from, "corvane@example.org");
    EXPECT_EQ(mails[0].to, std::vector<std::string>{"noc@example.org"});
    EXPECT_EQ(mails[0].subject, "Corvane: router7 (127.0.0.1): Critical");
    EXPECT_NE(mails[0].body.find("Message: link down on port 7\n"), std::string::npos) << mails[0].body;
    std::string env;
    for (int i = 0; i < 500 && env.empty(); ++i) {
        env = readFile(folder + "env.txt");
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(env, "router7|127.0.0.1|Critical|link down on port 7|0");
    ASSERT_EQ(stopAfter("link down"), 0);
}

TEST_F(HeadlessEndToEnd, RawDatagramsOfEveryShapeAreStored) {
    ASSERT_EQ(start(), "listening on 127.0.0.1:" + std::to_string(port) + ", data folder " + folder + "\n");

    send("<34>Oct 11 22:14:15 mymachine su[123]: 'su root' failed");
    send("");
    send("<13>Oct 11 22:14:15 big tag: " + std::string(2000, 'b'));
    std::string withNul = "<13>Oct 11 22:14:15 nul tag: " + std::string(100, 'n');
    withNul[99] = '\0';
    send(withNul);
    send("<13>Oct 11 22:14:15 huge tag: " + std::string(65507 - 30, 'h'));
    send("<13>Oct 11 22:14:15 odd tag: \xff\xfe &Zx &#xZZ; \x01");
    send("<13>Oct 11 22:14:15 last tag: END-OF-RAW");
    ASSERT_EQ(stopAfter("END-OF-RAW"), 0);

    auto messages = readTable("MessageSet");
    ASSERT_TRUE(messages);
    ASSERT_EQ(messages->recordCount(), 7);
    EXPECT_EQ(text(*messages, 0, "Host"), "mymachine");
    EXPECT_EQ(text(*messages, 0, "Message"), "'su root' failed");
    EXPECT_EQ(text(*messages, 0, "Address"), "127.0.0.1");
    EXPECT_EQ(text(*messages, 2, "Data").size(), 1024u);
    EXPECT_EQ(text(*messages, 3, "Data").size(), 99u);
    EXPECT_EQ(text(*messages, 4, "Data").size(), 1024u);
    EXPECT_EQ(text(*messages, 4, "Host"), "huge");
    EXPECT_EQ(text(*messages, 6, "Message"), "END-OF-RAW");

    auto hosts = readTable("HostSet");
    ASSERT_TRUE(hosts);
    int local = 0;
    for (int i = 0; i < hosts->recordCount(); ++i) local += text(*hosts, i, "Address") == "127.0.0.1";
    EXPECT_EQ(local, 1);

    struct stat st {};
    ASSERT_EQ(::stat((folder + "corvane.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(HeadlessEndToEnd, LoggerMessagesAreStored) {
    if (!onPath("logger"))
        GTEST_SKIP() << "logger (bsdutils) is not installed";
    ASSERT_NE(start().find("listening on"), std::string::npos);
    ASSERT_EQ(runToEnd({"logger", "-n", "127.0.0.1", "-P", std::to_string(port), "-d", "--rfc3164", "-t",
                        "e2etag", "first logger line"}),
              0);
    ASSERT_EQ(runToEnd({"logger", "-n", "127.0.0.1", "-P", std::to_string(port), "-d", "second logger line"}),
              0);
    ASSERT_EQ(stopAfter("second logger line"), 0);

    auto messages = readTable("MessageSet");
    ASSERT_TRUE(messages);
    ASSERT_EQ(messages->recordCount(), 2);
    EXPECT_EQ(text(*messages, 0, "Process"), "e2etag:");
    EXPECT_EQ(text(*messages, 0, "Message"), "first logger line");
    EXPECT_EQ(text(*messages, 0, "Facility"), "User");
    EXPECT_EQ(text(*messages, 0, "Severity"), "Notice");
    EXPECT_NE(text(*messages, 1, "Data").find("second logger line"), std::string::npos);
}

// Every file of a folder with its bytes.
std::map<std::string, std::string> folderContents(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(folder))
        files[e.path().filename().string()] = readFile(e.path());
    return files;
}

TEST_F(HeadlessEndToEnd, ASecondProgramOnTheSameFolderSaysSoAndWritesNothing) {
    ASSERT_NE(start().find("listening on"), std::string::npos);
    send("<13>Oct 11 22:14:15 host tag: FIRST-ONE");
    const std::string journal = folder + "MessageSet.vtx.journal";
    // The batch is saved when the host journal, written after the message journal, has it too.
    for (int i = 0;
         i < 500 && (readFile(journal).find("FIRST-ONE") == std::string::npos ||
                     readFile(folder + "HostSet.vtx.journal").find("127.0.0.1") == std::string::npos);
         ++i)
        std::this_thread::sleep_for(10ms);
    const auto before = folderContents(folder);

    const std::string errors = folder + "../" + fs::path(folder).parent_path().filename().string() + ".err";
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::string exe = std::string(CORVANE_BINARY_DIR) + "/corvane-headless";
    std::string option = "--data-folder";
    std::vector<char*> argv{exe.data(), option.data(), folder.data(), nullptr};
    pid_t second = 0;
    ASSERT_EQ(::posix_spawn(&second, exe.c_str(), &files, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&files);
    int status = 0;
    ASSERT_EQ(::waitpid(second, &status, 0), second);
    const std::string said = readFile(errors);
    fs::remove(errors);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(said.find("is in use by Corvane process " + std::to_string(pid)), std::string::npos) << said;
    const auto after = folderContents(folder);
    for (const auto& [name, bytes] : after) {
        const auto it = before.find(name);
        EXPECT_TRUE(it != before.end() && it->second == bytes)
            << name << " was written by the second program";
    }
    EXPECT_EQ(after.size(), before.size());

    ASSERT_EQ(stopAfter("FIRST-ONE"), 0);
    auto messages = readTable("MessageSet");
    ASSERT_TRUE(messages);
    EXPECT_EQ(messages->recordCount(), 1);
    EXPECT_FALSE(fs::exists(journal)) << "a clean exit leaves no journal";
}

}  // namespace
}  // namespace corvane
