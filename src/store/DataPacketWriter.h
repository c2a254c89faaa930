#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "store/Table.h"

namespace corvane {

// Writes a table as one line of XML data packet text: declaration, FIELDS, PARAMS (with
// AUTOINCVALUE when the table has an auto-increment field), then one ROW per record in the
// order the records were added. The caller merges the change log first.
class DataPacketWriter {
public:
    // Takes each piece of text in order; answers false to stop the writing.
    using Sink = std::function<bool(std::string_view)>;

    static std::string write(const Table& table);
    // Hands the text to the sink in pieces of about a megabyte, so a table of any size is
    // written without holding its whole text. False when the sink stopped it.
    static bool write(const Table& table, const Sink& sink);
    // The text form of one date-time, "%04d%02d%02d" with "T%02d:%02d:%05d" unless at midnight.
    static std::string formatDateTime(DateTime value);
};

}  // namespace corvane
