#pragma once

#include "protocol/DateTime.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// Where the header (time stamp and host) lies in the message text and what was read from it.
// A header exists only where a time stamp was found; without one the message text starts right
// after the priority.
struct TSyslogHeader {
    // Characters of the header from HeaderStart (0 when there is none); the message text is
    // what follows them, trimmed. The tag rules lengthen it over what they consume.
    std::int32_t HeaderLength = 0;
    // The header's time to the second; 0 when the text holds no time stamp or its fields name
    // no real instant.
    DateTime Stamp = 0;
    // The host named in the header; empty when there is none.
    std::string HostName;
    // 1-based position of the first character after the priority and its blanks; 0 until scanned.
    std::int32_t HeaderStart = 0;

    friend bool operator==(const TSyslogHeader&, const TSyslogHeader&) = default;
};

// Takes one received syslog message apart. Parsing is lenient: no shape of message is refused,
// missing parts get defaults (priority 13, the time of receipt, host empty, process "Unknown",
// process ID -1).
//
// The accessors work lazily on the current text and two of them rewrite it: reading the
// priority inserts "<13> " when there is none, and Process removes a "tag: " it finds. Answers
// therefore depend on the order of calls; message intake uses Host, Data (the text), Process,
// TimeStamp, Facility, Severity, PID, MessageText, which keeps the tag in the stored text and
// takes it out of the message text.
class TSyslogParse {
public:
    TSyslogParse();
    virtual ~TSyslogParse() = default;
    TSyslogParse(const TSyslogParse&) = default;
    TSyslogParse& operator=(const TSyslogParse&) = default;

    // Decodes entities into the text (up to the first NUL byte); a non-empty text then gets its
    // priority read (inserting the default when there is none) and its header scanned.
    // `receivedAt` is when the message arrived (0: now): the time stamp of a message without
    // one, and the reference that places a stamp without a year.
    void SetText(std::string_view received, DateTime receivedAt = 0);
    void SetReceived(DateTime receivedAt) { m_received = receivedAt; }
    const std::string& Text() const { return m_text; }

    // 0-255. Inserts "<13> " in front of a text whose first ">" is not among its first five
    // characters; a priority that does not read as a number gives 13.
    int Priority();
    // Replaces the leading priority with "<value>", or puts "<value> " in front when there is none.
    void SetPriority(int value);
    int Facility();  // 0-31
    int Severity();  // 0-7
    void SetFacility(int facility);

    // Finds the header: an optional sequence number ("123: ") and origin ("router-2: "), a time
    // stamp, then a host name unless the stamp ended with ":" or an origin named the host. A
    // word that ends with ":" or runs into "[" is a process tag, not a host. Runs once.
    void ParseHeader();
    // The header's time to the second; the time of receipt, to the second, when the text holds
    // no time stamp or one that names no real instant.
    DateTime TimeStamp();
    bool hasTimeStamp();
    // The host named in the header, empty when there is none.
    std::string Host();
    // The text after the header, trimmed.
    std::string MessageText();
    // The process tag: from a "%FAC-N-WORD:" tag, a tab-separated event record, a leading
    // "name[pid] " or a leading "tag: " (the last two are then removed from the text);
    // "Unknown" when none is found.
    std::string Process();
    // The number in brackets of the process tag ("su[123]:" gives 123), -1 when there is none.
    std::int32_t PID();

    // Reads "%WORD-N-WORD:" where it opens the message text (also after a sequence number,
    // "123: %WORD-N-WORD:"); a "%" anywhere else is text. Returns the process tag or empty.
    virtual std::string ParsePercentTag(std::string_view messageText);
    // Reads a tab-separated event record; returns the process tag or empty.
    virtual std::string ParseTabFields(std::string_view messageText);

    const std::string& priorityText() const { return m_priorityText; }
    const TSyslogHeader& header() const { return m_header; }
    const std::string& processTag() const { return m_processTag; }
    // The secondary tag of a percent tag ("UPDOWN:") or of an event record (field 11), or the
    // MSGID of a structured message.
    const std::string& subProcess() const { return m_subProcess; }
    // The structured-data elements of a structured message as sent; empty otherwise.
    const std::string& processEx() const { return m_processEx; }
    // True when the text is a structured message: "<PRI>1 TIMESTAMP HOST APP-NAME PROCID MSGID
    // SD MSG". Its fields are then taken from their places: the host from HOST, the process
    // from APP-NAME, the process ID from a numeric PROCID, the secondary tag from MSGID and the
    // message text from MSG without a byte order mark; "-" stands for an empty field. The tag
    // rules do not apply and nothing is removed from the text.
    bool isRfc5424() const { return m_rfc5424; }
    const std::string& percentTag() const { return m_percentTag; }

protected:
    // Makes the message text start `by` characters after where it starts now, so MessageText
    // skips what a tag rule consumed.
    void moveHeaderEnd(std::int64_t by);
    void setSubProcess(std::string_view value) { m_subProcess.assign(value); }

private:
    // The message text (a view into m_text) and its 1-based position; scans the header first
    // when none is known.
    std::string_view messageSpan(std::int64_t& position);
    // Takes the header of a structured message; false when the text is not one.
    bool takeRfc5424Header();
    // Takes a leading "name[pid] " or "tag: " out of the text and returns it; empty when
    // neither is there.
    std::string takeLeadingTag(std::string_view m, std::int64_t position);
    DateTime receipt() const;

    std::string m_priorityText;
    TSyslogHeader m_header;
    std::string m_processTag;
    std::string m_subProcess;
    std::string m_text;
    std::string m_percentTag;
    std::string m_processEx;
    std::string m_procId;
    std::string m_appName;
    DateTime m_received = 0;
    bool m_rfc5424 = false;
    bool m_scanned = false;
};

}  // namespace corvane
