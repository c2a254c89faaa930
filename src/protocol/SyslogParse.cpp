#include "protocol/SyslogParse.h"

#include "protocol/DelimitedText.h"
#include "protocol/EntityDecoder.h"
#include "protocol/ProtocolTexts.h"
#include "protocol/Rfc5424.h"
#include "protocol/SyslogTime.h"
#include "protocol/SyslogVocabulary.h"
#include "protocol/TextUtil.h"

#include <algorithm>
#include <limits>

namespace corvane {
namespace {

constexpr int kDefaultPriority = 13;
constexpr std::size_t kMaxPriorityEnd = 5;  // the ">" of a priority lies within the first 5 characters
constexpr std::int64_t kShortestHeaderText = 16;
constexpr std::int32_t kKnownHeaderLength = 6;

std::int32_t clampToInt32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// Position of the first ">" when it closes a priority, else 0.
std::int64_t priorityEnd(std::string_view text) {
    const std::int64_t i = text::find(text::cut(text, 1, kMaxPriorityEnd), '>');
    return i;
}

// The priority inside "<...>" read as a whole number, kept to its low 8 bits.
std::optional<int> readPriorityText(std::string_view priorityText) {
    const auto value =
        text::readWholeInt(text::cut(priorityText, 2, static_cast<std::int64_t>(priorityText.size()) - 2));
    if (!value)
        return std::nullopt;
    return static_cast<int>(static_cast<std::uint32_t>(*value) & 0xFF);
}

// Position of the first "." that follows the seconds of a time (":ss."), 0 when there is none.
// A dot elsewhere, as in a host address right after the time, does not end the time.
std::int64_t fractionDot(std::string_view window) {
    for (std::int64_t dot = text::find(window, '.'); dot > 0; dot = text::find(window, '.', dot + 1)) {
        if (text::charAt(window, dot - 3) == ':' && text::charAt(window, dot - 2) >= '0' &&
            text::charAt(window, dot - 2) <= '9' && text::charAt(window, dot - 1) >= '0' &&
            text::charAt(window, dot - 1) <= '9') {
            return dot;
        }
    }
    return 0;
}

}  // namespace

TSyslogParse::TSyslogParse() : m_processTag(kUnknownProcess) {}

void TSyslogParse::SetText(std::string_view received) {
    decodeEntities(received, m_text);
    m_rfc5424 = false;
    if (m_text.empty())
        return;
    Priority();
    if (!takeRfc5424Header())
        ParseHeader();
}

bool TSyslogParse::takeRfc5424Header() {
    const auto parts = splitRfc5424(m_text);
    if (!parts)
        return false;
    m_rfc5424 = true;
    // The header runs from the version to the end of the structured data, so the message text
    // is what follows it, as for every other form.
    const auto start = static_cast<std::int64_t>(parts->versionAt) + 1;
    m_header.HeaderStart = clampToInt32(start);
    m_header.HeaderLength = clampToInt32(static_cast<std::int64_t>(parts->headerEnd) - start);
    m_header.HostName.assign(parts->host);
    formatSyslogTimeInto(m_header.StampText, ParseSyslogTime(parts->stamp));
    m_appName.assign(parts->appName);
    m_procId.assign(parts->procId);
    m_subProcess.assign(parts->msgId);
    m_processEx.assign(parts->structuredData);
    return true;
}

int TSyslogParse::Priority() {
    if (!m_text.empty()) {
        const std::int64_t i = priorityEnd(m_text);
        if (i == 0) {
            SetPriority(kDefaultPriority);
            return kDefaultPriority;
        }
        m_priorityText.assign(m_text, 0, static_cast<std::size_t>(i));
        return readPriorityText(m_priorityText).value_or(kDefaultPriority);
    }
    if (!m_priorityText.empty())
        return readPriorityText(m_priorityText).value_or(kDefaultPriority);
    SetPriority(kDefaultPriority);
    return kDefaultPriority;
}

void TSyslogParse::SetPriority(int value) {
    std::string priority = "<";
    text::appendDecimal(priority, value);
    priority += '>';
    const std::int64_t i = priorityEnd(m_text);
    std::int64_t growth = 0;
    if (i != 0) {
        m_text.replace(0, static_cast<std::size_t>(i), priority);
        growth = static_cast<std::int64_t>(priority.size()) - i;
    } else {
        priority += ' ';
        m_text.insert(0, priority);
        growth = static_cast<std::int64_t>(priority.size());
    }
    // The priority lies in front of a header already found: keep the header on the same text.
    if (m_header.HeaderStart > 0)
        m_header.HeaderStart = clampToInt32(m_header.HeaderStart + growth);
}

int TSyslogParse::Facility() {
    return Priority() >> 3;
}

int TSyslogParse::Severity() {
    return Priority() & 7;
}

void TSyslogParse::SetFacility(int facility) {
    SetPriority((Severity() + facility * 8) & 0xFF);
}

void TSyslogParse::ParseHeader() {
    const std::string_view t = m_text;
    const auto length = static_cast<std::int64_t>(t.size());
    if (m_header.HeaderLength >= kKnownHeaderLength || length <= kShortestHeaderText)
        return;

    // The header starts at the first letter or space after the priority (within the first 12
    // characters), or right after the priority when an ISO 8601 time stamp follows it directly.
    std::int64_t i = text::find(t, '>');
    if (isIsoDateTimeStart(text::cutFrom(t, i + 1))) {
        ++i;
    } else {
        do {
            ++i;
        } while (!(text::isLetter(text::charAt(t, i)) || text::charAt(t, i) == ' ' || i >= 12));
    }
    const std::int64_t start = i;
    m_header.HeaderStart = clampToInt32(start);

    // A "." after the seconds within the first 20 characters starts the fraction of a time: the
    // time ends at the space after it. Otherwise a first word of 5 or more characters is the time, or else
    // the time runs to the space at or after 13 characters (as in "Oct 11 22:14:15" and "Oct 11 2009
    // 22:14:15").
    std::int64_t headerLength = 0;
    if (const std::int64_t dot = fractionDot(text::cut(t, start, 20)); dot > 0) {
        headerLength = text::find(t, ' ', dot + 5) - start;
    } else {
        const std::int64_t space = text::find(t, ' ', start + 1);
        headerLength = space - start < 5 ? text::find(t, ' ', start + 13) - start : space - start;
    }
    m_header.HeaderLength = clampToInt32(headerLength);

    const std::string_view stamp =
        headerLength < 0 ? std::string_view{} : text::trim(text::cut(t, start, headerLength));
    formatSyslogTimeInto(m_header.StampText, ParseSyslogTime(stamp));

    // The host is the run of letters, digits, "." and "/" after the time's closing space; one
    // that runs to the end of the text is not taken (it is the message).
    const std::int64_t end = start + headerLength;
    std::int64_t j = end + 1;
    while (text::isLetterOrDigit(text::charAt(t, j)) && j < length) ++j;
    if (j > end + 1 && j < length) {
        m_header.HostName.assign(text::cut(t, end + 1, j - end - 1));
        m_header.HeaderLength = clampToInt32(j - start);
    }
}

DateTime TSyslogParse::TimeStamp() {
    if (m_header.StampText.empty()) {
        ParseHeader();
        return 0;
    }
    return ParseSyslogTime(m_header.StampText);
}

std::string TSyslogParse::Host() {
    if (m_header.HeaderLength >= kKnownHeaderLength ||
        static_cast<std::int64_t>(m_text.size()) <= kShortestHeaderText) {
        return m_header.HostName;
    }
    TSyslogHeader before = m_header;
    ParseHeader();
    std::string host = std::move(m_header.HostName);
    m_header = std::move(before);
    return host;
}

std::string_view TSyslogParse::messageSpan(std::int64_t& position) {
    if (m_header.HeaderLength == 0)
        ParseHeader();
    const std::int64_t k = static_cast<std::int64_t>(m_header.HeaderLength) + m_header.HeaderStart;
    position = 0;
    if (k <= 0)
        return {};
    const std::string_view rest = text::cutFrom(m_text, k + 1);
    const std::string_view trimmed = text::trim(rest);
    position = k + 1 + (trimmed.data() - rest.data());
    return trimmed;
}

std::string TSyslogParse::MessageText() {
    std::int64_t position = 0;
    const std::string_view m = messageSpan(position);
    return std::string(m_rfc5424 ? rfc5424MessageText(m) : m);
}

std::string TSyslogParse::Process() {
    if (m_rfc5424) {
        m_processTag = m_appName.empty() ? std::string(kUnknownProcess) : m_appName;
        return m_processTag;
    }
    std::int64_t position = 0;
    const std::string m(messageSpan(position));
    const std::size_t sizeBefore = m_text.size();

    std::string tag = ParsePercentTag(m);
    if (tag.empty())
        tag = ParseTabFields(m);
    m_processTag = std::move(tag);
    if (m_processTag.empty()) {
        const std::int64_t colon = text::find(m, ": ");
        if (colon > 0) {
            m_processTag.assign(m, 0, static_cast<std::size_t>(colon));
            // The tag is taken out where the message text starts (a rewritten priority may have
            // moved it), never from an earlier look-alike in the header.
            const std::int64_t from =
                position + static_cast<std::int64_t>(m_text.size()) - static_cast<std::int64_t>(sizeBefore);
            if (const std::int64_t at = text::find(m_text, m_processTag, from); at > 0) {
                m_text.erase(static_cast<std::size_t>(at - 1), m_processTag.size());
            }
        } else {
            m_processTag.assign(kUnknownProcess);
        }
    }
    return m_processTag;
}

std::int32_t TSyslogParse::PID() {
    if (m_rfc5424) {
        const bool numeric = !m_procId.empty() && std::all_of(m_procId.begin(), m_procId.end(),
                                                              [](char c) { return c >= '0' && c <= '9'; });
        return numeric ? text::readWholeInt(m_procId).value_or(-1) : -1;
    }
    if (m_processTag.empty())
        Process();
    const std::string_view tag = m_processTag;
    const std::int64_t open = text::find(tag, '[');
    const std::int64_t close = text::find(tag, ']');
    if (open <= 0 || open >= close)
        return -1;
    const std::string_view digits = text::cut(tag, open + 1, close - open - 1);
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    return text::readWholeInt(digits).value_or(-1);
}

void TSyslogParse::moveHeaderEnd(std::int64_t by) {
    m_header.HeaderLength = clampToInt32(static_cast<std::int64_t>(m_header.HeaderLength) + by);
}

std::string TSyslogParse::ParsePercentTag(std::string_view m) {
    const std::int64_t percent = text::find(m, '%');
    if (percent == 0)
        return {};
    const std::int64_t start = percent + 1;
    const std::int64_t n = text::find(m, ' ', start) - start;
    if (n <= 0)
        return {};
    // Only a tag that opens the message text is skipped by it; one further in stays in the text.
    if (percent == 1)
        moveHeaderEnd(n + 1);
    m_percentTag.assign(text::cut(m, start, n));

    const std::string_view tag = m_percentTag;
    const auto firstDash = tag.find('-');
    const auto lastDash = tag.rfind('-');
    std::string result;
    if (firstDash != std::string_view::npos && firstDash > 0) {
        const std::string_view facility = tag.substr(0, firstDash);
        bool named = false;
        for (int code = 0; code < kNamedFacilities && !named; ++code) {
            if (upperFacilityName(code).find(facility) != std::string_view::npos) {
                SetFacility(code);
                named = true;
            }
        }
        if (!named)
            result.assign(facility);
        m_subProcess.assign(tag.substr(lastDash + 1));
    }
    if (result.empty() && lastDash != std::string_view::npos)
        result.assign(tag.substr(lastDash + 1));
    return result;
}

std::string TSyslogParse::ParseTabFields(std::string_view m) {
    std::int64_t p = text::find(m, "\t\t");
    if (p == 0)
        p = text::find(m, " \t");
    if (p == 0)
        return {};

    std::string quoted;
    quoted.reserve(m.size() + 16);
    for (char c : m) {
        if (c == '\t') {
            quoted += "\"\t\"";
        } else {
            quoted += c;
        }
    }
    DelimitedTextReader reader(quoted);
    std::string item;
    std::string first;
    std::string process;
    std::size_t count = 0;
    while (reader.next(item)) {
        if (count == 0)
            first = item;
        if (count == 6)
            process = item;
        if (count == 11)
            m_subProcess = item;
        ++count;
    }
    if (count == 0)
        return {};
    moveHeaderEnd(p + 1);
    if (count >= 7)
        return process;
    // The first field ends with the quote the tab became; a field split off at a space has none.
    if (!first.empty() && first.back() == '"')
        first.pop_back();
    return first;
}

}  // namespace corvane
