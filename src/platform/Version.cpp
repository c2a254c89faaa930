#include "platform/Version.h"

namespace corvane {

bool ReadFileVersion(std::uint16_t& major, std::uint16_t& minor, std::uint16_t& release,
                     std::uint16_t& build) {
#if defined(CORVANE_VERSION_MAJOR) && defined(CORVANE_VERSION_MINOR) && defined(CORVANE_VERSION_PATCH) && \
    defined(CORVANE_VERSION_TWEAK)
    // An empty component (a three-part project version) compiles as "+0".
    major = static_cast<std::uint16_t>(+CORVANE_VERSION_MAJOR + 0);
    minor = static_cast<std::uint16_t>(+CORVANE_VERSION_MINOR + 0);
    release = static_cast<std::uint16_t>(+CORVANE_VERSION_PATCH + 0);
    build = static_cast<std::uint16_t>(+CORVANE_VERSION_TWEAK + 0);
    return true;
#else
    (void)major;
    (void)minor;
    (void)release;
    (void)build;
    return false;
#endif
}

std::string fileVersionText() {
    std::uint16_t v[4] = {};
    if (!ReadFileVersion(v[0], v[1], v[2], v[3]))
        return {};
    return std::to_string(v[0]) + '.' + std::to_string(v[1]) + '.' + std::to_string(v[2]) + '.' +
           std::to_string(v[3]);
}

}  // namespace corvane
