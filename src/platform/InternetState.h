#pragma once

#include <set>
#include <string>
#include <string_view>

namespace corvane {

// Whether the computer reaches beyond itself: an interface other than loopback is up and the
// routing table holds a default route through such an interface. Answers false when the
// system's tables cannot be read. Cheap enough to ask once a second.
bool IsInternetConnected();

// The rule on given inputs: routeTable is the text of the kernel's IPv4 routing table (a header
// line, then "Iface Destination Gateway Flags ..." rows in hexadecimal), upInterfaces the names of
// the interfaces that are up and not loopback.
bool hasDefaultRoute(std::string_view routeTable, const std::set<std::string>& upInterfaces);

}  // namespace corvane
