#pragma once

#include "app/ExportFile.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class Table;

enum class ExportFormat : unsigned char {
    Csv,         // RFC 4180, UTF-8, a header row, the chosen columns in order
    JsonLines,   // one JSON object per record: every stored field under its own name
    SyslogText,  // one line per record: the message as received
};

// "csv", "jsonl", "syslog"; nullopt for anything else.
std::optional<ExportFormat> exportFormatFromName(std::string_view name);
const char* exportFormatName(ExportFormat format);

struct ExportResult {
    std::size_t records = 0;  // records written
    bool cancelled = false;
    std::string error;  // empty on success and on cancel
    bool ok() const { return error.empty() && !cancelled; }
};

// Writes the records of a table's view to a file, a slice at a time, so that a window can
// show progress and stay responsive between slices.
//
// REQUIRES: the table is open and its records and view stay as they are from open() until
// finish() or cancel() (the caller holds new messages back meanwhile).
class RecordExport {
public:
    // `columns`: the fields a CSV file holds, in order (lookup fields allowed); empty for every
    // stored field. JSON Lines and syslog text always hold every field.
    RecordExport(const Table& table, ExportFormat format, std::vector<std::string> columns = {});

    // Creates the file and writes the header; the error text, empty on success.
    std::string open(const std::string& path);
    // Writes up to `count` further records; false once all are written or a write failed.
    bool step(std::size_t count);
    std::size_t done() const { return m_next; }
    std::size_t total() const { return m_total; }
    // Commits the file after the last step (or abandons it after a failure).
    ExportResult finish();
    // Removes the partial file.
    ExportResult cancel();

private:
    void writeRecord(int position);
    void writeCsv(int position);
    void writeJson(int position);
    void writeSyslog(int position);

    const Table& m_table;
    ExportFormat m_format;
    std::vector<std::string> m_columnNames;
    std::vector<int> m_columns;
    std::vector<std::string> m_jsonKeys;  // "{\"Name\":" or ",\"Name\":" per column
    ExportFile m_file;
    std::string m_line;
    std::string m_error;
    std::size_t m_next = 0;
    std::size_t m_total = 0;
    int m_data = -1, m_facilityKey = -1, m_severityKey = -1, m_timeStamp = -1, m_host = -1, m_process = -1,
        m_message = -1;
};

// The whole export in one call. `progress` is asked now and then with the records done and
// the total; answering false cancels (the partial file is removed).
ExportResult exportRecords(const Table& table, const std::string& path, ExportFormat format,
                           std::vector<std::string> columns = {},
                           const std::function<bool(std::size_t done, std::size_t total)>& progress = {});

}  // namespace corvane
