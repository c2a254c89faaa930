#include "store/FolderLock.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "store/StoreTexts.h"
#include "protocol/Placeholders.h"

namespace corvane {

namespace fs = std::filesystem;

namespace {

int readHolder(int fd) {
    char text[32] = {};
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    if (n <= 0)
        return 0;
    const long pid = std::strtol(text, nullptr, 10);
    return pid > 0 && pid < (1L << 30) ? static_cast<int>(pid) : 0;
}

bool endsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// The files of the data folder that hold what the operator received or configured.
bool isPrivateFile(std::string_view name) {
    return endsWith(name, ".vtx") || name.find(".vtx.") != std::string_view::npos || name == "corvane.ini" ||
           name == FolderLock::kFileName;
}

}  // namespace

FolderLock::FolderLock(const std::string& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        fs::create_directories(folder, ec);
        ::chmod(folder.c_str(), 0700);
    }
    const std::string path = folder + kFileName;
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0) {
        m_error = fillIn(storetexts::kCannotOpenFile, {path, std::strerror(errno)});
        return;
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        m_holder = readHolder(m_fd);
        ::close(m_fd);
        m_fd = -1;
        if (err == EWOULDBLOCK)
            m_error = m_holder > 0 ? fillIn(storetexts::kFolderInUse, {folder, std::to_string(m_holder)})
                                   : fillIn(storetexts::kFolderInUseUnknown, {folder});
        else
            m_error = fillIn(storetexts::kCannotOpenFile, {path, std::strerror(err)});
        return;
    }
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(m_fd, 0) == 0)
        (void)!::pwrite(m_fd, pid.data(), pid.size(), 0);
}

FolderLock::~FolderLock() {
    if (m_fd >= 0)
        ::close(m_fd);
}

int tidyDataFolder(const std::string& folder) {
    ::chmod(folder.c_str(), 0700);
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        if (name.find(".vtx.tmp-") != std::string::npos) {
            std::error_code removeError;
            if (fs::remove(it->path(), removeError))
                ++removed;
            continue;
        }
        if (isPrivateFile(name))
            ::chmod(it->path().c_str(), 0600);
    }
    return removed;
}

}  // namespace corvane
