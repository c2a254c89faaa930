#include "app/ExportSupport.h"

#include "app/RecordText.h"

namespace corvane::test {

void appendSample(Table& t, const SampleRecord& r) {
    t.append();
    t.setInteger(t.requireField("Key"), r.key);
    auto text = [&](const char* field, const std::string& v) {
        if (!v.empty())
            t.setText(t.requireField(field), v);
        else
            t.setNull(t.requireField(field));
    };
    auto date = [&](const char* field, const std::string& v) {
        if (auto d = record_text::readDateTime(v))
            t.setDateTime(t.requireField(field), *d);
        else
            t.setNull(t.requireField(field));
    };
    auto integer = [&](const char* field, int v, int none) {
        if (v != none)
            t.setInteger(t.requireField(field), v);
        else
            t.setNull(t.requireField(field));
    };
    date("Date", r.date);
    date("TimeStamp", r.timeStamp);
    text("Severity", r.severity);
    text("Process", r.process);
    text("Message", r.message);
    text("Host", r.host);
    text("Address", r.address);
    text("Facility", r.facility);
    integer("PID", r.pid, -2);
    text("Data", r.data);
    integer("FacilityKey", r.facilityKey, -1);
    integer("HostKey", r.hostKey, -1);
    integer("SeverityKey", r.severityKey, -1);
    t.post();
}

std::vector<SampleRecord> awkwardSamples() {
    return {
        {0, "2026-12-10 14:46:08.123", "2026-12-10 14:46:08.000", "Critical", "su[123]:", "'su root' failed",
         "mymachine", "192.168.1.5", "Security/Aothorize",
         "<34>Dec 10 14:46:08 mymachine su[123]: 'su root' failed", 123, 4, 2, 1},
        {1, "2026-12-10 14:46:09.000", "2026-12-10 14:46:09.000", "Notice", "app:", "say \"hi\", then go",
         "web-01", "10.0.0.2", "User", "<13>Dec 10 14:46:09 web-01 app: say \"hi\", then go", -1, 1, 5, 2},
        {2, "2026-12-10 14:46:10.500", "2026-12-10 14:46:10.000", "Error",
         "kern:", "line one\nline two\r\nend", "web-01", "10.0.0.2", "Kernel",
         "<3>Dec 10 14:46:10 web-01 kern: line one\nline two\r\nend", -1, 0, 3, 2},
        {3, "2026-12-10 14:46:11.000", "2026-12-10 14:46:11.000", "Warning", "tab:", "a\tb\tc", "web-01",
         "10.0.0.2", "User", "<12>Dec 10 14:46:11 web-01 tab: a\tb\tc", -1, 1, 4, 2},
        {4, "2026-12-10 14:46:12.000", "2026-12-10 14:46:12.000", "Info", "cafe:",
         "Gr\xc3\xbc\xc3\x9f"
         "e \xe2\x82\xac",
         "caf\xe9", "10.0.0.3", "User",
         "<14>Dec 10 14:46:12 caf\xe9 cafe: Gr\xc3\xbc\xc3\x9f"
         "e \xe2\x82\xac",
         -1, 1, 6, 3},
        {5, "2026-12-10 14:46:13.000", "", "", "", "", "", "10.0.0.4", "", "", -2, -1, -1, 4},
        {6, "2026-12-10 14:46:14.000", "2026-12-10 14:46:14.000", "Debug", "ctl:", "back\\slash \x01 bell",
         "db_02", "10.0.0.5", "Local0", "", 77, 16, 7, 5},
    };
}

}  // namespace corvane::test
