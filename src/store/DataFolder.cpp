#include "store/DataFolder.h"

#include <algorithm>
#include <cstdlib>

namespace corvane {

namespace {

std::string withSlash(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

bool isSet(const char* v) {
    return v && *v;
}

}  // namespace

std::string resolveDataFolder(const std::function<const char*(const char*)>& environment) {
    if (const char* profile = environment("USERPROFILE"); isSet(profile))
        return withSlash(profile) + "AppData/Local/Corvane/";
    if (const char* xdg = environment("XDG_DATA_HOME"); isSet(xdg))
        return withSlash(xdg) + "Corvane/";
    if (const char* home = environment("HOME"); isSet(home))
        return withSlash(home) + ".local/share/Corvane/";
    return {};
}

std::string resolveDataFolder() {
    return resolveDataFolder([](const char* name) { return std::getenv(name); });
}

}  // namespace corvane
