#pragma once

#include <vector>

namespace corvane {

// Every text of the core that can reach the operator through the message dialog or the error
// display, in English as the core writes it. These are the source texts of the core-text
// context of the translations; values such as table rows, keys and file names are not here.
const std::vector<const char*>& coreTexts();

}  // namespace corvane
