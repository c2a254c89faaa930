#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/Field.h"
#include "protocol/DateTime.h"

namespace corvane {

// One field value as callers see it: null, a 32-bit integer, a date-time or a text.
struct Value {
    enum class Kind : unsigned char { Null, Integer, Date, Text };  // Date: a date-time

    Kind kind = Kind::Null;
    std::int32_t integer = 0;
    DateTime dateTime = 0;
    std::string text;

    static Value null() { return {}; }
    static Value ofInteger(std::int32_t v) {
        Value r;
        r.kind = Kind::Integer;
        r.integer = v;
        return r;
    }
    static Value ofDateTime(DateTime v) {
        Value r;
        r.kind = Kind::Date;
        r.dateTime = v;
        return r;
    }
    static Value ofText(std::string_view v) {
        Value r;
        r.kind = Kind::Text;
        r.text = v;
        return r;
    }

    bool isNull() const { return kind == Kind::Null; }
    friend bool operator==(const Value&, const Value&) = default;
};

}  // namespace corvane
