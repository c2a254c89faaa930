#include "app/IntakeFakes.h"

#include "app/MessageIntake.h"
#include "net/SysLogServer.h"

namespace corvane {
namespace {

using namespace test;

class Rfc5424Intake : public ::testing::Test {
protected:
    Rfc5424Intake() : data(openStore(folder.path())), intake(*data, window, dialogs, actions, notification) {
        listener.OnMessage = [this](TnComponent* s, TnSyslogMessage* m, Binding* b) {
            intake.HandleMessage(s, m, b);
        };
        notification.NotifySound = false;
    }

    TempDataFolder folder;
    std::unique_ptr<TData> data;
    RecordingWindow window;
    RecordingDialogs dialogs;
    RecordingActions actions;
    NotificationState notification;
    MessageIntake intake;
    TnSysLogServer listener;
};

TEST_F(Rfc5424Intake, MessageIdAndStructuredDataAreStored) {
    const std::string sd = "[exampleSDID@32473 iut=\"3\" eventSource=\"" + std::string(300, 'a') + "\"]";
    ASSERT_TRUE(listener.InjectMessage(
        "<165>1 2003-10-11T22:14:15.003Z mymachine.example.com evntslog 8710 ID47 " + sd +
            " \xEF\xBB\xBF"
            "An application event",
        "192.168.1.5"));
    ASSERT_TRUE(listener.InjectMessage("<14>1 2003-10-11T22:14:15Z - - - - - nil fields", "192.168.1.5"));
    ASSERT_TRUE(
        listener.InjectMessage("<189>Mar  1 18:46:11 router %LINK-3-UPDOWN: port 1 up", "192.168.1.6"));

    const Table& m = data->MessageSet();
    ASSERT_EQ(m.recordCount(), 3);
    // The record keeps the message's own host name (128 characters); the host row keeps 20.
    EXPECT_EQ(textAt(m, 0, "Host"), "mymachine.example.com");
    EXPECT_EQ(textAt(m, 0, "Process"), "evntslog");
    EXPECT_EQ(valueAt(m, 0, "PID").integer, 8710);
    EXPECT_EQ(textAt(m, 0, "SubProcess"), "ID47");
    EXPECT_EQ(textAt(m, 0, "ProcessEx"), sd.substr(0, 256)) << "the store keeps 256 characters";
    EXPECT_EQ(textAt(m, 0, "Message"), "An application event");

    // A message without a host name takes its sender's row name, which it does not change.
    EXPECT_EQ(textAt(m, 1, "Host"), "mymachine.example.co");
    EXPECT_EQ(textAt(m, 1, "Process"), "Unknown");
    EXPECT_EQ(textAt(m, 1, "SubProcess"), "<null>") << "a nil field stays unset";
    EXPECT_EQ(textAt(m, 1, "ProcessEx"), "<null>");
    EXPECT_EQ(textAt(m, 1, "Message"), "nil fields");

    EXPECT_EQ(textAt(m, 2, "Process"), "LINK");
    EXPECT_EQ(textAt(m, 2, "SubProcess"), "<null>") << "classic messages are stored as before";
    EXPECT_EQ(textAt(m, 2, "ProcessEx"), "<null>");
}

}  // namespace
}  // namespace corvane
