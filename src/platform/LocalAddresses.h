#pragma once

#include <string>
#include <vector>

namespace corvane {

// The computer's own IPv4 addresses as dotted text: those its host name resolves to, or, when
// that gives only loopback addresses (or nothing), the addresses of its network interfaces,
// addresses other than loopback first. Empty only when the machine has no IPv4 address at all.
std::vector<std::string> localIPv4Addresses();

// True for a valid dotted IPv4 address text ("127.0.0.1"); the empty text is not one.
bool isIPv4Address(const std::string& text);

}  // namespace corvane
