#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "store/Compaction.h"
#include "store/Journal.h"
#include "store/Table.h"

namespace corvane {

// Keeps one data file up to date without rewriting it: every change of its table goes to the
// journal beside it ("<file>.journal"), flushed once per batch, and the whole file is rewritten
// only when the journal has grown to a share of the file (off the caller's thread) and at a
// clean exit. All calls come from the table's own thread.
class TableJournal {
public:
    // The journal may grow to this share of its data file before the file is rewritten: a
    // record then costs its journal entry plus (1 + 1/share) times its share of the file, about
    // three times its text.
    static constexpr double kDefaultShare = 1.0;
    // Below this many bytes of journal the file is never rewritten for its sake.
    static constexpr std::uint64_t kDefaultMinimum = 256 * 1024;

    explicit TableJournal(std::string dataPath);
    ~TableJournal();
    TableJournal(const TableJournal&) = delete;
    TableJournal& operator=(const TableJournal&) = delete;

    const std::string& journalPath() const { return m_paths.journal; }
    const std::string& nextPath() const { return m_paths.next; }

    // Start-up, right after the table was loaded from its file (`base` names the file's bytes)
    // or found without one (`base` null: no file, or one that could not be loaded). Applies the
    // journals that continue the file; a journal that does not belong to it is moved aside,
    // never applied; with `fresh` (the file was just put in place from a template) every
    // journal is. Answers what the operator must be told (empty when nothing).
    std::string open(Table& table, const FileIdentity* base, bool fresh = false);

    // One batch: the table's logged changes are queued and the queue is appended to the journal
    // and flushed to the disk; the table's change log is merged. When that fails, the entries
    // stay queued for the next call. A table without a data file is written whole instead.
    // Answers the error, empty on success.
    std::string save(Table& table);

    // Starts a rewrite when the journal has grown to its share of the file; `ended` runs on the
    // writing thread when it is done. The table may go on changing meanwhile.
    void compactIfDue(Table& table, std::function<void()> ended);
    // Starts a rewrite now (after a large deletion), unless one is running.
    void compactSoon() { m_compactSoon = true; }
    bool compactionRunning() const { return m_compaction != nullptr; }
    // Takes the outcome of a rewrite that has ended (with `wait`, waits for it); its error.
    std::string collect(bool wait);

    // Clean exit: the data file gets every record (the exact layout of a whole write) and no
    // journal is left. Answers the error; the journal then still holds everything.
    std::string closeClean(Table& table);

    // Bytes this journal has put on the disk: entries appended and files rewritten.
    std::uint64_t bytesWritten() const { return m_bytesWritten; }
    std::uint64_t journalBytes() const;
    std::uint64_t fileBytes() const { return m_base.size; }

    void setShare(double share) { m_share = share; }
    void setMinimum(std::uint64_t bytes) { m_minimum = bytes; }

private:
    void record(Table& table);
    std::string writeWhole(Table& table);
    std::string startNext();
    void switched();
    std::string apply(Table& table, const JournalContents& contents, const std::string& path);
    std::string setAside(const std::string& path, const char* what);

    Compaction::Paths m_paths;
    FileIdentity m_base;
    bool m_hasBase = false;
    JournalFile m_journal;  // "<file>.journal"
    JournalFile m_next;     // "<file>.journal-next", open while changes go there
    bool m_rotated = false;
    std::string m_pending;
    std::int64_t m_journaledAutoInc = -1;
    std::unique_ptr<Compaction> m_compaction;
    std::vector<RowPtr> m_graveyard;  // blocks a running rewrite may still read
    bool m_compactSoon = false;
    std::chrono::steady_clock::time_point m_retryAfter{};
    double m_share = kDefaultShare;
    std::uint64_t m_minimum = kDefaultMinimum;
    std::uint64_t m_bytesWritten = 0;
};

}  // namespace corvane
