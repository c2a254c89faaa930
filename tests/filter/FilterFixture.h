#pragma once

#include <string>
#include <vector>

#include "FakeTable.h"
#include "protocol/DateTime.h"

namespace corvane::testing {

inline FieldDef dataField(std::string name, FieldType type, int size = 0) {
    FieldDef f;
    f.name = std::move(name);
    f.type = type;
    f.size = size;
    return f;
}

inline std::vector<FieldDef> messageFields() {
    return {dataField("Key", FieldType::Integer),        dataField("Date", FieldType::DateTime),
            dataField("TimeStamp", FieldType::DateTime), dataField("Severity", FieldType::Text, 48),
            dataField("Process", FieldType::Text, 64),   dataField("SubProcess", FieldType::Text, 32),
            dataField("Message", FieldType::Text, 512),  dataField("Host", FieldType::Text, 128),
            dataField("Address", FieldType::Text, 48),   dataField("Facility", FieldType::Text, 48),
            dataField("PID", FieldType::Integer),        dataField("Data", FieldType::Text, 1024),
            dataField("Priority", FieldType::Integer),   dataField("FacilityKey", FieldType::Integer),
            dataField("HostKey", FieldType::Integer),    dataField("SeverityKey", FieldType::Integer),
            dataField("ProcessEx", FieldType::Text, 256)};
}

inline double at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return *encodeDateTime({y, mo, d, h, mi, s, ms});
}

// Six messages covering the cases the filter tests count on.
inline FakeTable messageTable() {
    FakeTable t(messageFields());
    struct M {
        int key;
        double date;
        const char* severity;
        int severityKey;
        const char* process;  // null: no value
        const char* message;
        const char* host;
        const char* address;
        const char* facility;
        int facilityKey;
        bool hasPid;
        int pid;
    };
    const M rows[] = {
        {1, at(2024, 12, 8, 9, 0, 0), "Error", 3, "kernel", "Disk error on sda", "alpha", "10.0.0.5", "kern",
         0, true, 100},
        {2, at(2024, 12, 8, 9, 15, 0), "Warning", 4, "sshd", "disk almost full", "beta", "10.0.0.6", "auth",
         4, true, 200},
        {3, at(2024, 12, 8, 12, 30, 0), "Informational", 6, "cron", "Job done", "alpha", "10.0.0.5", "cron",
         9, true, 300},
        {4, at(2024, 12, 9), "Error", 3, "O'Brien", "ERROR: timeout", "gamma", "192.168.1.20", "local0", 16,
         false, 0},
        {5, at(2024, 12, 10, 18, 45, 30), "Notice", 5, "app", "100% done_ok", "delta", "192.168.1.21", "user",
         1, true, 500},
        {6, at(2023, 1, 1, 8, 0, 0), "Debug", 7, nullptr, "  padded", "alpha", "10.0.0.5", "daemon", 3, true,
         0},
    };
    for (const M& m : rows) {
        FakeTable::Row r(17);
        r[0] = m.key;
        r[1] = m.date;
        r[2] = m.date - 1.0 / 24;
        r[3] = std::string(m.severity);
        if (m.process)
            r[4] = std::string(m.process);
        r[6] = std::string(m.message);
        r[7] = std::string(m.host);
        r[8] = std::string(m.address);
        r[9] = std::string(m.facility);
        if (m.hasPid)
            r[10] = m.pid;
        r[11] = std::string("<13>") + m.message;
        r[13] = m.facilityKey;
        r[14] = 1;
        r[15] = m.severityKey;
        t.add(std::move(r));
    }
    return t;
}

}  // namespace corvane::testing
