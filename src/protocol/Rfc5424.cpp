#include "protocol/Rfc5424.h"

#include "protocol/SyslogTime.h"
#include "protocol/TextUtil.h"

namespace corvane {
namespace {

constexpr std::string_view kNil = "-";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the space-separated header fields one at a time. Runs of spaces between fields are
// taken as one separator so that a doubled space does not shift every later field.
class FieldReader {
public:
    FieldReader(std::string_view text, std::size_t at) : m_text(text), m_at(at) {}

    std::string_view next() {
        skipSpaces();
        const std::size_t start = m_at;
        while (m_at < m_text.size() && m_text[m_at] != ' ') ++m_at;
        const std::string_view field = m_text.substr(start, m_at - start);
        return field == kNil ? std::string_view{} : field;
    }

    void skipSpaces() {
        while (m_at < m_text.size() && m_text[m_at] == ' ') ++m_at;
    }

    std::size_t position() const { return m_at; }
    void setPosition(std::size_t at) { m_at = at; }
    char peek() const { return m_at < m_text.size() ? m_text[m_at] : '\0'; }

private:
    std::string_view m_text;
    std::size_t m_at;
};

// Index just past the structured-data element that opens at `at` ("[" ... "]"), or the end
// of the text when it is not closed. Inside a quoted value a backslash escapes the next
// character, so "\"" and "\]" do not end the value or the element.
std::size_t elementEnd(std::string_view text, std::size_t at) {
    bool quoted = false;
    for (std::size_t i = at + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ']') {
            return i + 1;
        }
    }
    return text.size();
}

}  // namespace

std::optional<Rfc5424Parts> splitRfc5424(std::string_view text) {
    if (text.size() < 3 || text[0] != '<')
        return std::nullopt;
    std::size_t i = 1;
    while (i < text.size() && i <= 3 && isDigit(text[i])) ++i;
    if (i == 1 || i >= text.size() || text[i] != '>')
        return std::nullopt;
    const std::size_t version = i + 1;
    // The time stamp may be the nil value: the other fields are still there to read.
    const std::string_view afterVersion = text.substr(version + 2 > text.size() ? text.size() : version + 2);
    const bool nilStamp = afterVersion.size() >= 2 && afterVersion[0] == '-' && afterVersion[1] == ' ';
    if (text.substr(version, 2) != "1 " || !(nilStamp || isIsoDateTimeStart(afterVersion)))
        return std::nullopt;

    Rfc5424Parts parts;
    parts.versionAt = version;
    FieldReader reader(text, version + 2);
    parts.stamp = reader.next();
    parts.host = reader.next();
    parts.appName = reader.next();
    parts.procId = reader.next();
    parts.msgId = reader.next();
    reader.skipSpaces();

    const std::size_t sdStart = reader.position();
    if (reader.peek() == '[') {
        std::size_t end = sdStart;
        while (end < text.size() && text[end] == '[') end = elementEnd(text, end);
        parts.structuredData = text.substr(sdStart, end - sdStart);
        reader.setPosition(end);
    } else if (reader.peek() == '-' && (sdStart + 1 == text.size() || text[sdStart + 1] == ' ')) {
        reader.setPosition(sdStart + 1);
    }
    parts.headerEnd = reader.position();
    return parts;
}

std::string_view rfc5424MessageText(std::string_view message) {
    message = text::trim(message);
    if (message.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        message = text::trim(message.substr(kByteOrderMark.size()));
    }
    return message;
}

}  // namespace corvane
