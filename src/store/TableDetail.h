#pragma once

// Pieces of Table shared by its source files; not for use outside the table engine.

#include <cstdint>
#include <functional>
#include <string_view>
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

// Where the records holding each value of one field are: an open-addressing table of pairs
// (hash of the value, key of the record), so that locating a value costs the same however many
// records the table has, and touches little memory. The values themselves are not kept: a locate
// compares every candidate with its record. Pairs are added as records are loaded or posted;
// a pair whose record no longer holds a value of that hash is dropped when a locate meets it.
struct Table::LocateIndex {
    struct Entry {
        std::uint64_t hash = kEmpty;
        std::int64_t key = 0;
    };
    static constexpr std::uint64_t kEmpty = 0;
    static constexpr std::uint64_t kGone = 1;

    int field = -1;
    std::vector<Entry> slots;  // a power of two of them, or none
    std::size_t taken = 0;     // slots not empty, gone ones included
    std::size_t live = 0;

    static std::uint64_t hashOf(std::string_view bytes) {
        const std::uint64_t h = std::hash<std::string_view>{}(bytes);
        return h <= kGone ? h + 2 : h;
    }
    void add(std::uint64_t hash, std::int64_t key) {
        if ((taken + 1) * 2 > slots.size())
            rehash();
        const std::size_t mask = slots.size() - 1;
        std::size_t free = slots.size();
        std::size_t i = hash & mask;
        for (; slots[i].hash != kEmpty; i = (i + 1) & mask) {
            if (slots[i].hash == hash && slots[i].key == key)
                return;
            if (slots[i].hash == kGone && free == slots.size())
                free = i;
        }
        if (free == slots.size()) {
            free = i;
            ++taken;
        }
        slots[free] = {hash, key};
        ++live;
    }
    // Calls keep(entry.key) for every pair of the hash; a pair it answers false for is dropped.
    template <class Keep>
    void visit(std::uint64_t hash, Keep keep) {
        if (slots.empty())
            return;
        const std::size_t mask = slots.size() - 1;
        for (std::size_t i = hash & mask; slots[i].hash != kEmpty; i = (i + 1) & mask) {
            if (slots[i].hash == hash && !keep(slots[i].key)) {
                slots[i].hash = kGone;
                --live;
            }
        }
    }

private:
    void rehash() {
        std::size_t size = 16;
        while (size < (live + 1) * 4) size *= 2;
        std::vector<Entry> old = std::move(slots);
        slots.assign(size, Entry{});
        taken = live = 0;
        for (const Entry& e : old)
            if (e.hash > kGone)
                add(e.hash, e.key);
    }
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
