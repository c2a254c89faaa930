#pragma once

#include "platform/NotifyActions.h"

#include <string>
#include <utility>
#include <vector>

namespace corvane {

class Table;

// One thing the operator is alerted to: a message that matched the notification condition, a
// sender that went quiet, or a quiet sender that is heard again.
struct Alert {
    enum class Kind { Match, Silent, Resumed };
    Kind kind = Kind::Match;
    std::string host;
    std::string address;
    std::string facility;
    std::string severity;
    std::string message;  // the text part of the message
    std::string data;     // the whole text as received
    // The message's time stamp; for a sender, when its silence was noticed. A date-time: days
    // since 30 December 1899, local time (the protocol's DateTime).
    double time = 0;
    int silentMinutes = 0;  // how long the sender was quiet (Silent and Resumed)
};

// Where alerts go besides the sound and the program: mail, the desktop, the tray icon.
class AlertSink {
public:
    virtual ~AlertSink() = default;
    // Called on the main thread; must return at once.
    virtual void Deliver(const Alert& alert) = 0;
};

// The alert for the current record of messageSet (Host, Address, Facility, Severity, Message,
// Data, TimeStamp); fields the record lacks stay empty.
Alert alertFromRecord(const Table& messageSet);

// "2026-12-10 14:46:07": the date-time in a form every language and script reads alike.
std::string isoDateTime(double time);

// The variables the notification program finds the message in: CORVANE_HOST, CORVANE_ADDRESS,
// CORVANE_FACILITY, CORVANE_SEVERITY, CORVANE_TIME, CORVANE_MESSAGE and CORVANE_DATA, each set
// (empty when the message has no such part). Bytes that cannot stand in an environment (NUL)
// end a value.
ProgramEnvironment alertEnvironment(const Alert& alert);

}  // namespace corvane
