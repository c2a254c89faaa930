#include "app/IntakeFakes.h"

#include "app/MessageIntake.h"
#include "net/SysLogServer.h"
#include "net/Socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <thread>

namespace corvane {
namespace {

using namespace test;

class Intake : public ::testing::Test {
protected:
    Intake() : data(openStore(folder.path())), intake(*data, window, dialogs, actions, notification) {
        listener.OnMessage = [this](TnComponent* s, TnSyslogMessage* m, Binding* b) {
            intake.HandleMessage(s, m, b);
        };
        notification.NotifySound = false;
    }

    Table& messages() { return data->MessageSet(); }
    Table& hosts() { return data->HostSet(); }
    // The host row of an address, or -1.
    int hostRow(const std::string& address) {
        for (int i = 0; i < hosts().recordCount(); ++i)
            if (textAt(hosts(), i, "Address") == address)
                return i;
        return -1;
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

TEST_F(Intake, MessagesBeyondTheKeptNumberGoWithTheMessageThatPassedIt) {
    data->setExpiry(3, 0);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(
            listener.InjectMessage("<34>Oct 11 22:14:15 host tag: text " + std::to_string(i), "10.0.0.1"));
    ASSERT_EQ(messages().recordCount(), 3);
    EXPECT_EQ(textAt(messages(), 0, "Message"), "text 2");
    EXPECT_EQ(textAt(messages(), 2, "Message"), "text 4");
    EXPECT_EQ(messages().recNo(), 3) << "the newest stays selected";
    EXPECT_EQ(window.selected.back(), 3);
    EXPECT_FALSE(messages().hasUnsavedChanges()) << "the deletions were saved with the message";
}

TEST_F(Intake, WorkedExampleIsStoredSavedAndSelected) {
    const DateTime before = now();
    ASSERT_TRUE(
        listener.InjectMessage("<34>Oct 11 22:14:15 mymachine su[123]: 'su root' failed", "192.168.1.5"));
    const DateTime after = now();

    EXPECT_EQ(window.raised, 1);
    ASSERT_EQ(messages().recordCount(), 1);
    const int h = hostRow("192.168.1.5");
    ASSERT_GE(h, 0);
    EXPECT_EQ(textAt(hosts(), h, "Name"), "mymachine");
    const Value hostDate = valueAt(hosts(), h, "Date");
    EXPECT_GE(hostDate.dateTime, before - 1e-8);
    EXPECT_LE(hostDate.dateTime, after + 1e-8);

    EXPECT_EQ(valueAt(messages(), 0, "HostKey"), valueAt(hosts(), h, "Key"));
    EXPECT_EQ(textAt(messages(), 0, "Host"), "mymachine");
    EXPECT_EQ(textAt(messages(), 0, "Address"), "192.168.1.5");
    EXPECT_EQ(textAt(messages(), 0, "Data"), "<34>Oct 11 22:14:15 mymachine su[123]: 'su root' failed");
    EXPECT_EQ(textAt(messages(), 0, "Process"), "su[123]:");
    EXPECT_EQ(valueAt(messages(), 0, "Date"), hostDate);
    // A stamp without a year lies at most 7 days after receipt, else it is last year's.
    DateTime stamp = *encodeDateTime({currentYear(), 10, 11, 22, 14, 15, 0});
    if (stamp > after + 7)
        stamp = *encodeDateTime({currentYear() - 1, 10, 11, 22, 14, 15, 0});
    EXPECT_EQ(valueAt(messages(), 0, "TimeStamp").dateTime, stamp);
    EXPECT_EQ(valueAt(messages(), 0, "FacilityKey"), Value::ofInteger(4));
    EXPECT_EQ(textAt(messages(), 0, "Facility"), "Security/Aothorize");
    EXPECT_EQ(valueAt(messages(), 0, "SeverityKey"), Value::ofInteger(2));
    EXPECT_EQ(textAt(messages(), 0, "Severity"), "Critical");
    EXPECT_EQ(valueAt(messages(), 0, "PID"), Value::ofInteger(123));
    EXPECT_EQ(textAt(messages(), 0, "Message"), "'su root' failed");
    for (const char* unset : {"Priority", "SubProcess", "ProcessEx"})
        EXPECT_TRUE(valueAt(messages(), 0, unset).isNull()) << unset;

    // Saved at once and selected.
    EXPECT_FALSE(messages().hasUnsavedChanges());
    auto saved = readTableFile(data->dataFile(messages()));
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->recordCount(), 1);
    EXPECT_EQ(textAt(*saved, 0, "Message"), "'su root' failed");
    EXPECT_EQ(window.selected, std::vector<int>{1});
}

TEST_F(Intake, HostRowFollowsTheLatestMessageOfItsAddress) {
    const int hostsBefore = hosts().recordCount();
    ASSERT_TRUE(listener.InjectMessage("<34>Oct 11 22:14:15 first tag: one", "10.1.1.1"));
    const DateTime firstDate = valueAt(hosts(), hostRow("10.1.1.1"), "Date").dateTime;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(listener.InjectMessage("<34>Oct 11 22:14:16 second tag: two", "10.1.1.1"));

    EXPECT_EQ(hosts().recordCount(), hostsBefore + 1);
    const int h = hostRow("10.1.1.1");
    EXPECT_EQ(textAt(hosts(), h, "Name"), "second");
    EXPECT_GT(valueAt(hosts(), h, "Date").dateTime, firstDate);
    EXPECT_EQ(textAt(messages(), 0, "Host"), "first");
    EXPECT_EQ(textAt(messages(), 1, "Host"), "second");

    // A message without a host name from a new address, short enough to have no header.
    const DateTime beforeShort = now();
    ASSERT_TRUE(listener.InjectMessage("<13>short text", "10.1.1.2"));
    EXPECT_EQ(textAt(hosts(), hostRow("10.1.1.2"), "Name"), "Unassigned");
    EXPECT_EQ(textAt(messages(), 2, "Host"), "Unassigned");
    // Without a time stamp: the time of receipt, to the second; the words stay in the message.
    const Value received = valueAt(messages(), 2, "Date");
    const DateTime receivedSecond =
        millisecondsToDateTime(dateTimeToMilliseconds(received.dateTime) / 1000 * 1000);
    EXPECT_EQ(valueAt(messages(), 2, "TimeStamp").dateTime, receivedSecond);
    EXPECT_GE(received.dateTime, beforeShort - 1e-8);
    EXPECT_EQ(textAt(messages(), 2, "Message"), "short text");
    EXPECT_EQ(textAt(messages(), 2, "Process"), "Unknown");
    EXPECT_EQ(valueAt(messages(), 2, "PID"), Value::ofInteger(-1));
}

TEST_F(Intake, MessageWithoutHostKeepsTheRowsName) {
    ASSERT_TRUE(listener.InjectMessage("<34>Dec 10 13:10:46 fw-01 sshd[7]: up", "10.2.2.2"));
    ASSERT_TRUE(listener.InjectMessage("<134>Dec 10 13:10:46 filterlog[21570]: 5,,,igb0,block", "10.2.2.2"));
    const int h = hostRow("10.2.2.2");
    EXPECT_EQ(textAt(hosts(), h, "Name"), "fw-01");
    EXPECT_EQ(textAt(messages(), 1, "Host"), "fw-01");
    EXPECT_EQ(textAt(messages(), 1, "Process"), "filterlog[21570]:");
}

TEST_F(Intake, RecordKeepsTheWholeHostNameAndTheRowItsFirst20) {
    const std::string name = "backup-storage-node-07.example.net";
    ASSERT_TRUE(listener.InjectMessage("<14>Dec 10 13:10:46 " + name + " rsync[771]: sent", "10.3.3.3"));
    EXPECT_EQ(textAt(messages(), 0, "Host"), name);
    EXPECT_EQ(textAt(hosts(), hostRow("10.3.3.3"), "Name"), name.substr(0, 20));
}

TEST_F(Intake, Ipv6SenderIsStoredWithItsWholeAddress) {
    const std::string address = "2001:db8:85a3:1234:5678:8a2e:370:7334";
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(listener.InjectMessage("<14>Dec 10 13:10:46 v6host app: hi", address));
    ASSERT_GE(hostRow(address), 0);
    EXPECT_EQ(textAt(messages(), 1, "Address"), address);
    EXPECT_EQ(valueAt(messages(), 0, "HostKey"), valueAt(messages(), 1, "HostKey"));
}

TEST_F(Intake, FacilityWithoutNameIsStoredWithItsCodeOnly) {
    ASSERT_TRUE(listener.InjectMessage("<200>Oct 11 22:14:15 host tag: text", "10.0.0.1"));
    EXPECT_EQ(valueAt(messages(), 0, "FacilityKey"), Value::ofInteger(25));
    EXPECT_TRUE(valueAt(messages(), 0, "Facility").isNull());
    EXPECT_EQ(valueAt(messages(), 0, "SeverityKey"), Value::ofInteger(0));
    EXPECT_EQ(textAt(messages(), 0, "Severity"), "Emergency");
}

TEST_F(Intake, ClosedMessageSetStoresNothingButStillRaisesTheWindow) {
    const int hostsBefore = hosts().recordCount();
    messages().close();
    ASSERT_TRUE(listener.InjectMessage("<34>Oct 11 22:14:15 host tag: text", "10.0.0.9"));
    EXPECT_EQ(window.raised, 1);
    EXPECT_EQ(hosts().recordCount(), hostsBefore);
    EXPECT_TRUE(window.selected.empty());
}

TEST_F(Intake, LongAddressFindsItsOwnRowAgain) {
    const std::string address = "fe80::1234:5678:9abc:def0%eth0-test-" + std::string(20, 'x');  // too long
    const int hostsBefore = hosts().recordCount();
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(listener.InjectMessage("<34>Oct 11 22:14:15 host tag: text", address));
    EXPECT_EQ(hosts().recordCount(), hostsBefore + 1);
    EXPECT_EQ(messages().recordCount(), 3);
    EXPECT_EQ(textAt(messages(), 2, "Address"), address.substr(0, 48));
}

TEST_F(Intake, HostTableErrorIsShownAndNothingIsStored) {
    // A host table without an Address field cannot be searched.
    FieldDef key;
    key.name = "Key";
    key.type = FieldType::Integer;
    hosts().setFields({key});
    hosts().open();
    ASSERT_TRUE(listener.InjectMessage("<34>Oct 11 22:14:15 host tag: text", "10.0.0.1"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Update Host");
    EXPECT_EQ(dialogs.shown[0].kind, 16);
    EXPECT_EQ(dialogs.shown[0].message, "Field 'Address' not found");
    EXPECT_EQ(messages().recordCount(), 0);
    EXPECT_TRUE(window.selected.empty());
}

TEST_F(Intake, FailedSaveIsReportedOnceAndRetried) {
    // A folder where the message file belongs makes every write of it fail, even for root.
    const std::string file = data->dataFile(messages());
    std::filesystem::remove(file);
    std::filesystem::create_directories(file + "/blocker");

    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(
            listener.InjectMessage("<34>Oct 11 22:14:15 host tag: text " + std::to_string(i), "10.0.0.1"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Save Data");
    EXPECT_NE(dialogs.shown[0].message.find("MessageSet.vtx"), std::string::npos) << dialogs.shown[0].message;
    EXPECT_EQ(intake.failedSaves(), 3u);
    EXPECT_EQ(window.selected.size(), 3u);

    std::filesystem::remove_all(file);
    ASSERT_TRUE(listener.InjectMessage("<34>Oct 11 22:14:15 host tag: text 3", "10.0.0.1"));
    auto saved = readTableFile(file);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->recordCount(), 4);
    EXPECT_EQ(dialogs.shown.size(), 1u);

    // After a success, a new failure is reported again.
    std::filesystem::remove(file);
    std::filesystem::create_directories(file + "/blocker");
    ASSERT_TRUE(listener.InjectMessage("<34>Oct 11 22:14:15 host tag: text 4", "10.0.0.1"));
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(Intake, ProgramStartsAtMostOncePerSecond) {
    notification.NotifyFacility = "Any";
    notification.NotifySeverity = "Any";
    notification.NotifyExec = true;
    notification.ExecPath = "/usr/bin/true";
    auto t = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
    intake.notifyActions().setClock([&t] { return t; });

    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(listener.InjectMessage("<34>Oct 11 22:14:15 host tag: text", "10.0.0.1"));
        t += std::chrono::milliseconds(300);
    }
    EXPECT_EQ(actions.programs.size(), 1u);
    EXPECT_EQ(intake.skippedProgramStarts(), 2u);
    t += std::chrono::milliseconds(200);  // 1100 ms after the first start
    ASSERT_TRUE(listener.InjectMessage("<34>Oct 11 22:14:15 host tag: text", "10.0.0.1"));
    EXPECT_EQ(actions.programs.size(), 2u);
    EXPECT_EQ(messages().recordCount(), 4);
}

// Intake of datagrams through the listener's queue, on a main thread the test drives itself.
class QueuedIntake : public Intake {
protected:
    struct ManualMainThread : MainThread {
        std::vector<std::function<void()>> tasks;
        std::mutex mutex;
        void post(std::function<void()> task) override {
            std::lock_guard lock(mutex);
            tasks.push_back(std::move(task));
        }
    };

    void SetUp() override {
        listener.SetMainThread(&mainThread);
        listener.UDPBindings().Add("127.0.0.1").Port = 0;
        ASSERT_EQ(listener.SetActive(true), "");
        port = listener.UDPServer().BoundAddresses().front().Port;
        sender = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    }
    void TearDown() override {
        (void)listener.SetActive(false);
        ::close(sender);
    }

    void send(const std::string& text) {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(static_cast<std::uint16_t>(port));
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::sendto(sender, text.data(), text.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }
    // Waits (boundedly) until the receive thread has queued count items.
    bool waitQueued(std::size_t count) {
        for (int i = 0; i < 400 && listener.QueuedCount() < count; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return listener.QueuedCount() == count;
    }

    ManualMainThread mainThread;
    int port = 0;
    int sender = -1;
};

TEST_F(QueuedIntake, OneWaitingMessageTakesTheSpecifiedRoad) {
    send("<34>Oct 11 22:14:15 host tag: only");
    ASSERT_TRUE(waitQueued(1));
    EXPECT_EQ(intake.DeliverPending(listener), 1u);
    EXPECT_EQ(window.raised, 1);
    EXPECT_EQ(window.selected, std::vector<int>{1});
    EXPECT_FALSE(messages().hasUnsavedChanges());
    EXPECT_EQ(textAt(messages(), 0, "Address"), "127.0.0.1");
}

TEST_F(QueuedIntake, SeveralWaitingMessagesAreSavedAndSelectedOnce) {
    for (int i = 0; i < 5; ++i) send("<34>Oct 11 22:14:15 host tag: seq=" + std::to_string(i));
    ASSERT_TRUE(waitQueued(5));
    EXPECT_EQ(intake.DeliverPending(listener), 5u);
    EXPECT_EQ(window.raised, 1);
    EXPECT_EQ(window.selected, std::vector<int>{5});
    auto saved = readTableFile(data->dataFile(messages()));
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->recordCount(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(textAt(*saved, i, "Message"), "seq=" + std::to_string(i));
}

TEST_F(QueuedIntake, BatchLimitLeavesTheRestForTheNextTurn) {
    int resumed = 0;
    intake.setResumeHook([&resumed] { ++resumed; });
    intake.setBatchLimit(3);
    for (int i = 0; i < 5; ++i) send("<34>Oct 11 22:14:15 host tag: seq=" + std::to_string(i));
    ASSERT_TRUE(waitQueued(5));
    EXPECT_EQ(intake.DeliverPending(listener), 3u);
    EXPECT_EQ(resumed, 1);
    // The listener's wake-ups wait for the scheduled resume, so the event loop gets its turn
    // between two batches; the resume takes the rest.
    EXPECT_EQ(intake.WakeUp(listener), 0u);
    EXPECT_EQ(resumed, 1);
    EXPECT_EQ(intake.Resume(listener), 2u);
    EXPECT_EQ(messages().recordCount(), 5);
    EXPECT_EQ(window.selected, (std::vector<int>{3, 5}));
    send("<34>Oct 11 22:14:15 host tag: seq=5");
    ASSERT_TRUE(waitQueued(1));
    EXPECT_EQ(intake.WakeUp(listener), 1u);  // nothing scheduled: taken at once
    EXPECT_EQ(resumed, 1);
}

TEST_F(QueuedIntake, NoReentryWhileADialogIsOpen) {
    notification.NotifyFacility = "Any";
    notification.NotifySeverity = "Any";
    notification.NotifyExec = true;
    notification.ExecPath = "/no/such/program";
    // The program cannot be opened: its warning dialog is open while more messages arrive.
    actions.onRun = [this](const std::string& path) {
        intake.dialogs().show("cannot open " + path, "Notification Execute", 48);
        return 2;
    };
    int resumed = 0;
    intake.setResumeHook([&resumed] { ++resumed; });
    std::size_t takenWhileOpen = 99;
    dialogs.whileOpen = [&] {
        send("<34>Oct 11 22:14:15 host tag: arrived while open");
        ASSERT_TRUE(waitQueued(1));
        takenWhileOpen = intake.DeliverPending(listener);
        TnSyslogMessage direct;
        direct.SetData("<34>Oct 11 22:14:15 host tag: handed over while open");
        direct.SetPeerAddress("10.0.0.2");
        intake.HandleMessage(nullptr, &direct, nullptr);
        // The same warning again is counted, not stacked.
        intake.dialogs().show("cannot open /no/such/program", "Notification Execute", 48);
        EXPECT_EQ(messages().recordCount(), 0);
    };

    ASSERT_TRUE(listener.InjectMessage("<34>Oct 11 22:14:15 host tag: first", "10.0.0.1"));
    EXPECT_EQ(takenWhileOpen, 0u);
    EXPECT_EQ(intake.repeatedWarnings(), 1u);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    // The direct message followed as soon as the dialog closed; the queued one waits for the
    // wake-up that intake asked for.
    ASSERT_EQ(messages().recordCount(), 2);
    EXPECT_EQ(textAt(messages(), 0, "Message"), "first");
    EXPECT_EQ(textAt(messages(), 1, "Message"), "handed over while open");
    EXPECT_EQ(resumed, 1);
    EXPECT_EQ(listener.QueuedCount(), 1u);
    EXPECT_EQ(intake.DeliverPending(listener), 1u);
    EXPECT_EQ(textAt(messages(), 2, "Message"), "arrived while open");
}

}  // namespace
}  // namespace corvane
