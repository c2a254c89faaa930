#pragma once

#include "app/LineReader.h"
// Field.h comes before DateTime.h: its FieldType::DateTime must not shadow the alias.
#include "store/Field.h"
#include "protocol/DateTime.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace corvane {

class MessageIntake;
class TData;

struct ImportSummary {
    std::size_t linesRead = 0;
    std::size_t stored = 0;
    std::size_t skipped = 0;       // blank lines and lines that could not be taken in
    std::size_t firstBadLine = 0;  // 1-based number of the first line that could not be; 0 for none
    bool cancelled = false;
    std::string error;  // the file could not be opened or read, or the tables not saved
    bool ok() const { return error.empty() && !cancelled; }
};

// Takes a log file into the store, a slice of lines at a time: classic syslog lines ("Mmm dd
// hh:mm:ss host tag: text", as /var/log/syslog holds them), RFC 5424 lines and the JSON Lines
// of the program's own export, plain or gzip-compressed. Each syslog line goes through the
// parser and intake as a message received from an address that is the file's name; its `Date`
// is the line's own time stamp when it has one. Each JSON line restores the record it holds.
//
// REQUIRES: intake is not busy when open() is called; between open() and finish() or cancel()
// the listener's messages wait.
class LogImport {
public:
    LogImport(MessageIntake& intake, TData& data) : m_intake(intake), m_data(data) {}
    ~LogImport();
    LogImport(const LogImport&) = delete;
    LogImport& operator=(const LogImport&) = delete;

    // The error text, empty on success.
    std::string open(const std::string& path);
    // Takes up to `lines` further lines; false at the end of the file or after a read error.
    bool step(std::size_t lines);
    // Share of the file read, 0 to 1.
    double progress() const;
    const ImportSummary& summary() const { return m_summary; }
    // Saves the tables and answers the summary. Lines already taken stay stored after a cancel.
    ImportSummary finish();
    ImportSummary cancel();

    // True when the line (after an optional priority and RFC 5424 version) starts with a time
    // stamp: "Mmm dd hh:mm:ss" or an ISO 8601 date and time.
    static bool hasOwnTimeStamp(std::string_view line);
    // The address an imported file's messages get: its name without the folder.
    static std::string addressOf(const std::string& path);

private:
    bool takeLine(std::string_view line);
    bool takeSyslogLine(std::string_view line);
    bool takeJsonLine(std::string_view line);

    MessageIntake& m_intake;
    TData& m_data;
    LineReader m_reader;
    std::string m_address;
    ImportSummary m_summary;
    DateTime m_importTime = 0;
    bool m_open = false;
};

// The whole import in one call; `progress` gets the share read and answers false to cancel.
ImportSummary importLogFile(MessageIntake& intake, TData& data, const std::string& path,
                            const std::function<bool(double)>& progress = {});

}  // namespace corvane
