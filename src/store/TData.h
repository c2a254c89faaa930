#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "store/Journal.h"
#include "store/Table.h"
#include "store/TableJournal.h"

namespace corvane {

// The data module: owns the six tables for the whole run, assigns their keys, and loads and
// writes their data files in the data folder.
class TData {
public:
    // Where an error goes: the message dialog (with a caption) or the application's default error
    // display (which names the component itself).
    enum class ReportKind : unsigned char { MessageDialog, ApplicationError };
    using Reporter =
        std::function<void(ReportKind kind, const std::string& caption, const std::string& text)>;

    struct SaveResult {
        std::string error;  // empty on success
        bool ok() const { return error.empty(); }
    };

    // `dataFolder` and `appFolder` end with a slash; `appFolder` holds the template files.
    TData(std::string dataFolder, std::string appFolder, Reporter reporter = {});
    ~TData();
    TData(const TData&) = delete;
    TData& operator=(const TData&) = delete;

    Table& MessageSet() { return m_messageSet; }
    Table& HostSet() { return m_hostSet; }
    Table& FacilitySet() { return m_facilitySet; }
    Table& SeveritySet() { return m_severitySet; }
    Table& FilterSet() { return m_filterSet; }
    Table& TimeSet() { return m_timeSet; }

    const std::string& dataFolder() const { return m_dataFolder; }
    std::string dataFile(const Table& table) const { return m_dataFolder + table.name() + ".vtx"; }

    // Gives every table the compiler of filter texts.
    void setFilterCompiler(const FilterCompiler* compiler);

    void DataModuleCreate();
    void FillTimeUnits();

    // Makes a table's changes durable. MessageSet, HostSet and FilterSet append their changes
    // to the journal beside their file, flushed once per call; their file is rewritten whole,
    // by a thread of its own, only when the journal has grown to a share of it (the thread's
    // error is answered by a later call). With `wait` (a clean exit) the file is rewritten with
    // every record and no journal is left. On failure the changes stay queued for the next call.
    // The lookup tables are written whole: a table of at least backgroundSaveRows() records by a
    // thread of its own, whose error a later call answers; with `wait` before the call returns.
    SaveResult SaveTable(Table& table, bool wait = false);
    SaveResult SaveData(bool wait = false);  // MessageSet, HostSet, FilterSet
    SaveResult SaveLookups();  // FacilitySet, SeveritySet, each only when it has unsaved changes

    int backgroundSaveRows() const { return m_backgroundSaveRows; }
    // 0 writes every table on the caller's thread.
    void setBackgroundSaveRows(int rows) { m_backgroundSaveRows = rows; }
    // Called on the writing thread when a background write has ended; the owner then calls
    // SaveData (on its own thread) to learn the outcome and write what came in meanwhile.
    void setBackgroundSaveEnded(std::function<void()> ended) { m_backgroundSaveEnded = std::move(ended); }
    bool backgroundSaveRunning() const;

    // "Clear All": deletes the messages in the current view in one pass. After a large one the
    // message file is rewritten at the next save, so it does not keep the deleted records.
    void ClearMessagesInView();
    static constexpr int kLargeClear = 10000;

    // The journal of MessageSet, HostSet or FilterSet; null for the other tables.
    TableJournal* journal(const Table& table);
    // Bytes the store has put on the disk for its journaled tables (journals and rewrites).
    std::uint64_t bytesWritten() const;

    // How many messages are kept (0: no limit) and for how many days (0: no limit).
    static constexpr std::int32_t kDefaultKeepMessages = 2'000'000;
    void setExpiry(std::int32_t keepMessages, std::int32_t keepDays);
    std::int32_t keepMessages() const { return m_keepMessages; }
    std::int32_t keepDays() const { return m_keepDays; }
    // Deletes the oldest messages (lowest Key) beyond the limits as of `now`, as ordinary
    // deletions that the next save writes; answers how many went. So that a message costs the
    // same however many are kept, passing the count limit takes a further 1/128 of it along, and
    // the age limit is looked at no more than once a minute (a message may outlive it by that).
    int ExpireMessages(DateTime now);

    // The key counters and their handlers.
    std::int32_t keyCounter(const Table& table) const;
    void MessageSetAfterOpen(Table& t) { afterOpen(t, m_messageKey); }
    void HostSetAfterOpen(Table& t) { afterOpen(t, m_hostKey); }
    void FacilitySetAfterOpen(Table& t) { afterOpen(t, m_facilityKey); }
    void SeveritySetAfterOpen(Table& t) { afterOpen(t, m_severityKey); }
    void FilterSetAfterOpen(Table& t) { afterOpen(t, m_filterKey); }
    void MessageSetNewRecord(Table& t) { newRecord(t, m_messageKey); }
    void HostSetNewRecord(Table& t) { newRecord(t, m_hostKey); }
    void FacilitySetNewRecord(Table& t) { newRecord(t, m_facilityKey); }
    void SeveritySetNewRecord(Table& t) { newRecord(t, m_severityKey); }
    void FilterSetNewRecord(Table& t);

    // Fills an empty facility or severity table with the built-in names and an "Any" row.
    void fillNames(Table& table, std::span<const std::string_view> names);

private:
    void report(ReportKind kind, const std::string& caption, const std::string& text);
    static void afterOpen(Table& t, std::int32_t& counter);
    static void newRecord(Table& t, std::int32_t& counter);
    // True when it was a first start (the templates were put in place).
    bool copyTemplates();
    // Loads a table's file; the error text when it exists but cannot be read.
    std::string loadTable(Table& table, FileIdentity* identity = nullptr);
    std::string moveAside(const std::string& path);
    void startFresh(Table& table, const std::string& error, bool lookupNames);
    void resetStructure(Table& table);
    void applyDisplay(Table& table);
    void addFilterLookups();
    // Raises the host table's counter above every HostKey the messages hold (for a host table
    // made afresh).
    void continueHostKeys();

    struct BackgroundSave;
    // Ends the table's background write (waiting for it with `wait`, else only when it has
    // ended): merges what it held into the saved state, or keeps its error for the next call.
    // False while it still runs.
    bool collectSave(Table& table, bool wait);
    SaveResult startBackgroundSave(Table& table);
    SaveResult takeSaveError(Table& table);

    std::string m_dataFolder;
    std::string m_appFolder;
    Reporter m_reporter;

    Table m_messageSet;
    Table m_hostSet;
    Table m_facilitySet;
    Table m_severitySet;
    Table m_filterSet;
    Table m_timeSet;

    std::int32_t m_messageKey = 0;
    std::int32_t m_hostKey = 0;
    std::int32_t m_facilityKey = 0;
    std::int32_t m_severityKey = 0;
    std::int32_t m_filterKey = 0;

    std::unique_ptr<TableJournal> m_messageJournal;
    std::unique_ptr<TableJournal> m_hostJournal;
    std::unique_ptr<TableJournal> m_filterJournal;
    std::int32_t m_keepMessages = kDefaultKeepMessages;
    std::int32_t m_keepDays = 0;
    DateTime m_lastAgeCheck = -1e300;

    int m_backgroundSaveRows = kDefaultBackgroundSaveRows;
    std::function<void()> m_backgroundSaveEnded;
    // Declared after the tables: the writing threads end before the tables go.
    std::vector<std::unique_ptr<BackgroundSave>> m_saves;
    std::vector<std::pair<const Table*, std::string>> m_saveErrors;

public:
    // About the size at which writing on the caller's thread would hold it for a tenth of a second.
    static constexpr int kDefaultBackgroundSaveRows = 20000;
};

}  // namespace corvane
