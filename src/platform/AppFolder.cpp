#include "platform/AppFolder.h"

#include <filesystem>
#include <system_error>

#ifndef CORVANE_INSTALLED_DATADIR
#define CORVANE_INSTALLED_DATADIR "/usr/local/share/corvane"
#endif

namespace corvane {

namespace fs = std::filesystem;

namespace {

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

}  // namespace

std::string executableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty())
        return {};
    return withSlash(exe.parent_path().string());
}

std::string chooseProgramFolder(const std::string& executableFolder, const std::string& compiledIn) {
    std::error_code ec;
    if (!executableFolder.empty()) {
        const std::string own = withSlash(executableFolder);
        if (fs::is_regular_file(own + kProgramFolderMarker, ec))
            return own;
        const fs::path share = (fs::path(own) / ".." / "share" / "corvane").lexically_normal();
        if (fs::is_directory(share, ec))
            return withSlash(share.string());
    }
    return withSlash(compiledIn);
}

std::string programFolder() {
    return chooseProgramFolder(executableFolder(), CORVANE_INSTALLED_DATADIR);
}

}  // namespace corvane
