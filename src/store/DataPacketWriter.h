#pragma once

#include <string>

#include "store/Table.h"

namespace corvane {

// Writes a table as one line of XML data packet text: declaration, FIELDS, PARAMS (with
// AUTOINCVALUE when the table has an auto-increment field), then one ROW per record in the
// order the records were added. The caller merges the change log first.
class DataPacketWriter {
public:
    static std::string write(const Table& table);
    // The text form of one date-time, "%04d%02d%02d" with "T%02d:%02d:%05d" unless at midnight.
    static std::string formatDateTime(DateTime value);
};

}  // namespace corvane
