#include "app/MailCompose.h"
#include "app/MailSettings.h"
#include "app/MailThrottle.h"
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <chrono>

namespace corvane {
namespace {

using namespace std::chrono_literals;
using TimePoint = MailThrottle::TimePoint;

Alert match(const std::string& text, const std::string& host = "router7") {
    Alert a;
    a.host = host;
    a.address = "10.0.0.7";
    a.facility = "User";
    a.severity = "Critical";
    a.message = text;
    a.time = 46000.25;
    return a;
}

TEST(MailThrottleTest, AFloodGivesTheFirstMatchAtOnceAndThenOneMailAMinute) {
    MailThrottle t;
    TimePoint now{1000h};
    std::vector<TimePoint> sent;
    std::vector<std::size_t> sizes;
    std::uint64_t total = 0;
    // 10,000 matches over about 17 minutes; the sender looks every 100 ms.
    for (int i = 0; i < 10'000; ++i) {
        t.add(match("m" + std::to_string(i)));
        now += 100ms;
        if (t.due(now)) {
            MailBatch b = t.take(now);
            sent.push_back(now);
            sizes.push_back(b.alerts.size());
            total += b.alerts.size() + b.notKept;
            t.succeeded();
        }
    }
    now += 1min;
    ASSERT_TRUE(t.due(now));
    const MailBatch last = t.take(now);
    total += last.alerts.size() + last.notKept;
    EXPECT_EQ(total, 10'000u) << "every match is mailed or counted";
    EXPECT_EQ(sizes.front(), 1u) << "the first match alone, at once";
    for (std::size_t i = 1; i < sent.size(); ++i) EXPECT_GE(sent[i] - sent[i - 1], 60s) << i;
    EXPECT_EQ(sent.size(), 17u);
    EXPECT_EQ(sizes[1], MailThrottle::kQueueLimit) << "a full minute's batch is cut to the queue";
    EXPECT_GT(last.notKept, 0u);
}

TEST(MailThrottleTest, AFailedMailWaitsLongerEachTimeAndKeepsItsAlertsFirst) {
    MailThrottle t;
    t.setTiming({60s, 60s, 4min});
    TimePoint now{1000h};
    t.add(match("first"));
    MailBatch b = t.take(now);
    t.add(match("second"));
    t.failed(std::move(b), now);
    EXPECT_EQ(t.queued(), 2u);
    const std::chrono::milliseconds expectedWaits[] = {60s, 120s, 240s, 240s};
    for (const auto wait : expectedWaits) {
        EXPECT_FALSE(t.due(now + wait - 1ms));
        ASSERT_TRUE(t.due(now + wait));
        now += wait;
        b = t.take(now);
        ASSERT_EQ(b.alerts.size(), 2u);
        EXPECT_EQ(b.alerts[0].message, "first");
        t.failed(std::move(b), now);
    }
    b = t.take(now + 4min);
    t.succeeded();
    t.add(match("third"));
    EXPECT_TRUE(t.due(now + 5min)) << "after a success the minute alone counts";
}

TEST(MailComposeTest, SubjectsAndBodiesByKindAndLanguage) {
    struct Case {
        const char* name;
        MailBatch batch;
        std::string language, subject, bodyStart;
    };
    Alert silent = match("");
    silent.kind = Alert::Kind::Silent;
    silent.silentMinutes = 15;
    Alert resumed = silent;
    resumed.kind = Alert::Kind::Resumed;
    resumed.silentMinutes = 42;
    const Case cases[] = {
        {"one match",
         {{match("link down")}, 0},
         "ENU",
         "Corvane: router7 (10.0.0.7): Critical",
         "Time: " + isoDateTime(46000.25) +
             "\nHost: router7\nAddress: 10.0.0.7\nFacility: User\nSeverity: Critical\n"
             "Message: link down\n"},
        {"batch",
         {{match("a"), match("b")}, 10},
         "ENU",
         "Corvane: 12 more matching messages",
         "12 more matching messages\n\n" + isoDateTime(46000.25) +
             "  router7 (10.0.0.7)  User/Critical  a\n"},
        {"quiet sender",
         {{silent}, 0},
         "ENU",
         "Corvane: No message from router7 (10.0.0.7) for 15 minutes",
         "No message from router7 (10.0.0.7) for 15 minutes\n"},
        {"sender back",
         {{resumed}, 0},
         "FRA",
         "Corvane: router7 (10.0.0.7) envoie de nouveau après 42 minutes",
         "router7 (10.0.0.7) envoie de nouveau après 42 minutes\n"},
        {"batch in Spanish",
         {{match("a"), match("b")}, 0},
         "ESN",
         "Corvane: 2 mensajes coincidentes más",
         "2 mensajes"},
        {"unknown language", {{match("x")}, 0}, "XYZ", "Corvane: router7 (10.0.0.7): Critical", "Time: "},
    };
    for (const Case& c : cases) {
        const MailContent m = composeAlertMail(c.batch, c.language);
        EXPECT_EQ(m.subject, c.subject) << c.name;
        EXPECT_EQ(m.body.substr(0, c.bodyStart.size()), c.bodyStart) << c.name;
    }
    const MailContent batch = composeAlertMail({{match("a")}, 7}, "ENU");
    EXPECT_NE(batch.body.find("7 further matching messages were not kept.\n"), std::string::npos);
}

TEST(MailComposeTest, ReceivedTextCannotBreakTheMail) {
    Alert a = match("line one\r\nBcc: victim@example.org\r\n.\r\n");
    a.host = "evil\r\nBcc: x@y.org";
    const MailContent content = composeAlertMail({{a}, 0}, "ENU");
    EXPECT_EQ(content.subject.find('\n'), std::string::npos);
    EXPECT_EQ(content.subject.find('\r'), std::string::npos);
    const std::string mail = mailMessage("corvane@example.org", {"noc@example.org"}, content, 1'700'000'000);
    const std::string header = mail.substr(0, mail.find("\r\n\r\n"));
    EXPECT_EQ(header.find("\nBcc"), std::string::npos) << header;
    EXPECT_EQ(header.find("\rBcc"), std::string::npos) << header;
    EXPECT_NE(header.find("Content-Transfer-Encoding: base64"), std::string::npos);

    EXPECT_EQ(mailText("caf\xc3\xa9"), "caf\xc3\xa9") << "UTF-8 kept";
    EXPECT_EQ(mailText("caf\xe9"), "caf\xc3\xa9") << "Latin-1 read as such";
    EXPECT_EQ(mailText("a\tb\x01"), "a b ");

    const MailContent german{"Störung: Überlast", "x\n"};
    const std::string encoded = mailMessage("a@b.org", {"c@d.org"}, german, 1'700'000'000);
    EXPECT_NE(encoded.find("Subject: =?UTF-8?B?U3TDtnJ1bmc6IMOcYmVybGFzdA==?="), std::string::npos)
        << encoded;
}

TEST(MailSettingsTest, ExampleTextsCountAsEmptyAndTheSecurityFollowsUseSSLAndThePort) {
    struct Case {
        const char* name;
        std::string lines;
        std::vector<std::string> recipients;
        std::string host, user, password, from;
        int port;
        SmtpSecurity security;
        bool usable;
    };
    const Case cases[] = {
        {"untouched dialog",
         "EmailAddr1=Email address to notify\nMailHost=Server used to send mail.\n"
         "UserName=Mail host login ID\nPassword=Password\nPort=587\n",
         {},
         "",
         "",
         "",
         "",
         587,
         SmtpSecurity::StartTls,
         false},
        {"German example texts",
         "EmailAddr1=E-Mail-Adresse des Empfängers\nMailHost=Server für den Mailversand.\n",
         {},
         "",
         "",
         "",
         "",
         587,
         SmtpSecurity::StartTls,
         false},
        {"filled in",
         "EmailAddr1=noc@example.org; oncall@example.org\nMailHost=mail.example.org\n"
         "UserName=alerts@example.org\nPassword=s3cret\nPort=587\n",
         {"noc@example.org", "oncall@example.org"},
         "mail.example.org",
         "alerts@example.org",
         "s3cret",
         "alerts@example.org",
         587,
         SmtpSecurity::StartTls,
         true},
        {"port 465 is implicit TLS",
         "EmailAddr1=noc@example.org\nMailHost=mail\nPort=465\nUseSSL=1\n",
         {"noc@example.org"},
         "mail",
         "",
         "",
         "noc@example.org",
         465,
         SmtpSecurity::Implicit,
         true},
        {"SSL off is plain",
         "EmailAddr1=noc@example.org\nMailHost=mail\nPort=25\nUseSSL=0\n",
         {"noc@example.org"},
         "mail",
         "",
         "",
         "noc@example.org",
         25,
         SmtpSecurity::Plain,
         true},
        {"login not an address, sender set by hand",
         "EmailAddr1=noc@example.org\nMailHost=mail\nUserName=alerts\nPassword=pw\nMailFrom=syslog@example."
         "org\n",
         {"noc@example.org"},
         "mail",
         "alerts",
         "pw",
         "syslog@example.org",
         587,
         SmtpSecurity::StartTls,
         true},
        {"bad port",
         "EmailAddr1=noc@example.org\nMailHost=mail\nPort=5x\n",
         {"noc@example.org"},
         "mail",
         "",
         "",
         "noc@example.org",
         -1,
         SmtpSecurity::StartTls,
         false},
    };
    for (const Case& c : cases) {
        Settings s("/nonexistent/corvane.ini");
        std::vector<std::string> lines = {"[Options]"};
        std::string rest = c.lines;
        for (std::size_t at; (at = rest.find('\n')) != std::string::npos; rest.erase(0, at + 1))
            lines.push_back(rest.substr(0, at));
        s.setContent(lines);
        const MailSettings m = readMailSettings(s);
        EXPECT_EQ(m.smtp.recipients, c.recipients) << c.name;
        EXPECT_EQ(m.smtp.host, c.host) << c.name;
        EXPECT_EQ(m.smtp.userName, c.user) << c.name;
        EXPECT_EQ(m.smtp.password, c.password) << c.name;
        EXPECT_EQ(m.smtp.from, c.from) << c.name;
        EXPECT_EQ(m.smtp.port, c.port) << c.name;
        EXPECT_EQ(m.smtp.security, c.security) << c.name;
        EXPECT_EQ(m.problem().empty(), c.usable) << c.name << ": " << m.problem();
    }
}

}  // namespace
}  // namespace corvane
