#pragma once

#include <string>

namespace corvane {

// The folder of the running executable, with a trailing slash; empty when it cannot be found.
std::string executableFolder();

// The file that tells a folder of the program's own files: every build and every installation
// has the template data files.
inline constexpr const char* kProgramFolderMarker = "MessageSet.vtx";

// The folder of the program's own files (template data files, image library, sound, help), with
// a trailing slash, by one rule for both programs: the executable's folder when it holds them (a
// build tree); otherwise ../share/corvane/ beside the executable's folder when that exists (an
// installation under any prefix, moved or not); otherwise `compiledIn`, the folder the build
// was configured to install to.
std::string chooseProgramFolder(const std::string& executableFolder, const std::string& compiledIn);
// The rule applied to the running executable and the configured installation folder.
std::string programFolder();

}  // namespace corvane
