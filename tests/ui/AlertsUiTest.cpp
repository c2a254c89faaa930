#include "ui/FormFixture.h"
#include "ui/SettingsDialogFixture.h"

#include "app/AlertHub.h"
#include "app/AppCore.h"
#include "app/Notification.h"
#include "ui/DesktopNotifier.h"
#include "ui/TrayIcon.h"
#include "ui/WindowAlerts.h"

#include <QAction>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QMenu>
#include <QProcess>
#include <QSystemTrayIcon>

#include <chrono>
#include <thread>

namespace corvane {
namespace {

using namespace std::chrono_literals;

Alert match(const std::string& host, const std::string& text) {
    Alert a;
    a.host = host;
    a.address = "10.0.0.7";
    a.severity = "Critical";
    a.message = text;
    return a;
}

struct NoActions : NotifyActions {
    void PlayNotifySound(const std::string&) override {}
    int RunNotifyProgram(const std::string&) override { return 33; }
};

TEST(TrayIconTest, CountsUnseenMatchesAndItsMenuShowsPausesAndExits) {
    NoActions actions;
    NotificationState state;
    AlertHub hub(actions, state);
    TrayIcon tray(hub, QIcon());
    int shown = 0, exited = 0;
    tray.showWindow = [&shown] { ++shown; };
    tray.exitProgram = [&exited] { ++exited; };

    tray.Deliver(match("a", "x"));
    tray.Deliver(match("b", "y"));
    Alert quiet = match("c", "");
    quiet.kind = Alert::Kind::Silent;
    tray.Deliver(quiet);
    EXPECT_EQ(tray.unseen(), 2) << "a quiet sender is no matching message";
    EXPECT_TRUE(tray.icon()->toolTip().contains(QStringLiteral("2 new matching messages")))
        << tray.icon()->toolTip().toStdString();
    tray.lookedAt();
    EXPECT_EQ(tray.unseen(), 0);
    EXPECT_EQ(tray.icon()->toolTip(), QStringLiteral("Corvane"));

    const QList<QAction*> items = tray.menu()->actions();
    ASSERT_EQ(items.size(), 4);  // show, pause, separator, exit
    EXPECT_EQ(items[0]->text(), QStringLiteral("Show Corvane"));
    EXPECT_EQ(items[1]->text(), QStringLiteral("Pause alerts for 1 hour"));
    EXPECT_EQ(items[3]->text(), QStringLiteral("Exit"));
    items[0]->trigger();
    EXPECT_EQ(shown, 1);
    items[1]->trigger();
    EXPECT_TRUE(hub.paused());
    ASSERT_TRUE(hub.pausedUntil());
    EXPECT_GE(*hub.pausedUntil() - std::chrono::steady_clock::now(), 59min);
    EXPECT_TRUE(tray.icon()->toolTip().contains(QStringLiteral("Alerts paused")));
    items[1]->trigger();
    EXPECT_FALSE(hub.paused()) << "the second choice resumes";
    items[3]->trigger();
    EXPECT_EQ(exited, 1);

    const QImage plain = TrayIcon::withCount(QIcon(), 0).pixmap(64, 64).toImage();
    const QImage counted = TrayIcon::withCount(QIcon(), 7).pixmap(64, 64).toImage();
    EXPECT_NE(plain, counted) << "the count is drawn on the icon";
}

// A notification service of the test's own on a session bus started for the test.
class NotificationServer : public QDBusVirtualObject {
public:
    struct Call {
        QString summary, body;
        uint replaces;
    };
    std::vector<Call> calls;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.member() != QStringLiteral("Notify"))
            return false;
        const QList<QVariant> a = message.arguments();
        if (a.size() != 8)
            return false;
        calls.push_back({a[3].toString(), a[4].toString(), a[1].toUInt()});
        connection.send(message.createReply(QVariant::fromValue<uint>(static_cast<uint>(calls.size()))));
        return true;
    }
    QString introspect(const QString&) const override { return {}; }
};

class SessionBus : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        daemon = new QProcess();
        daemon->start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                      QStringLiteral("--print-address=1")});
        if (!daemon->waitForStarted(5000) || !daemon->waitForReadyRead(5000))
            return;
        address = QString::fromUtf8(daemon->readLine()).trimmed();
        // The program's connection to the session bus is made on first use, from this address.
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
    }
    static void TearDownTestSuite() {
        if (daemon) {
            daemon->kill();
            daemon->waitForFinished(3000);
            delete daemon;
            daemon = nullptr;
        }
    }
    void SetUp() override {
        if (address.isEmpty())
            GTEST_SKIP() << "dbus-daemon could not be started (scripts/bootstrap installs it)";
    }
    static bool waitFor(const std::function<bool()>& done, int ms = 5000) {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < ms) QTest::qWait(10);
        return done();
    }

    static inline QProcess* daemon = nullptr;
    static inline QString address;
};

TEST_F(SessionBus, MatchesReachTheNotificationServiceAtMostOnePerIntervalWithACount) {
    QDBusConnection server =
        QDBusConnection::connectToBus(address, QStringLiteral("test-notification-server"));
    ASSERT_TRUE(server.isConnected());
    NotificationServer service;
    ASSERT_TRUE(server.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), &service));
    ASSERT_TRUE(server.registerService(QStringLiteral("org.freedesktop.Notifications")));

    NotificationState state;
    DesktopNotifier notifier(state);
    notifier.setIntervalMs(400);
    notifier.Deliver(match("router7", "link down"));
    ASSERT_TRUE(waitFor([&] { return service.calls.size() == 1; }));
    EXPECT_EQ(service.calls[0].summary, QStringLiteral("router7 (10.0.0.7): Critical"));
    EXPECT_EQ(service.calls[0].body, QStringLiteral("link down"));
    for (int i = 0; i < 12; ++i) notifier.Deliver(match("router7", "flap " + std::to_string(i)));
    QTest::qWait(200);
    EXPECT_EQ(service.calls.size(), 1u) << "nothing more within the interval";
    ASSERT_TRUE(waitFor([&] { return service.calls.size() == 2; }));
    EXPECT_EQ(service.calls[1].summary, QStringLiteral("12 more matching messages"));
    EXPECT_EQ(service.calls[1].body, QStringLiteral("router7 (10.0.0.7): Critical\nflap 11"));
    EXPECT_EQ(service.calls[1].replaces, 1u) << "the newer notification takes the place of the older";
    EXPECT_TRUE(notifier.usesService());

    state.NotifyDesktop = false;
    QTest::qWait(500);
    notifier.Deliver(match("router7", "off"));
    QTest::qWait(300);
    EXPECT_EQ(service.calls.size(), 2u) << "NotifyDesktop off shows nothing";

    server.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    server.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
    QDBusConnection::disconnectFromBus(QStringLiteral("test-notification-server"));
}

TEST_F(SessionBus, WithoutANotificationServiceTheTrayBalloonIsUsed) {
    NotificationState state;
    DesktopNotifier notifier(state);
    QSystemTrayIcon tray;
    notifier.setTray(&tray);
    notifier.Deliver(match("router7", "link down"));
    ASSERT_TRUE(waitFor([&] { return !notifier.usesService(); }));
    EXPECT_EQ(notifier.shownCount(), 1);
    EXPECT_EQ(notifier.lastSummary(), QStringLiteral("router7 (10.0.0.7): Critical"));
}

using AlertsDialog = test::SettingsDialogFixture;

TEST_F(AlertsDialog, DesktopNotificationsDefaultOnAndUseSslShowsTheFile) {
    writeSettings("UseSSL=0\r\n");
    open();
    EXPECT_TRUE(dlg->NotifyDesktop->checked());
    EXPECT_FALSE(dlg->UseSSL->checked());
    clickBox(dlg->NotifyDesktop);
    dlg->BtnOkMouseUp();
    EXPECT_NE(fileText().find("NotifyDesktop=0\r\n"), std::string::npos) << fileText();
}

TEST_F(AlertsDialog, TheTestMailGoesWithTheFieldsAsTypedAndReportsTheAnswer) {
    std::atomic<int> sent{0};
    SmtpOptions seen;
    std::string seenMessage;
    bool fail = false;
    sendMail = [&](const SmtpOptions& o, const std::string& message) {
        seen = o;
        seenMessage = message;
        ++sent;
        SmtpResult r;
        r.ok = !fail;
        if (fail)
            r.error = "Login denied (the server answered: 535 5.7.8 Authentication credentials invalid)";
        return r;
    };
    writeSettings("NotifyEmail=1\r\n");
    open();
    showActive();
    EXPECT_TRUE(dlg->btnTestMail->isEnabled());

    dlg->btnTestMailClick();
    ASSERT_EQ(dialogs.shown.size(), 1u) << "nothing filled in: said at once";
    EXPECT_EQ(dialogs.shown[0].message, "The test mail could not be sent: No mail address to notify is set.");
    EXPECT_EQ(sent.load(), 0);

    typeInto(dlg->EmailAddr1, QStringLiteral("noc@example.org"), dlg->MailHost);
    typeInto(dlg->MailHost, QStringLiteral("mail.example.org"), dlg->UserName);
    typeInto(dlg->UserName, QStringLiteral("alerts@example.org"), dlg->Password);
    typeInto(dlg->Password, QStringLiteral("s3cret"), dlg->Port);
    dlg->btnTestMailClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.shown.size() == 2; }, 5000));
    EXPECT_EQ(dialogs.shown[1].message, "The test mail was sent to noc@example.org.");
    EXPECT_EQ(dialogs.shown[1].title, "Send test mail");
    EXPECT_EQ(seen.host, "mail.example.org");
    EXPECT_EQ(seen.port, 587);
    EXPECT_EQ(seen.security, SmtpSecurity::StartTls);
    EXPECT_EQ(seen.userName, "alerts@example.org");
    EXPECT_EQ(seen.password, "s3cret");
    EXPECT_EQ(seen.from, "alerts@example.org");
    EXPECT_NE(seenMessage.find("Subject: Corvane: Test mail\r\n"), std::string::npos);
    EXPECT_TRUE(dlg->btnTestMail->isEnabled());

    fail = true;
    dlg->btnTestMailClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.shown.size() == 3; }, 5000));
    EXPECT_EQ(dialogs.shown[2].message,
              "The test mail could not be sent: Login denied (the server answered: 535 5.7.8 Authentication "
              "credentials invalid)");
    EXPECT_EQ(dialogs.shown[2].kind, 48);
}

TEST(AlertsWindow, ClosingGoesToTheTrayOnlyWhenAskedAndExitEndsTheProgram) {
    test::FormFixture f;
    f.writeSettings("[Options]\nTCPPort=0\nUDPPort=0\nCloseToTray=1\n");
    f.start();
    f.form->show();
    WindowAlerts alerts(*f.form, QIcon());
    bool toTray = true;
    f.form->closeToTray = [&toTray] { return toTray; };
    f.form->close();
    EXPECT_TRUE(f.form->isHidden());
    EXPECT_EQ(f.data->MessageSet().isOpen(), true);
    alerts.tray().showAction()->trigger();
    EXPECT_TRUE(f.form->isVisible());

    alerts.tray().Deliver(match("a", "b"));
    EXPECT_EQ(alerts.tray().unseen(), 1);
    f.form->exitProgram();
    EXPECT_TRUE(f.form->isHidden()) << "exit closes whatever CloseToTray says";
}

}  // namespace
}  // namespace corvane
