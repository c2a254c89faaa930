#pragma once

#include "app/IniFile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The settings file's name: the executable's file name with its extension replaced by ".ini"
// (or ".ini" appended when it has none), in the data folder. dataFolder ends in a separator.
std::string settingsFilePath(std::string_view dataFolder, std::string_view executable = "corvane");

// The operator's settings: the INI file read once into memory, read and written there, and
// written back whole by flush(). Every key of the program lives in section "Options".
class Settings {
public:
    static constexpr const char* kOptions = "Options";
    // A larger file is not taken for a settings file.
    static constexpr std::size_t kMaxFileSize = 16 * 1024 * 1024;

    struct LoadResult {
        std::unique_ptr<Settings> settings;  // null when the file exists but cannot be read
        std::string error;
    };
    // A missing file gives an empty object.
    static LoadResult load(const std::string& path);

    explicit Settings(std::string path);

    const std::string& path() const { return m_path; }

    std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // A value that is not an integer, an empty one included, yields the fallback.
    std::int32_t readInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
    // Any integer other than 0 is true; a value that is not an integer yields the fallback.
    bool readBool(std::string_view section, std::string_view key, bool fallback) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, std::int32_t value);
    void writeBool(std::string_view section, std::string_view key, bool value);

    bool keyExists(std::string_view section, std::string_view key) const;
    void deleteKey(std::string_view section, std::string_view key);

    // The whole content as the lines of the file, and its replacement from such lines; the
    // pair lets a cancelled dialog undo its writes.
    std::vector<std::string> content() const { return m_ini.lines(); }
    void setContent(const std::vector<std::string>& lines) { m_ini.loadLines(lines); }

    // Rewrites the whole file from memory, readable and writable by its owner only. The new
    // content replaces the old in one step, so a crash or a full disk never leaves half a file.
    // Returns the error text, empty on success.
    std::string flush() const;

private:
    std::string m_path;
    IniFile m_ini;
};

}  // namespace corvane
