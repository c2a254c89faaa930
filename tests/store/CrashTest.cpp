#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "store/Compaction.h"
#include "store/TData.h"
#include "StoreTestSupport.h"

namespace corvane {
namespace {

constexpr std::string_view kPrefix = "seq=";

int seqOf(std::string_view text) {
    return text.substr(0, kPrefix.size()) == kPrefix
               ? std::atoi(std::string(text.substr(kPrefix.size())).c_str())
               : -1;
}

// The child: loads the store, goes on numbering after the highest number stored, and after each
// batch that was saved writes the highest durable number to `out`. With `stopAt` it stops for
// good (telling the parent "S") when a rewrite reaches that step.
[[noreturn]] void storeStream(const std::string& folder, int out, const std::string& stopAt, unsigned seed) {
    Compaction::setStepHook([out, stopAt](std::string_view step) {
        if (step != stopAt)
            return;
        (void)!::write(out, "S\n", 2);
        for (;;) ::pause();
    });
    TData data(folder, test::templateFolder());
    data.DataModuleCreate();
    data.journal(data.MessageSet())->setMinimum(8 * 1024);
    data.journal(data.MessageSet())->setShare(0.1);
    data.journal(data.HostSet())->setMinimum(2 * 1024);
    Table& m = data.MessageSet();
    int next = 0;
    const int message = m.requireField("Message");
    for (int i = 0; i < m.totalRecordCount(); ++i)
        next = std::max(next, seqOf(m.readerOfRecord(i).text(message)) + 1);
    std::mt19937 random(seed);
    Table& hosts = data.HostSet();
    for (;;) {
        const int batch = 1 + static_cast<int>(random() % 20);
        for (int i = 0; i < batch; ++i, ++next) {
            m.append();
            m.setValue("Message", Value::ofText(std::string(kPrefix) + std::to_string(next) + " " +
                                                std::string(random() % 200, 'x')));
            m.post();
        }
        hosts.append();
        hosts.setValue("Address", Value::ofText("10.0." + std::to_string(next % 250) + ".1"));
        hosts.post();
        if (!data.SaveData().ok())
            continue;
        const std::string line = std::to_string(next - 1) + "\n";
        (void)!::write(out, line.data(), line.size());
    }
}

// Reads what the child said; answers the highest durable number seen (or `durable` as it was)
// and whether it stopped at its step.
int readReports(int fd, int durable, bool& stopped, std::string& rest) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        rest.append(buffer, static_cast<std::size_t>(n));
    }
    std::size_t nl;
    while ((nl = rest.find('\n')) != std::string::npos) {
        const std::string line = rest.substr(0, nl);
        rest.erase(0, nl + 1);
        if (line == "S")
            stopped = true;
        else
            durable = std::max(durable, std::atoi(line.c_str()));
    }
    return durable;
}

TEST(Crash, EveryDurableMessageIsThereExactlyOnceAfterAnyKill) {
    test::TempFolder root;
    const char* steps[] = {"written", "marked", "renamed", "switched"};
    std::mt19937 random(20261210);
    int durable = -1;
    int kills = 0, inRewrite = 0;
    const auto started = std::chrono::steady_clock::now();
    for (int round = 0; round < 120 && std::chrono::steady_clock::now() - started < std::chrono::seconds(90);
         ++round) {
        int pipeFds[2];
        ASSERT_EQ(::pipe2(pipeFds, O_CLOEXEC), 0);
        const std::string stopAt = round % 3 == 0 ? steps[(round / 3) % 4] : "";
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(pipeFds[0]);
            storeStream(root.path(), pipeFds[1], stopAt, static_cast<unsigned>(round));
        }
        ::close(pipeFds[1]);
        ::fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
        bool stopped = false;
        std::string rest;
        const auto deadline =
            std::chrono::steady_clock::now() +
            (stopAt.empty() ? std::chrono::milliseconds(5 + random() % 60) : std::chrono::seconds(10));
        while (std::chrono::steady_clock::now() < deadline && !stopped) {
            pollfd p{pipeFds[0], POLLIN, 0};
            ::poll(&p, 1, 5);
            durable = readReports(pipeFds[0], durable, stopped, rest);
        }
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        durable = readReports(pipeFds[0], durable, stopped, rest);
        ::close(pipeFds[0]);
        ++kills;
        inRewrite += stopped ? 1 : 0;

        std::vector<std::string> reports;
        TData after(root.path(), test::templateFolder(),
                    [&reports](TData::ReportKind, const std::string&, const std::string& t) {
                        reports.push_back(t);
                    });
        after.DataModuleCreate();
        ASSERT_TRUE(reports.empty()) << "round " << round << ": " << reports.front();
        Table& m = after.MessageSet();
        std::map<int, int> seen;
        const int message = m.requireField("Message");
        for (int i = 0; i < m.totalRecordCount(); ++i) ++seen[seqOf(m.readerOfRecord(i).text(message))];
        for (const auto& [seq, count] : seen) ASSERT_EQ(count, 1) << "round " << round << ": seq " << seq;
        for (int seq = 0; seq <= durable; ++seq)
            ASSERT_EQ(seen.count(seq), 1u) << "round " << round << " (stopped at '" << stopAt << "'): seq "
                                           << seq << " of " << durable << " durable is missing";
    }
    EXPECT_GE(kills, 100);
    EXPECT_GE(inRewrite, 30) << "kills inside a rewrite";
    EXPECT_GT(durable, 1000);
}

}  // namespace
}  // namespace corvane
