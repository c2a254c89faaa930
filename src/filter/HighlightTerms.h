#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The words a filter looks for in the message text, so that the window can mark them: the
// literal runs of each pattern the Message field is compared with by LIKE ("%link down%" gives
// "link down", "a_b%c" gives "a", "b" and "c"; "%%" is a "%" of the text), and the whole text of
// each "=" between the Message field and a text constant, either way round. A comparison right
// after NOT looks for what the shown messages lack, so it gives nothing. Each word once, in the
// order written; a text that does not tokenize gives what was found before the fault.
std::vector<std::string> highlightTerms(std::string_view filterText, char decimalSeparator = '.');

}  // namespace corvane
