#include "app/IntakeFakes.h"
#include "app/SmtpTestServer.h"

#include "app/MailNotifier.h"
#include "platform/SmtpSend.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <mutex>

namespace corvane {
namespace {

using namespace test;
using namespace std::chrono_literals;

struct QueueMainThread : MainThread {
    std::mutex mutex;
    std::vector<std::function<void()>> tasks;
    void post(std::function<void()> task) override {
        std::lock_guard lock(mutex);
        tasks.push_back(std::move(task));
    }
    void runAll() {
        std::vector<std::function<void()>> now;
        {
            std::lock_guard lock(mutex);
            now.swap(tasks);
        }
        for (auto& t : now) t();
    }
};

Alert match(const std::string& text) {
    Alert a;
    a.host = "router7";
    a.address = "10.0.0.7";
    a.facility = "User";
    a.severity = "Critical";
    a.message = text;
    a.data = "<10>" + text;
    a.time = 46000.5;
    return a;
}

// A free loopback port with nothing listening on it.
int closedPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a);
    socklen_t length = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    ::close(fd);
    return ntohs(a.sin_port);
}

class Smtp : public ::testing::Test {
protected:
    void SetUp() override {
        if (!SmtpTestServer::available())
            GTEST_SKIP() << "python3-aiosmtpd or openssl missing (scripts/bootstrap installs them)";
        ASSERT_TRUE(server.makeCertificate());
    }
    SmtpOptions options(int port, SmtpSecurity security) {
        SmtpOptions o;
        o.host = "127.0.0.1";
        o.port = port;
        o.security = security;
        o.from = "corvane@example.org";
        o.recipients = {"noc@example.org"};
        o.caFile = server.certFile();
        o.totalTimeout = 10s;
        return o;
    }
    const std::string mail = "Subject: test\r\n\r\nhello\r\n.\r\nstill the body\r\n";
    SmtpTestServer server;
};

TEST_F(Smtp, StartTlsWithLoginDeliversTheMail) {
    const int port = server.start("starttls", "alerts", "s3cret");
    ASSERT_GT(port, 0);
    SmtpOptions o = options(port, SmtpSecurity::StartTls);
    o.userName = "alerts";
    o.password = "s3cret";
    o.recipients = {"noc@example.org", "oncall@example.org"};
    const SmtpResult r = SmtpSend(o, mail);
    ASSERT_TRUE(r.ok) << r.error;
    const auto mails = server.waitForMails(1);
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].login, "alerts");
    EXPECT_EQ(mails[0].from, "corvane@example.org");
    EXPECT_EQ(mails[0].to, (std::vector<std::string>{"noc@example.org", "oncall@example.org"}));
    EXPECT_EQ(mails[0].subject, "test");
    EXPECT_EQ(mails[0].body, "hello\n.\nstill the body\n") << "a line holding a dot stays in the body";
}

TEST_F(Smtp, ImplicitTlsDeliversTheMail) {
    const int port = server.start("implicit", "alerts", "s3cret");
    ASSERT_GT(port, 0);
    SmtpOptions o = options(port, SmtpSecurity::Implicit);
    o.userName = "alerts";
    o.password = "s3cret";
    const SmtpResult r = SmtpSend(o, mail);
    ASSERT_TRUE(r.ok) << r.error;
    const auto mails = server.waitForMails(1);
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].login, "alerts");
}

TEST_F(Smtp, FailuresComeBackInTheServersWords) {
    struct Case {
        const char* name;
        const char* mode;
        std::function<void(SmtpOptions&)> change;
        std::string expected;  // part of the error text
    };
    const Case cases[] = {
        {"wrong password", "starttls",
         [](SmtpOptions& o) {
             o.userName = "alerts";
             o.password = "wrong";
         },
         "535 5.7.8 Authentication credentials invalid"},
        {"refused recipient", "starttls",
         [](SmtpOptions& o) {
             o.userName = "alerts";
             o.password = "s3cret";
             o.recipients = {"nobody@example.org"};
         },
         "550 5.1.1 <nobody@example.org>: Recipient address rejected: User unknown"},
        {"certificate not trusted", "starttls",
         [](SmtpOptions& o) {
             o.userName = "alerts";
             o.password = "s3cret";
             o.caFile.clear();
         },
         "certificate"},
        {"TLS required but not offered", "plain", [](SmtpOptions&) {}, "STARTTLS"},
    };
    for (const Case& c : cases) {
        SmtpTestServer one;
        ASSERT_TRUE(one.makeCertificate());
        const int port = one.start(c.mode, "alerts", "s3cret");
        ASSERT_GT(port, 0) << c.name;
        SmtpOptions o = options(port, SmtpSecurity::StartTls);
        o.caFile = one.certFile();
        c.change(o);
        const SmtpResult r = SmtpSend(o, mail);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_NE(r.error.find(c.expected), std::string::npos) << c.name << ": " << r.error;
        EXPECT_TRUE(one.mails().empty()) << c.name;
    }
}

TEST_F(Smtp, PlainOnlyWhenAskedFor) {
    const int port = server.start("plain");
    ASSERT_GT(port, 0);
    const SmtpResult r = SmtpSend(options(port, SmtpSecurity::Plain), mail);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(server.waitForMails(1).size(), 1u);
}

TEST_F(Smtp, ADownOrStallingServerEndsInAnError) {
    SmtpResult down = SmtpSend(options(closedPort(), SmtpSecurity::StartTls), mail);
    EXPECT_FALSE(down.ok);
    EXPECT_NE(down.error.find("onnect"), std::string::npos) << down.error;

    const int port = server.start("stall");
    ASSERT_GT(port, 0);
    SmtpOptions o = options(port, SmtpSecurity::StartTls);
    o.totalTimeout = 1500ms;
    const auto started = std::chrono::steady_clock::now();
    const SmtpResult stalled = SmtpSend(o, mail);
    EXPECT_FALSE(stalled.ok);
    EXPECT_NE(stalled.error.find("timed out"), std::string::npos) << stalled.error;
    EXPECT_LT(std::chrono::steady_clock::now() - started, 8s);
}

TEST_F(Smtp, InputThatCouldSmuggleCommandsIsRefusedBeforeConnecting) {
    struct Case {
        const char* name;
        std::function<void(SmtpOptions&)> change;
    };
    const Case cases[] = {
        {"recipient with a line break", [](SmtpOptions& o) { o.recipients = {"a@b.org\r\nRSET"}; }},
        {"recipient in brackets", [](SmtpOptions& o) { o.recipients = {"a@b.org> <c@d.org"}; }},
        {"sender without @", [](SmtpOptions& o) { o.from = "corvane"; }},
        {"host with a path", [](SmtpOptions& o) { o.host = "mail.example.org/x"; }},
        {"port out of range", [](SmtpOptions& o) { o.port = 70000; }},
        {"login with a line break", [](SmtpOptions& o) { o.userName = "a\r\nb"; }},
        {"no recipient", [](SmtpOptions& o) { o.recipients.clear(); }},
    };
    for (const Case& c : cases) {
        SmtpOptions o = options(closedPort(), SmtpSecurity::StartTls);
        c.change(o);
        const SmtpResult r = SmtpSend(o, mail);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_EQ(r.serverCode, 0) << c.name;
        EXPECT_EQ(r.error.find("onnect"), std::string::npos) << c.name << ": " << r.error;
    }
}

TEST_F(Smtp, TheMailerMailsTheFirstMatchAtOnceInTheWindowsLanguage) {
    const int port = server.start("starttls", "alerts", "s3cret");
    ASSERT_GT(port, 0);
    QueueMainThread mainThread;
    MailNotifier mailer(mainThread, {});
    MailSettings settings;
    settings.enabled = true;
    settings.smtp = options(port, SmtpSecurity::StartTls);
    settings.smtp.userName = "alerts";
    settings.smtp.password = "s3cret";
    settings.language = "DEU";
    mailer.configure(settings);
    mailer.Deliver(match("link down on port 7"));
    const auto mails = server.waitForMails(1);
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].to, std::vector<std::string>{"noc@example.org"});
    EXPECT_EQ(mails[0].subject, "Corvane: router7 (10.0.0.7): Critical");
    EXPECT_NE(mails[0].body.find("Host: router7\n"), std::string::npos) << mails[0].body;
    EXPECT_NE(mails[0].body.find("Adresse: 10.0.0.7\n"), std::string::npos);
    EXPECT_NE(mails[0].body.find("Zeit: " + isoDateTime(46000.5) + "\n"), std::string::npos);
    EXPECT_NE(mails[0].body.find("Facility: User\n"), std::string::npos);
    EXPECT_NE(mails[0].body.find("Ebene: Critical\n"), std::string::npos);
    EXPECT_NE(mails[0].body.find("Meldung: link down on port 7\n"), std::string::npos);
}

TEST_F(Smtp, ADownServerIsReportedOnceAndTheMailSentWhenItIsBack) {
    QueueMainThread mainThread;
    std::vector<std::string> reports;
    MailNotifier mailer(mainThread, [&reports](const std::string& text) { reports.push_back(text); });
    std::atomic<std::int64_t> fakeMs{1'000'000};
    mailer.setClock([&fakeMs] {
        return std::chrono::steady_clock::time_point(std::chrono::milliseconds(fakeMs.load()));
    });
    MailSettings settings;
    settings.enabled = true;
    const int downPort = closedPort();
    settings.smtp = options(downPort, SmtpSecurity::Plain);
    mailer.configure(settings);
    mailer.Deliver(match("first"));
    auto waitFailed = [&](std::uint64_t n) {
        for (int i = 0; i < 500 && mailer.stats().failed < n; ++i) std::this_thread::sleep_for(10ms);
        return mailer.stats().failed;
    };
    ASSERT_EQ(waitFailed(1), 1u);
    mailer.Deliver(match("second"));
    fakeMs += 60'000;
    mailer.wake();
    ASSERT_EQ(waitFailed(2), 2u) << "tried again after the first wait";
    mainThread.runAll();
    ASSERT_EQ(reports.size(), 1u) << "reported once";
    EXPECT_NE(reports[0].find("The notification mail could not be sent: "), std::string::npos);
    EXPECT_NE(reports[0].find("onnect"), std::string::npos) << reports[0];

    fakeMs += 60'000;
    mailer.wake();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(mailer.stats().failed, 2u) << "the wait doubled: two minutes now";

    const int port = server.start("plain");
    ASSERT_GT(port, 0);
    settings.smtp.port = port;
    mailer.configure(settings);
    fakeMs += 60'000;
    mailer.wake();
    const auto mails = server.waitForMails(1);
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].subject, "Corvane: 2 more matching messages");
    EXPECT_NE(mails[0].body.find("first"), std::string::npos);
    EXPECT_NE(mails[0].body.find("second"), std::string::npos);
    mainThread.runAll();
    EXPECT_EQ(reports.size(), 1u);
}

TEST(MailFlood, TenThousandMatchesGiveAtMostOneMailAMinuteWithoutBlocking) {
    QueueMainThread mainThread;
    MailNotifier mailer(mainThread, {});
    std::atomic<std::int64_t> fakeMs{5'000'000};
    mailer.setClock([&fakeMs] {
        return std::chrono::steady_clock::time_point(std::chrono::milliseconds(fakeMs.load()));
    });
    std::mutex mutex;
    std::vector<std::int64_t> sentAt;
    std::vector<std::string> subjects;
    std::atomic<bool> release{false};
    std::atomic<bool> sending{false};
    mailer.setSender([&](const SmtpOptions&, const std::string& message) {
        sending = true;
        // The first mail hangs until the flood is in: intake must not wait for it.
        while (!release.load()) std::this_thread::sleep_for(1ms);
        std::lock_guard lock(mutex);
        sentAt.push_back(fakeMs.load());
        const auto at = message.find("Subject: ");
        subjects.push_back(message.substr(at + 9, message.find("\r\n", at) - at - 9));
        SmtpResult ok;
        ok.ok = true;
        return ok;
    });
    MailSettings settings;
    settings.enabled = true;
    settings.smtp.host = "mail.example.org";
    settings.smtp.from = "corvane@example.org";
    settings.smtp.recipients = {"noc@example.org"};
    mailer.configure(settings);

    // The first match goes at once; then 10,000 more over ten simulated minutes, 60 ms apart.
    mailer.Deliver(match("first"));
    for (int i = 0; i < 500 && !sending.load(); ++i) std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(sending.load());
    for (int i = 0; i < 10'000; ++i) {
        mailer.Deliver(match("flood " + std::to_string(i)));
        fakeMs += 60;
        if (i == 5000)
            release = true;
        if (i % 500 == 0)
            std::this_thread::sleep_for(2ms);
    }
    release = true;
    fakeMs += 60'000;
    mailer.wake();
    for (int i = 0; i < 500 && mailer.queued() > 0; ++i) std::this_thread::sleep_for(10ms);
    std::this_thread::sleep_for(100ms);

    std::lock_guard lock(mutex);
    // Eleven simulated minutes: the first mail and at most one for each minute after it.
    ASSERT_GE(sentAt.size(), 2u);
    EXPECT_LE(sentAt.size(), 12u);
    EXPECT_EQ(subjects.front(), "Corvane: router7 (10.0.0.7): Critical") << "the first match at once";
    EXPECT_NE(subjects.back().find("more matching messages"), std::string::npos) << subjects.back();
    EXPECT_EQ(mailer.stats().sent, sentAt.size());
}

}  // namespace
}  // namespace corvane
