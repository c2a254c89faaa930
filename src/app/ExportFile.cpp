#include "app/ExportFile.h"

#include "app/ExchangeTexts.h"
#include "protocol/Placeholders.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace corvane {

ExportFile::~ExportFile() {
    discard();
}

std::string ExportFile::open(const std::string& path) {
    discard();
    m_path = path;
    m_error.clear();
    m_written.store(0);
    m_writeError = 0;
    m_buffer.clear();
    m_buffer.reserve(kPiece + 64 * 1024);
    m_temp = path + ".part";
    m_fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (m_fd < 0) {
        const int err = errno;
        m_error = fillIn(exchange_texts::kCreateFailed, {path, std::strerror(err)});
        m_temp.clear();
        return m_error;
    }
    m_stopping = false;
    m_hasPending = false;
    m_thread = std::thread([this] { run(); });
    return {};
}

bool ExportFile::write(std::string_view bytes) {
    if (!ok())
        return false;
    m_buffer.append(bytes);
    return m_buffer.size() < kPiece || handOver();
}

bool ExportFile::handOver() {
    int err = 0;
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return !m_hasPending || m_writeError != 0; });
        err = m_writeError;
        if (err == 0) {
            m_pending.swap(m_buffer);
            m_hasPending = true;
        }
    }
    if (err != 0) {
        fail(err);
        return false;
    }
    m_changed.notify_all();
    m_buffer.clear();
    return true;
}

void ExportFile::run() {
    std::string piece;
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return m_hasPending || m_stopping; });
            if (!m_hasPending)
                return;
            piece.swap(m_pending);
        }
        int err = 0;
        const bool written = writeAll(piece, err);
        {
            std::lock_guard lock(m_mutex);
            m_hasPending = false;
            if (!written)
                m_writeError = err;
        }
        m_changed.notify_all();
        piece.clear();
        if (!written)
            return;
    }
}

bool ExportFile::writeAll(const std::string& bytes, int& err) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return false;
        }
        if (n == 0) {
            err = ENOSPC;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
        m_written.fetch_add(static_cast<std::size_t>(n), std::memory_order_relaxed);
    }
    return true;
}

void ExportFile::drain() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return !m_hasPending || m_writeError != 0; });
}

void ExportFile::stopThread() {
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void ExportFile::fail(int err) {
    m_error = fillIn(exchange_texts::kWriteFailed, {m_path, std::strerror(err)});
    discard();
}

std::string ExportFile::commit() {
    if (m_fd < 0)
        return m_error;
    if (!m_buffer.empty() && !handOver())
        return m_error;
    drain();
    stopThread();
    if (m_writeError != 0) {
        fail(m_writeError);
        return m_error;
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        fail(errno);
        return m_error;
    }
    if (std::rename(m_temp.c_str(), m_path.c_str()) != 0) {
        fail(errno);
        return m_error;
    }
    m_temp.clear();
    return {};
}

void ExportFile::discard() {
    stopThread();
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
    m_buffer.clear();
    m_pending.clear();
    m_hasPending = false;
}

}  // namespace corvane
