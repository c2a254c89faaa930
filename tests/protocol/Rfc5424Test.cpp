#include "protocol/Rfc5424.h"
#include "protocol/SyslogMessage.h"
#include "protocol/SyslogTime.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

const std::string kBom = "\xEF\xBB\xBF";

// Unix seconds of 2003-10-11 22:14:15 UTC.
constexpr double kExampleUtc = 1065910455;

class Rfc5424Test : public ::testing::Test {
protected:
    const DateTime m_now = encodeDateTime({2024, 6, 15, 12, 0, 7, 0}).value();
    ScopedClock m_clock{m_now};
};

struct Row {
    const char* name;
    std::string input;
    std::string host;
    std::string process;
    std::int32_t pid;
    std::string subProcess;
    std::string processEx;
    std::string message;
};

// Every field read through the message object in the order message intake reads them.
TEST_F(Rfc5424Test, FieldsComeFromTheirPlaces) {
    const Row rows[] = {
        {"nil structured data, byte order mark",
         "<34>1 2003-10-11T22:14:15.003Z mymachine.example.com su - ID47 - " + kBom +
             "'su root' failed for lonvick on /dev/pts/8",
         "mymachine.example.com", "su", -1, "ID47", "", "'su root' failed for lonvick on /dev/pts/8"},
        {"one element",
         "<165>1 2003-10-11T22:14:15.003Z mymachine.example.com evntslog - ID47 [exampleSDID@32473 iut=\"3\" "
         "eventSource=\"Application\" eventID=\"1011\"] " +
             kBom + "An application event log entry...",
         "mymachine.example.com", "evntslog", -1, "ID47",
         "[exampleSDID@32473 iut=\"3\" eventSource=\"Application\" eventID=\"1011\"]",
         "An application event log entry..."},
        {"two elements and no message",
         "<165>1 2003-10-11T22:14:15.003Z host app 8710 - [a@1 x=\"1\"][b@1 class=\"high\"]", "host", "app",
         8710, "", "[a@1 x=\"1\"][b@1 class=\"high\"]", ""},
        {"escaped quote and bracket inside a value",
         "<14>1 2003-10-11T22:14:15Z h a 1 m [x@1 v=\"say \\\"hi\\\" ] [ok]\"] after", "h", "a", 1, "m",
         "[x@1 v=\"say \\\"hi\\\" ] [ok]\"]", "after"},
        {"every field nil", "<14>1 2003-10-11T22:14:15Z - - - - -", "", "Unknown", -1, "", "", ""},
        {"process ID that is not a number", "<14>1 2003-10-11T22:14:15Z h app worker-3 - - text", "h", "app",
         -1, "", "", "text"},
        {"process ID beyond 32 bits", "<14>1 2003-10-11T22:14:15Z h app 99999999999 - - text", "h", "app", -1,
         "", "", "text"},
        {"negative process ID", "<14>1 2003-10-11T22:14:15Z h app -5 - - text", "h", "app", -1, "", "",
         "text"},
        {"text ends after the application", "<14>1 2003-10-11T22:14:15Z host app", "host", "app", -1, "", "",
         ""},
        {"element never closed", "<14>1 2003-10-11T22:14:15Z h a 7 m [x@1 v=\"open] rest", "h", "a", 7, "m",
         "[x@1 v=\"open] rest", ""},
        {"something else where the structured data belongs", "<14>1 2003-10-11T22:14:15Z h a 7 m plain words",
         "h", "a", 7, "m", "", "plain words"},
        {"a message that starts with a dash", "<14>1 2003-10-11T22:14:15Z h a 7 m -- dashes", "h", "a", 7,
         "m", "", "-- dashes"},
        {"doubled spaces between fields", "<14>1 2003-10-11T22:14:15Z  h  a  7  m  -  text", "h", "a", 7, "m",
         "", "text"},
        {"tag rules do not apply", "<14>1 2003-10-11T22:14:15Z h app - - - %SYS-5-CONFIG_I: x: y", "h", "app",
         -1, "", "", "%SYS-5-CONFIG_I: x: y"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TnSyslogMessage m;
        m.SetData(row.input);
        ASSERT_TRUE(m.IsRfc5424());
        const int priority = m.parser().Priority();
        EXPECT_EQ(m.Host(), row.host);
        EXPECT_EQ(m.Data(), row.input);
        EXPECT_EQ(m.Process(), row.process);
        EXPECT_EQ(m.Facility(), priority >> 3);
        EXPECT_EQ(m.Severity(), priority & 7);
        EXPECT_EQ(m.PID(), row.pid);
        EXPECT_EQ(m.MessageText(), row.message);
        EXPECT_EQ(m.SubProcess(), row.subProcess);
        EXPECT_EQ(m.ProcessEx(), row.processEx);
        EXPECT_EQ(m.Data(), row.input) << "nothing is taken out of the stored text";
        EXPECT_EQ(m.Process(), row.process) << "a second call answers the same";
    }
}

TEST_F(Rfc5424Test, TimeStampIsTheInstantItNames) {
    const struct {
        const char* stamp;
        double unixSeconds;
    } rows[] = {
        {"2003-10-11T22:14:15.003Z", kExampleUtc},
        {"2003-10-11T22:14:15Z", kExampleUtc},
        {"2003-10-11T22:14:15.000003-07:00", kExampleUtc + 7 * 3600},
        {"2003-10-11T22:14:15+02:00", kExampleUtc - 2 * 3600},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stamp);
        TnSyslogMessage m;
        m.SetData(std::string("<13>1 ") + row.stamp + " host app - - - text");
        ASSERT_TRUE(m.IsRfc5424());
        EXPECT_DOUBLE_EQ(m.TimeStamp(), localFromUnix(row.unixSeconds));
    }

    TnSyslogMessage local;
    local.SetData("<13>1 2003-10-11T22:14:15 host app - - - without offset");
    EXPECT_DOUBLE_EQ(local.TimeStamp(), encodeDateTime({2003, 10, 11, 22, 14, 15, 0}).value());

    TnSyslogMessage impossible;
    impossible.SetData("<13>1 2003-13-45T22:14:15Z host app - - - bad date");
    EXPECT_TRUE(impossible.IsRfc5424());
    EXPECT_DOUBLE_EQ(impossible.TimeStamp(), m_now) << "an unreadable stamp gives the time of parsing";
    EXPECT_EQ(impossible.MessageText(), "bad date");
}

// Only a version "1" followed by a date-time or the nil time stamp marks the structured form;
// everything else is read by the classic rules.
TEST_F(Rfc5424Test, OtherShapesKeepTheClassicRules) {
    const struct {
        const char* name;
        const char* input;
        bool structured;
        const char* host;
        const char* process;
        const char* message;
    } rows[] = {
        // No time stamp right after the priority: no header, the whole text is the message.
        {"version without a date-time", "<14>1 Oct 11 22:14:15 host su: text", false, "",
         "1 Oct 11 22:14:15 host su:", "text"},
        // The nil time stamp: the other header fields are read.
        {"nil time stamp", "<14>1 - host app - - - text", true, "host", "app", "text"},
        // No time stamp right after the priority: no header, the whole text is the message.
        {"version 2", "<14>2 2003-10-11T22:14:15Z host app - - - text", false, "", "Unknown",
         "2 2003-10-11T22:14:15Z host app - - - text"},
        // No time stamp right after the priority: no header, the whole text is the message.
        {"four-digit priority", "<1000>1 2003-10-11T22:14:15Z host app - - - t", false, "", "Unknown",
         "<1000>1 2003-10-11T22:14:15Z host app - - - t"},
        {"classic date-time form", "<34>2003-10-11T22:14:15.003Z host tag: text", false, "host",
         "tag:", "text"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TnSyslogMessage m;
        m.SetData(row.input);
        EXPECT_EQ(m.Host(), row.host);
        EXPECT_EQ(m.IsRfc5424(), row.structured);
        EXPECT_EQ(m.Process(), row.process);
        EXPECT_EQ(m.MessageText(), row.message);
        EXPECT_EQ(m.ProcessEx(), "");
    }
}

TEST(Rfc5424Split, ViewsLieInTheText) {
    const std::string text = "<14>1 2003-10-11T22:14:15Z h a 1 m [x] msg";
    const auto parts = splitRfc5424(text);
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->stamp, "2003-10-11T22:14:15Z");
    EXPECT_EQ(parts->versionAt, 4u);
    EXPECT_EQ(text.substr(parts->headerEnd), " msg");
    EXPECT_EQ(rfc5424MessageText(" " + kBom + " x "), "x");
    EXPECT_EQ(rfc5424MessageText(kBom), "");
    EXPECT_FALSE(splitRfc5424("<14>1 2003-10-11T22:14:1"));
    EXPECT_FALSE(splitRfc5424("<>1 2003-10-11T22:14:15Z"));
    EXPECT_FALSE(splitRfc5424("<14"));
}

}  // namespace
}  // namespace corvane
