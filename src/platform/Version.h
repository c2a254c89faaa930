#pragma once

#include <cstdint>
#include <string>

namespace corvane {

// The program's own file version: the project version fixed by the build, as four 16-bit
// numbers. Answers false only when the build did not supply one, in which case the outputs
// are left untouched.
bool ReadFileVersion(std::uint16_t& major, std::uint16_t& minor, std::uint16_t& release,
                     std::uint16_t& build);

// The four numbers as "major.minor.release.build"; empty when there is no version.
std::string fileVersionText();

}  // namespace corvane
