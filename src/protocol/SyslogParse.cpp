#include "protocol/SyslogParse.h"

#include "protocol/DelimitedText.h"
#include "protocol/EntityDecoder.h"
#include "protocol/ProtocolTexts.h"
#include "protocol/Rfc5424.h"
#include "protocol/SyslogTime.h"
#include "protocol/SyslogVocabulary.h"
#include "protocol/TextUtil.h"
#include "protocol/TimeStampMatch.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace corvane {
namespace {

constexpr int kDefaultPriority = 13;
constexpr std::size_t kMaxPriorityEnd = 5;  // the ">" of a priority lies within the first 5 characters

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

// Host names hold letters, digits and ".", "/", "-", "_" (core-sw-01, db_02, 10.0.0.1).
bool isHostChar(char c) {
    return text::isLetterOrDigit(c) || c == '-' || c == '_';
}

std::size_t hostRunEnd(std::string_view t, std::size_t i) {
    while (i < t.size() && isHostChar(t[i])) ++i;
    return i;
}

std::size_t skipBlanks(std::string_view t, std::size_t i) {
    while (i < t.size() && text::isBlank(t[i])) ++i;
    return i;
}

// Index after "word: " when `t` holds one at `i` (the word made of `accept` characters, possibly
// none when `allowEmpty`), else 0.
template <typename Accept>
std::size_t afterColonWord(std::string_view t, std::size_t i, Accept accept, bool allowEmpty) {
    std::size_t j = i;
    while (j < t.size() && accept(t[j])) ++j;
    if ((j == i && !allowEmpty) || j + 1 >= t.size() || t[j] != ':' || t[j + 1] != ' ')
        return 0;
    return skipBlanks(t, j + 1);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

DateTime wholeSeconds(DateTime value) {
    const std::int64_t ms = dateTimeToMilliseconds(value);
    return millisecondsToDateTime(ms - ((ms % 1000) + 1000) % 1000);
}

}  // namespace

TSyslogParse::TSyslogParse() : m_processTag(kUnknownProcess) {}

void TSyslogParse::SetText(std::string_view received, DateTime receivedAt) {
    decodeEntities(received, m_text);
    m_received = receivedAt;
    m_rfc5424 = false;
    m_scanned = false;
    m_header = {};
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
    m_scanned = true;
    // The header runs from the version to the end of the structured data, so the message text
    // is what follows it, as for every other form.
    m_header.HeaderStart = clampToInt32(static_cast<std::int64_t>(parts->versionAt) + 1);
    m_header.HeaderLength = clampToInt32(static_cast<std::int64_t>(parts->headerEnd - parts->versionAt));
    m_header.HostName.assign(parts->host);
    m_header.Stamp = parts->stamp.empty() ? 0 : ParseSyslogTime(parts->stamp);
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
    if (m_scanned)
        return;
    m_scanned = true;
    const std::string_view t = m_text;
    const std::size_t from = skipBlanks(t, static_cast<std::size_t>(priorityEnd(t)));
    m_header = {};
    m_header.HeaderStart = clampToInt32(static_cast<std::int64_t>(from) + 1);

    // Network devices put a sequence number ("123: ") and their own name ("router-2: ") in
    // front of the time stamp; both count only when a time stamp follows them.
    std::size_t at = from;
    std::size_t originEnd = 0;
    std::optional<StampMatch> stamp = matchTimeStamp(t, at, m_received);
    if (!stamp) {
        const std::size_t afterSequence = afterColonWord(t, from, isDigit, true);
        if (afterSequence != 0) {
            at = afterSequence;
            stamp = matchTimeStamp(t, at, m_received);
        }
        if (!stamp) {
            const std::size_t afterOrigin = afterColonWord(t, at, isHostChar, false);
            if (afterOrigin == 0)
                return;
            stamp = matchTimeStamp(t, afterOrigin, m_received);
            if (!stamp)
                return;
            originEnd = afterOrigin;
        }
    }
    std::size_t end = stamp->end;
    if (originEnd != 0) {
        const std::size_t colon = t.rfind(':', originEnd - 1);
        m_header.HostName.assign(t.substr(at, colon - at));
    } else if (!stamp->closedByColon) {
        // The host is a word after the time that ends at a blank with text after it; one that
        // ends with ":" or runs into "[" is the process tag of a sender that left its name out.
        const std::size_t hostAt = skipBlanks(t, end);
        const std::size_t hostEnd = hostRunEnd(t, hostAt);
        if (hostEnd > hostAt && hostEnd < t.size() && text::isBlank(t[hostEnd])) {
            m_header.HostName.assign(t.substr(hostAt, hostEnd - hostAt));
            end = hostEnd;
            // "host : text", as firewalls that add their device name send it.
            const std::size_t colon = skipBlanks(t, hostEnd);
            if (colon < t.size() && t[colon] == ':' && (colon + 1 == t.size() || text::isBlank(t[colon + 1])))
                end = colon + 1;
        }
    }
    m_header.Stamp = stamp->value;
    m_header.HeaderLength = clampToInt32(static_cast<std::int64_t>(end - from));
}

DateTime TSyslogParse::receipt() const {
    return m_received != 0 ? wholeSeconds(m_received) : currentSecond();
}

bool TSyslogParse::hasTimeStamp() {
    ParseHeader();
    return m_header.Stamp != 0;
}

DateTime TSyslogParse::TimeStamp() {
    ParseHeader();
    return m_header.Stamp != 0 ? m_header.Stamp : receipt();
}

std::string TSyslogParse::Host() {
    ParseHeader();
    return m_header.HostName;
}

std::string_view TSyslogParse::messageSpan(std::int64_t& position) {
    ParseHeader();
    const std::int64_t k = std::max<std::int64_t>(
        0, static_cast<std::int64_t>(m_header.HeaderStart) - 1 + m_header.HeaderLength);
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
    if (tag.empty()) {
        // The tag is taken out where the message text starts (a rewritten priority may have
        // moved it), never from an earlier look-alike in the header.
        tag = takeLeadingTag(
            m, position + static_cast<std::int64_t>(m_text.size()) - static_cast<std::int64_t>(sizeBefore));
    }
    m_processTag = tag.empty() ? std::string(kUnknownProcess) : std::move(tag);
    return m_processTag;
}

std::string TSyslogParse::takeLeadingTag(std::string_view m, std::int64_t position) {
    std::string tag;
    // "name[pid] text": the tag of a structured message relayed in the classic layout.
    const std::size_t open = m.find_first_of("[ \t");
    if (open != std::string_view::npos && open > 0 && m[open] == '[') {
        const std::size_t close = m.find(']', open);
        if (close != std::string_view::npos && close > open + 1 && close + 1 < m.size() &&
            text::isBlank(m[close + 1]) &&
            std::all_of(m.begin() + static_cast<std::ptrdiff_t>(open) + 1,
                        m.begin() + static_cast<std::ptrdiff_t>(close), isDigit)) {
            tag.assign(m.substr(0, close + 1));
        }
    }
    if (tag.empty()) {
        const std::int64_t colon = text::find(m, ": ");
        if (colon == 0)
            return tag;
        tag.assign(m.substr(0, static_cast<std::size_t>(colon)));
    }
    if (const std::int64_t at = text::find(m_text, tag, position); at > 0)
        m_text.erase(static_cast<std::size_t>(at - 1), tag.size());
    return tag;
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
    std::int64_t position = 0;
    messageSpan(position);
    m_header.HeaderLength = clampToInt32(position - m_header.HeaderStart + by);
}

std::string TSyslogParse::ParsePercentTag(std::string_view m) {
    // A "%" inside the text (an encoded path, a load figure) is text; only a tag that opens the
    // message, or follows the sequence number of a device without a clock, is one.
    std::int64_t percent = 1;
    if (text::charAt(m, 1) != '%') {
        const std::size_t afterSequence = afterColonWord(m, 0, isDigit, false);
        if (afterSequence == 0 || afterSequence >= m.size() || m[afterSequence] != '%')
            return {};
        percent = static_cast<std::int64_t>(afterSequence) + 1;
    }
    const std::int64_t start = percent + 1;
    const std::int64_t n = text::find(m, ' ', start) - start;
    if (n <= 0)
        return {};
    moveHeaderEnd(percent + n);
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
