#include "store/StoreTables.h"

namespace corvane {

namespace {

FieldDef data(std::string_view name, FieldType type, int size, bool shown, int width = 0, int tag = 0) {
    FieldDef f;
    f.name = name;
    f.type = type;
    f.size = size;
    f.shown = shown;
    f.displayWidth = width;
    f.tag = tag;
    return f;
}

FieldDef lookup(std::string_view name, int size, int width, std::string_view keyField, std::string_view table,
                std::string_view result) {
    FieldDef f = data(name, FieldType::Text, size, true, width);
    f.kind = FieldKind::Lookup;
    f.keyField = keyField;
    f.lookupTable = table;
    f.lookupKeyField = "Key";
    f.resultField = result;
    return f;
}

constexpr auto I = FieldType::Integer;
constexpr auto D = FieldType::DateTime;
constexpr auto T = FieldType::Text;

}  // namespace

std::vector<FieldDef> messageSetFields() {
    return {
        data("Key", I, 0, false),
        data("Date", D, 0, true),
        data("TimeStamp", D, 0, true),
        data("Severity", T, 48, true, 16),
        data("Process", T, 64, true, 24),
        data("SubProcess", T, 32, true, 20),
        data("Message", T, 512, true, 48, 48),
        data("Host", T, 128, true, 24),
        data("Address", T, 48, true, 24),
        data("Facility", T, 48, true, 16),
        data("PID", I, 0, true),
        data("Data", T, 1024, true),
        data("Priority", I, 0, false),
        data("FacilityKey", I, 0, false),
        data("HostKey", I, 0, false),
        data("SeverityKey", I, 0, false),
        data("ProcessEx", T, 256, false),
    };
}

std::vector<FieldDef> hostSetFields() {
    FieldDef key = data("Key", FieldType::AutoInc, 0, false);
    key.readOnly = true;
    // An address holds up to 48 characters, room for any IPv6 address in text form.
    return {key, data("Name", T, 20, true), data("Address", T, 48, true), data("Date", D, 0, true)};
}

std::vector<FieldDef> facilitySetFields() {
    return {data("Key", I, 0, true, 5), data("Name", T, 48, true, 40, 40),
            data("ImageKey", I, 0, false, 5, 5), data("Image", T, 20, false)};
}

std::vector<FieldDef> filterSetFields() {
    return {
        data("Key", I, 0, true),       data("Date", D, 0, true),        data("TimeStamp", D, 0, true),
        data("Priority", I, 0, true),  data("PID", I, 0, true),         data("Process", T, 64, true),
        data("Message", T, 512, true), data("Data", T, 1024, true),     data("FacilityKey", I, 0, true),
        data("HostKey", I, 0, true),   data("SeverityKey", I, 0, true), data("Name", T, 64, true),
        data("Amount", I, 0, true),    data("OfTime", T, 24, true),     data("TimeKey", I, 0, true),
    };
}

std::vector<FieldDef> filterSetLookups() {
    return {
        lookup("Severity", 48, 16, "SeverityKey", "SeveritySet", "Name"),
        lookup("Host", 128, 24, "HostKey", "HostSet", "Name"),
        lookup("Address", 48, 24, "HostKey", "HostSet", "Address"),
        lookup("Facillity", 48, 16, "FacilityKey", "FacilitySet", "Name"),
        lookup("OfTime", 24, 0, "TimeKey", "TimeSet", "Of"),
    };
}

std::vector<FieldDef> timeSetFields() {
    return {data("Key", I, 0, true), data("Of", T, 48, true), data("Amount", I, 0, true)};
}

}  // namespace corvane
