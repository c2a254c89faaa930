#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

// Splits comma-delimited text the way event records exported with quoted fields are read:
// blanks (codes 1-32) are skipped around items; an item starting with a double quote runs to the
// matching closing quote ("" inside stands for one quote), and without a closing quote it is the
// rest of the text minus its last character; any other item is the run of characters above code
// 32 other than ",". A "," at the very end adds one empty item. A NUL byte ends the text.
class DelimitedTextReader {
public:
    explicit DelimitedTextReader(std::string_view source);

    // Writes the next item into `item`; false when there are no more.
    bool next(std::string& item);

private:
    void skipBlanks();
    void readQuoted(std::string& item);

    std::string_view m_source;
    std::size_t m_pos = 0;
    bool m_trailingEmpty = false;
};

}  // namespace corvane
