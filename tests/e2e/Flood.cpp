// Test traffic for the end-to-end tests, on loopback only.
//   corvane_flood tcp|udp PORT COUNT RATE
// sends COUNT numbered syslog messages at RATE a second, over one TCP connection (octet
// counting) or as UDP datagrams; message n reads "<134>flood n=NNNNNNN end", so a lost, doubled
// or cut message shows in the store. When the last one is sent it prints "sent ..." and keeps
// the connection open for HOLD seconds (default 5), so a test can stop the server meanwhile.
//   corvane_flood hold-tcp PORT SECONDS
// listens on 127.0.0.1:PORT for SECONDS, printing "holding" once it does (or "taken" when the
// port is held already), so a program started meanwhile finds the port taken.
#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

bool sendAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string message(long n) {
    char text[64];
    std::snprintf(text, sizeof text, "<134>flood n=%07ld end", n);
    return text;
}

}  // namespace

int holdTcp(int port, int seconds) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(static_cast<std::uint16_t>(port));
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0 || ::listen(fd, 4) != 0) {
        std::printf("taken\n");
        std::fflush(stdout);
        return 0;
    }
    std::printf("holding\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    ::close(fd);
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "hold-tcp") == 0)
        return holdTcp(std::atoi(argv[2]), std::atoi(argv[3]));
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr,
                     "usage: corvane_flood tcp|udp PORT COUNT RATE [HOLD]\n       corvane_flood hold-tcp "
                     "PORT SECONDS\n");
        return 2;
    }
    const int hold = argc == 6 ? std::atoi(argv[5]) : 5;
    const bool tcp = std::strcmp(argv[1], "tcp") == 0;
    const int port = std::atoi(argv[2]);
    const long count = std::atol(argv[3]);
    const long rate = std::max(1L, std::atol(argv[4]));
    const int fd = ::socket(AF_INET, (tcp ? SOCK_STREAM : SOCK_DGRAM) | SOCK_CLOEXEC, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<std::uint16_t>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0) {
        std::perror("corvane_flood: connect");
        return 1;
    }
    // Sent in slices of a millisecond each, so the rate holds however the scheduler runs us.
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    long sent = 0;
    std::string slice;
    while (sent < count) {
        const long due = std::min(
            count, static_cast<long>(std::chrono::duration<double>(Clock::now() - start).count() * rate) + 1);
        slice.clear();
        for (; sent < due; ++sent) {
            const std::string m = message(sent + 1);
            if (tcp) {
                slice += std::to_string(m.size()) + " " + m;
            } else if (::send(fd, m.data(), m.size(), 0) < 0) {
                std::perror("corvane_flood: send");
                return 1;
            }
        }
        if (tcp && !slice.empty() && !sendAll(fd, slice)) {
            std::perror("corvane_flood: send");
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("sent %ld messages in %.2f s\n", count, seconds);
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(hold));
    ::close(fd);
    return 0;
}
