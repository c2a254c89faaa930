#pragma once

namespace corvane::net_texts {

inline constexpr const char* kProtocolUDP = "UDP";
inline constexpr const char* kProtocolTCP = "TCP";

inline constexpr const char* kBindInUse = "Could not bind socket. Address and port are already in use.";
// %1 is the port.
inline constexpr const char* kBindPrivileged =
    "Could not bind socket. Port %1 is below 1024 and this program has no right to use it. Run it with the "
    "cap_net_bind_service capability (setcap cap_net_bind_service=+ep on the executable) or choose a port "
    "of 1024 or above in the settings.";
// %1 is the address.
inline constexpr const char* kBindNoSuchAddress =
    "Could not bind socket. The address %1 does not belong to this computer.";
inline constexpr const char* kBindBadAddress = "Could not bind socket. %1 is not an IP address.";
inline constexpr const char* kBindBadPort = "Could not bind socket. %1 is not a port number (1 to 65535).";
// %1 is the system's reason.
inline constexpr const char* kBindFailed = "Could not bind socket. %1";
inline constexpr const char* kSocketFailed = "Could not create socket. %1";
inline constexpr const char* kReceiveFailed = "Could not receive from socket. %1";
// %1 is the peer's address, %2 what was wrong with the stream.
inline constexpr const char* kTcpFramingError =
    "Syslog over TCP from %1 is not framed as expected: %2. Reading goes on at the next message; further "
    "errors of this connection are not shown.";
inline constexpr const char* kTcpNoQueue = "The TCP listener has nowhere to deliver messages.";
// %1 is the reason the TCP listener could not be opened.
inline constexpr const char* kTcpListenFailed = "Syslog over TCP cannot be received. %1";
inline constexpr const char* kTcpListenFailedTitle = "Port Settings";

}  // namespace corvane::net_texts
