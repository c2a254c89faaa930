// Reads arbitrary bytes as one line of an imported JSON Lines file. A line that reads as a
// record is written again the way an export writes it: that text must read back to the same
// names and values.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/JsonRecord.h"
#include "app/RecordText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto record = parseJsonRecord(line);
    if (!record)
        return 0;
    std::string again = "{";
    for (const auto& [name, value] : *record) {
        if (again.size() > 1)
            again += ',';
        record_text::appendJsonString(again, name);
        again += ':';
        switch (value.kind) {
            case JsonValue::Kind::String:
                record_text::appendJsonString(again, value.text);
                break;
            case JsonValue::Kind::Number:
                again += value.text;
                break;
            case JsonValue::Kind::Bool:
                again += value.flag ? "true" : "false";
                break;
            case JsonValue::Kind::Null:
                again += "null";
                break;
        }
    }
    again += '}';
    const auto reread = parseJsonRecord(again);
    if (!reread || reread->size() != record->size())
        std::abort();
    for (std::size_t i = 0; i < record->size(); ++i) {
        const auto& a = (*record)[i];
        const auto& b = (*reread)[i];
        // Names and strings that were not valid UTF-8 come back read as Latin-1.
        if (record_text::isValidUtf8(a.first) && a.first != b.first)
            std::abort();
        if (a.second.kind != b.second.kind || a.second.flag != b.second.flag)
            std::abort();
        if (record_text::isValidUtf8(a.second.text) && a.second.text != b.second.text)
            std::abort();
    }
    return 0;
}
