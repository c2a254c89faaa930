#pragma once

#include "net/Binding.h"
#include "net/NetComponent.h"
#include "protocol/SyslogMessage.h"

#include <cstddef>
#include <functional>
#include <string>

namespace corvane {

// Bytes of a datagram (or injected text) that the parser and the store ever see.
inline constexpr std::size_t kSyslogMessageBytes = 1024;

// Sender is the UDP listener for datagrams and the listener component for injected messages;
// aBinding is the binding the datagram arrived on, or null.
using TLogMessageEvent = std::function<void(TnComponent* Sender, TnSyslogMessage* aData, Binding* aBinding)>;

using TLogExceptionEvent = std::function<void(
    TnComponent* Sender, Binding* aBinding, const std::string& aMessage, const std::string& aExceptionClass)>;

}  // namespace corvane
