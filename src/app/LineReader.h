#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// Reads a text file line by line, whether it is plain or gzip-compressed (a rotated log such as
// syslog.2.gz). Lines end at LF; a CR before it is dropped. A line longer than kMaxLine is cut
// there and the rest of it skipped.
class LineReader {
public:
    static constexpr std::size_t kMaxLine = 1 << 20;

    LineReader() = default;
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The error text, empty on success.
    std::string open(const std::string& path);
    // The next line, valid until the next call; false at the end or after a read error.
    bool next(std::string_view& line);
    // Empty unless reading failed.
    const std::string& error() const { return m_error; }
    bool lastLineWasCut() const { return m_cut; }

    // Bytes of the file read so far and its size, for progress.
    std::uint64_t fileOffset() const;
    std::uint64_t fileSize() const { return m_size; }

private:
    bool fill();

    void* m_gz = nullptr;  // gzFile
    std::string m_path;
    std::string m_error;
    std::string m_buffer;
    std::size_t m_begin = 0;  // first byte of the buffer not yet handed out
    std::size_t m_end = 0;    // bytes in the buffer
    std::string m_line;
    std::uint64_t m_size = 0;
    bool m_eof = false;
    bool m_cut = false;
};

}  // namespace corvane
