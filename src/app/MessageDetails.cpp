#include "app/MessageDetails.h"

#include <cstdio>

namespace corvane {

namespace {

std::string textOf(const Table& t, std::string_view field) {
    const int f = t.fieldIndex(field);
    if (f < 0 || t.isNull(f))
        return {};
    const Value v = t.value(f);
    switch (v.kind) {
        case Value::Kind::Text:
            return v.text;
        case Value::Kind::Integer:
            return std::to_string(v.integer);
        default:
            return {};
    }
}

}  // namespace

std::string displayDateTime(const Value& value, const LocaleFormats& formats) {
    return value.kind == Value::Kind::Date ? formats.formatDateTime(value.dateTime) : std::string();
}

std::string formatProcessId(std::int32_t pid) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%8d", static_cast<int>(pid));
    return buffer;
}

bool readMessageDetails(const Table& messages, const LocaleFormats& formats, MessageDetails& out) {
    if (!messages.isOpen() || messages.recNo() == 0)
        return false;
    out.facility = textOf(messages, "Facility");
    const int facilityKey = messages.fieldIndex("FacilityKey");
    out.facilityImage =
        facilityKey >= 0 && !messages.isNull(facilityKey) ? messages.integer(facilityKey) + 1 : -1;
    const int date = messages.fieldIndex("Date");
    out.date = date >= 0 ? displayDateTime(messages.value(date), formats) : std::string();
    out.severity = textOf(messages, "Severity");
    out.process = textOf(messages, "Process");
    out.subProcess = textOf(messages, "SubProcess");
    out.processEx = textOf(messages, "ProcessEx");
    const int pid = messages.fieldIndex("PID");
    out.processId = formatProcessId(pid >= 0 && !messages.isNull(pid) ? messages.integer(pid) : 0);
    out.data = textOf(messages, "Data");
    out.address = textOf(messages, "Address");
    out.host = textOf(messages, "Host");
    return true;
}

}  // namespace corvane
