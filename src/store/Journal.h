#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Names the data file a journal continues: its size and a hash of its last bytes. A rewritten
// data file practically always differs in one of them; where it does not, replaying the journal
// again does no harm (every entry sets the whole state of one key).
struct FileIdentity {
    std::uint64_t size = 0;
    std::uint64_t hash = 0;

    bool pending() const { return size == 0 && hash == 0; }
    bool operator==(const FileIdentity&) const = default;

    static FileIdentity of(std::string_view bytes);
    // Follows the bytes of a file as they are written, to name it without reading it back.
    class Builder {
    public:
        void add(std::string_view piece);
        FileIdentity identity() const;

    private:
        std::uint64_t m_size = 0;
        std::string m_tail;
    };
};

// A journal file: a header line naming its data file ("CVJ1 <size> <hash>", hexadecimal, of
// fixed width so it can be rewritten in place), then one line per entry:
// "<crc32 of the payload, 8 hex digits> <payload>". A payload is "P <ROW .../>" (the record with
// that Key, written as in the data file), "D <key>" (no record with that Key) or "A <value>"
// (the auto-increment counter). Texts are entity-escaped like the data file, so no payload
// holds a line break.
class JournalFile {
public:
    JournalFile() = default;
    ~JournalFile();
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;
    JournalFile(JournalFile&& other) noexcept { *this = std::move(other); }
    JournalFile& operator=(JournalFile&& other) noexcept;

    static std::string header(FileIdentity base);
    static std::string entry(char kind, std::string_view body);
    static constexpr std::size_t kHeaderSize = 39;

    // Creates (or empties) the file with its header, flushed with its folder. Empty on success,
    // otherwise the reason.
    std::string create(const std::string& path, FileIdentity base);
    // Opens an existing journal for appending after its first `goodLength` bytes; a torn
    // entry beyond them is cut off.
    std::string open(const std::string& path, std::uint64_t goodLength);
    // Writes the bytes at the end and flushes them to the disk (fdatasync). On failure nothing of
    // them counts: the file is cut back to its former length, and the caller may try again.
    std::string append(std::string_view bytes);
    // Rewrites the header in place and flushes it.
    std::string setBase(FileIdentity base);
    void close();

    bool isOpen() const { return m_fd >= 0; }
    std::uint64_t size() const { return m_size; }
    const std::string& path() const { return m_path; }
    void renamed(std::string path) { m_path = std::move(path); }

private:
    int m_fd = -1;
    std::uint64_t m_size = 0;
    std::string m_path;
};

// What a journal holds, read without trusting it.
struct JournalContents {
    struct Entry {
        char kind;
        std::string_view body;
    };
    bool headerOk = false;
    FileIdentity base;
    std::vector<Entry> entries;
    std::uint64_t goodLength = 0;  // up to the end of the last sound entry
    bool torn = false;             // the last entry is incomplete (a write the system cut short)
    bool damaged = false;          // an unsound entry is followed by others

    static JournalContents parse(std::string_view bytes);
};

// Rewrites the header of the journal at `path` in place and flushes it, leaving its entries
// (and anything another writer appends meanwhile) as they are.
std::string setJournalBase(const std::string& path, FileIdentity base);

// Flushes a folder's entries (creations, renames, removals) to the disk.
void syncFolder(const std::string& path);

}  // namespace corvane
