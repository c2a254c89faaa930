#pragma once

#include <functional>
#include <string>

namespace corvane {

// Where the data files and the settings file live, with a trailing slash: USERPROFILE plus
// "/AppData/Local/Corvane/" when that variable is set, otherwise $XDG_DATA_HOME/Corvane/
// (by default ~/.local/share/Corvane/). The environment is passed in so tests never touch the
// real home. Empty when none of the variables is set.
std::string resolveDataFolder(const std::function<const char*(const char*)>& environment);
std::string resolveDataFolder();  // from the process environment

// The folder that holds the template data files, with a trailing slash: the executable's own
// folder when the files are there (a build tree), otherwise `installedFolder` (for an installed
// program, <prefix>/share/corvane/).
std::string resolveAppFolder(const std::string& executableFolder, const std::string& installedFolder);

}  // namespace corvane
