#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

// Follows what a mail server answers, line by line, and keeps its last complete reply: the
// three-digit code and the text of its lines ("250-first", "250 last" make one reply), so a
// failure can be reported in the server's own words. Anything a server sends is accepted;
// what is kept is bounded (lines cut, control characters made blanks), so a hostile server
// cannot fill the memory or the operator's dialog.
class SmtpReplies {
public:
    static constexpr std::size_t kMaxLineText = 200;
    static constexpr std::size_t kMaxLines = 4;

    // One line as received, with or without its line end; it may hold any bytes.
    void feed(std::string_view line);

    // The code of the last complete reply, 0 when none was seen.
    int lastCode() const { return m_lastCode; }
    // Its lines' text joined by blanks, starting with the code: "535 5.7.8 Authentication failed".
    const std::string& lastReply() const { return m_lastReply; }
    // The last complete reply with a code of 400 or more; empty when there was none.
    const std::string& lastError() const { return m_lastError; }

private:
    int m_code = 0;  // of the reply being read
    std::size_t m_lines = 0;
    std::string m_text;
    int m_lastCode = 0;
    std::string m_lastReply;
    std::string m_lastError;
};

}  // namespace corvane
