#pragma once

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace corvane::test {

struct HttpTestRequest {
    std::string method;
    std::string target;
    std::map<std::string, std::string> headers;  // names in lower case

    std::string header(const std::string& lowerName) const {
        const auto it = headers.find(lowerName);
        return it == headers.end() ? std::string() : it->second;
    }
};

struct HttpTestReply {
    enum class Mode {
        Answer,   // the status line, headers and body, then close
        Stall,    // accept the request and never answer
        Trickle,  // announce a long body and send one byte every 50 ms
    };
    int status = 200;
    std::string reason = "OK";
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    Mode mode = Mode::Answer;
};

// A small HTTP/1.1 server on 127.0.0.1 for tests: one connection at a time on a thread of its
// own, every answer closes its connection. The handler decides each answer. Every wait is
// bounded, and the destructor ends the thread within a fraction of a second.
class HttpTestServer {
public:
    using Handler = std::function<HttpTestReply(const HttpTestRequest&)>;

    explicit HttpTestServer(Handler handler) : m_handler(std::move(handler)) {
        m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int on = 1;
        ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listen, reinterpret_cast<const sockaddr*>(&a), sizeof a);
        ::listen(m_listen, 16);
        socklen_t length = sizeof a;
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&a), &length);
        m_port = ntohs(a.sin_port);
        m_thread = std::thread([this] { run(); });
    }

    ~HttpTestServer() {
        m_stop = true;
        m_thread.join();
        ::close(m_listen);
    }

    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    int port() const { return m_port; }
    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }

    std::vector<HttpTestRequest> requests() const {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }

private:
    static constexpr auto kLongest = std::chrono::seconds(5);

    bool waitReadable(int fd, int milliseconds) const {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, milliseconds) > 0;
    }

    void run() {
        while (!m_stop) {
            if (!waitReadable(m_listen, 20))
                continue;
            const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0)
                continue;
            serve(fd);
            ::close(fd);
        }
    }

    void serve(int fd) {
        std::string text;
        const auto deadline = std::chrono::steady_clock::now() + kLongest;
        while (text.find("\r\n\r\n") == std::string::npos && text.size() < 65536 && !m_stop &&
               std::chrono::steady_clock::now() < deadline) {
            if (!waitReadable(fd, 20))
                continue;
            char buffer[4096];
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0)
                return;
            text.append(buffer, static_cast<std::size_t>(n));
        }
        const HttpTestRequest request = parse(text);
        {
            std::lock_guard lock(m_mutex);
            m_requests.push_back(request);
        }
        const HttpTestReply reply = m_handler(request);
        if (reply.mode == HttpTestReply::Mode::Stall) {
            hold([] { return true; });
            return;
        }
        std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " + reply.reason + "\r\n";
        for (const auto& [name, value] : reply.headers) head += name + ": " + value + "\r\n";
        if (reply.mode == HttpTestReply::Mode::Trickle) {
            head += "Content-Length: 1000000\r\nConnection: close\r\n\r\n";
            sendAll(fd, head);
            hold([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
                return sendAll(fd, "x");
            });
            return;
        }
        head += "Content-Length: " + std::to_string(reply.body.size()) + "\r\nConnection: close\r\n\r\n";
        sendAll(fd, head + reply.body);
    }

    // Keeps the connection for at most kLongest, while step answers true, until the server stops.
    template <typename Step>
    void hold(Step step) const {
        const auto deadline = std::chrono::steady_clock::now() + kLongest;
        while (!m_stop && std::chrono::steady_clock::now() < deadline && step())
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    static bool sendAll(int fd, const std::string& bytes) {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            sent += static_cast<std::size_t>(n);
        }
        return true;
    }

    static HttpTestRequest parse(const std::string& text) {
        HttpTestRequest request;
        std::size_t pos = text.find("\r\n");
        const std::string first = text.substr(0, pos);
        const std::size_t space = first.find(' ');
        request.method = first.substr(0, space);
        request.target = first.substr(space + 1, first.rfind(' ') - space - 1);
        while (pos != std::string::npos && pos + 2 < text.size()) {
            const std::size_t end = text.find("\r\n", pos + 2);
            const std::string line = text.substr(pos + 2, end - pos - 2);
            pos = end;
            const std::size_t colon = line.find(':');
            if (line.empty() || colon == std::string::npos)
                continue;
            std::string name = line.substr(0, colon);
            for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
            std::size_t from = colon + 1;
            while (from < line.size() && line[from] == ' ') ++from;
            request.headers[name] = line.substr(from);
        }
        return request;
    }

    Handler m_handler;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::vector<HttpTestRequest> m_requests;
};

// The standard Base64 form of bytes, as basic authentication carries it.
inline std::string base64(const std::string& bytes) {
    static const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned v = (static_cast<unsigned char>(bytes[i]) << 16) |
                           (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                           static_cast<unsigned char>(bytes[i + 2]);
        out += {kAlphabet[v >> 18], kAlphabet[(v >> 12) & 63], kAlphabet[(v >> 6) & 63], kAlphabet[v & 63]};
    }
    if (i + 1 == bytes.size()) {
        const unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        out += {kAlphabet[v >> 18], kAlphabet[(v >> 12) & 63], '=', '='};
    } else if (i + 2 == bytes.size()) {
        const unsigned v =
            (static_cast<unsigned char>(bytes[i]) << 16) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
        out += {kAlphabet[v >> 18], kAlphabet[(v >> 12) & 63], kAlphabet[(v >> 6) & 63], '='};
    }
    return out;
}

}  // namespace corvane::test
