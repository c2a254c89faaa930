#pragma once

#include <string>

#include "store/Table.h"
#include "filter/LocaleFormats.h"

namespace corvane {

// What the details pane shows of the current message, as texts ready for its labels and memos.
struct MessageDetails {
    std::string facility;    // caption beside the facility picture
    int facilityImage = -1;  // index in the facility image list: FacilityKey + 1; -1 when null
    std::string date;        // short date, a space, long time (time left out at midnight)
    std::string severity;
    std::string process;
    std::string subProcess;
    std::string processEx;
    std::string processId;  // "%8d"; a null PID shows as 0
    std::string data;       // the raw message
    std::string address;    // the sender's address and host name, for the description
    std::string host;
};

// The details of the current record of a message table; nothing when it has no current record.
bool readMessageDetails(const Table& messages, const LocaleFormats& formats, MessageDetails& out);

// A date-time field as the grid and the details pane show it; empty for null.
std::string displayDateTime(const Value& value, const LocaleFormats& formats);

// "%8d": right-aligned in eight characters, longer numbers in full.
std::string formatProcessId(std::int32_t pid);

}  // namespace corvane
