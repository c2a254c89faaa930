#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace corvane {

// The bytes of a whole file. A large file is mapped from the page cache rather than copied (a
// data file can be hundreds of megabytes); a small one is read into memory that is not cleared
// first. The program replaces its files by renaming, never by writing into them, so a mapped file
// does not change under the reader.
class FileBytes {
public:
    FileBytes() = default;
    ~FileBytes() { clear(); }
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    std::string_view view() const { return {m_mapped ? m_mapped : m_data.get(), m_size}; }
    void clear();

    // Files from this size on are mapped.
    static constexpr std::size_t kMapFrom = std::size_t{1} << 20;

private:
    friend bool readWholeFile(const std::string& path, FileBytes& out, std::string& error);
    std::unique_ptr<char[]> m_data;
    char* m_mapped = nullptr;
    std::size_t m_size = 0;
};

// Reads a whole file; false with the reason in `error` when it cannot be read.
bool readWholeFile(const std::string& path, FileBytes& out, std::string& error);
bool readWholeFile(const std::string& path, std::string& out, std::string& error);

// Replaces a file so that it is either wholly old or wholly new: the bytes go to a temporary
// file in the same folder, which is flushed and renamed over the old one, and the folder is
// flushed. Until commit() succeeds the old file is untouched; a file never committed is
// removed with its temporary file.
class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    // The new file gets `mode` whatever the old one had.
    AtomicFile(std::string path, unsigned mode);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False once anything failed; error() then tells why.
    bool ok() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }

    bool write(std::string_view bytes);
    // Flushes the temporary file to the disk without renaming it yet; empty text on success.
    std::string sync();
    // Flushes and renames over the target; empty text on success, otherwise the reason.
    std::string commit();

private:
    void fail(int err);
    void discard();
    void setMode(unsigned mode);

    std::string m_path;
    std::string m_temp;
    int m_fd = -1;
    std::string m_error;
};

// Hands pieces of a file to an AtomicFile from a thread of its own, so that the caller makes
// the next piece while the last one is written. Each piece is copied; at most two wait. The
// caller's thread owns the AtomicFile again once finish() has returned.
class BackgroundWriter {
public:
    explicit BackgroundWriter(AtomicFile& file);
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // False once a write failed; the file's error() then tells why (after finish()).
    bool put(std::string_view piece);
    // Waits for every piece to be written; false when one failed.
    bool finish();

private:
    void run();

    AtomicFile& m_file;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::string> m_waiting;
    std::vector<std::string> m_spare;
    bool m_closing = false;
    bool m_failed = false;
    std::thread m_thread;
};

// Writes a whole file through AtomicFile. Returns an empty text on success, otherwise the
// reason; the old file is then intact.
std::string writeFileAtomically(const std::string& path, std::string_view data);

}  // namespace corvane
