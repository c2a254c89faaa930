#include "store/TableJournal.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "store/DataPacketReader.h"
#include "store/FileIo.h"
#include "store/StoreTexts.h"
#include "protocol/Placeholders.h"

namespace corvane {

namespace fs = std::filesystem;

namespace {

constexpr auto kRetryDelay = std::chrono::seconds(5);

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool parseInt64(std::string_view s, std::int64_t& out) {
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

std::string stamp() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &tm);
    return text;
}

}  // namespace

TableJournal::TableJournal(std::string dataPath)
    : m_paths{dataPath, dataPath + ".journal", dataPath + ".journal-next"} {}

TableJournal::~TableJournal() {
    if (m_compaction)
        m_compaction->join();
}

std::uint64_t TableJournal::journalBytes() const {
    std::uint64_t bytes = 0;
    if (m_journal.isOpen())
        bytes += m_journal.size() - std::min<std::uint64_t>(m_journal.size(), JournalFile::kHeaderSize);
    if (m_rotated && m_next.isOpen())
        bytes += m_next.size() - std::min<std::uint64_t>(m_next.size(), JournalFile::kHeaderSize);
    return bytes;
}

std::string TableJournal::setAside(const std::string& path, const char* what) {
    std::string target = path + "." + what + "-" + stamp();
    for (int n = 2; fileExists(target) && n < 1000; ++n)
        target = path + "." + what + "-" + stamp() + "-" + std::to_string(n);
    if (std::rename(path.c_str(), target.c_str()) != 0)
        target = path;
    syncFolder(path);
    return target;
}

std::string TableJournal::apply(Table& table, const JournalContents& contents, const std::string& path) {
    // The records of the journal are read in one go, as the rows of a packet of the table's own
    // structure.
    DataPacketWriter::Snapshot empty{table.fields(), table.layout(), table.autoIncValue(), {}};
    std::string packet;
    DataPacketWriter::write(empty, [&packet](std::string_view piece) {
        packet.append(piece);
        return true;
    });
    const std::size_t end = packet.rfind("</ROWDATA>");
    std::string rows;
    for (const JournalContents::Entry& e : contents.entries)
        if (e.kind == 'P')
            rows.append(e.body);
    packet.insert(end, rows);
    rows.clear();
    PacketReadResult read = DataPacketReader::read(packet);
    packet.clear();
    if (!read.ok())
        return fillIn(storetexts::kJournalUnreadable, {path, read.error, setAside(path, "damaged")});
    std::vector<RowPtr>& parsed = read.contents.rows;
    std::sort(parsed.begin(), parsed.end(), [](const RowPtr& a, const RowPtr& b) {
        return RowLayout::rowId(a.get()) < RowLayout::rowId(b.get());
    });
    const RowLayout parsedLayout(read.contents.fields);
    std::vector<int> target;  // table field of each parsed field
    for (std::size_t i = 0; i < table.fields().size(); ++i)
        if (table.fields()[i].kind == FieldKind::Data)
            target.push_back(static_cast<int>(i));
    RowBuffer from;
    from.reset(read.contents.fields.size());
    RowBuffer to;
    to.reset(table.fields().size());
    std::size_t next = 0;
    for (const JournalContents::Entry& e : contents.entries) {
        std::int64_t value = 0;
        if (e.kind == 'P' && next < parsed.size()) {
            parsedLayout.decode(parsed[next++].get(), from);
            to.setAllNull();
            for (std::size_t f = 0; f < from.nulls.size() && f < target.size(); ++f) {
                const auto t = static_cast<std::size_t>(target[f]);
                to.nulls[t] = from.nulls[f];
                to.numbers[t] = from.numbers[f];
                to.texts[t] = std::move(from.texts[f]);
            }
            table.replayPut(to);
        } else if (e.kind == 'D' && parseInt64(e.body, value)) {
            table.replayRemove(value);
        } else if (e.kind == 'A' && parseInt64(e.body, value) && value > table.autoIncValue() &&
                   value <= INT32_MAX) {
            table.setAutoIncValue(static_cast<std::int32_t>(value));
        }
    }
    if (!contents.damaged)
        return {};
    // What follows the damage cannot be trusted; a copy is kept for whoever wants to look.
    const std::string copy = path + ".damaged-" + stamp();
    std::error_code ec;
    fs::copy_file(path, copy, ec);
    return fillIn(storetexts::kJournalDamaged,
                  {path, std::to_string(contents.entries.size()), ec ? path : copy});
}

std::string TableJournal::open(Table& table, const FileIdentity* base, bool fresh) {
    m_journal.close();
    m_next.close();
    m_rotated = false;
    m_pending.clear();
    const auto report = [](std::string& to, const std::string& text) {
        if (text.empty())
            return;
        if (!to.empty())
            to += '\n';
        to += text;
    };
    std::string said;
    FileBytes journalBytes, nextBytes;
    std::string error;
    const bool hasJournal = fileExists(m_paths.journal);
    const bool hasNext = fileExists(m_paths.next);
    if (hasJournal && !readWholeFile(m_paths.journal, journalBytes, error))
        return fillIn(storetexts::kJournalUnreadable,
                      {m_paths.journal, error, setAside(m_paths.journal, "damaged")});
    if (hasNext && !readWholeFile(m_paths.next, nextBytes, error))
        return fillIn(storetexts::kJournalUnreadable,
                      {m_paths.next, error, setAside(m_paths.next, "damaged")});
    // A journal cut off before its header was complete holds nothing.
    const auto empty = [](const FileBytes& b) { return b.view().size() < JournalFile::kHeaderSize; };
    const JournalContents journal = JournalContents::parse(journalBytes.view());
    const JournalContents next = JournalContents::parse(nextBytes.view());
    const bool useJournal = !fresh && hasJournal && base && journal.headerOk && journal.base == *base;
    const bool useNextOnly = !fresh && !useJournal && hasNext && base && next.headerOk && next.base == *base;
    m_hasBase = base != nullptr;
    if (base)
        m_base = *base;

    if (useJournal) {
        report(said, apply(table, journal, m_paths.journal));
        if (const std::string e = m_journal.open(m_paths.journal, journal.goodLength); !e.empty())
            report(said, fillIn(storetexts::kCannotOpenFile, {m_paths.journal, e}));
        if (hasNext && next.headerOk) {
            report(said, apply(table, next, m_paths.next));
            m_rotated = m_next.open(m_paths.next, next.goodLength).empty();
        } else if (hasNext && empty(nextBytes)) {
            ::unlink(m_paths.next.c_str());
        } else if (hasNext) {
            report(said,
                   fillIn(storetexts::kJournalForeign, {m_paths.next, setAside(m_paths.next, "foreign")}));
        }
    } else if (useNextOnly) {
        // The file was rewritten with everything the old journal held; the next one continues it.
        report(said, apply(table, next, m_paths.next));
        if (hasJournal)
            ::unlink(m_paths.journal.c_str());
        std::rename(m_paths.next.c_str(), m_paths.journal.c_str());
        syncFolder(m_paths.journal);
        (void)m_journal.open(m_paths.journal, next.goodLength);
    } else {
        for (const auto& [present, bytes, path] : {std::tuple{hasJournal, &journalBytes, &m_paths.journal},
                                                   std::tuple{hasNext, &nextBytes, &m_paths.next}}) {
            if (!present)
                continue;
            if (empty(*bytes))
                ::unlink(path->c_str());
            else
                report(said, fillIn(storetexts::kJournalForeign, {*path, setAside(*path, "foreign")}));
        }
    }
    table.finishReplay();
    m_journaledAutoInc = table.autoIncValue();
    return said;
}

void TableJournal::record(Table& table) {
    if (table.hasUnsavedChanges()) {
        DataPacketWriter::RowWriter writer(table.fields(), table.layout());
        std::string row;
        table.forEachChange([&](Table::Change change, const std::uint8_t* block, std::int64_t key) {
            if (change == Table::Change::Put) {
                row.clear();
                writer.append(block, row);
                m_pending += JournalFile::entry('P', row);
            } else {
                m_pending += JournalFile::entry('D', std::to_string(key));
            }
        });
        std::vector<RowPtr> blocks = table.takeChangeLog();
        if (m_compaction)
            std::move(blocks.begin(), blocks.end(), std::back_inserter(m_graveyard));
    }
    bool autoInc = false;
    for (const FieldDef& f : table.fields()) autoInc = autoInc || f.type == FieldType::AutoInc;
    if (autoInc && table.autoIncValue() != m_journaledAutoInc) {
        m_pending += JournalFile::entry('A', std::to_string(table.autoIncValue()));
        m_journaledAutoInc = table.autoIncValue();
    }
}

std::string TableJournal::writeWhole(Table& table) {
    AtomicFile file(m_paths.data, 0600);
    FileIdentity::Builder identity;
    DataPacketWriter::write(table, [&](std::string_view piece) {
        identity.add(piece);
        return file.write(piece);
    });
    if (const std::string error = file.commit(); !error.empty())
        return fillIn(storetexts::kCannotWriteFile, {m_paths.data, error});
    m_base = identity.identity();
    m_hasBase = true;
    m_bytesWritten += m_base.size;
    m_pending.clear();
    return {};
}

std::string TableJournal::save(Table& table) {
    std::string compactionError = collect(false);
    record(table);
    // A data file or journal removed behind the program's back is written whole again, rather
    // than appending to a journal nobody will read.
    if (m_hasBase && (!fileExists(m_paths.data) || (m_journal.isOpen() && !fileExists(m_paths.journal)))) {
        (void)collect(true);
        m_journal.close();
        m_next.close();
        m_rotated = false;
        m_hasBase = false;
    }
    if (!m_hasBase)
        return writeWhole(table);
    if (m_pending.empty())
        return compactionError;
    JournalFile& file = m_rotated ? m_next : m_journal;
    if (!file.isOpen()) {
        if (const std::string error = file.create(m_paths.journal, m_base); !error.empty())
            return fillIn(storetexts::kCannotWriteFile, {m_paths.journal, error});
    }
    if (const std::string error = file.append(m_pending); !error.empty())
        return fillIn(storetexts::kCannotWriteFile, {file.path(), error});
    m_bytesWritten += m_pending.size();
    m_pending.clear();
    return compactionError;
}

std::string TableJournal::startNext() {
    if (m_rotated)
        return {};
    if (const std::string error = m_next.create(m_paths.next, FileIdentity{}); !error.empty())
        return fillIn(storetexts::kCannotWriteFile, {m_paths.next, error});
    m_rotated = true;
    m_bytesWritten += JournalFile::kHeaderSize;
    return {};
}

void TableJournal::compactIfDue(Table& table, std::function<void()> ended) {
    if (m_compaction || !m_hasBase || !m_pending.empty())
        return;
    if (std::chrono::steady_clock::now() < m_retryAfter)
        return;
    const auto due = std::max<std::uint64_t>(m_minimum, static_cast<std::uint64_t>(m_share * m_base.size));
    if (!m_compactSoon && journalBytes() < due)
        return;
    m_compactSoon = false;
    if (!startNext().empty()) {
        m_retryAfter = std::chrono::steady_clock::now() + kRetryDelay;
        return;
    }
    m_compaction = std::make_unique<Compaction>(m_paths, DataPacketWriter::snapshot(table));
    m_compaction->start(std::move(ended));
}

void TableJournal::switched() {
    m_journal = std::move(m_next);
    m_journal.renamed(m_paths.journal);
    m_rotated = false;
}

std::string TableJournal::collect(bool wait) {
    if (!m_compaction || (!wait && !m_compaction->ended()))
        return {};
    m_compaction->join();
    const std::unique_ptr<Compaction> c = std::move(m_compaction);
    m_graveyard.clear();
    m_bytesWritten += c->bytesWritten();
    if (c->renamed())
        m_base = c->identity();
    if (c->switched()) {
        switched();
    } else if (c->renamed() && std::rename(m_paths.next.c_str(), m_paths.journal.c_str()) == 0) {
        syncFolder(m_paths.journal);
        switched();
        return {};
    }
    if (!c->error().empty()) {
        m_retryAfter = std::chrono::steady_clock::now() + kRetryDelay;
        return c->error();
    }
    return {};
}

std::string TableJournal::closeClean(Table& table) {
    (void)collect(true);
    if (const std::string error = save(table); !error.empty())
        return error;
    if (!m_journal.isOpen() && !m_rotated)
        return {};  // the file holds every record
    if (!m_rotated && m_journal.size() <= JournalFile::kHeaderSize) {
        m_journal.close();
        ::unlink(m_paths.journal.c_str());
        syncFolder(m_paths.journal);
        return {};
    }
    if (const std::string error = startNext(); !error.empty())
        return error;
    Compaction c(m_paths, DataPacketWriter::snapshot(table));
    c.run();
    m_bytesWritten += c.bytesWritten();
    if (c.renamed())
        m_base = c.identity();
    if (c.switched())
        switched();
    else if (c.renamed() && std::rename(m_paths.next.c_str(), m_paths.journal.c_str()) == 0)
        switched();
    else
        return c.error();
    // The journal holds nothing the file lacks now.
    m_journal.close();
    ::unlink(m_paths.journal.c_str());
    syncFolder(m_paths.journal);
    Compaction::step("removed");
    return {};
}

}  // namespace corvane
