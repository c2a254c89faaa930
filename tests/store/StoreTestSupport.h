#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "store/FileIo.h"

namespace corvane::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-store-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (!::mkdtemp(name.data()))
            std::abort();
        m_path = name.data();
        m_path += '/';
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // With a trailing slash.
    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

inline std::string templateFolder() {
    return std::string(CORVANE_SOURCE_DIR) + "/resources/templates/";
}

inline std::string fileText(const std::string& path) {
    std::string text;
    std::string error;
    readWholeFile(path, text, error);
    return text;
}

inline bool exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

}  // namespace corvane::test
