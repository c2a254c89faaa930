#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace corvane::test {

// A real mail server (aiosmtpd, tests/app/smtp_test_server.py) on a free loopback port, in a
// folder of its own with a certificate made for the test; stopped when the object goes.
class SmtpTestServer {
public:
    static constexpr const char* kPython = "/usr/bin/python3";

    struct Mail {
        std::string login, from;
        std::vector<std::string> to;
        std::string subject, body, raw;
    };

    SmtpTestServer() {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-smtp-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_folder = pattern + "/";
    }
    ~SmtpTestServer() {
        stop();
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }
    SmtpTestServer(const SmtpTestServer&) = delete;
    SmtpTestServer& operator=(const SmtpTestServer&) = delete;

    // Whether python3 with aiosmtpd and openssl are there.
    static bool available() {
        return std::system((std::string(kPython) + " -c 'import aiosmtpd' 2>/dev/null").c_str()) == 0 &&
               std::system("openssl version >/dev/null 2>&1") == 0;
    }

    // A self-signed certificate for 127.0.0.1 and localhost; the same file is the authority
    // the client trusts.
    bool makeCertificate() {
        const std::string command =
            "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=localhost "
            "-addext subjectAltName=DNS:localhost,IP:127.0.0.1 -keyout '" +
            keyFile() + "' -out '" + certFile() + "' >/dev/null 2>&1";
        return std::system(command.c_str()) == 0;
    }
    std::string certFile() const { return m_folder + "cert.pem"; }
    std::string keyFile() const { return m_folder + "key.pem"; }

    // Starts the server in mode ("plain", "starttls", "implicit", "stall"); answers its port, 0
    // when it did not start within ten seconds.
    int start(const std::string& mode, const std::string& user = "", const std::string& password = "") {
        std::filesystem::create_directories(m_folder + "mail");
        std::vector<std::string> args = {kPython, script(), "--mode", mode, "--record", m_folder + "mail"};
        if (mode == "starttls" || mode == "implicit")
            args.insert(args.end(), {"--cert", certFile(), "--key", keyFile()});
        if (!user.empty())
            args.insert(args.end(), {"--user", user, "--password", password});
        int out[2];
        if (::pipe(out) != 0)
            return 0;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(out[1], 1);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<char*> argv;
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(kPython, argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        std::string line;
        pollfd p{out[0], POLLIN, 0};
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
            if (::poll(&p, 1, 100) > 0) {
                char buffer[64];
                const auto n = ::read(out[0], buffer, sizeof buffer);
                if (n <= 0)
                    break;
                line.append(buffer, static_cast<std::size_t>(n));
            }
        }
        ::close(out[0]);
        return std::atoi(line.c_str());
    }

    void stop() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            int status = 0;
            while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
            }
            m_pid = -1;
        }
    }

    // The mails received so far, in order.
    std::vector<Mail> mails() const {
        std::vector<Mail> out;
        for (int n = 1;; ++n) {
            const std::string base = m_folder + "mail/" + std::to_string(n);
            if (!std::filesystem::exists(base + ".envelope"))
                break;
            Mail m;
            std::istringstream envelope(read(base + ".envelope"));
            std::getline(envelope, m.login);
            std::getline(envelope, m.from);
            for (std::string to; std::getline(envelope, to);) m.to.push_back(to);
            m.subject = read(base + ".subject");
            m.body = read(base + ".body");
            m.raw = read(base + ".eml");
            out.push_back(std::move(m));
        }
        return out;
    }

    // Waits up to the time for count mails to have arrived; answers the mails.
    std::vector<Mail> waitForMails(std::size_t count,
                                   std::chrono::milliseconds within = std::chrono::seconds(15)) {
        const auto deadline = std::chrono::steady_clock::now() + within;
        std::vector<Mail> got = mails();
        while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            got = mails();
        }
        return got;
    }

private:
    static std::string script() { return std::string(CORVANE_SOURCE_DIR) + "/tests/app/smtp_test_server.py"; }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::string m_folder;
    pid_t m_pid = -1;
};

}  // namespace corvane::test
