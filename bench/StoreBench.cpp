// Writing and loading a MessageSet data file of 10,000, 100,000 and 1,000,000 typical messages,
// each against plain file I/O of the same bytes in the same run, and the resident memory a stored
// message takes. Run: build/<dir>/bench/bench_StoreBench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "store/DataPacketReader.h"
#include "store/DataPacketWriter.h"
#include "store/FileIo.h"
#include "store/StoreTables.h"
#include "TypicalMessages.h"

namespace corvane {
namespace {

const std::string& benchFolder() {
    static const std::string folder = [] {
        char name[] = "/tmp/corvane-storebench-XXXXXX";
        if (!::mkdtemp(name))
            std::abort();
        std::atexit([] { std::filesystem::remove_all(benchFolder()); });
        return std::string(name) + "/";
    }();
    return folder;
}

long residentBytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * ::sysconf(_SC_PAGESIZE);
}

struct Fixture {
    std::unique_ptr<Table> table;
    std::string text;
    std::string path;
    double bytesPerMessage = 0;
};

// One table, its written text and its file per size, made once and kept for all benchmarks.
Fixture& fixture(int count) {
    static std::map<int, Fixture> fixtures;
    Fixture& f = fixtures[count];
    if (!f.table) {
        const long before = residentBytes();
        f.table = std::make_unique<Table>("MessageSet", messageSetFields());
        f.table->open();
        for (int i = 0; i < count; ++i) appendTypical(*f.table, i);
        f.table->mergeChangeLog();
        f.bytesPerMessage = static_cast<double>(residentBytes() - before) / count;
        f.text = DataPacketWriter::write(*f.table);
        f.path = benchFolder() + "MessageSet-" + std::to_string(count) + ".vtx";
        if (!writeFileAtomically(f.path, f.text).empty())
            std::abort();
    }
    return f;
}

void report(benchmark::State& state, const Fixture& f) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.text.size()));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * state.range(0)));
    state.counters["file_MB"] = static_cast<double>(f.text.size()) / 1e6;
}

void plainWrite(const std::string& path, std::string_view bytes, bool sync) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            std::abort();
        done += static_cast<std::size_t>(n);
    }
    if (sync)
        ::fsync(fd);
    ::close(fd);
}

// A save as TData makes it: the packet text made in pieces while a second thread writes the
// last piece to the new file, then the flush and the rename.
bool saveLikeTData(const Table& table, const std::string& path) {
    AtomicFile file(path);
    {
        BackgroundWriter writer(file);
        DataPacketWriter::write(table, [&writer](std::string_view piece) { return writer.put(piece); });
        writer.finish();
    }
    return file.commit().empty();
}

// What a save does: the packet text and the atomic replacement of the file (flushed to disk).
void BM_SaveMessageSet(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    const std::string path = benchFolder() + "save.vtx";
    for (auto _ : state) {
        if (!saveLikeTData(*f.table, path))
            state.SkipWithError("write failed");
    }
    report(state, f);
}

// The packet text alone, in pieces that are thrown away.
void BM_WritePacketText(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state)
        DataPacketWriter::write(*f.table, [](std::string_view piece) {
            benchmark::DoNotOptimize(piece.data());
            return true;
        });
    report(state, f);
}

// The atomic replacement alone, with the text made beforehand.
void BM_AtomicWriteOnly(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    const std::string path = benchFolder() + "atomic.vtx";
    for (auto _ : state)
        if (!writeFileAtomically(path, f.text).empty())
            state.SkipWithError("write failed");
    report(state, f);
}

// Reference: the same bytes written with plain file I/O, flushed to disk like a save.
void BM_PlainWriteSynced(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    const std::string path = benchFolder() + "plain.vtx";
    for (auto _ : state) plainWrite(path, f.text, true);
    report(state, f);
}

// Reference: the same bytes written with plain file I/O, left to the page cache.
void BM_PlainWrite(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    const std::string path = benchFolder() + "plain.vtx";
    for (auto _ : state) plainWrite(path, f.text, false);
    report(state, f);
}

// What a start-up does with the file: read it, parse it and take the records into the table.
void BM_LoadMessageSet(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        FileBytes bytes;
        std::string error;
        if (!readWholeFile(f.path, bytes, error))
            state.SkipWithError(error.c_str());
        PacketReadResult r = DataPacketReader::read(bytes.view());
        if (!r.ok())
            state.SkipWithError(r.error.c_str());
        auto t = std::make_unique<Table>("MessageSet");
        t->load(std::move(r.contents));
        benchmark::DoNotOptimize(t->recordCount());
        state.PauseTiming();  // tearing the table down is no part of loading
        t.reset();
        state.ResumeTiming();
    }
    report(state, f);
}

// Reference: reading the same file with plain file I/O into fresh memory.
void BM_PlainRead(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const int fd = ::open(f.path.c_str(), O_RDONLY | O_CLOEXEC);
        std::unique_ptr<char[]> bytes(new char[f.text.size()]);
        std::size_t done = 0;
        while (done < f.text.size()) {
            const ssize_t n = ::read(fd, bytes.get() + done, f.text.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        ::close(fd);
        benchmark::DoNotOptimize(bytes.get());
    }
    report(state, f);
}

// Resident memory taken by the stored messages, measured while the table was filled.
void BM_MemoryPerMessage(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(f.table->recordCount());
    state.counters["bytes_per_message"] = f.bytesPerMessage;
}

double secondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The save and its plain reference taken in turns, so that both meet the same disk and the
// same load of the machine; speed_ratio is the save's speed as a share of plain I/O's.
void BM_SaveVsPlainSynced(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    const std::string path = benchFolder() + "turns.vtx";
    const std::string plainPath = benchFolder() + "turns-plain.vtx";
    double save = 0;
    double plain = 0;
    for (auto _ : state) {
        plain += secondsOf([&] { plainWrite(plainPath, f.text, true); });
        save += secondsOf([&] {
            if (!saveLikeTData(*f.table, path))
                state.SkipWithError("write failed");
        });
    }
    report(state, f);
    state.counters["save_ms"] = save * 1000 / static_cast<double>(state.iterations());
    state.counters["plain_ms"] = plain * 1000 / static_cast<double>(state.iterations());
    state.counters["speed_ratio"] = plain / save;
}

// The load and its plain reference taken in turns.
void BM_LoadVsPlainRead(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    double load = 0;
    double plain = 0;
    for (auto _ : state) {
        plain += secondsOf([&] {
            const int fd = ::open(f.path.c_str(), O_RDONLY | O_CLOEXEC);
            std::unique_ptr<char[]> bytes(new char[f.text.size()]);
            std::size_t done = 0;
            while (done < f.text.size()) {
                const ssize_t n = ::read(fd, bytes.get() + done, f.text.size() - done);
                if (n <= 0)
                    break;
                done += static_cast<std::size_t>(n);
            }
            ::close(fd);
            benchmark::DoNotOptimize(bytes.get());
        });
        std::unique_ptr<Table> t;
        load += secondsOf([&] {
            FileBytes bytes;
            std::string error;
            readWholeFile(f.path, bytes, error);
            PacketReadResult r = DataPacketReader::read(bytes.view());
            t = std::make_unique<Table>("MessageSet");
            t->load(std::move(r.contents));
        });
        if (t->recordCount() != state.range(0))
            state.SkipWithError("load failed");
    }
    report(state, f);
    state.counters["load_ms"] = load * 1000 / static_cast<double>(state.iterations());
    state.counters["plain_ms"] = plain * 1000 / static_cast<double>(state.iterations());
    state.counters["speed_ratio"] = plain / load;
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_MemoryPerMessage)->Arg(1'000'000)->Iterations(1);
BENCHMARK(BM_SaveVsPlainSynced)->Apply(sizes);
BENCHMARK(BM_LoadVsPlainRead)->Apply(sizes);
BENCHMARK(BM_SaveMessageSet)->Apply(sizes);
BENCHMARK(BM_AtomicWriteOnly)->Apply(sizes);
BENCHMARK(BM_PlainWriteSynced)->Apply(sizes);
BENCHMARK(BM_WritePacketText)->Apply(sizes);
BENCHMARK(BM_PlainWrite)->Apply(sizes);
BENCHMARK(BM_LoadMessageSet)->Apply(sizes);
BENCHMARK(BM_PlainRead)->Apply(sizes);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
