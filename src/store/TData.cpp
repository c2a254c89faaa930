#include "store/TData.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <sys/stat.h>
#include <system_error>

#include "store/DataPacketReader.h"
#include "store/DataPacketWriter.h"
#include "store/FileIo.h"
#include "protocol/Placeholders.h"
#include "store/FolderLock.h"
#include "store/StoreTables.h"
#include "store/StoreTexts.h"
#include "protocol/SyslogVocabulary.h"

namespace corvane {

namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 5> kTemplateOrder = {"MessageSet", "HostSet", "FacilitySet", "SeveritySet",
                                                       "FilterSet"};

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

void setIfPresent(Table& t, std::string_view field, std::int32_t v) {
    const int f = t.fieldIndex(field);
    if (f >= 0 && t.fields()[f].kind == FieldKind::Data)
        t.setInteger(f, v);
}

}  // namespace

TData::TData(std::string dataFolder, std::string appFolder, Reporter reporter)
    : m_dataFolder(std::move(dataFolder)),
      m_appFolder(std::move(appFolder)),
      m_reporter(std::move(reporter)),
      m_messageSet("MessageSet", messageSetFields()),
      m_hostSet("HostSet", hostSetFields()),
      m_facilitySet("FacilitySet", facilitySetFields()),
      m_severitySet("SeveritySet", facilitySetFields()),
      m_filterSet("FilterSet", filterSetFields()),
      m_timeSet("TimeSet", timeSetFields()) {
    m_messageSet.setCaseInsensitive(true);
    m_messageSet.afterOpen = [this](Table& t) { MessageSetAfterOpen(t); };
    m_hostSet.afterOpen = [this](Table& t) { HostSetAfterOpen(t); };
    m_facilitySet.afterOpen = [this](Table& t) { FacilitySetAfterOpen(t); };
    m_severitySet.afterOpen = [this](Table& t) { SeveritySetAfterOpen(t); };
    m_filterSet.afterOpen = [this](Table& t) { FilterSetAfterOpen(t); };
    m_messageSet.onNewRecord = [this](Table& t) { MessageSetNewRecord(t); };
    m_hostSet.onNewRecord = [this](Table& t) { HostSetNewRecord(t); };
    m_facilitySet.onNewRecord = [this](Table& t) { FacilitySetNewRecord(t); };
    m_severitySet.onNewRecord = [this](Table& t) { SeveritySetNewRecord(t); };
    m_filterSet.onNewRecord = [this](Table& t) { FilterSetNewRecord(t); };
    m_filterSet.setLookupResolver([this](std::string_view name) -> const Table* {
        for (const Table* t : {&m_hostSet, &m_facilitySet, &m_severitySet, &m_timeSet})
            if (t->name() == name)
                return t;
        return nullptr;
    });
    addFilterLookups();
    for (auto& [table, journal] :
         {std::pair{&m_messageSet, &m_messageJournal}, std::pair{&m_hostSet, &m_hostJournal},
          std::pair{&m_filterSet, &m_filterJournal}}) {
        *journal = std::make_unique<TableJournal>(dataFile(*table));
        // Blocks a running rewrite reads are kept until it has ended; only a reload or a discard
        // has to wait for it.
        table->beforeBlocksFreed = [j = journal->get()] { (void)j->collect(true); };
    }
    m_messageSet.open();
    m_hostSet.open();
    m_timeSet.open();
}

void TData::setFilterCompiler(const FilterCompiler* compiler) {
    for (Table* t : {&m_messageSet, &m_hostSet, &m_facilitySet, &m_severitySet, &m_filterSet, &m_timeSet})
        t->setFilterCompiler(compiler);
}

void TData::report(ReportKind kind, const std::string& caption, const std::string& text) {
    if (m_reporter)
        m_reporter(kind, caption, text);
}

void TData::afterOpen(Table& t, std::int32_t& counter) {
    const int count = t.totalRecordCount();
    const int key = t.fieldIndex("Key");
    if (count == 0 || key < 0) {
        counter = 0;
    } else {
        const RowReader last = t.readerOfRecord(count - 1);
        counter = last.isNull(key) ? 0 : last.integer(key) + 1;
    }
    if (t.recordCount() > 0)
        t.first();
}

void TData::newRecord(Table& t, std::int32_t& counter) {
    setIfPresent(t, "Key", counter);
    ++counter;
}

void TData::FilterSetNewRecord(Table& t) {
    newRecord(t, m_filterKey);
    setIfPresent(t, "FacilityKey", -1);
    setIfPresent(t, "SeverityKey", -1);
    setIfPresent(t, "Amount", 3);
    setIfPresent(t, "TimeKey", 0);
}

std::int32_t TData::keyCounter(const Table& table) const {
    if (&table == &m_messageSet)
        return m_messageKey;
    if (&table == &m_hostSet)
        return m_hostKey;
    if (&table == &m_facilitySet)
        return m_facilityKey;
    if (&table == &m_severitySet)
        return m_severityKey;
    if (&table == &m_filterSet)
        return m_filterKey;
    return 0;
}

void TData::addFilterLookups() {
    for (FieldDef& f : filterSetLookups()) {
        bool present = false;
        for (const FieldDef& existing : m_filterSet.fields())
            present = present || (existing.kind == FieldKind::Lookup && existing.name == f.name);
        if (!present)
            m_filterSet.addLookupField(std::move(f));
    }
}

void TData::FillTimeUnits() {
    static constexpr std::pair<int, const char*> kUnits[] = {
        {-1, "Any"}, {0, "Days"}, {1, "Hours"}, {2, "Minutes"}, {3, "Events"}};
    Table& t = m_timeSet;
    if (!t.isOpen())
        t.open();
    const int key = t.requireField("Key");
    const int of = t.requireField("Of");
    const int amount = t.requireField("Amount");
    for (const auto& [k, name] : kUnits) {
        t.append();
        t.setInteger(key, k);
        t.setText(of, name);
        t.setInteger(amount, 0);
    }
    t.post();
    t.first();
}

void TData::fillNames(Table& table, std::span<const std::string_view> names) {
    try {
        if (table.totalRecordCount() > 0)
            return;
        const int name = table.requireField("Name");
        const int key = table.requireField("Key");
        for (std::string_view n : names) {
            table.append();
            table.setText(name, n);
        }
        table.append();
        table.setInteger(key, -1);
        table.setText(name, "Any");
        table.post();
        const SaveResult saved = SaveTable(table);
        if (!saved.ok())
            report(ReportKind::MessageDialog, storetexts::kInitializeData, saved.error);
    } catch (const StoreError& e) {
        table.cancel();
        report(ReportKind::MessageDialog, storetexts::kInitializeData, e.what());
    }
}

struct TData::BackgroundSave {
    Table* table = nullptr;
    std::size_t logEntries = 0;  // the change-log entries the snapshot holds
    std::atomic<bool> ended{false};
    std::string error;  // set by the writing thread before `ended`
    std::thread thread;
};

TableJournal* TData::journal(const Table& table) {
    if (&table == &m_messageSet)
        return m_messageJournal.get();
    if (&table == &m_hostSet)
        return m_hostJournal.get();
    if (&table == &m_filterSet)
        return m_filterJournal.get();
    return nullptr;
}

std::uint64_t TData::bytesWritten() const {
    return m_messageJournal->bytesWritten() + m_hostJournal->bytesWritten() + m_filterJournal->bytesWritten();
}

TData::~TData() {
    for (TableJournal* j : {m_messageJournal.get(), m_hostJournal.get(), m_filterJournal.get()})
        (void)j->collect(true);
    for (auto& save : m_saves)
        if (save->thread.joinable())
            save->thread.join();
    m_saves.clear();
    for (Table* t : {&m_messageSet, &m_hostSet, &m_facilitySet, &m_severitySet, &m_filterSet, &m_timeSet})
        t->beforeBlocksFreed = nullptr;
}

bool TData::backgroundSaveRunning() const {
    for (const TableJournal* j : {m_messageJournal.get(), m_hostJournal.get(), m_filterJournal.get()})
        if (j->compactionRunning())
            return true;
    for (const auto& save : m_saves)
        if (!save->ended)
            return true;
    return false;
}

bool TData::collectSave(Table& table, bool wait) {
    for (auto it = m_saves.begin(); it != m_saves.end(); ++it) {
        BackgroundSave& save = **it;
        if (save.table != &table)
            continue;
        if (!wait && !save.ended)
            return false;
        save.thread.join();
        std::unique_ptr<BackgroundSave> ended = std::move(*it);
        m_saves.erase(it);
        if (ended->error.empty())
            table.mergeChangeLog(ended->logEntries);
        else
            m_saveErrors.emplace_back(&table, std::move(ended->error));
        return true;
    }
    return true;
}

TData::SaveResult TData::takeSaveError(Table& table) {
    for (auto it = m_saveErrors.begin(); it != m_saveErrors.end(); ++it) {
        if (it->first == &table) {
            SaveResult r{std::move(it->second)};
            m_saveErrors.erase(it);
            return r;
        }
    }
    return {};
}

TData::SaveResult TData::startBackgroundSave(Table& table) {
    const std::string path = dataFile(table);
    std::error_code ec;
    if (!fs::is_directory(m_dataFolder, ec))
        fs::create_directories(m_dataFolder, ec);
    // The table waits for the writer before it frees any block the snapshot points to.
    table.beforeBlocksFreed = [this, &table] { collectSave(table, true); };
    auto save = std::make_unique<BackgroundSave>();
    save->table = &table;
    save->logEntries = table.changeLogSize();
    BackgroundSave* raw = save.get();
    save->thread =
        std::thread([raw, path, snapshot = DataPacketWriter::snapshot(table), ended = m_backgroundSaveEnded] {
            AtomicFile file(path, 0600);
            DataPacketWriter::write(snapshot, [&file](std::string_view piece) { return file.write(piece); });
            const std::string error = file.commit();
            if (!error.empty())
                raw->error = fillIn(storetexts::kCannotWriteFile, {path, error});
            raw->ended = true;
            if (ended)
                ended();
        });
    m_saves.push_back(std::move(save));
    return {};
}

TData::SaveResult TData::SaveTable(Table& table, bool wait) {
    if (!table.isOpen())
        return {};
    table.post();
    if (&table == &m_timeSet)
        return {};  // rebuilt at every start, never kept in a file
    if (TableJournal* j = journal(table)) {
        // A data folder removed while the program runs is made again rather than losing the save.
        std::error_code ec;
        if (!fs::is_directory(m_dataFolder, ec)) {
            fs::create_directories(m_dataFolder, ec);
            ::chmod(m_dataFolder.c_str(), 0700);
        }
        std::string error = wait ? j->closeClean(table) : j->save(table);
        if (!wait && error.empty())
            j->compactIfDue(table, m_backgroundSaveEnded);
        return {std::move(error)};
    }
    if (!collectSave(table, wait))
        return {};  // still writing; the owner saves again when it has ended
    SaveResult previous = takeSaveError(table);
    const bool large = m_backgroundSaveRows > 0 && table.totalRecordCount() >= m_backgroundSaveRows;
    if (large && previous.ok() && !table.hasUnsavedChanges())
        return {};  // the file already holds every record
    if (large && !wait) {
        startBackgroundSave(table);
        return previous;
    }
    const std::string path = dataFile(table);
    // A data folder removed while the program runs is made again rather than losing the save.
    std::error_code ec;
    if (!fs::is_directory(m_dataFolder, ec))
        fs::create_directories(m_dataFolder, ec);
    AtomicFile file(path, 0600);
    {
        // The next piece of text is made while the last one goes to the disk.
        BackgroundWriter writer(file);
        DataPacketWriter::write(table, [&writer](std::string_view piece) { return writer.put(piece); });
        writer.finish();
    }
    const std::string error = file.commit();
    if (!error.empty())
        return {fillIn(storetexts::kCannotWriteFile, {path, error})};
    table.mergeChangeLog();
    return {};
}

TData::SaveResult TData::SaveData(bool wait) {
    SaveResult first;
    for (Table* t : {&m_messageSet, &m_hostSet, &m_filterSet}) {
        SaveResult r = SaveTable(*t, wait);
        if (first.ok() && !r.ok())
            first = std::move(r);
    }
    return first;
}

TData::SaveResult TData::SaveLookups() {
    SaveResult first;
    for (Table* t : {&m_facilitySet, &m_severitySet}) {
        if (!t->hasUnsavedChanges())
            continue;
        SaveResult r = SaveTable(*t);
        if (first.ok() && !r.ok())
            first = std::move(r);
    }
    return first;
}

void TData::ClearMessagesInView() {
    if (!m_messageSet.isOpen())
        return;
    const int before = m_messageSet.totalRecordCount();
    m_messageSet.deleteAllInView();
    if (before - m_messageSet.totalRecordCount() >= kLargeClear)
        m_messageJournal->compactSoon();
}

void TData::setExpiry(std::int32_t keepMessages, std::int32_t keepDays) {
    m_keepMessages = std::max(keepMessages, 0);
    m_keepDays = std::max(keepDays, 0);
    m_lastAgeCheck = -1e300;
}

int TData::ExpireMessages(DateTime now) {
    constexpr std::size_t kSlack = 128;
    constexpr DateTime kAgeCheckEvery = 1.0 / (24 * 60);
    Table& m = m_messageSet;
    if (!m.isOpen())
        return 0;
    m.post();  // a record that intake is still filling counts too
    const auto total = static_cast<std::size_t>(m.totalRecordCount());
    const auto keep = static_cast<std::size_t>(m_keepMessages);
    std::size_t doomed = 0;
    if (keep > 0 && total > keep)
        doomed = std::min(total, total - keep + keep / kSlack);
    const bool ageDue = doomed > 0 || now - m_lastAgeCheck >= kAgeCheckEvery || now < m_lastAgeCheck;
    const int date = m.fieldIndex("Date");
    if (m_keepDays > 0 && ageDue && date >= 0 && m.fields()[date].kind == FieldKind::Data &&
        m.fields()[date].type == FieldType::DateTime) {
        m_lastAgeCheck = now;
        const DateTime cutoff = now - m_keepDays;
        // Keys rise with arrival: the expired ones are the leading run, up to the first newer one.
        while (doomed < total) {
            const RowReader r = m.readerOfRecord(static_cast<int>(doomed));
            if (r.isNull(date) || r.dateTime(date) >= cutoff)
                break;
            ++doomed;
        }
    }
    if (doomed > 0)
        m.deleteFirst(doomed);
    return static_cast<int>(doomed);
}

bool TData::copyTemplates() {
    std::error_code ec;
    const std::string messageFile = m_dataFolder + "MessageSet.vtx";
    if (fs::is_directory(m_dataFolder, ec) && fileExists(messageFile))
        return false;
    fs::create_directories(m_dataFolder, ec);  // a failure shows up when the files are loaded
    for (const char* name : kTemplateOrder) {
        const std::string file = std::string(name) + ".vtx";
        std::string bytes;
        std::string error;
        if (!readWholeFile(m_appFolder + file, bytes, error))
            continue;
        writeFileAtomically(m_dataFolder + file, bytes);
    }
    return true;
}

std::string TData::loadTable(Table& table, FileIdentity* identity) {
    const std::string path = dataFile(table);
    FileBytes bytes;
    std::string error;
    if (!readWholeFile(path, bytes, error))
        return fillIn(storetexts::kCannotOpenFile, {path, error});
    if (identity)
        *identity = FileIdentity::of(bytes.view());
    PacketReadResult r = DataPacketReader::read(bytes.view());
    bytes.clear();
    if (!r.ok())
        return r.error;
    table.load(std::move(r.contents));
    applyDisplay(table);
    return {};
}

void TData::applyDisplay(Table& table) {
    // The file keeps only the stored shape; how grids show a field is the program's own.
    std::vector<FieldDef> known;
    if (&table == &m_messageSet)
        known = messageSetFields();
    else if (&table == &m_hostSet)
        known = hostSetFields();
    else if (&table == &m_filterSet)
        known = filterSetFields();
    else
        known = facilitySetFields();
    std::vector<FieldDef> fields = table.fields();
    bool changed = false;
    for (FieldDef& f : fields) {
        for (const FieldDef& k : known) {
            if (f.kind != FieldKind::Data || k.name != f.name)
                continue;
            changed = changed || f.shown != k.shown || f.displayWidth != k.displayWidth || f.tag != k.tag;
            f.shown = k.shown;
            f.displayWidth = k.displayWidth;
            f.tag = k.tag;
            f.readOnly = f.readOnly || k.readOnly;
        }
    }
    if (changed)
        table.setDisplay(fields);
}

std::string TData::moveAside(const std::string& path) {
    const DateTimeFields f = decodeDateTime(now());
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", f.year, f.month, f.day, f.hour, f.minute,
                  f.second);
    std::string target = path + ".damaged-" + stamp;
    for (int n = 2; fileExists(target) && n < 1000; ++n)
        target = path + ".damaged-" + stamp + "-" + std::to_string(n);
    std::error_code ec;
    fs::rename(path, target, ec);
    return ec ? std::string() : target;
}

void TData::resetStructure(Table& table) {
    if (&table == &m_messageSet)
        table.setFields(messageSetFields());
    else if (&table == &m_hostSet)
        table.setFields(hostSetFields());
    else if (&table == &m_filterSet)
        table.setFields(filterSetFields());
    else
        table.setFields(facilitySetFields());
}

void TData::startFresh(Table& table, const std::string& error, bool lookupNames) {
    const std::string path = dataFile(table);
    std::string kept;
    if (fileExists(path)) {
        kept = moveAside(path);
        if (kept.empty()) {
            // The damaged file could not be moved: leave the table closed so nothing overwrites it.
            table.close();
            report(ReportKind::ApplicationError, table.name(),
                   fillIn(storetexts::kCannotOpenFile, {path, error}));
            return;
        }
    }
    resetStructure(table);
    if (&table == &m_filterSet)
        addFilterLookups();
    table.open();
    if (lookupNames) {
        report(ReportKind::ApplicationError, table.name(),
               kept.empty() ? fillIn(storetexts::kLookupFilledAfterError, {path, error})
                            : fillIn(storetexts::kLookupMovedAside, {path, error, kept}));
        return;
    }
    report(ReportKind::ApplicationError, table.name(),
           fillIn(storetexts::kFileMovedAside, {path, error, kept.empty() ? path : kept}));
    if (&table == &m_filterSet) {
        // The template's filter row: host key 0 is the host table's "Any" row, so the address
        // box shows "Any" rather than nothing.
        table.append();
        setIfPresent(table, "HostKey", 0);
        table.post();
    }
    // Written at once, so that the next start is not taken for a first start.
    const SaveResult saved = SaveTable(table);
    if (!saved.ok())
        report(ReportKind::ApplicationError, table.name(), saved.error);
}

void TData::DataModuleCreate() {
    bool firstStart = false;
    try {
        firstStart = copyTemplates();
    } catch (const std::exception& e) {
        report(ReportKind::MessageDialog, storetexts::kInitializeData, e.what());
    }
    tidyDataFolder(m_dataFolder);

    const std::pair<Table*, std::span<const std::string_view>> lookups[] = {
        {&m_facilitySet, FacilityNames},
        {&m_severitySet, SeverityNames},
    };
    for (const auto& [table, names] : lookups) {
        const std::string error = loadTable(*table);
        if (!error.empty())
            startFresh(*table, error, true);
        fillNames(*table, names);
    }

    bool freshHosts = true;
    for (Table* table : {&m_messageSet, &m_hostSet, &m_filterSet}) {
        TableJournal& j = *journal(*table);
        const auto tell = [&](const std::string& text) {
            if (!text.empty())
                report(ReportKind::ApplicationError, table->name(), text);
        };
        if (!fileExists(dataFile(*table))) {
            tell(j.open(*table, nullptr));
            continue;  // messages and hosts stay empty; the filter table stays closed
        }
        FileIdentity identity;
        const std::string error = loadTable(*table, &identity);
        if (!error.empty()) {
            // A journal of a file that could not be read is kept, never applied to a fresh one.
            tell(j.open(*table, nullptr));
            startFresh(*table, error, false);
            continue;
        }
        if (table == &m_hostSet)
            freshHosts = false;
        // A first start begins with the templates; what an earlier folder's journals hold is
        // kept aside, not brought back.
        tell(j.open(*table, &identity, firstStart));
        if (table->afterOpen)
            table->afterOpen(*table);  // the key counter follows the replayed records
    }
    if (freshHosts)
        continueHostKeys();
    addFilterLookups();
    FillTimeUnits();
}

void TData::continueHostKeys() {
    // A host table made afresh (its file damaged or missing) must not hand a new sender a key
    // that stored messages still carry for an old one.
    if (!m_hostSet.isOpen() || !m_messageSet.isOpen())
        return;
    const int hostKey = m_messageSet.fieldIndex("HostKey");
    if (hostKey < 0 || !m_messageSet.fields()[hostKey].isIntegral() ||
        m_messageSet.fields()[hostKey].kind != FieldKind::Data)
        return;
    std::int32_t highest = 0;
    const int count = m_messageSet.totalRecordCount();
    for (int i = 0; i < count; ++i) {
        const RowReader r = m_messageSet.readerOfRecord(i);
        if (!r.isNull(hostKey))
            highest = std::max(highest, r.integer(hostKey));
    }
    if (highest < std::numeric_limits<std::int32_t>::max() && m_hostSet.autoIncValue() <= highest)
        m_hostSet.setAutoIncValue(highest + 1);
}

}  // namespace corvane
