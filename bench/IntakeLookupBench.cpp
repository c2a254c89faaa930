// Intake's per-message store work (find or add the sender's host row and rename it, append the
// message record, copy the facility and severity names) with 150,000 host rows against 10, in the
// same run. Parsing and saving cost the same for any number of senders and are left out, so the
// ratio is the stricter one. Run: build/<dir>/bench/bench_IntakeLookupBench
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "store/TData.h"
#include "app/IntakeWindow.h"
#include "app/MessageIntake.h"
#include "app/Notification.h"
#include "platform/MessageDialogs.h"
#include "platform/NotifyActions.h"
#include "protocol/SyslogMessage.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

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

std::string addressOf(int i) {
    return "10." + std::to_string(i / 65536 % 256) + "." + std::to_string(i / 256 % 256) + "." +
           std::to_string(i % 256);
}

// A store with `hosts` senders, and messages that come from them in turn.
struct Setup {
    explicit Setup(int hosts) {
        char name[] = "/tmp/corvane-intakebench-XXXXXX";
        if (!::mkdtemp(name))
            std::abort();
        folder = std::string(name) + "/";
        data = std::make_unique<TData>(folder, std::string(CORVANE_SOURCE_DIR) + "/resources/templates/");
        data->DataModuleCreate();
        notification.NotifySound = false;
        intake = std::make_unique<MessageIntake>(*data, window, dialogs, actions, notification);
        for (int i = 0; i < 64; ++i) {
            TnSyslogMessage m;
            m.SetData("<34>Dec  9 21:00:00 router-" + std::to_string(i) +
                      " sshd[42]: Accepted password for admin");
            texts.push_back(m.Data());
        }
        for (int i = 0; i < hosts; ++i) senders.push_back(addressOf(i));
        for (int i = 0; i < hosts; ++i) store(i);  // every sender known before the measurement
        data->MessageSet().mergeChangeLog();
        data->HostSet().mergeChangeLog();
    }
    ~Setup() {
        intake.reset();
        data.reset();
        fs::remove_all(folder);
    }

    void store(int i) {
        TnSyslogMessage m;
        m.SetData(texts[static_cast<std::size_t>(i) % texts.size()]);
        m.SetPeerAddress(senders[static_cast<std::size_t>(i) % senders.size()]);
        m.SetReceived(now());
        if (!intake->UpdateHost(m))
            std::abort();
        Table& messages = data->MessageSet();
        Table& hosts = data->HostSet();
        messages.append();
        messages.setValue("HostKey", hosts.value("Key"));
        messages.setValue("Host", hosts.value("Name"));
        messages.setValue("Address", hosts.value("Address"));
        messages.setText(messages.requireField("Data"), m.Data());
        if (data->FacilitySet().locate("Key", Value::ofInteger(m.Facility())))
            messages.setValue("Facility", data->FacilitySet().value("Name"));
        if (data->SeveritySet().locate("Key", Value::ofInteger(m.Severity())))
            messages.setValue("Severity", data->SeveritySet().value("Name"));
        messages.post();
    }

    std::string folder;
    QuietWindow window;
    QuietDialogs dialogs;
    QuietActions actions;
    NotificationState notification;
    std::unique_ptr<TData> data;
    std::unique_ptr<MessageIntake> intake;
    std::vector<std::string> texts;
    std::vector<std::string> senders;
};

double messagesPerSecond(Setup& s, int count) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) s.store(i * 7919);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    s.data->MessageSet().mergeChangeLog();
    s.data->HostSet().mergeChangeLog();
    return count / seconds;
}

// Taken in turns, so that both meet the same load of the machine; speed_ratio is the speed with
// many senders as a share of the speed with few.
void BM_IntakeManySendersVsFew(benchmark::State& state) {
    Setup few(10);
    Setup many(static_cast<int>(state.range(0)));
    constexpr int kMessages = 50'000;
    double fewRate = 0;
    double manyRate = 0;
    for (auto _ : state) {
        fewRate += messagesPerSecond(few, kMessages);
        manyRate += messagesPerSecond(many, kMessages);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["few_per_s"] = fewRate / n;
    state.counters["many_per_s"] = manyRate / n;
    state.counters["speed_ratio"] = manyRate / fewRate;
}

BENCHMARK(BM_IntakeManySendersVsFew)
    ->Arg(150000)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
