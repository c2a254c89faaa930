// Start-up of the headless program with 1,000,000 stored messages (about 460 MB), from its start
// to its "listening on" line, against reading the same data files from the page cache in the same
// run. Run: build/<dir>/bench/bench_StartupBench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "TypicalMessages.h"
#include "store/DataPacketWriter.h"
#include "store/FileIo.h"
#include "store/StoreTables.h"

extern char** environ;

namespace corvane {
namespace {

namespace fs = std::filesystem;

struct Store {
    std::string folder;
    std::vector<std::string> files;
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The processor time a process has used so far, in seconds.
double cpuSecondsOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream fields(stat.substr(close + 2));
    std::string skip;
    for (int i = 0; i < 11; ++i) fields >> skip;  // state to cmajflt
    double user = 0;
    double system = 0;
    fields >> user >> system;
    return (user + system) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

struct Started {
    double seconds = -1;  // negative when it never listened
    double cpuSeconds = 0;
};

// Starts the program on the folder and waits for its "listening on" line; answers the time that
// took and the processor time used by then, then ends it with SIGTERM.
Started startAndStop(const std::string& folder) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    std::string exe = std::string(CORVANE_BINARY_DIR) + "/corvane-headless";
    std::string option = "--data-folder";
    std::string dir = folder;
    std::vector<char*> argv{exe.data(), option.data(), dir.data(), nullptr};
    pid_t pid = -1;
    const auto start = std::chrono::steady_clock::now();
    const int rc = ::posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    Started started;
    std::string out;
    while (rc == 0 && secondsSince(start) < 120) {
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        char buffer[256];
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        out.append(buffer, static_cast<std::size_t>(n));
        if (out.find("listening on") != std::string::npos) {
            started.seconds = secondsSince(start);
            started.cpuSeconds = cpuSecondsOf(pid);
            break;
        }
    }
    ::close(fds[0]);
    if (pid > 0) {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
    }
    return started;
}

// A data folder holding `count` typical messages, made once and started once so that the
// program has written its other tables.
const Store& store(int count) {
    static Store made;
    if (!made.folder.empty())
        return made;
    char name[] = "/tmp/corvane-startupbench-XXXXXX";
    if (!::mkdtemp(name))
        std::abort();
    made.folder = std::string(name) + "/";
    std::atexit([] { fs::remove_all(made.folder); });
    std::ofstream(made.folder + "corvane.ini", std::ios::binary)
        << "[Options]\r\nUDPPort=0\r\nUDPBindings=127.0.0.1\r\nTCPPort=0\r\nNotifySound=0\r\nUpdateCheck="
           "0\r\n";
    {
        Table messages("MessageSet", messageSetFields());
        messages.open();
        for (int i = 0; i < count; ++i) appendTypical(messages, i);
        if (!writeFileAtomically(made.folder + "MessageSet.vtx", DataPacketWriter::write(messages)).empty())
            std::abort();
    }
    if (startAndStop(made.folder).seconds < 0)
        std::abort();
    for (const auto& entry : fs::directory_iterator(made.folder))
        if (entry.path().extension() == ".vtx")
            made.files.push_back(entry.path().string());
    return made;
}

// Reads every data file into one buffer that is used again, so only the page cache is measured.
double readFromPageCache(const Store& s) {
    static std::vector<char> buffer(1 << 20);
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& path : s.files) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        while (::read(fd, buffer.data(), buffer.size()) > 0) {
        }
        ::close(fd);
    }
    return secondsSince(start);
}

// Both taken in turns, so that they meet the same load of the machine; startup_ratio is how many
// times the page-cache read start-up takes. startup_cpu_ms (the processor time the program used
// until it listened, both cores together) tells what a busy machine did to the wall time.
void BM_StartupVsPageCache(benchmark::State& state) {
    const Store& s = store(static_cast<int>(state.range(0)));
    readFromPageCache(s);
    double startup = 0;
    double cpu = 0;
    double cache = 0;
    for (auto _ : state) {
        cache += readFromPageCache(s);
        const Started t = startAndStop(s.folder);
        if (t.seconds < 0) {
            state.SkipWithError("the program did not start listening");
            return;
        }
        startup += t.seconds;
        cpu += t.cpuSeconds;
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["startup_ms"] = startup * 1000 / n;
    state.counters["startup_cpu_ms"] = cpu * 1000 / n;
    state.counters["pagecache_ms"] = cache * 1000 / n;
    state.counters["startup_ratio"] = startup / cache;
}

BENCHMARK(BM_StartupVsPageCache)->Arg(1'000'000)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
