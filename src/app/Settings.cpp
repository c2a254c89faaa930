#include "app/Settings.h"

#include "app/SettingsTexts.h"
#include "protocol/Placeholders.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

std::string lastError() {
    return std::strerror(errno);
}

bool writeAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::string settingsFilePath(std::string_view dataFolder, std::string_view executable) {
    std::string_view name = executable;
    if (auto slash = name.find_last_of('/'); slash != std::string_view::npos)
        name.remove_prefix(slash + 1);
    if (auto dot = name.find_last_of('.'); dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    return std::string(dataFolder) + std::string(name) + ".ini";
}

Settings::Settings(std::string path) : m_path(std::move(path)) {}

Settings::LoadResult Settings::load(const std::string& path) {
    LoadResult result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            result.settings = std::make_unique<Settings>(path);
            return result;
        }
        result.error = fillIn(settings_texts::kReadFailed, {path, lastError()});
        return result;
    }
    std::string data;
    char buffer[16384];
    bool failed = false;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.error = fillIn(settings_texts::kReadFailed, {path, lastError()});
            failed = true;
            break;
        }
        if (n == 0)
            break;
        if (data.size() + static_cast<std::size_t>(n) > kMaxFileSize) {
            result.error = fillIn(settings_texts::kTooLarge, path);
            failed = true;
            break;
        }
        data.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (failed)
        return result;
    result.settings = std::make_unique<Settings>(path);
    result.settings->m_ini.load(data);
    return result;
}

std::string Settings::readString(std::string_view section, std::string_view key,
                                 std::string_view fallback) const {
    auto v = m_ini.value(section, key);
    return v ? *v : std::string(fallback);
}

std::int32_t Settings::readInteger(std::string_view section, std::string_view key,
                                   std::int32_t fallback) const {
    auto v = m_ini.value(section, key);
    if (!v)
        return fallback;
    return parseIniInteger(*v).value_or(fallback);
}

bool Settings::readBool(std::string_view section, std::string_view key, bool fallback) const {
    auto v = m_ini.value(section, key);
    if (!v)
        return fallback;
    auto n = parseIniInteger(*v);
    return n ? *n != 0 : fallback;
}

void Settings::writeString(std::string_view section, std::string_view key, std::string_view value) {
    m_ini.setValue(section, key, value);
}

void Settings::writeInteger(std::string_view section, std::string_view key, std::int32_t value) {
    m_ini.setValue(section, key, std::to_string(value));
}

void Settings::writeBool(std::string_view section, std::string_view key, bool value) {
    m_ini.setValue(section, key, value ? "1" : "0");
}

bool Settings::keyExists(std::string_view section, std::string_view key) const {
    return m_ini.hasKey(section, key);
}

void Settings::deleteKey(std::string_view section, std::string_view key) {
    m_ini.removeKey(section, key);
}

std::string Settings::flush() const {
    const std::string data = m_ini.text();
    std::string temp = m_path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return fillIn(settings_texts::kWriteFailed, {m_path, lastError()});
    std::string error;
    if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0 || !writeAll(fd, data) || ::fsync(fd) != 0)
        error = fillIn(settings_texts::kWriteFailed, {m_path, lastError()});
    if (::close(fd) != 0 && error.empty())
        error = fillIn(settings_texts::kWriteFailed, {m_path, lastError()});
    if (error.empty() && ::rename(temp.c_str(), m_path.c_str()) != 0)
        error = fillIn(settings_texts::kWriteFailed, {m_path, lastError()});
    if (!error.empty()) {
        ::unlink(temp.c_str());
        return error;
    }
    // The rename itself is durable only once the folder is synced.
    const auto slash = m_path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : m_path.substr(0, slash + 1);
    if (int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

}  // namespace corvane
