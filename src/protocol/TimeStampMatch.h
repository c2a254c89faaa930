#pragma once

#include "protocol/DateTime.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace corvane {

// A time stamp found at a place in a message.
struct StampMatch {
    std::size_t end = 0;         // index just past the stamp, its time-zone word and a closing ":"
    DateTime value = 0;          // to the second; 0 when the fields name no real instant
    bool closedByColon = false;  // the stamp ended with ":", so the message follows it, not a host
};

// Recognises a time stamp that starts at index `at` of `text` and is followed by a blank or by
// the end of the text. The shapes senders use:
//   "Oct 11 22:14:15", "Oct  1 2009 22:14:15", "2009 Oct 11 22:14:15", "Oct 11 22:14:15 2009"
//   (each with an optional fraction, a leading "*" or "." clock-state mark, a time-zone word such as "UTC" or
//   "CET", and a closing ":"); "2003-10-11T22:14:15" or "2003-10-11 22:14:15", with an optional fraction,
//   then "Z" or an offset ("+02:00", "-0130"), and a closing ":".
// Fractions are dropped. A stamp in UTC ("Z", an offset, the words UTC and GMT) is turned into
// local time; any other zone word is taken as the sender's wall clock. A stamp without a year
// is placed in the year of `reference` unless that puts it more than 7 days after it, then in
// the year before (a December stamp read in January).
std::optional<StampMatch> matchTimeStamp(std::string_view text, std::size_t at, DateTime reference);

}  // namespace corvane
