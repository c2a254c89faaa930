#pragma once

#include <string>

namespace corvane {

class AlertSink;
class NotifyActions;
class Table;

// The operator's one notification condition and its actions, read from the settings file.
struct NotificationState {
    bool NotifySound = true;
    bool NotifyExec = false;
    std::string ExecPath;
    bool NotifyEmail = false;   // mail the match (the mailer reads its own settings)
    bool NotifyDesktop = true;  // show the match as a desktop notification (window only)
    std::string NotifyAddress;
    std::string NotifyCondition;
    std::string NotifyFacility = "System";
    std::string NotifySeverity = "Emergency";
};

// A program path must be longer than this to be opened.
inline constexpr std::size_t kMinExecPathLength = 7;

// Tests the current record of messageSet (FacilityKey, SeverityKey, Data, Address) against the
// condition and, when it matches, plays the sound, opens the program (which finds the message's
// fields in its environment) and hands the match to alerts when given. A found facility or
// severity row becomes the current row of its table. Answers whether the record matched.
bool CheckNotification(const NotificationState& state, Table& messageSet, Table& facilitySet,
                       Table& severitySet, NotifyActions& actions, AlertSink* alerts = nullptr);

}  // namespace corvane
