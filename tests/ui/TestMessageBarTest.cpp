#include "MessageStoreFixture.h"

#include "app/IntakeWindow.h"
#include "app/MessageIntake.h"
#include "net/LoopbackPeer.h"
#include "net/SysLogServer.h"
#include "platform/MessageDialogs.h"
#include "platform/NotifyActions.h"
#include "store/Table.h"
#include "ui/TestMessageBar.h"
#include "widgets/QtTestApp.h"

#include <QLineEdit>
#include <QPushButton>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace corvane {
namespace {

using test::MessageStore;

struct QuietWindow : IntakeWindow {
    void BringToFront() override { ++raised; }
    void MessageSelect(Table&, int) override {}
    int raised = 0;
};

struct NoDialogs : MessageDialogs {
    int show(const std::string&, const std::string&, int, const std::string&) override { return 1; }
};

struct NoActions : NotifyActions {
    void PlayNotifySound(const std::string&) override {}
    int RunNotifyProgram(const std::string&) override { return 0; }
};

TEST(TestMessageBar, ATypedMessageIsStoredExactlyAsTheSameDatagramWouldBe) {
    MessageStore store;
    QuietWindow window;
    NoDialogs dialogs;
    NoActions actions;
    NotificationState notification;
    MessageIntake intake(*store.data, window, dialogs, actions, notification);
    TnSysLogServer listener;
    listener.OnMessage = [&](TnComponent* s, TnSyslogMessage* m, Binding* b) {
        intake.HandleMessage(s, m, b);
    };
    listener.UDPBindings().Add("127.0.0.1").Port = 0;
    ASSERT_EQ(listener.SetActive(true), "");
    const int port = listener.UDPServer().BoundAddresses().at(0).Port;

    const std::string text = "<34>Oct 11 22:14:15 mymachine su: 'su root' failed for lonvick on /dev/pts/8";
    test::LoopbackSender sender;
    ASSERT_TRUE(sender.send(port, text));
    Table& t = store.messages();
    for (int i = 0; i < 1000 && t.recordCount() < 1; ++i) {
        if (listener.DeliverQueued() == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_EQ(t.recordCount(), 1);

    QLineEdit data, address;
    QPushButton send;
    std::vector<std::string> shown;
    TestMessageBar bar(
        &data, &address, &send,
        [&](std::string_view bytes, const std::string& peer) { listener.InjectMessage(bytes, peer); },
        [&](QObject*, const std::exception* e) { shown.push_back(e ? e->what() : "?"); });

    // Nothing typed: nothing happens at all.
    address.setText(QStringLiteral("127.0.0.1"));
    send.click();
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_EQ(window.raised, 1);

    data.setText(QString::fromStdString(text));
    send.click();
    ASSERT_EQ(t.recordCount(), 2);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(data.text(), QString::fromStdString(text)) << "the texts stay";
    for (std::size_t f = 0; f < t.fields().size(); ++f) {
        const std::string& name = t.fields()[f].name;
        if (name == "Key" || name == "Date")
            continue;
        EXPECT_EQ(t.valueAt(0, static_cast<int>(f)), t.valueAt(1, static_cast<int>(f))) << name;
    }
    EXPECT_EQ(store.data->HostSet().totalRecordCount(), 2) << "the template's Any row and 127.0.0.1";
    EXPECT_EQ(listener.SetActive(false), "");
}

TEST(TestMessageBar, AnErrorOnTheWayReachesTheErrorDisplay) {
    QLineEdit data, address;
    QPushButton send;
    std::vector<std::pair<QObject*, std::string>> shown;
    TestMessageBar bar(
        &data, &address, &send,
        [](std::string_view, const std::string&) { throw std::runtime_error("intake failed"); },
        [&](QObject* sender, const std::exception* e) {
            shown.push_back({sender, e->what()});
        });
    data.setText(QStringLiteral("hello"));
    bar.btnTestClick();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first, &send);
    EXPECT_EQ(shown[0].second, "intake failed");
}

}  // namespace
}  // namespace corvane
