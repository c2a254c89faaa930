#include "store/FileIo.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace corvane {

namespace {

std::string systemError(int err) {
    return std::strerror(err);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

void FileBytes::clear() {
    if (m_mapped)
        ::munmap(m_mapped, m_size);
    m_mapped = nullptr;
    m_data.reset();
    m_size = 0;
}

bool readWholeFile(const std::string& path, FileBytes& out, std::string& error) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = systemError(errno);
        return false;
    }
    const auto failWith = [&](int err) {
        error = systemError(err);
        ::close(fd);
        out.clear();
        return false;
    };
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return failWith(errno);
    if (S_ISDIR(st.st_mode))
        return failWith(EISDIR);
    if (S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) >= FileBytes::kMapFrom) {
        const auto size = static_cast<std::size_t>(st.st_size);
        void* p = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (p != MAP_FAILED) {
            ::close(fd);
            out.m_mapped = static_cast<char*>(p);
            out.m_size = size;
            return true;
        }
        // Where the file cannot be mapped it is read as a small one is.
    }
    // One byte more than the size, so that a file grown meanwhile is noticed and read on.
    std::size_t capacity = (st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0) + 1;
    std::unique_ptr<char[]> data(new char[capacity]);
    std::size_t done = 0;
    while (true) {
        if (done == capacity) {
            const std::size_t bigger = capacity + std::max<std::size_t>(capacity / 2, 1 << 16);
            std::unique_ptr<char[]> grown(new char[bigger]);
            std::memcpy(grown.get(), data.get(), done);
            data = std::move(grown);
            capacity = bigger;
        }
        const ssize_t n = ::read(fd, data.get() + done, capacity - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failWith(errno);
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    out.m_data = std::move(data);
    out.m_size = done;
    return true;
}

bool readWholeFile(const std::string& path, std::string& out, std::string& error) {
    FileBytes bytes;
    if (!readWholeFile(path, bytes, error)) {
        out.clear();
        return false;
    }
    out.assign(bytes.view());
    return true;
}

AtomicFile::AtomicFile(std::string path, unsigned mode) : AtomicFile(std::move(path)) {
    setMode(mode);
}

void AtomicFile::setMode(unsigned mode) {
    if (m_fd >= 0 && ::fchmod(m_fd, static_cast<mode_t>(mode)) != 0)
        fail(errno);
}

std::string AtomicFile::sync() {
    if (ok() && ::fsync(m_fd) != 0)
        fail(errno);
    return m_error;
}

AtomicFile::AtomicFile(std::string path) : m_path(std::move(path)) {
    std::string pattern = m_path + ".tmp-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    m_fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_error = systemError(errno);
        return;
    }
    m_temp.assign(name.data());
    struct stat old {};
    const mode_t mode = ::stat(m_path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (::fchmod(m_fd, mode) != 0)
        fail(errno);
}

AtomicFile::~AtomicFile() {
    discard();
}

void AtomicFile::fail(int err) {
    if (m_error.empty())
        m_error = systemError(err);
    discard();
}

void AtomicFile::discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
}

bool AtomicFile::write(std::string_view bytes) {
    if (!ok())
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string AtomicFile::commit() {
    if (!ok())
        return m_error;
    if (::fsync(m_fd) != 0) {
        fail(errno);
        return m_error;
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        fail(errno);
        return m_error;
    }
    if (::rename(m_temp.c_str(), m_path.c_str()) != 0) {
        fail(errno);
        return m_error;
    }
    m_temp.clear();
    const int dir = ::open(folderOf(m_path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

BackgroundWriter::BackgroundWriter(AtomicFile& file) : m_file(file) {}

BackgroundWriter::~BackgroundWriter() {
    finish();
}

bool BackgroundWriter::put(std::string_view piece) {
    std::unique_lock lock(m_mutex);
    if (!m_thread.joinable() && !m_closing)
        m_thread = std::thread([this] { run(); });
    m_changed.wait(lock, [this] { return m_failed || m_waiting.size() < 2; });
    if (m_failed || m_closing)
        return false;
    std::string copy;
    if (!m_spare.empty()) {
        copy = std::move(m_spare.back());
        m_spare.pop_back();
    }
    copy.assign(piece);
    m_waiting.push_back(std::move(copy));
    m_changed.notify_all();
    return true;
}

void BackgroundWriter::run() {
    std::unique_lock lock(m_mutex);
    while (true) {
        m_changed.wait(lock, [this] { return m_closing || !m_waiting.empty(); });
        if (m_waiting.empty())
            return;  // closing, and everything is written
        std::string piece = std::move(m_waiting.front());
        lock.unlock();
        const bool ok = m_file.write(piece);
        lock.lock();
        m_waiting.pop_front();
        if (!ok) {
            m_failed = true;
            m_waiting.clear();
        }
        m_spare.push_back(std::move(piece));
        m_changed.notify_all();
    }
}

bool BackgroundWriter::finish() {
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
        m_changed.notify_all();
    }
    if (m_thread.joinable())
        m_thread.join();
    return !m_failed;
}

std::string writeFileAtomically(const std::string& path, std::string_view data) {
    AtomicFile file(path);
    file.write(data);
    return file.commit();
}

}  // namespace corvane
