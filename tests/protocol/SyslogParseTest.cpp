#include "protocol/SyslogParse.h"
#include "protocol/SyslogTime.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

DateTime at(int y, int mo, int d, int h, int mi, int s) {
    return encodeDateTime({y, mo, d, h, mi, s, 0}).value();
}

// Fixed clock for every test here: 15 June 2024 12:00:07.
class SyslogParseTest : public ::testing::Test {
protected:
    const DateTime m_now = at(2024, 6, 15, 12, 0, 7);
    ScopedClock m_clock{m_now};
};

const std::string kWorkedExample = "<34>Oct 11 22:14:15 mymachine su[123]: 'su root' failed";

TEST_F(SyslogParseTest, WorkedExampleInIntakeOrder) {
    ASSERT_EQ(kWorkedExample.size(), 55u);
    TSyslogParse p;
    p.SetText(kWorkedExample);
    EXPECT_EQ(p.Text(), kWorkedExample);
    EXPECT_EQ(p.priorityText(), "<34>");
    // A stamp without a year more than 7 days after receipt (June) is last year's.
    EXPECT_EQ(p.header(), (TSyslogHeader{25, at(2023, 10, 11, 22, 14, 15), "mymachine", 5}));

    EXPECT_EQ(p.Host(), "mymachine");
    EXPECT_EQ(p.Text(), kWorkedExample);
    EXPECT_EQ(p.Process(), "su[123]:");
    EXPECT_DOUBLE_EQ(p.TimeStamp(), at(2023, 10, 11, 22, 14, 15));
    EXPECT_EQ(p.Priority(), 34);
    EXPECT_EQ(p.Facility(), 4);
    EXPECT_EQ(p.Severity(), 2);
    EXPECT_EQ(p.PID(), 123);
    EXPECT_EQ(p.MessageText(), "'su root' failed");
    EXPECT_EQ(p.Text(), "<34>Oct 11 22:14:15 mymachine  'su root' failed");
}

TEST_F(SyslogParseTest, OrderOfCallsMatters) {
    TSyslogParse p;
    p.SetText(kWorkedExample);
    EXPECT_EQ(p.PID(), -1) << "before Process the tag is still Unknown";
    EXPECT_EQ(p.MessageText(), "su[123]: 'su root' failed");
    EXPECT_EQ(p.Process(), "su[123]:");
    EXPECT_EQ(p.Process(), "Unknown") << "a second call works on the shortened text";
    EXPECT_EQ(p.PID(), -1);
    EXPECT_EQ(p.MessageText(), "'su root' failed");
}

struct ParseRow {
    const char* name;
    std::string input;
    std::string text;  // Text after SetText
    int priority;
    std::string host;
    std::string process;
    std::int32_t pid;
    std::string message;  // MessageText after Process
};

TEST_F(SyslogParseTest, MessageShapes) {
    const ParseRow rows[] = {
        // A short text keeps its words in the message text.
        {"short text", "<13>hello", "<13>hello", 13, "", "Unknown", -1, "hello"},
        // Without a time stamp there is no header: no host, the whole text is the message.
        {"no priority", "hello world, no priority here at all", "<13> hello world, no priority here at all",
         13, "", "Unknown", -1, "hello world, no priority here at all"},
        // Without a time stamp there is no header: no host, the whole text is the message.
        {"priority too long", "<1000> abc def ghi jkl", "<13> <1000> abc def ghi jkl", 13, "", "Unknown", -1,
         "<1000> abc def ghi jkl"},
        {"priority kept to 8 bits", "<300>Oct 11 22:14:15 host x", "<300>Oct 11 22:14:15 host x", 44, "host",
         "Unknown", -1, "x"},
        {"negative priority", "<-1>Oct 11 22:14:15 host x", "<-1>Oct 11 22:14:15 host x", 255, "host",
         "Unknown", -1, "x"},
        // The header is looked for right after the ">", where no time stamp is.
        {"unreadable priority", "a>b Oct 11 22:14:15 host x", "a>b Oct 11 22:14:15 host x", 13, "", "Unknown",
         -1, "b Oct 11 22:14:15 host x"},
        {"host at the end is the message", "<34>Oct 11 22:14:15 mymachine", "<34>Oct 11 22:14:15 mymachine",
         34, "", "Unknown", -1, "mymachine"},
        {"dotted host", "<34>Oct 11 22:14:15 10.0.0.1 sshd[77]: ok",
         "<34>Oct 11 22:14:15 10.0.0.1 sshd[77]: ok", 34, "10.0.0.1", "sshd[77]:", 77, "ok"},
        {"empty brackets", "<34>Oct 11 22:14:15 host proc[]: x", "<34>Oct 11 22:14:15 host proc[]: x", 34,
         "host", "proc[]:", -1, "x"},
        {"dot in brackets", "<34>Oct 11 22:14:15 host p[1.2]: x", "<34>Oct 11 22:14:15 host p[1.2]: x", 34,
         "host", "p[1.2]:", -1, "x"},
        {"PID beyond 32 bits", "<34>Oct 11 22:14:15 host t[99999999999999999999]: x",
         "<34>Oct 11 22:14:15 host t[99999999999999999999]: x", 34, "host", "t[99999999999999999999]:", -1,
         "x"},
        {"entities decoded", "<34>Oct 11 22:14:15 host a: &lt;b&gt; AT&T",
         "<34>Oct 11 22:14:15 host a: <b> AT&T", 34, "host", "a:", -1, "<b> AT&T"},
        {"RFC 5424", "<34>1 2003-10-11T22:14:15.003Z mymachine.example.com su - ID47 - 'su root' failed",
         "<34>1 2003-10-11T22:14:15.003Z mymachine.example.com su - ID47 - 'su root' failed", 34,
         "mymachine.example.com", "su", -1, "'su root' failed"},
        {"RFC 3339 right after the priority", "<34>2003-10-11T22:14:15.003Z host tag: text",
         "<34>2003-10-11T22:14:15.003Z host tag: text", 34, "host", "tag:", -1, "text"},
        {"RFC 3339 with offset", "<34>2003-10-11T22:14:15+02:00 host tag: text",
         "<34>2003-10-11T22:14:15+02:00 host tag: text", 34, "host", "tag:", -1, "text"},
    };
    for (const ParseRow& row : rows) {
        SCOPED_TRACE(row.name);
        TSyslogParse p;
        p.SetText(row.input);
        EXPECT_EQ(p.Text(), row.text);
        EXPECT_EQ(p.Host(), row.host);
        EXPECT_EQ(p.Process(), row.process);
        EXPECT_EQ(p.Priority(), row.priority);
        EXPECT_EQ(p.PID(), row.pid);
        EXPECT_EQ(p.MessageText(), row.message);
    }
}

TEST_F(SyslogParseTest, TimeStamps) {
    struct Row {
        const char* name;
        std::string input;
        DateTime expected;
    };
    const Row rows[] = {
        // Without a time stamp the message gets the time of receipt.
        {"too short", "<13>hello", at(2024, 6, 15, 12, 0, 7)},
        {"fraction", "<189>Mar  1 18:46:11.123 router x: y", at(2024, 3, 1, 18, 46, 11)},
        {"year", "<34>Oct 11 2009 22:14:15 mymachine su: hi", at(2009, 10, 11, 22, 14, 15)},
        // More than 7 days after receipt without a year: last year's.
        {"address host after the time", "<34>Oct 11 22:14:15 10.0.0.1 sshd[77]: ok",
         at(2023, 10, 11, 22, 14, 15)},
        {"a few days ahead is this year's", "<34>Jun 20 22:14:15 host sshd[77]: ok",
         at(2024, 6, 20, 22, 14, 15)},
        {"no time stamp gives the time of receipt", "hello world, no priority here at all",
         at(2024, 6, 15, 12, 0, 7)},
        {"RFC 5424", "<34>1 2003-10-11T22:14:15.003Z host app - - - msg", localFromUnix(1065910455)},
        {"RFC 3339 after the priority", "<34>2003-10-11T22:14:15.003Z host tag: text",
         localFromUnix(1065910455)},
    };
    for (const Row& row : rows) {
        TSyslogParse p;
        p.SetText(row.input);
        EXPECT_DOUBLE_EQ(p.TimeStamp(), row.expected) << row.name;
    }

    TSyslogParse fraction;
    fraction.SetText("<189>Mar  1 18:46:11.123 router x: y");
    EXPECT_EQ(fraction.header().HeaderStart, 6);
    EXPECT_EQ(fraction.header().HostName, "router");
}

TEST_F(SyslogParseTest, PercentTags) {
    TSyslogParse link;
    link.SetText("<189>Mar  1 18:46:11 router %LINK-3-UPDOWN: port 1 changed state to up");
    EXPECT_EQ(link.Host(), "router");
    EXPECT_EQ(link.Process(), "LINK");
    EXPECT_EQ(link.subProcess(), "UPDOWN:");
    EXPECT_EQ(link.percentTag(), "LINK-3-UPDOWN:");
    EXPECT_EQ(link.MessageText(), "port 1 changed state to up");
    EXPECT_EQ(link.Facility(), 23);
    EXPECT_EQ(link.Severity(), 5);

    struct Row {
        const char* name;
        std::string input;
        std::string process;
        std::string text;  // after Process
        std::string message;
        int facility;
    };
    // A tag naming a facility rewrites the priority; the header moves with it so the message
    // text still starts after the tag whether the priority got shorter or longer.
    const Row rows[] = {
        {"facility, priority shorter", "<189>Mar  1 18:46:11 router %SYS-5-CONFIG_I: Configured from console",
         "CONFIG_I:", "<29>Mar  1 18:46:11 router %SYS-5-CONFIG_I: Configured from console",
         "Configured from console", 3},
        {"facility, priority longer", "<5>Mar  1 18:46:11 router %SYS-5-CONFIG_I: Configured from console",
         "CONFIG_I:", "<29>Mar  1 18:46:11 router %SYS-5-CONFIG_I: Configured from console",
         "Configured from console", 3},
        {"percent then space is no tag", "<34>Oct 11 22:14:15 host % load: high",
         "% load:", "<34>Oct 11 22:14:15 host  high", "high", 4},
        {"percent at the very end", "<34>Oct 11 22:14:15 host cpu: 5%",
         "cpu:", "<34>Oct 11 22:14:15 host  5%", "5%", 4},
        // A percent tag after a device's sequence number is read; the text keeps both.
        {"tag after a sequence number", "<34>Oct 11 22:14:15 host 000123: %LINK-3-UPDOWN: down", "LINK",
         "<34>Oct 11 22:14:15 host 000123: %LINK-3-UPDOWN: down", "down", 4},
        {"percent further in is text", "<34>Oct 11 22:14:15 host load is 5% of %SYS-5-LIMIT now", "Unknown",
         "<34>Oct 11 22:14:15 host load is 5% of %SYS-5-LIMIT now", "load is 5% of %SYS-5-LIMIT now", 4},
        {"encoded path never sets the facility", "<34>Oct 11 22:14:15 web nginx: GET /a%20b%SYS",
         "nginx:", "<34>Oct 11 22:14:15 web  GET /a%20b%SYS", "GET /a%20b%SYS", 4},
        {"no dash", "<34>Oct 11 22:14:15 host %abc def", "Unknown", "<34>Oct 11 22:14:15 host %abc def",
         "def", 4},
        {"leading dash", "<34>Oct 11 22:14:15 host %-UP: x", "UP:", "<34>Oct 11 22:14:15 host %-UP: x", "x",
         4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TSyslogParse p;
        p.SetText(row.input);
        EXPECT_EQ(p.Process(), row.process);
        EXPECT_EQ(p.Text(), row.text);
        EXPECT_EQ(p.MessageText(), row.message);
        EXPECT_EQ(p.Facility(), row.facility);
    }
}

std::string joinTabs(std::initializer_list<std::string_view> fields) {
    std::string out;
    for (std::string_view f : fields) {
        if (!out.empty())
            out += '\t';
        out += f;
    }
    return out;
}

TEST_F(SyslogParseTest, TabSeparatedEventRecords) {
    const std::string header = "<14>Oct 11 22:14:15 winhost ";
    struct Row {
        const char* name;
        std::string record;
        std::string process;
        std::string subProcess;
        std::string message;
    };
    const Row rows[] = {
        {"14 fields",
         joinTabs({"f0", "f1", "f2", "f3", "f4", "f5", "Source", "f7", "f8", "f9", "f10", "Sub", "",
                   "The description"}),
         "Source", "Sub", "The description"},
        {"9 fields", joinTabs({"f0", "f1", "f2", "f3", "f4", "f5", "Source", "", "The description"}),
         "Source", "", "The description"},
        {"few fields", joinTabs({"Service", "", "started"}), "Service", "", "started"},
        {"space before tab", "Service \tstarted", "Service", "", "started"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TSyslogParse p;
        p.SetText(header + row.record);
        EXPECT_EQ(p.Host(), "winhost");
        EXPECT_EQ(p.Process(), row.process);
        EXPECT_EQ(p.subProcess(), row.subProcess);
        EXPECT_EQ(p.MessageText(), row.message);
        EXPECT_EQ(p.Text(), header + row.record) << "an event record keeps its text";
    }
}

TEST_F(SyslogParseTest, TagRemovalNeverTouchesTheHeader) {
    // "2:" also occurs inside the time; only the tag after the header may be taken out.
    TSyslogParse p;
    p.SetText("<34>Oct 11 22:14:15 host 2: foo");
    EXPECT_EQ(p.Process(), "2:");
    EXPECT_EQ(p.Text(), "<34>Oct 11 22:14:15 host  foo");
    EXPECT_EQ(p.MessageText(), "foo");
    EXPECT_DOUBLE_EQ(p.TimeStamp(), at(2023, 10, 11, 22, 14, 15));
}

// A time that runs into the next word is no time stamp, so there is no header.
TEST_F(SyslogParseTest, HeaderWithoutClosingSpace) {
    TSyslogParse p;
    p.SetText("<34>Oct 11 22:14:15mymachine");
    EXPECT_EQ(p.header(), (TSyslogHeader{0, 0, "", 5}));
    EXPECT_EQ(p.Host(), "");
    EXPECT_EQ(p.Process(), "Unknown");
    EXPECT_EQ(p.MessageText(), "Oct 11 22:14:15mymachine");
    EXPECT_FALSE(p.hasTimeStamp());
    EXPECT_DOUBLE_EQ(p.TimeStamp(), at(2024, 6, 15, 12, 0, 7));
}

}  // namespace
}  // namespace corvane
