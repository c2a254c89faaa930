#pragma once

#include <string>

#include "filter/FilterNode.h"

namespace corvane {

enum class ConstantKind : unsigned char { None, Text, Number, Boolean, Null };

// A parsed operand on its way into the compiled tree. A constant is kept as written until the
// operand it meets is known, since a constant takes the type of the field it is compared with.
struct FilterOperand {
    FilterNodePtr node;  // empty while a constant waits for its type
    ConstantKind constant = ConstantKind::None;
    std::string value;  // text constant: its value; number: as written
    FilterType type = FilterType::Null;
    int position = 0;
    std::string display;     // the token as messages quote it
    bool varying = false;    // depends on the record
    bool aggregate = false;  // holds an aggregate function
    int aggregatePosition = -1;

    bool isConstant() const { return constant != ConstantKind::None; }
};

}  // namespace corvane
