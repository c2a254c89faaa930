#include "store/Table.h"
#include "app/RecordExport.h"

#include "app/ExchangeTexts.h"
#include "protocol/Placeholders.h"
#include "app/RecordText.h"
#include "protocol/TextUtil.h"

#include <algorithm>
#include <cstdio>

namespace corvane {

std::optional<ExportFormat> exportFormatFromName(std::string_view name) {
    if (name == "csv")
        return ExportFormat::Csv;
    if (name == "jsonl")
        return ExportFormat::JsonLines;
    if (name == "syslog")
        return ExportFormat::SyslogText;
    return std::nullopt;
}

const char* exportFormatName(ExportFormat format) {
    switch (format) {
        case ExportFormat::Csv:
            return "csv";
        case ExportFormat::JsonLines:
            return "jsonl";
        case ExportFormat::SyslogText:
            return "syslog";
    }
    return "";
}

RecordExport::RecordExport(const Table& table, ExportFormat format, std::vector<std::string> columns)
    : m_table(table), m_format(format), m_columnNames(std::move(columns)) {}

std::string RecordExport::open(const std::string& path) {
    m_next = 0;
    m_total = 0;
    m_error.clear();
    m_columns.clear();
    if (!m_table.isOpen())
        return m_error = exchange_texts::kNotOpen;
    const auto& fields = m_table.fields();
    if (m_format == ExportFormat::Csv && !m_columnNames.empty()) {
        for (const std::string& name : m_columnNames) {
            const int i = m_table.fieldIndex(name);
            if (i < 0)
                return m_error = fillIn(exchange_texts::kNoSuchColumn, {name});
            m_columns.push_back(i);
        }
    } else {
        for (int i = 0; i < static_cast<int>(fields.size()); ++i)
            if (fields[i].kind == FieldKind::Data)
                m_columns.push_back(i);
    }
    m_data = m_table.fieldIndex("Data");
    m_facilityKey = m_table.fieldIndex("FacilityKey");
    m_severityKey = m_table.fieldIndex("SeverityKey");
    m_timeStamp = m_table.fieldIndex("TimeStamp");
    m_host = m_table.fieldIndex("Host");
    m_process = m_table.fieldIndex("Process");
    m_message = m_table.fieldIndex("Message");

    if (std::string error = m_file.open(path); !error.empty())
        return m_error = error;
    m_total = static_cast<std::size_t>(m_table.recordCount());
    m_jsonKeys.clear();
    for (int field : m_columns) {
        std::string key(m_jsonKeys.empty() ? "{" : ",");
        record_text::appendJsonString(key, fields[field].name);
        key.push_back(':');
        m_jsonKeys.push_back(std::move(key));
    }
    m_line.clear();
    if (m_format == ExportFormat::Csv) {
        m_line.clear();
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            if (c)
                m_line.push_back(',');
            record_text::appendCsvField(m_line, fields[m_columns[c]].name);
        }
        m_line.append("\r\n");
    }
    return {};
}

bool RecordExport::step(std::size_t count) {
    if (!m_file.ok())
        return false;
    constexpr std::size_t kPiece = 256 * 1024;
    const std::size_t end = std::min(m_total, m_next + count);
    for (; m_next < end; ++m_next) {
        writeRecord(static_cast<int>(m_next));
        if (m_line.size() >= kPiece) {
            if (!m_file.write(m_line))
                return false;
            m_line.clear();
        }
    }
    if (!m_file.write(m_line))
        return false;
    m_line.clear();
    return m_next < m_total;
}

void RecordExport::writeRecord(int position) {
    switch (m_format) {
        case ExportFormat::Csv:
            writeCsv(position);
            break;
        case ExportFormat::JsonLines:
            writeJson(position);
            break;
        case ExportFormat::SyslogText:
            writeSyslog(position);
            break;
    }
}

void RecordExport::writeCsv(int position) {
    const RowReader row = m_table.readerAt(position);
    const RowLayout& layout = m_table.layout();
    bool first = true;
    for (int field : m_columns) {
        if (!first)
            m_line.push_back(',');
        first = false;
        if (!layout.isStored(field)) {
            const Value v = m_table.valueAt(position, field);
            if (v.kind == Value::Kind::Text)
                record_text::appendCsvField(m_line, v.text);
            else if (v.kind == Value::Kind::Integer)
                text::appendDecimal(m_line, v.integer);
            else if (v.kind == Value::Kind::Date)
                record_text::appendDateTime(m_line, v.dateTime);
            continue;
        }
        if (row.isNull(field))
            continue;
        switch (layout.type(field)) {
            case FieldType::Text:
                record_text::appendCsvField(m_line, row.text(field));
                break;
            case FieldType::DateTime:
                record_text::appendDateTime(m_line, row.dateTime(field));
                break;
            default:
                text::appendDecimal(m_line, row.integer(field));
        }
    }
    m_line.append("\r\n");
}

void RecordExport::writeJson(int position) {
    const RowReader row = m_table.readerAt(position);
    const RowLayout& layout = m_table.layout();
    if (m_columns.empty())
        m_line.push_back('{');
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        const int field = m_columns[c];
        m_line.append(m_jsonKeys[c]);
        if (row.isNull(field)) {
            m_line.append("null");
            continue;
        }
        switch (layout.type(field)) {
            case FieldType::Text:
                record_text::appendJsonString(m_line, row.text(field));
                break;
            case FieldType::DateTime:
                m_line.push_back('"');
                record_text::appendDateTime(m_line, row.dateTime(field), 'T');
                m_line.push_back('"');
                break;
            default:
                text::appendDecimal(m_line, row.integer(field));
        }
    }
    m_line.append("}\n");
}

namespace {

// Control characters would break the one-record-per-line layout; they are written as "#" and
// three octal digits, as syslog daemons write them to their files. A tab stays as it is.
void appendEscapedLine(std::string& out, std::string_view text) {
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 && c != '\t') {
            out.push_back('#');
            out.push_back(static_cast<char>('0' + (c >> 6)));
            out.push_back(static_cast<char>('0' + ((c >> 3) & 7)));
            out.push_back(static_cast<char>('0' + (c & 7)));
        } else {
            out.push_back(ch);
        }
    }
}

}  // namespace

void RecordExport::writeSyslog(int position) {
    const RowReader row = m_table.readerAt(position);
    if (m_data >= 0 && !row.isNull(m_data) && !row.text(m_data).empty()) {
        appendEscapedLine(m_line, row.text(m_data));
        m_line.push_back('\n');
        return;
    }
    // A record without its received text: the classic layout made from its fields.
    auto integerOr = [&](int field, std::int32_t fallback) {
        return field >= 0 && !row.isNull(field) ? row.integer(field) : fallback;
    };
    auto textOf = [&](int field) { return field >= 0 && !row.isNull(field) ? row.text(field) : ""; };
    const std::int32_t priority = integerOr(m_facilityKey, 1) * 8 + integerOr(m_severityKey, 5);
    m_line.push_back('<');
    text::appendDecimal(m_line, priority);
    m_line.push_back('>');
    const DateTime stamp = m_timeStamp >= 0 && !row.isNull(m_timeStamp) ? row.dateTime(m_timeStamp) : 0;
    if (stamp != 0) {
        const DateTimeFields f = decodeDateTime(stamp);
        static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        char buf[32];
        std::snprintf(buf, sizeof buf, "%s %2d %02d:%02d:%02d ", kMonths[(f.month + 11) % 12], f.day, f.hour,
                      f.minute, f.second);
        m_line.append(buf);
    }
    std::string rest;
    if (std::string_view host = textOf(m_host); !host.empty()) {
        rest.append(host);
        rest.push_back(' ');
    }
    if (std::string_view process = textOf(m_process); !process.empty() && process != "Unknown") {
        rest.append(process);
        if (process.back() != ':')
            rest.push_back(':');
        rest.push_back(' ');
    }
    rest.append(textOf(m_message));
    appendEscapedLine(m_line, rest);
    m_line.push_back('\n');
}

ExportResult RecordExport::finish() {
    ExportResult r;
    r.records = m_next;
    if (!m_error.empty()) {
        r.error = m_error;
        return r;
    }
    if (!m_file.ok()) {
        r.error = m_file.error();
        m_file.discard();
        r.records = 0;
        return r;
    }
    r.error = m_file.commit();
    if (!r.ok())
        r.records = 0;
    return r;
}

ExportResult RecordExport::cancel() {
    m_file.discard();
    ExportResult r;
    r.cancelled = true;
    return r;
}

ExportResult exportRecords(const Table& table, const std::string& path, ExportFormat format,
                           std::vector<std::string> columns,
                           const std::function<bool(std::size_t, std::size_t)>& progress) {
    RecordExport job(table, format, std::move(columns));
    if (std::string error = job.open(path); !error.empty()) {
        ExportResult r;
        r.error = error;
        return r;
    }
    constexpr std::size_t kSlice = 16384;
    while (job.step(kSlice)) {
        if (progress && !progress(job.done(), job.total()))
            return job.cancel();
    }
    if (progress)
        progress(job.done(), job.total());
    return job.finish();
}

}  // namespace corvane
