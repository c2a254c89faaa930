#include "store/TData.h"
#include "app/LogImport.h"

#include "app/JsonRecord.h"
#include "app/MessageIntake.h"
#include "app/RecordText.h"
#include "net/SyslogEvents.h"
#include "protocol/SyslogMessage.h"
#include "protocol/SyslogTime.h"
#include "protocol/TextUtil.h"

#include <algorithm>
#include <cstring>

namespace corvane {

LogImport::~LogImport() {
    if (m_open)
        cancel();
}

std::string LogImport::addressOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string LogImport::open(const std::string& path) {
    m_summary = {};
    if (std::string error = m_reader.open(path); !error.empty()) {
        m_summary.error = error;
        return error;
    }
    m_address = addressOf(path);
    m_importTime = now();
    m_intake.BeginImport();
    m_open = true;
    return {};
}

bool LogImport::step(std::size_t lines) {
    if (!m_open)
        return false;
    std::string_view line;
    for (std::size_t i = 0; i < lines; ++i) {
        if (!m_reader.next(line)) {
            if (!m_reader.error().empty())
                m_summary.error = m_reader.error();
            return false;
        }
        ++m_summary.linesRead;
        if (takeLine(line)) {
            ++m_summary.stored;
        } else {
            ++m_summary.skipped;
        }
    }
    return true;
}

double LogImport::progress() const {
    const std::uint64_t size = m_reader.fileSize();
    return size == 0 ? 1.0
                     : std::min(1.0, static_cast<double>(m_reader.fileOffset()) / static_cast<double>(size));
}

bool LogImport::takeLine(std::string_view line) {
    const std::string_view trimmed = text::trim(line);
    if (trimmed.empty())
        return false;  // blank lines are skipped, not bad
    const bool taken = trimmed.front() == '{' ? takeJsonLine(trimmed) : takeSyslogLine(line);
    if (!taken && m_summary.firstBadLine == 0)
        m_summary.firstBadLine = m_summary.linesRead;
    return taken;
}

bool LogImport::hasOwnTimeStamp(std::string_view s) {
    std::size_t p = 0;
    if (p < s.size() && s[p] == '<') {
        const auto close = s.find('>');
        if (close == std::string_view::npos || close > 4)
            return false;
        p = close + 1;
        if (s.substr(p, 2) == "1 ")
            p += 2;
    }
    s = s.substr(p);
    if (isIsoDateTimeStart(s) ||
        (s.size() >= 19 && s[4] == '-' && s[7] == '-' && s[10] == ' ' &&
         isIsoDateTimeStart(std::string(s.substr(0, 10)) + "T" + std::string(s.substr(11, 8)))))
        return true;
    // "Mmm dd hh:mm:ss", the day padded with a blank or a zero.
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (s.size() < 15 || s[3] != ' ')
        return false;
    const bool month = std::any_of(std::begin(kMonths), std::end(kMonths), [&](const char* m) {
        return text::upperAscii(s[0]) == m[0] && text::upperAscii(s[1]) == text::upperAscii(m[1]) &&
               text::upperAscii(s[2]) == text::upperAscii(m[2]);
    });
    auto digit = [&](std::size_t i) { return s[i] >= '0' && s[i] <= '9'; };
    return month && (s[4] == ' ' || digit(4)) && digit(5) && s[6] == ' ' && digit(7) && digit(8) &&
           s[9] == ':' && digit(10) && digit(11) && s[12] == ':' && digit(13) && digit(14);
}

bool LogImport::takeSyslogLine(std::string_view line) {
    if (std::memchr(line.data(), '\0', line.size()))
        return false;  // not text
    TnSyslogMessage message;
    message.SetReceived(m_importTime);
    message.SetData(line.substr(0, kSyslogMessageBytes));
    message.SetPeerAddress(m_address);
    message.SetProtocol("File");
    if (hasOwnTimeStamp(line)) {
        const DateTime stamp = message.TimeStamp();
        if (stamp != 0)
            message.SetReceived(stamp);
    }
    return m_intake.ImportMessage(message);
}

bool LogImport::takeJsonLine(std::string_view line) {
    const auto members = parseJsonRecord(line);
    if (!members)
        return false;
    const Table& messages = m_data.MessageSet();
    std::vector<Value> values(messages.fields().size());
    for (const auto& [name, json] : *members) {
        const int field = messages.fieldIndex(name);
        if (field < 0 || messages.fields()[field].kind != FieldKind::Data)
            continue;
        Value& v = values[static_cast<std::size_t>(field)];
        if (json.kind == JsonValue::Kind::Null)
            continue;
        switch (messages.fields()[field].type) {
            case FieldType::Text:
                if (json.kind != JsonValue::Kind::String)
                    return false;
                v = Value::ofText(json.text);
                break;
            case FieldType::DateTime: {
                const auto when = json.kind == JsonValue::Kind::String ? record_text::readDateTime(json.text)
                                                                       : std::nullopt;
                if (!when)
                    return false;
                v = Value::ofDateTime(*when);
                break;
            }
            default: {
                const auto number =
                    json.kind == JsonValue::Kind::Number ? text::readWholeInt(json.text) : std::nullopt;
                if (!number)
                    return false;
                v = Value::ofInteger(*number);
            }
        }
    }
    return m_intake.ImportRecord(values, m_address);
}

ImportSummary LogImport::finish() {
    if (!m_open)
        return m_summary;
    m_open = false;
    const TData::SaveResult saved = m_intake.EndImport();
    if (!saved.ok() && m_summary.error.empty())
        m_summary.error = saved.error;
    return m_summary;
}

ImportSummary LogImport::cancel() {
    m_summary.cancelled = true;
    return finish();
}

ImportSummary importLogFile(MessageIntake& intake, TData& data, const std::string& path,
                            const std::function<bool(double)>& progress) {
    LogImport job(intake, data);
    if (std::string error = job.open(path); !error.empty())
        return job.summary();
    constexpr std::size_t kSlice = 8192;
    while (job.step(kSlice)) {
        if (progress && !progress(job.progress()))
            return job.cancel();
    }
    return job.finish();
}

}  // namespace corvane
