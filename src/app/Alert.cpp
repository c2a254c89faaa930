#include "store/Table.h"
#include "app/Alert.h"

#include "protocol/DateTime.h"

#include <cstdio>

namespace corvane {

namespace {

std::string recordText(const Table& record, std::string_view field) {
    const int f = record.fieldIndex(field);
    if (f < 0 || record.isNull(f))
        return {};
    return std::string(record.text(f));
}

std::string upToNul(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

}  // namespace

Alert alertFromRecord(const Table& messageSet) {
    Alert alert;
    alert.host = recordText(messageSet, "Host");
    alert.address = recordText(messageSet, "Address");
    alert.facility = recordText(messageSet, "Facility");
    alert.severity = recordText(messageSet, "Severity");
    alert.message = recordText(messageSet, "Message");
    alert.data = recordText(messageSet, "Data");
    const int stamp = messageSet.fieldIndex("TimeStamp");
    if (stamp >= 0 && !messageSet.isNull(stamp))
        alert.time = messageSet.dateTime(stamp);
    return alert;
}

std::string isoDateTime(double time) {
    if (time == 0)
        return {};
    const DateTimeFields f = decodeDateTime(time);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day, f.hour,
                  f.minute, f.second);
    return text;
}

ProgramEnvironment alertEnvironment(const Alert& alert) {
    return {{"CORVANE_HOST", upToNul(alert.host)},         {"CORVANE_ADDRESS", upToNul(alert.address)},
            {"CORVANE_FACILITY", upToNul(alert.facility)}, {"CORVANE_SEVERITY", upToNul(alert.severity)},
            {"CORVANE_TIME", isoDateTime(alert.time)},     {"CORVANE_MESSAGE", upToNul(alert.message)},
            {"CORVANE_DATA", upToNul(alert.data)}};
}

}  // namespace corvane
