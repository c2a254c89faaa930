#include "platform/SmtpReplies.h"

namespace corvane {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The line's text without its line end, control bytes as blanks, cut to the limit.
std::string cleaned(std::string_view text, std::size_t limit) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    std::string out;
    for (char c : text.substr(0, limit)) {
        const auto u = static_cast<unsigned char>(c);
        out += (u < 0x20 || u == 0x7f) ? ' ' : c;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

}  // namespace

void SmtpReplies::feed(std::string_view line) {
    // "ddd-text" continues a reply, "ddd text" or "ddd" ends it; anything else is no reply line.
    if (line.size() < 3 || !isDigit(line[0]) || !isDigit(line[1]) || !isDigit(line[2]))
        return;
    const int code = (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
    const char mark = line.size() > 3 ? line[3] : ' ';
    const bool last = mark != '-';
    if (m_lines > 0 && code != m_code) {
        // A reply whose code changes in the middle was not well formed: start over.
        m_lines = 0;
        m_text.clear();
    }
    m_code = code;
    if (m_lines < kMaxLines) {
        const std::string text = cleaned(line.size() > 4 ? line.substr(4) : std::string_view(), kMaxLineText);
        if (!text.empty()) {
            if (!m_text.empty())
                m_text += ' ';
            m_text += text;
        }
    }
    ++m_lines;
    if (!last)
        return;
    m_lastCode = code;
    // The code as the server wrote it, leading zeros kept ("057" stays "057", not "57").
    m_lastReply.assign(line.substr(0, 3));
    if (!m_text.empty())
        m_lastReply += ' ' + m_text;
    if (code >= 400)
        m_lastError = m_lastReply;
    m_lines = 0;
    m_text.clear();
}

}  // namespace corvane
