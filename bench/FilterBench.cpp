// Filtering a MessageSet-like table of 1,000,000 typical messages with
//   [Message] LIKE '%error%' and [SeverityKey] IN (3, 4)
// through the compiled expression, against a hand-written loop doing the same test on the
// same stored rows.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <random>
#include <string>

#include "store/Table.h"
#include "filter/ExpressionFilterCompiler.h"

namespace corvane {
namespace {

constexpr int kMessages = 1'000'000;
constexpr const char* kExpression = "[Message] LIKE '%error%' and [SeverityKey] IN (3, 4)";

FieldDef field(std::string name, FieldType type, int size = 0) {
    FieldDef f;
    f.name = std::move(name);
    f.type = type;
    f.size = size;
    return f;
}

std::vector<FieldDef> messageFields() {
    return {field("Key", FieldType::Integer),        field("Date", FieldType::DateTime),
            field("TimeStamp", FieldType::DateTime), field("Severity", FieldType::Text, 48),
            field("Process", FieldType::Text, 64),   field("SubProcess", FieldType::Text, 32),
            field("Message", FieldType::Text, 512),  field("Host", FieldType::Text, 128),
            field("Address", FieldType::Text, 48),   field("Facility", FieldType::Text, 48),
            field("PID", FieldType::Integer),        field("Data", FieldType::Text, 1024),
            field("Priority", FieldType::Integer),   field("FacilityKey", FieldType::Integer),
            field("HostKey", FieldType::Integer),    field("SeverityKey", FieldType::Integer),
            field("ProcessEx", FieldType::Text, 256)};
}

const char* const kTexts[] = {
    "Accepted password for admin from 192.168.1.20 port 52144 ssh2",
    "pam_unix(sshd:session): session opened for user admin by (uid=0)",
    "eth0: Link is Up - 1000Mbps/Full - flow control rx/tx",
    "I/O error, dev sda, sector 123456789 op 0x0:(READ) flags 0x0",
    "Connection closed by authenticating user root 10.0.0.5 port 41022 [preauth]",
    "CRON[2231]: (root) CMD (run-parts /etc/cron.hourly)",
    "DHCPACK on 10.0.0.77 to 00:11:22:33:44:55 via eth1",
    "Failed to start Network Time Service: Unit ntp.service not found; ERROR code 5",
    "kernel: [UFW BLOCK] IN=eth0 OUT= MAC=ff:ff:ff:ff:ff:ff SRC=10.0.0.9 DST=10.0.0.255 LEN=78",
    "Interface GigabitEthernet0/1, changed state to down",
};

struct Fixture {
    Table table{"MessageSet", messageFields()};
    ExpressionFilterCompiler compiler{LocaleFormats{"M/d/yy", "h:mm:ss AP", '.'}};
    int message = 0;
    int severityKey = 0;

    Fixture() {
        table.setFilterCompiler(&compiler);
        table.setCaseInsensitive(true);
        table.open();
        message = table.requireField("Message");
        severityKey = table.requireField("SeverityKey");
        std::mt19937 rng(42);
        const int key = table.requireField("Key");
        const int date = table.requireField("Date");
        const int host = table.requireField("Host");
        const int data = table.requireField("Data");
        for (int i = 0; i < kMessages; ++i) {
            table.append();
            table.setInteger(key, i);
            table.setDateTime(date, 45000.0 + i / 86400.0);
            table.setInteger(severityKey, static_cast<int>(rng() % 8));
            const std::string text = kTexts[rng() % std::size(kTexts)];
            table.setText(message, text);
            table.setText(host, "host" + std::to_string(rng() % 50));
            table.setText(data, "<13>Dec  8 09:15:00 host " + text);
            table.post();
        }
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void CompiledFilterLoop(benchmark::State& state) {
    Fixture& f = fixture();
    const auto compiled = f.compiler.compile(kExpression, f.table.fields(), true);
    if (!compiled.ok())
        state.SkipWithError(compiled.error.c_str());
    int matches = 0;
    for (auto _ : state) {
        matches = 0;
        for (int i = 0; i < f.table.totalRecordCount(); ++i) {
            const RowReader reader(f.table.layout(), f.table.rowBlock(i));
            matches += compiled.filter->matches(reader);
        }
        benchmark::DoNotOptimize(matches);
    }
    state.counters["matches"] = matches;
}
BENCHMARK(CompiledFilterLoop)->Unit(benchmark::kMillisecond);

void TableSetFiltered(benchmark::State& state) {
    Fixture& f = fixture();
    f.table.setFilterText(kExpression);
    int matches = 0;
    for (auto _ : state) {
        f.table.setFiltered(true);
        matches = f.table.recordCount();
        state.PauseTiming();
        f.table.setFiltered(false);
        state.ResumeTiming();
    }
    state.counters["matches"] = matches;
}
BENCHMARK(TableSetFiltered)->Unit(benchmark::kMillisecond);

void HandWrittenLoop(benchmark::State& state) {
    Fixture& f = fixture();
    const RowLayout& layout = f.table.layout();
    const std::string needle = "error";
    int matches = 0;
    for (auto _ : state) {
        matches = 0;
        for (int i = 0; i < f.table.totalRecordCount(); ++i) {
            const std::uint8_t* row = f.table.rowBlock(i);
            if (layout.isNull(row, f.severityKey) || layout.isNull(row, f.message))
                continue;
            const std::int32_t severity = layout.integer(row, f.severityKey);
            if (severity != 3 && severity != 4)
                continue;
            const std::string_view text = layout.text(row, f.message);
            const auto found =
                std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                            [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
            matches += found != text.end();
        }
        benchmark::DoNotOptimize(matches);
    }
    state.counters["matches"] = matches;
}
BENCHMARK(HandWrittenLoop)->Unit(benchmark::kMillisecond);

// The same test with a tuned search: a lower-case table and a check of the first letter before
// the rest, which is what a careful hand-written filter would do.
void HandWrittenTunedLoop(benchmark::State& state) {
    Fixture& f = fixture();
    const RowLayout& layout = f.table.layout();
    unsigned char lower[256];
    for (int c = 0; c < 256; ++c) lower[c] = static_cast<unsigned char>(std::tolower(c));
    constexpr std::string_view needle = "error";
    int matches = 0;
    for (auto _ : state) {
        matches = 0;
        for (int i = 0; i < f.table.totalRecordCount(); ++i) {
            const std::uint8_t* row = f.table.rowBlock(i);
            if (layout.isNull(row, f.severityKey) || layout.isNull(row, f.message))
                continue;
            const std::int32_t severity = layout.integer(row, f.severityKey);
            if (severity != 3 && severity != 4)
                continue;
            const std::string_view text = layout.text(row, f.message);
            bool found = false;
            for (std::size_t p = 0; !found && p + needle.size() <= text.size(); ++p) {
                if (lower[static_cast<unsigned char>(text[p])] != needle[0])
                    continue;
                std::size_t k = 1;
                while (k < needle.size() && lower[static_cast<unsigned char>(text[p + k])] == needle[k]) ++k;
                found = k == needle.size();
            }
            matches += found;
        }
        benchmark::DoNotOptimize(matches);
    }
    state.counters["matches"] = matches;
}
BENCHMARK(HandWrittenTunedLoop)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
