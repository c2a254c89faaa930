#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/Table.h"

namespace corvane {

// Writes a table as one line of XML data packet text: declaration, FIELDS, PARAMS (with
// AUTOINCVALUE when the table has an auto-increment field), then one ROW per record in the
// order the records were added. The caller merges the change log first.
class DataPacketWriter {
public:
    // Takes each piece of text in order; answers false to stop the writing.
    using Sink = std::function<bool(std::string_view)>;

    // What a write needs of a table, taken at one moment: its structure and its records' blocks
    // in the order they were added. The blocks are the table's own; they stay valid as long as
    // the table neither frees its change log nor drops its records (edits and deletions keep
    // the replaced blocks in the change log), so another thread can write the snapshot while
    // the table takes new records.
    struct Snapshot {
        std::vector<FieldDef> fields;
        RowLayout layout;
        std::int32_t autoIncValue = 0;
        std::vector<const std::uint8_t*> rows;
    };
    static Snapshot snapshot(const Table& table);
    static bool write(const Snapshot& snapshot, const Sink& sink);

    static std::string write(const Table& table);
    // Hands the text to the sink in pieces of about a megabyte, so a table of any size is
    // written without holding its whole text. False when the sink stopped it.
    static bool write(const Table& table, const Sink& sink);
    // Writes single ROW elements exactly as a whole write would, for appending records one by
    // one. Made for one structure; cheap to use for each record.
    class RowWriter {
    public:
        RowWriter(const std::vector<FieldDef>& fields, const RowLayout& layout);
        ~RowWriter();
        RowWriter(const RowWriter&) = delete;
        RowWriter& operator=(const RowWriter&) = delete;
        // Appends `<ROW .../>` of the block to `out`.
        void append(const std::uint8_t* row, std::string& out);

    private:
        struct Impl;
        std::unique_ptr<Impl> m_impl;
    };

    // The text form of one date-time, "%04d%02d%02d" with "T%02d:%02d:%05d" unless at midnight.
    static std::string formatDateTime(DateTime value);
};

}  // namespace corvane
