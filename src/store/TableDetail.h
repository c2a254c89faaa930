#pragma once

// Pieces of Table shared by its source files; not for use outside the table engine.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/Table.h"

namespace corvane {

struct Table::LogEntry {
    enum class Kind : unsigned char { Inserted, Modified, Deleted };
    Kind kind;
    std::uint32_t rowId;
    RowPtr row;  // the record before a change or delete
    // The record's key after a post; unknown for entries made without it.
    std::int64_t key = kUnknownKey;
    static constexpr std::int64_t kUnknownKey = INT64_MAX;
};

// The keys of the records that hold each value of one field, so that locating a value costs the
// same however many records the table has. Entries are added as records are loaded or posted and
// are not removed when a record changes or goes: a locate checks every candidate against the
// record itself and drops the entries that no longer hold.
struct Table::LocateIndex {
    int field = -1;
    std::unordered_map<std::string, std::vector<std::int64_t>> keysOf;
};

namespace tabledetail {

inline Value valueFrom(const RecordReader& r, FieldType type, int field) {
    if (r.isNull(field))
        return Value::null();
    switch (type) {
        case FieldType::DateTime:
            return Value::ofDateTime(r.dateTime(field));
        case FieldType::Text:
            return Value::ofText(r.text(field));
        case FieldType::Integer:
        case FieldType::AutoInc:
            break;
    }
    return Value::ofInteger(r.integer(field));
}

inline bool equalsValue(const RecordReader& r, FieldType type, int field, const Value& v) {
    if (r.isNull(field))
        return v.isNull();
    switch (type) {
        case FieldType::DateTime:
            return v.kind == Value::Kind::Date &&
                   dateTimeToMilliseconds(r.dateTime(field)) == dateTimeToMilliseconds(v.dateTime);
        case FieldType::Text:
            return v.kind == Value::Kind::Text && r.text(field) == v.text;
        case FieldType::Integer:
        case FieldType::AutoInc:
            break;
    }
    return v.kind == Value::Kind::Integer && r.integer(field) == v.integer;
}

}  // namespace tabledetail
}  // namespace corvane
