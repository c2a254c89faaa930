// Bytes put on the disk per new message with 10,000, 200,000 and 1,000,000 messages stored,
// against the length of the message's row text in the data file, from one run. Each figure
// covers a whole cycle: from a clean file until the journal has grown to its share and the file
// has been rewritten, so the rewrite is counted with the messages that caused it. The bytes are
// the process's own write counter (/proc/self/io, "wchar", every thread).
// Run: build/release/bench/bench_JournalBench [STORED...]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "store/DataPacketWriter.h"
#include "store/TData.h"

namespace corvane {
namespace {

std::uint64_t writtenBytes() {
    std::ifstream io("/proc/self/io");
    std::string key;
    std::uint64_t value = 0;
    while (io >> key >> value)
        if (key == "wchar:")
            return value;
    return 0;
}

void addMessage(TData& d, int n) {
    Table& m = d.MessageSet();
    m.append();
    m.setValue("Date", Value::ofDateTime(45000.5 + n / 86400000.0));
    m.setValue("TimeStamp", Value::ofDateTime(45000.5 + n / 86400000.0));
    m.setValue("Severity", Value::ofText("Notice"));
    m.setValue("Process", Value::ofText("sshd[4242]:"));
    m.setValue("Message",
               Value::ofText("Accepted publickey for admin from 192.168.1." + std::to_string(n % 250) +
                             " port 52144 ssh2: ED25519 SHA256:Zq3pT1xk" + std::to_string(n)));
    m.setValue("Host", Value::ofText("core-sw-01"));
    m.setValue("Address", Value::ofText("192.168.1.20"));
    m.setValue("Facility", Value::ofText("Security/Authorize"));
    m.setValue("PID", Value::ofInteger(4242));
    m.setValue("Data",
               Value::ofText("<38>Dec 10 14:30:05 core-sw-01 sshd[4242]: Accepted publickey for admin"));
    m.setValue("FacilityKey", Value::ofInteger(4));
    m.setValue("HostKey", Value::ofInteger(1));
    m.setValue("SeverityKey", Value::ofInteger(5));
    m.post();
}

struct Figure {
    int stored;
    double perMessage;
    double rowText;
    int messages;
};

Figure measure(int stored) {
    const std::string folder = "/tmp/corvane-journalbench-" + std::to_string(stored) + "/";
    std::filesystem::remove_all(folder);
    TData data(folder, "/nonexistent/");
    data.DataModuleCreate();
    for (int i = 0; i < stored; ++i) addMessage(data, i);
    if (!data.SaveData(true).ok())
        std::abort();
    Table& m = data.MessageSet();
    DataPacketWriter::RowWriter rows(m.fields(), m.layout());
    std::string row;
    rows.append(m.rowBlock(m.totalRecordCount() - 1), row);

    // Batches of 100, as intake saves them at a high rate, until a rewrite has ended.
    constexpr int kBatch = 100;
    const std::uint64_t before = writtenBytes();
    int added = 0;
    TableJournal& journal = *data.journal(m);
    bool rewriting = false;
    for (int n = stored;; ++n) {
        addMessage(data, n);
        if (++added % kBatch != 0)
            continue;
        if (!data.SaveData().ok())
            std::abort();
        if (journal.compactionRunning())
            rewriting = true;
        else if (rewriting)
            break;
    }
    (void)journal.collect(true);
    const std::uint64_t bytes = writtenBytes() - before;
    std::filesystem::remove_all(folder);
    return {stored, static_cast<double>(bytes) / added, static_cast<double>(row.size()), added};
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
    std::vector<int> sizes = {10'000, 200'000, 1'000'000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    }
    std::vector<corvane::Figure> figures;
    for (int n : sizes) {
        figures.push_back(corvane::measure(n));
        const corvane::Figure& f = figures.back();
        std::printf("%9d stored: %8.0f bytes per new message over %d messages, row text %4.0f bytes: %.2fx\n",
                    f.stored, f.perMessage, f.messages, f.rowText, f.perMessage / f.rowText);
        std::fflush(stdout);
    }
    if (figures.size() > 1)
        std::printf("largest against smallest: %.2fx\n",
                    figures.back().perMessage / figures.front().perMessage);
    return 0;
}
