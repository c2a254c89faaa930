// Sends numbered RFC 3164 messages over UDP at a fixed rate, for load measurements on loopback.
//
//   corvane_loadgen PORT RATE SECONDS [FIRST]
//
// Each message carries "seq=N" with N counting up from FIRST (default 1), so a receiver can tell
// exactly which messages it lost. Sends to 127.0.0.1 only.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s PORT RATE SECONDS [FIRST]\n", argv[0]);
        return 2;
    }
    const int port = std::atoi(argv[1]);
    const long rate = std::atol(argv[2]);
    const double seconds = std::atof(argv[3]);
    const long first = argc > 4 ? std::atol(argv[4]) : 1;
    if (port <= 0 || port > 65535 || rate <= 0 || seconds <= 0) {
        std::fprintf(stderr, "bad arguments\n");
        return 2;
    }

    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0) {
        std::perror("socket");
        return 1;
    }
    int sndbuf = 4 << 20;
    setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &sndbuf, sizeof sndbuf);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        std::perror("connect");
        return 1;
    }

    const long total = static_cast<long>(static_cast<double>(rate) * seconds);
    constexpr int kBatch = 64;
    std::vector<std::string> texts(kBatch);
    std::vector<iovec> iov(kBatch);
    std::vector<mmsghdr> msgs(kBatch);

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    long sent = 0;
    long failedInARow = 0;
    bool gaveUp = false;
    while (sent < total && !gaveUp) {
        // How many messages should have left by now; send up to that, in batches.
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        long due = static_cast<long>(elapsed * static_cast<double>(rate)) + 1;
        if (due > total)
            due = total;
        if (due <= sent) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        while (sent < due) {
            const int n = static_cast<int>(std::min<long>(kBatch, due - sent));
            for (int i = 0; i < n; ++i) {
                char buf[160];
                const int len = std::snprintf(
                    buf, sizeof buf, "<134>Dec  9 19:20:00 loadhost bench[4242]: seq=%ld load test message",
                    first + sent + i);
                texts[i].assign(buf, static_cast<size_t>(len));
                iov[i] = {texts[i].data(), texts[i].size()};
                msgs[i] = {};
                msgs[i].msg_hdr.msg_iov = &iov[i];
                msgs[i].msg_hdr.msg_iovlen = 1;
            }
            const int done = sendmmsg(fd, msgs.data(), static_cast<unsigned>(n), 0);
            if (done <= 0) {
                // A full send buffer or a pending "port unreachable" clears by itself; a
                // receiver that never appears does not, so give up after about five seconds.
                if (++failedInARow > 100000) {
                    std::fprintf(stderr, "giving up: %s\n", std::strerror(errno));
                    gaveUp = true;
                    break;
                }
                std::this_thread::sleep_for(std::chrono::microseconds(50));
                continue;
            }
            failedInARow = 0;
            sent += done;
        }
    }
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("sent %ld messages in %.3f s (%.0f/s), first seq %ld, last seq %ld\n", sent, took,
                static_cast<double>(sent) / took, first, first + sent - 1);
    close(fd);
    return sent == total ? 0 : 1;
}
