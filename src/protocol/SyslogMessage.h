#pragma once

#include "protocol/DateTime.h"
#include "protocol/SyslogParse.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// One received syslog message for the duration of one delivery: its text (held by the parser),
// when it arrived, who sent it and over which transport. The parsed accessors forward to the
// parser, so their answers depend on the order of calls as described there.
class TnSyslogMessage {
public:
    // The text as it stands now: reading the priority or the process may have rewritten it.
    const std::string& Data() const { return m_parser.Text(); }
    // Decodes and parses a received text; set Received first, the time stamp of a message
    // without one and the reference for a stamp without a year.
    void SetData(std::string_view received) { m_parser.SetText(received, m_received); }

    DateTime Received() const { return m_received; }
    void SetReceived(DateTime value) {
        m_received = value;
        m_parser.SetReceived(value);
    }
    // The sender's address in dotted form.
    const std::string& PeerAddress() const { return m_peerAddress; }
    void SetPeerAddress(std::string_view value) { m_peerAddress.assign(value); }
    // The transport it arrived over: "UDP" or "TCP".
    const std::string& Protocol() const { return m_protocol; }
    void SetProtocol(std::string_view value) { m_protocol.assign(value); }

    std::uint8_t Facility() { return static_cast<std::uint8_t>(m_parser.Facility()); }
    std::uint8_t Severity() { return static_cast<std::uint8_t>(m_parser.Severity()); }
    DateTime TimeStamp() { return m_parser.TimeStamp(); }
    std::string Host() { return m_parser.Host(); }
    std::string Process() { return m_parser.Process(); }
    std::int32_t PID() { return m_parser.PID(); }
    std::string MessageText() { return m_parser.MessageText(); }
    // The MSGID of a structured message; for other messages the secondary tag that the
    // percent-tag or event-record rule found while reading Process (empty before that).
    const std::string& SubProcess() const { return m_parser.subProcess(); }
    // The structured data of a structured message as sent; empty for other messages.
    const std::string& ProcessEx() const { return m_parser.processEx(); }
    bool IsRfc5424() const { return m_parser.isRfc5424(); }

    TSyslogParse& parser() { return m_parser; }
    const TSyslogParse& parser() const { return m_parser; }

private:
    TSyslogParse m_parser;
    DateTime m_received = 0;
    std::string m_peerAddress;
    std::string m_protocol;
};

}  // namespace corvane
