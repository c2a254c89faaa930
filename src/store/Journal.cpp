#include "store/Journal.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

constexpr std::size_t kTailBytes = 4096;
constexpr std::string_view kMagic = "CVJ1 ";

std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t h = 1469598103934665603ULL;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    return h;
}

struct CrcTable {
    std::array<std::uint32_t, 256> v{};
    constexpr CrcTable() {
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            v[i] = c;
        }
    }
};
constexpr CrcTable kCrc;

std::uint32_t crc32(std::string_view bytes) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : bytes) c = kCrc.v[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

bool parseHex(std::string_view s, std::uint64_t& out) {
    if (s.empty() || s.size() > 16)
        return false;
    out = 0;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else
            return false;
        out = out << 4 | static_cast<std::uint64_t>(d);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, std::string_view bytes, std::uint64_t offset, int& err) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

FileIdentity FileIdentity::of(std::string_view bytes) {
    const std::string_view tail = bytes.size() > kTailBytes ? bytes.substr(bytes.size() - kTailBytes) : bytes;
    return {bytes.size(), fnv1a(tail)};
}

void FileIdentity::Builder::add(std::string_view piece) {
    m_size += piece.size();
    if (piece.size() >= kTailBytes) {
        m_tail.assign(piece.substr(piece.size() - kTailBytes));
        return;
    }
    m_tail.append(piece);
    if (m_tail.size() > kTailBytes)
        m_tail.erase(0, m_tail.size() - kTailBytes);
}

FileIdentity FileIdentity::Builder::identity() const {
    return {m_size, fnv1a(m_tail)};
}

void syncFolder(const std::string& path) {
    const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

JournalFile& JournalFile::operator=(JournalFile&& other) noexcept {
    if (this != &other) {
        close();
        m_fd = other.m_fd;
        m_size = other.m_size;
        m_path = std::move(other.m_path);
        other.m_fd = -1;
        other.m_size = 0;
    }
    return *this;
}

std::string setJournalBase(const std::string& path, FileIdentity base) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return std::strerror(errno);
    int err = 0;
    if (!writeAll(fd, JournalFile::header(base), 0, err) || ::fdatasync(fd) != 0)
        err = err ? err : errno;
    ::close(fd);
    return err ? std::strerror(err) : std::string();
}

JournalFile::~JournalFile() {
    close();
}

void JournalFile::close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

std::string JournalFile::header(FileIdentity base) {
    char text[kHeaderSize + 1];
    std::snprintf(text, sizeof text, "CVJ1 %016llx %016llx\n", static_cast<unsigned long long>(base.size),
                  static_cast<unsigned long long>(base.hash));
    return std::string(text, kHeaderSize);
}

std::string JournalFile::entry(char kind, std::string_view body) {
    std::string payload;
    payload.reserve(body.size() + 2);
    payload += kind;
    payload += ' ';
    payload.append(body);
    char crc[10];
    std::snprintf(crc, sizeof crc, "%08x ", crc32(payload));
    std::string line(crc, 9);
    line += payload;
    line += '\n';
    return line;
}

std::string JournalFile::create(const std::string& path, FileIdentity base) {
    close();
    m_path = path;
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (m_fd < 0)
        return std::strerror(errno);
    ::fchmod(m_fd, 0600);
    m_size = 0;
    const std::string text = header(base);
    int err = 0;
    if (!writeAll(m_fd, text, 0, err) || ::fdatasync(m_fd) != 0) {
        const int e = err ? err : errno;
        close();
        ::unlink(path.c_str());
        return std::strerror(e);
    }
    m_size = text.size();
    syncFolder(path);
    return {};
}

std::string JournalFile::open(const std::string& path, std::uint64_t goodLength) {
    close();
    m_path = path;
    m_fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (m_fd < 0)
        return std::strerror(errno);
    struct stat st {};
    if (::fstat(m_fd, &st) != 0) {
        const int e = errno;
        close();
        return std::strerror(e);
    }
    if (static_cast<std::uint64_t>(st.st_size) > goodLength) {
        if (::ftruncate(m_fd, static_cast<off_t>(goodLength)) != 0 || ::fdatasync(m_fd) != 0) {
            const int e = errno;
            close();
            return std::strerror(e);
        }
    }
    m_size = goodLength;
    return {};
}

std::string JournalFile::append(std::string_view bytes) {
    if (m_fd < 0)
        return std::strerror(EBADF);
    int err = 0;
    if (writeAll(m_fd, bytes, m_size, err) && ::fdatasync(m_fd) == 0) {
        m_size += bytes.size();
        return {};
    }
    if (err == 0)
        err = errno;
    // What got through is cut off again, so the next try starts on a whole entry.
    (void)::ftruncate(m_fd, static_cast<off_t>(m_size));
    return std::strerror(err);
}

std::string JournalFile::setBase(FileIdentity base) {
    if (m_fd < 0)
        return std::strerror(EBADF);
    int err = 0;
    if (!writeAll(m_fd, header(base), 0, err) || ::fdatasync(m_fd) != 0)
        return std::strerror(err ? err : errno);
    return {};
}

JournalContents JournalContents::parse(std::string_view bytes) {
    JournalContents c;
    if (bytes.size() < JournalFile::kHeaderSize || bytes.substr(0, kMagic.size()) != kMagic ||
        bytes[21] != ' ' || bytes[JournalFile::kHeaderSize - 1] != '\n')
        return c;
    if (!parseHex(bytes.substr(5, 16), c.base.size) || !parseHex(bytes.substr(22, 16), c.base.hash))
        return c;
    c.headerOk = true;
    std::size_t pos = JournalFile::kHeaderSize;
    c.goodLength = pos;
    while (pos < bytes.size()) {
        const std::size_t nl = bytes.find('\n', pos);
        if (nl == std::string_view::npos) {
            c.torn = true;
            break;
        }
        const std::string_view line = bytes.substr(pos, nl - pos);
        std::uint64_t crc = 0;
        const bool sound = line.size() >= 11 && line[8] == ' ' && line[10] == ' ' &&
                           parseHex(line.substr(0, 8), crc) && crc == crc32(line.substr(9)) &&
                           (line[9] == 'P' || line[9] == 'D' || line[9] == 'A');
        if (!sound) {
            if (nl + 1 >= bytes.size())
                c.torn = true;
            else
                c.damaged = true;
            break;
        }
        c.entries.push_back({line[9], line.substr(11)});
        pos = nl + 1;
        c.goodLength = pos;
    }
    return c;
}

}  // namespace corvane
