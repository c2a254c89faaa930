#pragma once

#include <string>
#include <vector>

namespace corvane {

// The computer's own IPv4 addresses as dotted text: those its host name resolves to, or, when
// that gives only loopback addresses (or nothing), the addresses of its network interfaces,
// addresses other than loopback first. Empty only when the machine has no IPv4 address at all.
std::vector<std::string> localIPv4Addresses();

// The computer's own IPv6 addresses as text, loopback ("::1") last. Link-local addresses are
// left out: they cannot be bound without naming their interface.
std::vector<std::string> localIPv6Addresses();

// What a listener can be bound to, in the order the settings dialog offers it: the IPv4
// addresses given, then "0.0.0.0" (every IPv4 address), "::" (every address, IPv6 and IPv4)
// and the IPv6 addresses given.
std::vector<std::string> bindingChoices(const std::vector<std::string>& ipv4,
                                        const std::vector<std::string>& ipv6);

// True for a valid dotted IPv4 address text ("127.0.0.1"); the empty text is not one.
bool isIPv4Address(const std::string& text);
// True for a valid IPv6 address text ("::1", "2001:db8::5").
bool isIPv6Address(const std::string& text);

}  // namespace corvane
