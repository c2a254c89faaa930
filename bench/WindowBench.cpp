// The main window with a large MessageSet, offscreen: painting one screenful of the message grid
// (with 100 and with 1,000,000 messages stored, so their ratio shows whether the cost grows with
// the store), moving to the last record, a filter change from the severity list, and how long
// the event loop goes without serving a 10 ms timer while a burst of 10,000 datagrams arrives,
// and "Clear All" of the million.
// Run: build/release/bench/bench_WindowBench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include "ui/FormFixture.h"
#include "widgets/TImageButton.h"
#include "widgets/TnDBGrid.h"
#include "widgets/TnLabel.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <thread>

namespace corvane {
namespace {

using test::FormFixture;

// Fills the message table as intake does: dates over the last two days, every severity, a few
// senders, texts of the lengths routers send (some long enough to wrap).
void fillMessages(TData& data, int count) {
    static const char* const kSeverities[] = {"Emergency", "Alert",  "Critical",    "Error",
                                              "Warning",   "Notice", "Information", "Debug"};
    static const char* const kTexts[] = {
        "Accepted password for admin from 10.0.0.5 port 52144 ssh2",
        "DHCPACK on 192.168.1.57 to 3c:22:fb:10:7a:01 (laptop-7) via eth0",
        "upstream timed out while reading the response header from the application server, client 10.1.2.3, "
        "request GET /api/status",
        "link down on port 24",
        "(root) CMD (   cd / && run-parts --report /etc/cron.hourly)",
    };
    Table& t = data.MessageSet();
    const int fDate = t.requireField("Date"), fStamp = t.requireField("TimeStamp");
    const int fSevKey = t.requireField("SeverityKey"), fSev = t.requireField("Severity");
    const int fFacKey = t.requireField("FacilityKey"), fFac = t.requireField("Facility");
    const int fAddress = t.requireField("Address"), fHost = t.requireField("Host");
    const int fProcess = t.requireField("Process"), fPid = t.requireField("PID");
    const int fMessage = t.requireField("Message"), fData = t.requireField("Data");
    const DateTime current = now();
    for (int i = 0; i < count; ++i) {
        const int sev = i % 8;
        const char* text = kTexts[i % 5];
        const DateTime when = current - 2.0 + 2.0 * i / count;
        t.append();
        t.setDateTime(fDate, when);
        t.setDateTime(fStamp, when);
        t.setInteger(fSevKey, sev);
        t.setText(fSev, kSeverities[sev]);
        t.setInteger(fFacKey, 1);
        t.setText(fFac, "User");
        t.setText(fAddress, "192.168.1." + std::to_string(10 + i % 40));
        t.setText(fHost, "router-" + std::to_string(i % 40));
        t.setText(fProcess, "sshd");
        t.setInteger(fPid, 1000 + i % 30000);
        t.setText(fMessage, text);
        t.setText(fData, std::string("<11>") + text);
        t.post();
    }
}

// One window per store size, built on first use and kept for the whole run.
struct Window {
    FormFixture fixture;
    int port = 0;

    explicit Window(int messages) {
        port = test::freeUdpPort();
        fixture.writeSettingsForPort(port, "SaveLocation=0\nUpdateCheck=0\nNotifySound=0\n");
        // The records are written out as a clean exit leaves them, so the window starts on a
        // store as loaded from its file, not on a million changes still to be journalled.
        fixture.beforeWindow = [messages](TData& data) {
            fillMessages(data, messages);
            data.SaveData(true);
        };
        fixture.start();
        TSysLogForm& form = *fixture.form;
        form.askClearAll = [](int) { return true; };  // the operator confirms "Clear All"
        form.resize(TSysLogForm::kDesignWidth, TSysLogForm::kDesignHeight);
        form.show();
        QApplication::processEvents();
    }
    TSysLogForm& form() { return *fixture.form; }
    TnDBGrid& grid() { return *fixture.form->Messages; }
};

std::map<int, std::unique_ptr<Window>>& windows() {
    static std::map<int, std::unique_ptr<Window>> all;
    return all;
}

Window& windowWith(int messages) {
    auto& w = windows()[messages];
    if (!w)
        w = std::make_unique<Window>(messages);
    return *w;
}

void renderGrid(TnDBGrid& grid, QImage& image) {
    grid.viewport()->render(&image);
}

void pressKey(QWidget& w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&w, &press);
}

void click(QWidget& w) {
    const QPointF at(w.width() / 2.0, w.height() / 2.0);
    const QPointF global = w.mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &release);
}

void BM_PaintScreenful(benchmark::State& state) {
    Window& w = windowWith(static_cast<int>(state.range(0)));
    TnDBGrid& grid = w.grid();
    QImage image(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    // Somewhere in the middle of the store, so the rows come from deep inside the table.
    pressKey(grid, Qt::Key_Home);
    grid.setTopRow(grid.source()->rowCount() / 2);
    for (auto _ : state) {
        renderGrid(grid, image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["rows_on_screen"] = static_cast<double>(grid.shownRows().size());
    state.counters["messages"] = static_cast<double>(w.form().EventCount->caption().toInt());
}
BENCHMARK(BM_PaintScreenful)->Arg(100)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The End key on the grid: the current record becomes the last one, the details pane and the
// grid follow, and the grid is painted.
void BM_MoveToLastRecord(benchmark::State& state) {
    Window& w = windowWith(1000000);
    TnDBGrid& grid = w.grid();
    QImage image(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        state.PauseTiming();
        pressKey(grid, Qt::Key_Home);
        QApplication::processEvents();
        state.ResumeTiming();
        pressKey(grid, Qt::Key_End);
        renderGrid(grid, image);
    }
    state.counters["current"] = static_cast<double>(grid.source()->currentRow());
}
BENCHMARK(BM_MoveToLastRecord)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Picking a severity in the filter bar: the filter is composed and applied to the million
// messages, and the grid shows the first screenful of the new view. Alternates between "Error"
// (one message in eight) and "Any" (all of them).
void BM_FilterChange(benchmark::State& state) {
    Window& w = windowWith(1000000);
    QComboBox& severity = *w.form().dbSeverity;
    const int error = severity.findText(QStringLiteral("Error"));
    const int any = severity.findText(QStringLiteral("Any"));
    TnDBGrid& grid = w.grid();
    QImage image(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    bool toError = true;
    int shown = 0;
    for (auto _ : state) {
        const int index = toError ? error : any;
        severity.setCurrentIndex(index);
        emit severity.activated(index);
        renderGrid(grid, image);
        shown = grid.source()->rowCount();
        toError = !toError;
    }
    if (!toError) {  // leave the view unfiltered for the benchmarks that follow
        severity.setCurrentIndex(any);
        emit severity.activated(any);
    }
    state.counters["last_view_rows"] = shown;
}
BENCHMARK(BM_FilterChange)->Unit(benchmark::kMillisecond)->Iterations(10);

// A burst of 10,000 datagrams from another thread, as fast as the socket takes them, while a
// 10 ms timer ticks on the window's thread: reports the longest gap between two ticks until the
// burst is stored (or 30 s have passed).
void BM_EventLoopDuringBurst(benchmark::State& state) {
    Window& w = windowWith(1000000);
    constexpr int kBurst = 10000;
    double longestGapMs = 0;
    int stored = 0;
    for (auto _ : state) {
        Table& messages = w.fixture.data->MessageSet();
        const int before = messages.recordCount();
        std::atomic<bool> sent{false};
        std::thread sender([&] {
            const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
            sockaddr_in to{};
            to.sin_family = AF_INET;
            to.sin_port = htons(static_cast<std::uint16_t>(w.port));
            to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            char line[160];
            for (int i = 0; i < kBurst; ++i) {
                const int n =
                    std::snprintf(line, sizeof line, "<11>Dec  9 21:00:00 bench burst: message %d", i);
                ::sendto(fd, line, static_cast<size_t>(n), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
                if (i % 500 == 499)  // keep within the socket's buffer; the listener drains it
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            ::close(fd);
            sent = true;
        });
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        qint64 longest = 0;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(10);
        QEventLoop loop;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            if (now - last > 20 && qEnvironmentVariableIsSet("CORVANE_BENCH_GAPS"))
                std::fprintf(stderr, "gap of %lld ms ending at %lld ms, %d stored\n",
                             static_cast<long long>(now - last), static_cast<long long>(now),
                             messages.recordCount() - before);
            longest = std::max(longest, now - last);
            last = now;
            if ((sent && messages.recordCount() - before >= kBurst) || now > 30000)
                loop.quit();
        });
        tick.start();
        loop.exec();
        sender.join();
        longestGapMs = static_cast<double>(longest);
        stored = messages.recordCount() - before;
        state.SetIterationTime(static_cast<double>(clock.elapsed()) / 1000.0);
    }
    state.counters["longest_gap_ms"] = longestGapMs;
    state.counters["stored"] = stored;
}
BENCHMARK(BM_EventLoopDuringBurst)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

// "Clear All" with the million messages in view: the deletion, the window following it and the
// emptied grid painted. Runs last, because it empties the store the others use.
void BM_ClearAll(benchmark::State& state) {
    Window& w = windowWith(1000000);
    TnDBGrid& grid = w.grid();
    QImage image(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    int before = 0;
    int after = 0;
    for (auto _ : state) {
        before = w.fixture.data->MessageSet().recordCount();
        click(*w.form().iBtnClear);
        renderGrid(grid, image);
        after = w.fixture.data->MessageSet().recordCount();
    }
    state.counters["deleted"] = before - after;
}
BENCHMARK(BM_ClearAll)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    corvane::windows().clear();  // the windows close while the application still exists
    return 0;
}
