#include "protocol/SyslogMessage.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

DateTime at(int y, int mo, int d, int h, int mi, int s) {
    return encodeDateTime({y, mo, d, h, mi, s, 0}).value();
}

TEST(SyslogMessage, NeverWrittenAnswersDefaults) {
    const ScopedClock clock(at(2024, 6, 15, 12, 0, 0));
    TnSyslogMessage m;
    EXPECT_EQ(m.Data(), "");
    EXPECT_EQ(m.Host(), "");
    EXPECT_EQ(m.PID(), -1);
    EXPECT_EQ(m.Facility(), 1);
    EXPECT_EQ(m.Severity(), 5);
    EXPECT_EQ(m.Data(), "<13> ") << "reading the priority puts the default in front";
    // Without a time stamp the message gets the time of receipt (none set: now).
    EXPECT_DOUBLE_EQ(m.TimeStamp(), at(2024, 6, 15, 12, 0, 0));
    EXPECT_EQ(m.Process(), "Unknown");
    EXPECT_EQ(m.MessageText(), "");
}

TEST(SyslogMessage, EmptyDataLeavesTheParserAlone) {
    TnSyslogMessage m;
    m.SetData("");
    EXPECT_EQ(m.Data(), "");
    EXPECT_EQ(m.parser().priorityText(), "");
    EXPECT_EQ(m.parser().header(), TSyslogHeader{});
    EXPECT_EQ(m.parser().processTag(), "Unknown");
}

TEST(SyslogMessage, ForwardsToTheParserInIntakeOrder) {
    const ScopedClock clock(encodeDateTime({2024, 6, 15, 12, 0, 0, 0}).value());
    TnSyslogMessage m;
    m.SetReceived(45000.5);
    m.SetPeerAddress("192.168.1.20");
    m.SetProtocol("UDP");
    m.SetData("<165>Oct 11 22:14:15 gw a&amp;b[42]: link &quot;up&quot;");
    EXPECT_EQ(m.PeerAddress(), "192.168.1.20");
    EXPECT_DOUBLE_EQ(m.Received(), 45000.5);
    EXPECT_EQ(m.Protocol(), "UDP");
    EXPECT_EQ(m.Host(), "gw");
    EXPECT_EQ(m.Data(), "<165>Oct 11 22:14:15 gw a&b[42]: link \"up\"");
    EXPECT_EQ(m.Process(), "a&b[42]:");
    // More than 7 days after receipt (March 2023) without a year: last year's.
    EXPECT_DOUBLE_EQ(m.TimeStamp(), at(2022, 10, 11, 22, 14, 15));
    EXPECT_EQ(m.Facility(), 20);
    EXPECT_EQ(m.Severity(), 5);
    EXPECT_EQ(m.PID(), 42);
    EXPECT_EQ(m.MessageText(), "link \"up\"");
}

// Inputs built to hit every bound; each must parse without fault and give sane answers.
TEST(SyslogMessage, HostileInputs) {
    using namespace std::string_literals;
    const ScopedClock clock(encodeDateTime({2024, 6, 15, 12, 0, 0, 0}).value());
    std::string tabs = "<14>Oct 11 22:14:15 host ";
    for (int i = 0; i < 1000; ++i) tabs += "\tf";
    const std::string inputs[] = {
        "<3500000000>Oct 11 22:14:15 host x: y",
        "<44444444444444444444<4",
        "<34>Oct 11 22:14:15 host " + std::string(65536, 'a'),
        "<34>Oct 11 22:14:15 host tag[99999999999999999999]: x",
        "<34>Oct 11 22:14:15 host text %",
        "<34>Oct 11 22:14:15 host %" + std::string(70000, '-') + " x",
        tabs,
        std::string(5000, '\t'),
        "<34>Oct 11 22:14:15 host a\0b: c"s,
        "<34>\0Oct 11 22:14:15 host"s,
        "<34>Oct 11 22:14:15 host &#;&#;\t\t&#0;\t&#0; x"s,
        std::string(100000, '>'),
        std::string(100000, ' '),
        std::string(100000, '"'),
        "\"\t\"\t\"\t\"\t\"\"\t\t,,,,\"",
        "<191>2003-10-11T22:14:15.003+99:99 host t: m",
        "<0>9999-12-31T23:59:59-23:59 host t: m",
        "<0>0001-01-01T00:00:00+23:59 host t: m",
    };
    for (const std::string& input : inputs) {
        SCOPED_TRACE(input.substr(0, 60));
        TnSyslogMessage m;
        m.SetData(input);
        m.Host();
        const std::string data = m.Data();
        EXPECT_LE(data.size(), input.size() + 5);
        EXPECT_FALSE(m.Process().empty());
        EXPECT_GT(m.TimeStamp(), 0);
        EXPECT_LE(m.Facility(), 31);
        EXPECT_LE(m.Severity(), 7);
        EXPECT_GE(m.PID(), -1);
        EXPECT_LE(m.MessageText().size(), data.size());
    }
}

}  // namespace
}  // namespace corvane
