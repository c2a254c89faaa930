#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace corvane {

// The file an export writes: the bytes go to "<path>.part" beside the target, which is renamed
// over the target once everything was written. When anything fails, or the export is
// abandoned, the partial file is removed and the target is left as it was. A thread of its own
// writes one piece while the caller makes the next.
class ExportFile {
public:
    ExportFile() = default;
    ~ExportFile();
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    // Creates the partial file; the error text when it cannot be created.
    std::string open(const std::string& path);
    // Buffers the bytes and writes them out in large pieces; false once a write failed.
    bool write(std::string_view bytes);
    // Writes what is buffered, closes and renames; the error text, empty on success.
    std::string commit();
    // Removes the partial file (nothing happens after a commit).
    void discard();

    bool ok() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }
    const std::string& partialPath() const { return m_temp; }
    std::size_t bytesWritten() const { return m_written.load(std::memory_order_relaxed); }

private:
    static constexpr std::size_t kPiece = 1 << 20;
    // Hands the buffer to the writing thread (waiting until it took the last one).
    bool handOver();
    // Waits until the writing thread has written everything it was given.
    void drain();
    void run();
    bool writeAll(const std::string& bytes, int& err);
    void fail(int err);
    void stopThread();

    std::string m_path;
    std::string m_temp;
    std::string m_buffer;
    std::string m_error;
    std::atomic<std::size_t> m_written{0};
    int m_fd = -1;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::string m_pending;  // handed over, not yet written
    bool m_hasPending = false;
    bool m_stopping = false;
    int m_writeError = 0;
    std::thread m_thread;
};

}  // namespace corvane
