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

}  // namespace corvane
