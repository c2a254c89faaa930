#pragma once

#include <string_view>
#include <vector>

#include "store/Field.h"

namespace corvane {

// The structure of each of the six tables as the program creates them.
std::vector<FieldDef> messageSetFields();
std::vector<FieldDef> hostSetFields();
std::vector<FieldDef> facilitySetFields();  // SeveritySet has the same fields
std::vector<FieldDef> filterSetFields();    // stored fields only
std::vector<FieldDef> filterSetLookups();
std::vector<FieldDef> timeSetFields();

}  // namespace corvane
