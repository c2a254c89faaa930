#pragma once

#include <string>

namespace corvane {

enum class FieldType : unsigned char {
    Integer,   // 32-bit signed
    DateTime,  // days since 30 Dec 1899, kept to the millisecond
    Text,      // 8-bit text cut to `size` bytes, trailing blanks removed on store
    AutoInc,   // 32-bit signed, filled from the table's counter at post
};

enum class FieldKind : unsigned char {
    Data,    // stored in the record
    Lookup,  // not stored; read through another table (never usable in a filter)
};

// One field of a table: its stored shape and how generic grids show it.
struct FieldDef {
    std::string name;
    FieldType type = FieldType::Integer;
    int size = 0;  // text fields: the maximum size in bytes
    FieldKind kind = FieldKind::Data;
    bool shown = true;     // shown in generic grids
    int displayWidth = 0;  // display width in characters, 0 when none is set
    int tag = 0;           // non-zero: a grid column that takes spare width, at least this many pixels
    bool readOnly = false;

    // Lookup fields only: this table's key field, the table looked in, its key and result fields.
    std::string keyField;
    std::string lookupTable;
    std::string lookupKeyField;
    std::string resultField;

    bool isTextual() const { return type == FieldType::Text; }
    bool isIntegral() const { return type == FieldType::Integer || type == FieldType::AutoInc; }
};

}  // namespace corvane
