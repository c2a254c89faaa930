#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The five template data files shipped with the program, as our writer makes them: empty
// MessageSet, FacilitySet and SeveritySet; HostSet with its "Any" row; FilterSet with its one
// record of initial choices. Empty for any other name.
std::string templateText(std::string_view tableName);

}  // namespace corvane
