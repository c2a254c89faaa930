#include "protocol/SyslogVocabulary.h"

#include "protocol/TextUtil.h"

#include <string>

namespace corvane {
namespace {

std::array<std::string, kNamedFacilities> makeUpperNames() {
    std::array<std::string, kNamedFacilities> names;
    for (int i = 0; i < kNamedFacilities; ++i) {
        for (char c : FacilityNames[static_cast<std::size_t>(i)])
            names[static_cast<std::size_t>(i)] += text::upperAscii(c);
    }
    return names;
}

}  // namespace

std::string_view facilityName(int code) {
    return code >= 0 && code < kNamedFacilities ? FacilityNames[static_cast<std::size_t>(code)]
                                                : std::string_view{};
}

std::string_view severityName(int code) {
    return code >= 0 && code < 8 ? SeverityNames[static_cast<std::size_t>(code)] : std::string_view{};
}

std::string_view upperFacilityName(int code) {
    static const std::array<std::string, kNamedFacilities> kUpper = makeUpperNames();
    return code >= 0 && code < kNamedFacilities ? std::string_view{kUpper[static_cast<std::size_t>(code)]}
                                                : std::string_view{};
}

}  // namespace corvane
