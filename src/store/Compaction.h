#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

#include "store/DataPacketWriter.h"
#include "store/Journal.h"

namespace corvane {

// One rewrite of a data file from a snapshot of its table, and the hand-over of its journal.
// Before it starts, the journal that the snapshot already holds ("<file>.journal") has been
// closed and new changes go to "<file>.journal-next". The steps, each durable before the next:
//   "written"  the whole table is in a flushed temporary file beside the data file;
//   "marked"   the next journal's header names the new file;
//   "renamed"  the temporary file has replaced the data file;
//   "switched" the next journal has replaced the old one.
// Whichever step a crash interrupts, the folder holds every record: the old file with both
// journals, or the new file with the next journal (which start-up tells apart by the header).
class Compaction {
public:
    struct Paths {
        std::string data;
        std::string journal;
        std::string next;
    };
    // Called after each step with its name; a test can stop the program there.
    using StepHook = std::function<void(std::string_view step)>;
    static void setStepHook(StepHook hook);
    static void step(std::string_view name);

    Compaction(Paths paths, DataPacketWriter::Snapshot snapshot);
    ~Compaction();
    Compaction(const Compaction&) = delete;
    Compaction& operator=(const Compaction&) = delete;

    // Runs the steps on the caller's thread.
    void run();
    // Runs them on a thread of its own and calls `ended` there when done.
    void start(std::function<void()> ended);
    bool ended() const { return m_ended.load(); }
    void join();

    // The outcome, to be read once ended() (or run() has returned).
    const std::string& error() const { return m_error; }
    FileIdentity identity() const { return m_identity; }
    bool renamed() const { return m_renamed; }
    bool switched() const { return m_switched; }
    std::uint64_t bytesWritten() const { return m_identity.size; }

private:
    Paths m_paths;
    DataPacketWriter::Snapshot m_snapshot;
    std::string m_error;
    FileIdentity m_identity;
    bool m_renamed = false;
    bool m_switched = false;
    std::atomic<bool> m_ended{false};
    std::thread m_thread;
};

}  // namespace corvane
