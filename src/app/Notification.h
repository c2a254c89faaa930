#pragma once

#include <string>

namespace corvane {

class NotifyActions;
class Table;

// The operator's one notification condition and its actions, read from the settings file.
struct NotificationState {
    bool NotifySound = true;
    bool NotifyExec = false;
    std::string ExecPath;
    bool NotifyEmail = false;  // kept; no mail is ever sent
    std::string NotifyAddress;
    std::string NotifyCondition;
    std::string NotifyFacility = "System";
    std::string NotifySeverity = "Emergency";
};

// A program path must be longer than this to be opened.
inline constexpr std::size_t kMinExecPathLength = 7;

// Tests the current record of messageSet (FacilityKey, SeverityKey, Data, Address) against the
// condition and, when it matches, plays the sound and opens the program. A found facility or
// severity row becomes the current row of its table. Answers whether the record matched.
bool CheckNotification(const NotificationState& state, Table& messageSet, Table& facilitySet,
                       Table& severitySet, NotifyActions& actions);

}  // namespace corvane
