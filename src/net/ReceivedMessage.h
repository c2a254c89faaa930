#pragma once

#include <string_view>

#include "net/ReceiveQueue.h"
#include "net/SyslogEvents.h"
#include "protocol/SyslogMessage.h"

namespace corvane {

// Fills a message object from what the receive thread read: the arrival time, the first
// kSyslogMessageBytes of the bytes, the sender and the protocol it came by.
inline void fillReceivedMessage(TnSyslogMessage& message, const ReceivedItem& item,
                                std::string_view protocol) {
    message.SetReceived(item.received);
    message.SetData(std::string_view(item.data).substr(0, kSyslogMessageBytes));
    message.SetPeerAddress(item.peerIP);
    message.SetProtocol(protocol);
}

}  // namespace corvane
