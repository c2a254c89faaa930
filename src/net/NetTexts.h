#pragma once

namespace corvane::net_texts {

inline constexpr const char* kProtocolUDP = "UDP";

inline constexpr const char* kBindInUse = "Could not bind socket. Address and port are already in use.";
// %1 is the port.
inline constexpr const char* kBindPrivileged =
    "Could not bind socket. Port %1 is below 1024 and this program has no right to use it. Run it with the "
    "cap_net_bind_service capability (setcap cap_net_bind_service=+ep on the executable) or choose a port "
    "of 1024 or above in the settings.";
// %1 is the address.
inline constexpr const char* kBindNoSuchAddress =
    "Could not bind socket. The address %1 does not belong to this computer.";
inline constexpr const char* kBindBadAddress = "Could not bind socket. %1 is not an IPv4 address.";
inline constexpr const char* kBindBadPort = "Could not bind socket. %1 is not a port number (1 to 65535).";
// %1 is the system's reason.
inline constexpr const char* kBindFailed = "Could not bind socket. %1";
inline constexpr const char* kSocketFailed = "Could not create socket. %1";
inline constexpr const char* kReceiveFailed = "Could not receive from socket. %1";

}  // namespace corvane::net_texts
