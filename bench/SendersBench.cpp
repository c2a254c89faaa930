// The Senders page with 10,000 hosts and 1,000,000 stored messages, offscreen: a refresh as the
// page's one-second timer makes it while 1,000 messages a second come in (figures, model and the
// sorted view), against the 16 ms of one frame; and, for comparison, the full count after the
// messages were changed by a deletion; and the refresh of a store at its limit, where expiry
// takes the oldest records as new ones come. Run: build/release/bench/bench_SendersBench
#include <benchmark/benchmark.h>

#include "store/StoreTables.h"
#include "store/Table.h"
#include "ui/SendersPage.h"

#include <QApplication>
#include <QTableView>

#include <cstdlib>
#include <memory>
#include <string>

namespace corvane {
namespace {

constexpr int kHosts = 10'000;
constexpr int kMessages = 1'000'000;
const DateTime kStart = *encodeDateTime({2026, 12, 10, 8, 0, 0, 0});

struct Store {
    Table messages{"MessageSet", messageSetFields()};
    Table hosts{"HostSet", hostSetFields()};
    int next = 0;
    DateTime now = kStart;

    Store() {
        hosts.open();
        for (int h = 1; h <= kHosts; ++h) {
            hosts.append();
            hosts.setInteger(0, h);
            hosts.setText(1, "host-" + std::to_string(h));
            hosts.setText(2, "10." + std::to_string(h / 256) + "." + std::to_string(h % 256) + ".1");
            hosts.post();
        }
        messages.open();
        add(kMessages);
        messages.mergeChangeLog();
    }
    // Messages at 1,000 a second, from the senders in turn (some much busier than others).
    void add(int count) {
        const int key = messages.requireField("Key"), hostKey = messages.requireField("HostKey");
        const int date = messages.requireField("Date"), severity = messages.requireField("SeverityKey");
        for (int i = 0; i < count; ++i, ++next) {
            now = kStart + next / 1000.0 / 86400.0;
            messages.append();
            messages.setInteger(key, next);
            messages.setInteger(hostKey, 1 + (next * 7919 % (next % 3 ? 100 : kHosts)));
            messages.setInteger(severity, next % 8);
            messages.setDateTime(date, now);
            messages.post();
        }
    }
};

Store& store() {
    static Store s;
    return s;
}

void BM_SendersRefresh(benchmark::State& state) {
    Store& s = store();
    SendersPage page(s.messages, s.hosts, LocaleFormats{});
    page.refresh(s.now);
    for (auto _ : state) {
        state.PauseTiming();
        s.add(1000);
        state.ResumeTiming();
        page.refresh(s.now);
        benchmark::DoNotOptimize(page.view()->model()->rowCount());
    }
    state.counters["senders"] = static_cast<double>(page.stats().rows().size());
    state.counters["frame_ms"] = 16;
}

// A store at its limit: each second expiry takes as many of the oldest records as came in.
void BM_SendersRefreshWithExpiry(benchmark::State& state) {
    Store& s = store();
    SendersPage page(s.messages, s.hosts, LocaleFormats{});
    page.refresh(s.now);
    for (auto _ : state) {
        state.PauseTiming();
        s.messages.deleteFirst(1000);
        s.add(1000);
        state.ResumeTiming();
        page.refresh(s.now);
        benchmark::DoNotOptimize(page.view()->model()->rowCount());
    }
    state.counters["recounts"] = page.stats().lastWasRecount() ? 1 : 0;
}

void BM_SendersRecount(benchmark::State& state) {
    Store& s = store();
    for (auto _ : state) {
        SenderStats stats(s.messages, s.hosts);
        stats.refresh(s.now);
        benchmark::DoNotOptimize(stats.rows().size());
    }
}

BENCHMARK(BM_SendersRefresh)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_SendersRefreshWithExpiry)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_SendersRecount)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
