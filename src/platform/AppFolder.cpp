#include "platform/AppFolder.h"

#include <filesystem>
#include <system_error>

namespace corvane {

namespace fs = std::filesystem;

std::string executableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty())
        return {};
    std::string folder = exe.parent_path().string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::string installedShareFolder() {
    const std::string exeFolder = executableFolder();
    if (exeFolder.empty())
        return {};
    return (fs::path(exeFolder).parent_path().parent_path() / "share" / "corvane").string() + "/";
}

}  // namespace corvane
