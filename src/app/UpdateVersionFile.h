#pragma once

#include "app/UpdateState.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// What a version file says. Its first line holds a dotted version whose last number is the
// latest build, a space and any further text ("1.0.0.57 Corvane 1.0"); the next two lines are
// free text, taken only when the build is above 1.
struct VersionFileContent {
    int latestBuild = 0;
    std::optional<std::string> secondLine;
    std::optional<std::string> thirdLine;

    friend bool operator==(const VersionFileContent&, const VersionFileContent&) = default;
};

// Reads the text of a version file; lines end in CR LF, LF or CR. A first line without a space
// after its first character, or whose part between its last "." and its first space is no
// decimal integer, gives build 0 and no lines.
VersionFileContent parseVersionFile(std::string_view text);

// Reads the file at path (at most its first kMaxVersionFileSize bytes); a missing or unreadable
// file gives build 0 and no lines.
inline constexpr std::size_t kMaxVersionFileSize = 1024 * 1024;
VersionFileContent readVersionFileContent(const std::string& path);

// Takes a version file into the update state: the build always, each line only when present.
void applyVersionFile(const VersionFileContent& content, UpdateState& state);

// Reads the version file at path into the update state and answers the latest build.
int ReadVersionFile(const std::string& path, UpdateState& state);

}  // namespace corvane
