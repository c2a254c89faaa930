#include "app/LineReader.h"

#include "app/ExchangeTexts.h"
#include "protocol/Placeholders.h"

#include <sys/stat.h>
#include <zlib.h>

#include <cerrno>
#include <cstring>

namespace corvane {

namespace {
constexpr std::size_t kChunk = 1 << 20;
gzFile gz(void* p) {
    return static_cast<gzFile>(p);
}
}  // namespace

LineReader::~LineReader() {
    if (m_gz)
        gzclose(gz(m_gz));
}

std::string LineReader::open(const std::string& path) {
    m_path = path;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return m_error = fillIn(exchange_texts::kOpenFailed, {path, std::strerror(errno)});
    if (S_ISDIR(st.st_mode))
        return m_error = fillIn(exchange_texts::kOpenFailed, {path, std::strerror(EISDIR)});
    m_size = static_cast<std::uint64_t>(st.st_size);
    errno = 0;
    m_gz = gzopen(path.c_str(), "rb");
    if (!m_gz)
        return m_error = fillIn(exchange_texts::kOpenFailed, {path, std::strerror(errno ? errno : ENOMEM)});
    gzbuffer(gz(m_gz), 256 * 1024);
    m_buffer.resize(2 * kChunk);
    return {};
}

std::uint64_t LineReader::fileOffset() const {
    return m_gz ? static_cast<std::uint64_t>(gzoffset(gz(m_gz))) : 0;
}

bool LineReader::fill() {
    if (m_eof || !m_gz)
        return false;
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_buffer.size() - m_end < kChunk)
        m_buffer.resize(m_end + kChunk);
    const int n = gzread(gz(m_gz), m_buffer.data() + m_end, static_cast<unsigned>(kChunk));
    if (n < 0) {
        int code = 0;
        const char* what = gzerror(gz(m_gz), &code);
        m_error =
            fillIn(exchange_texts::kReadFailed, {m_path, code == Z_ERRNO ? std::strerror(errno) : what});
        m_eof = true;
        return false;
    }
    if (n == 0) {
        m_eof = true;
        return false;
    }
    m_end += static_cast<std::size_t>(n);
    return true;
}

bool LineReader::next(std::string_view& line) {
    m_cut = false;
    std::size_t scanned = m_begin;
    for (;;) {
        const void* lf = std::memchr(m_buffer.data() + scanned, '\n', m_end - scanned);
        if (lf) {
            const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(lf) - m_buffer.data());
            std::size_t length = at - m_begin;
            if (length > kMaxLine) {
                length = kMaxLine;
                m_cut = true;
            }
            line = std::string_view(m_buffer.data() + m_begin, length);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            m_begin = at + 1;
            return true;
        }
        if (m_end - m_begin > kMaxLine) {
            // Keep the start of an overlong line and drop the rest up to its end.
            m_line.assign(m_buffer.data() + m_begin, kMaxLine);
            m_begin = m_end;
            for (;;) {
                if (m_begin == m_end && !fill())
                    break;
                const void* end = std::memchr(m_buffer.data() + m_begin, '\n', m_end - m_begin);
                if (end) {
                    m_begin = static_cast<std::size_t>(static_cast<const char*>(end) - m_buffer.data()) + 1;
                    break;
                }
                m_begin = m_end;
            }
            m_cut = true;
            line = m_line;
            return m_error.empty();
        }
        scanned = m_end;
        const std::size_t before = m_begin;
        if (!fill()) {
            if (m_end > m_begin && m_error.empty()) {
                line = std::string_view(m_buffer.data() + m_begin, m_end - m_begin);
                if (!line.empty() && line.back() == '\r')
                    line.remove_suffix(1);
                m_begin = m_end;
                return true;
            }
            return false;
        }
        scanned -= before - m_begin;
    }
}

}  // namespace corvane
