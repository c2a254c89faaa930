#pragma once

#include "net/Binding.h"
#include "net/NetComponent.h"
#include "protocol/DateTime.h"

#include <cstddef>
#include <functional>
#include <string>

namespace corvane {

// Bytes of a datagram (or injected text) that the parser and the store ever see.
inline constexpr std::size_t kSyslogMessageBytes = 1024;

// What one delivery carries: the kept bytes of a datagram (or an injected text), when it
// arrived, who sent it and over which transport.
struct SyslogDatagram {
    std::string Data;
    DateTime Received = 0;
    std::string PeerAddress;
    std::string Protocol;
};

// Sender is the UDP listener for datagrams and the listener component for injected messages;
// aBinding is the binding the datagram arrived on, or null.
using TLogMessageEvent = std::function<void(TnComponent* Sender, SyslogDatagram* aData, Binding* aBinding)>;

using TLogExceptionEvent = std::function<void(TnComponent* Sender, Binding* aBinding, const std::string& aMessage,
                                              const std::string& aExceptionClass)>;

}  // namespace corvane
