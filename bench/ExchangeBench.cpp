// Export of 1,000,000 typical messages to each format, against writing the same bytes with one
// write() in the same run; import of a file of 1,000,000 syslog lines into a new store, against
// parsing the same lines as intake reads them. Run: build/<dir>/bench/bench_ExchangeBench
// [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "app/IntakeWindow.h"
#include "app/LogImport.h"
#include "app/MessageIntake.h"
#include "app/RecordExport.h"
#include "platform/MessageDialogs.h"
#include "platform/NotifyActions.h"
#include "protocol/SyslogMessage.h"
#include "store/TData.h"
#include "store/FileIo.h"
#include "store/StoreTables.h"
#include "store/Table.h"

namespace corvane {
namespace {

constexpr int kMessages = 1'000'000;

const std::string& benchFolder() {
    static const std::string folder = [] {
        char name[] = "/tmp/corvane-exchangebench-XXXXXX";
        if (!::mkdtemp(name))
            std::abort();
        std::atexit([] { std::filesystem::remove_all(benchFolder()); });
        return std::string(name) + "/";
    }();
    return folder;
}

// A message as a router or server sends it, with the fields intake fills.
void appendTypical(Table& t, int i) {
    static const char* kProcesses[] = {"sshd", "kernel", "CRON", "dhcpd", "named", "postfix/smtpd"};
    static const char* kSeverities[] = {"Emergency", "Alert",  "Critical",    "Error",
                                        "Warning",   "Notice", "Information", "Debug"};
    static const char* kTexts[] = {
        "Accepted password for admin from 10.0.0.5 port 52144 ssh2",
        "DHCPACK on 192.168.1.57 to 3c:22:fb:10:7a:01 (laptop-7) via eth0",
        "connect from unknown[203.0.113.9]: lost connection after AUTH from \"mail.example\"",
        "IN=eth0 OUT= MAC=00:1a:2b:3c:4d:5e SRC=198.51.100.4 DST=192.168.1.1 LEN=60 PROTO=TCP DPT=23",
        "(root) CMD (   cd / && run-parts --report /etc/cron.hourly)",
    };
    const int sev = i % 8;
    const char* process = kProcesses[i % 6];
    const std::string text = kTexts[i % 5];
    const std::string host = "router-" + std::to_string(i % 40);
    const int pid = 1000 + i % 30000;
    const DateTime when = *encodeDateTime({2026, 12, 9, 21, 0, 0, 0}) + i / 86400000.0 * 37;
    t.append();
    t.setInteger(0, i);
    t.setDateTime(1, when);
    t.setDateTime(2, when - 1.0 / 86400);
    t.setText(3, kSeverities[sev]);
    t.setText(4, process);
    t.setText(6, text);
    t.setText(7, host);
    t.setText(8, "192.168.1." + std::to_string(i % 40 + 10));
    t.setText(9, "Security/Authorize");
    t.setInteger(10, pid);
    t.setText(11, "<" + std::to_string(80 + sev) + ">Dec  9 21:00:00 " + host + " " + process + "[" +
                      std::to_string(pid) + "]: " + text);
    t.setInteger(13, 10);
    t.setInteger(14, i % 40 + 1);
    t.setInteger(15, sev);
    t.post();
}

Table& messages() {
    static std::unique_ptr<Table> table = [] {
        auto t = std::make_unique<Table>("MessageSet", messageSetFields());
        t->open();
        for (int i = 0; i < kMessages; ++i) appendTypical(*t, i);
        t->mergeChangeLog();
        return t;
    }();
    return *table;
}

// The bytes each format gives, made once by an export.
const std::string& exported(ExportFormat format) {
    static std::map<ExportFormat, std::string> texts;
    std::string& text = texts[format];
    if (text.empty()) {
        const std::string path = benchFolder() + "reference." + exportFormatName(format);
        if (!exportRecords(messages(), path, format).ok())
            std::abort();
        std::string error;
        if (!readWholeFile(path, text, error))
            std::abort();
    }
    return text;
}

void BM_Export(benchmark::State& state, ExportFormat format) {
    Table& table = messages();
    const std::size_t bytes = exported(format).size();
    const std::string path = benchFolder() + "export." + exportFormatName(format);
    for (auto _ : state) {
        const ExportResult r = exportRecords(table, path, format);
        if (!r.ok())
            state.SkipWithError(r.error.c_str());
    }
    state.SetItemsProcessed(state.iterations() * kMessages);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// Reference: the same bytes, made beforehand, written with one write() to a new file.
void BM_OneWrite(benchmark::State& state, ExportFormat format) {
    const std::string& text = exported(format);
    const std::string path = benchFolder() + "plain." + exportFormatName(format);
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
            if (n <= 0)
                std::abort();
            done += static_cast<std::size_t>(n);
        }
        ::close(fd);
    }
    state.SetItemsProcessed(state.iterations() * kMessages);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// A syslog file of 1,000,000 lines as /var/log/syslog holds them.
const std::string& syslogFile() {
    static const std::string path = [] {
        static const char* kTexts[] = {
            "Accepted password for admin from 10.0.0.5 port 52144 ssh2",
            "DHCPACK on 192.168.1.57 to 3c:22:fb:10:7a:01 (laptop-7) via eth0",
            "connect from unknown[203.0.113.9]: lost connection after AUTH from \"mail.example\"",
            "(root) CMD (   cd / && run-parts --report /etc/cron.hourly)",
        };
        static const char* kProcesses[] = {"sshd", "dhcpd", "postfix/smtpd", "CRON"};
        std::string text;
        text.reserve(static_cast<std::size_t>(kMessages) * 110);
        char stamp[32];
        for (int i = 0; i < kMessages; ++i) {
            const int second = i / 20;
            std::snprintf(stamp, sizeof stamp, "Dec %2d %02d:%02d:%02d ", 1 + second / 86400 % 28,
                          second / 3600 % 24, second / 60 % 60, second % 60);
            text += stamp;
            text += "host" + std::to_string(i % 40) + " " + kProcesses[i % 4] + "[" +
                    std::to_string(1000 + i % 3000) + "]: " + kTexts[i % 4] + "\n";
        }
        const std::string file = benchFolder() + "syslog";
        if (!writeFileAtomically(file, text).empty())
            std::abort();
        return file;
    }();
    return path;
}

struct QuietWindow : IntakeWindow {
    void BringToFront() override {}
    void MessageSelect(Table&, int) override {}
};
struct QuietDialogs : MessageDialogs {
    int show(const std::string&, const std::string&, int, const std::string&) override { return 1; }
};
struct QuietActions : NotifyActions {
    void PlayNotifySound(const std::string&) override {}
    int RunNotifyProgram(const std::string&) override { return 42; }
};

// Reading, parsing and storing every line in a new store, and its data files written.
void BM_ImportLines(benchmark::State& state) {
    const std::string& path = syslogFile();
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string folder = benchFolder() + "store-" + std::to_string(run++) + "/";
        std::filesystem::create_directories(folder);
        auto data = std::make_unique<TData>(folder, folder);
        data->DataModuleCreate();
        QuietWindow window;
        QuietDialogs dialogs;
        QuietActions actions;
        NotificationState notification;
        MessageIntake intake(*data, window, dialogs, actions, notification);
        state.ResumeTiming();
        const ImportSummary s = importLogFile(intake, *data, path);
        data->SaveData(true);
        if (!s.ok() || s.stored != static_cast<std::size_t>(kMessages))
            state.SkipWithError("import failed");
        state.PauseTiming();
        data.reset();
        std::filesystem::remove_all(folder);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kMessages);
}

// Reference: the same lines, in memory, parsed the way intake reads a message.
void BM_ParseLines(benchmark::State& state) {
    std::string text;
    std::string error;
    if (!readWholeFile(syslogFile(), text, error))
        std::abort();
    for (auto _ : state) {
        std::size_t begin = 0;
        while (begin < text.size()) {
            const std::size_t end = text.find('\n', begin);
            TnSyslogMessage m;
            m.SetData(std::string_view(text).substr(begin, end - begin));
            benchmark::DoNotOptimize(m.Host());
            benchmark::DoNotOptimize(m.Data().size());
            benchmark::DoNotOptimize(m.Process());
            benchmark::DoNotOptimize(m.TimeStamp());
            benchmark::DoNotOptimize(m.Facility());
            benchmark::DoNotOptimize(m.Severity());
            benchmark::DoNotOptimize(m.PID());
            benchmark::DoNotOptimize(m.MessageText());
            begin = end + 1;
        }
    }
    state.SetItemsProcessed(state.iterations() * kMessages);
}

BENCHMARK(BM_ImportLines)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ParseLines)->Unit(benchmark::kMillisecond)->Iterations(2);

BENCHMARK_CAPTURE(BM_Export, Csv, ExportFormat::Csv)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(BM_OneWrite, Csv, ExportFormat::Csv)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(BM_Export, JsonLines, ExportFormat::JsonLines)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(BM_OneWrite, JsonLines, ExportFormat::JsonLines)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(BM_Export, SyslogText, ExportFormat::SyslogText)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(BM_OneWrite, SyslogText, ExportFormat::SyslogText)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
