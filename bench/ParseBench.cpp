// Parses typical messages the way intake reads them (Data written, then Host, Data, Process,
// TimeStamp, Facility, Severity, PID, MessageText) and, as the reference, copies the same bytes
// into a std::string. Compare items_per_second of the pairs.
#include "protocol/SyslogMessage.h"

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

namespace {

using corvane::TnSyslogMessage;

constexpr std::string_view kRfc3164 =
    "<34>Oct 11 22:14:15 mymachine su[123]: 'su root' failed for lonvick on /dev/pts/8";
constexpr std::string_view kPercentTag =
    "<189>Mar  1 18:46:11 router %LINK-3-UPDOWN: Interface FastEthernet0/1, changed state to up";
constexpr std::string_view kEventRecord =
    "<14>Oct 11 22:14:15 winhost Security\t4624\tAUDIT_SUCCESS\tWINHOST\tLogon\t0\t"
    "Microsoft-Windows-Security-Auditing\tuser\tN/A\tSuccess Audit\tWINHOST\tLogon\t\t"
    "An account was successfully logged on.";
constexpr std::string_view kRfc5424 =
    "<165>1 2003-10-11T22:14:15.003Z mymachine.example.com evntslog - ID47 "
    "[exampleSDID@32473 iut=\"3\" eventSource=\"Application\"] An application event log entry";

void parseInIntakeOrder(benchmark::State& state, std::string_view message) {
    for (auto _ : state) {
        TnSyslogMessage m;
        m.SetData(message);
        benchmark::DoNotOptimize(m.Host());
        benchmark::DoNotOptimize(m.Data().size());
        benchmark::DoNotOptimize(m.Process());
        benchmark::DoNotOptimize(m.TimeStamp());
        benchmark::DoNotOptimize(m.Facility());
        benchmark::DoNotOptimize(m.Severity());
        benchmark::DoNotOptimize(m.PID());
        benchmark::DoNotOptimize(m.MessageText());
    }
    state.SetItemsProcessed(state.iterations());
}

void copyBytes(benchmark::State& state, std::string_view message) {
    for (auto _ : state) {
        std::string copy(message);
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK_CAPTURE(parseInIntakeOrder, Rfc3164, kRfc3164);
BENCHMARK_CAPTURE(copyBytes, Rfc3164, kRfc3164);
BENCHMARK_CAPTURE(parseInIntakeOrder, PercentTag, kPercentTag);
BENCHMARK_CAPTURE(copyBytes, PercentTag, kPercentTag);
BENCHMARK_CAPTURE(parseInIntakeOrder, EventRecord, kEventRecord);
BENCHMARK_CAPTURE(copyBytes, EventRecord, kEventRecord);
BENCHMARK_CAPTURE(parseInIntakeOrder, Rfc5424, kRfc5424);
BENCHMARK_CAPTURE(copyBytes, Rfc5424, kRfc5424);

}  // namespace

BENCHMARK_MAIN();
