// Splits a 1 MB stream of syslog frames, fed in 64 KB reads as the TCP listener does, with the
// TCP framer (newline-terminated and octet-counted) and, as the reference, with a bare memchr
// loop that copies each line into a std::string. Compare bytes_per_second of the pairs.
#include "net/TcpFraming.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kRead = 64 * 1024;
constexpr std::string_view kLine =
    "<165>1 2003-10-11T22:14:15.003Z mymachine.example.com evntslog - ID47 [exampleSDID@32473 iut=\"3\"] An "
    "application event log entry";

std::string stream(bool counted) {
    std::string s;
    while (s.size() < 1024 * 1024) {
        if (counted)
            s += std::to_string(kLine.size()) + " ";
        s += kLine;
        if (!counted)
            s += '\n';
    }
    return s;
}

void framer(benchmark::State& state, bool counted) {
    const std::string s = stream(counted);
    std::vector<std::string> frames;
    for (auto _ : state) {
        corvane::TcpFramer f(64 * 1024, 1024);
        for (std::size_t at = 0; at < s.size(); at += kRead) {
            frames.clear();
            f.feed(std::string_view(s).substr(at, kRead), frames);
            benchmark::DoNotOptimize(frames.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * s.size()));
}

void BM_FramerLines(benchmark::State& state) {
    framer(state, false);
}
void BM_FramerOctetCounted(benchmark::State& state) {
    framer(state, true);
}

void BM_ReferenceMemchrLines(benchmark::State& state) {
    const std::string s = stream(false);
    std::vector<std::string> frames;
    for (auto _ : state) {
        std::string partial;
        for (std::size_t at = 0; at < s.size(); at += kRead) {
            frames.clear();
            const std::string_view chunk = std::string_view(s).substr(at, kRead);
            std::size_t i = 0;
            while (const void* lf = std::memchr(chunk.data() + i, '\n', chunk.size() - i)) {
                const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(lf) - chunk.data());
                partial.append(chunk.substr(i, end - i));
                frames.push_back(std::move(partial));
                partial.clear();
                i = end + 1;
            }
            partial.append(chunk.substr(i));
            benchmark::DoNotOptimize(frames.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * s.size()));
}

}  // namespace

BENCHMARK(BM_FramerLines);
BENCHMARK(BM_FramerOctetCounted);
BENCHMARK(BM_ReferenceMemchrLines);
BENCHMARK_MAIN();
