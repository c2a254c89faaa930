#pragma once

#include <string>

namespace corvane {

// The folder of the running executable, with a trailing slash; empty when it cannot be found.
std::string executableFolder();

// Where an installed program keeps the files installed beside it: <prefix>/share/corvane/ for
// an executable in <prefix>/bin/, with a trailing slash.
std::string installedShareFolder();

}  // namespace corvane
