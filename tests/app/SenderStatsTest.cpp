#include "app/SenderStats.h"

#include "store/StoreTables.h"
#include "store/Table.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

class Senders : public ::testing::Test {
protected:
    Senders() {
        messages.open();
        hosts.open();
        addHost(1, "web01", "10.0.0.1");
        addHost(2, "db02", "10.0.0.2");
        addHost(3, "quiet", "10.0.0.3");
    }
    void addHost(int key, const char* name, const char* address) {
        hosts.append();
        hosts.setInteger(hosts.requireField("Key"), key);
        hosts.setText(hosts.requireField("Name"), name);
        hosts.setText(hosts.requireField("Address"), address);
        hosts.post();
    }
    // A message of host `host` with severity `severity`, received `minutesAgo` before kNow.
    void add(int host, int severity, double minutesAgo) {
        messages.append();
        messages.setInteger(messages.requireField("Key"), m_key++);
        messages.setInteger(messages.requireField("HostKey"), host);
        messages.setInteger(messages.requireField("SeverityKey"), severity);
        messages.setDateTime(messages.requireField("Date"), kNow - minutesAgo / 1440.0);
        messages.post();
    }
    const SenderRow& row(int hostKey) {
        for (const SenderRow& r : stats.rows())
            if (r.hostKey == hostKey)
                return r;
        static const SenderRow none;
        ADD_FAILURE() << "no row for host " << hostKey;
        return none;
    }

    // 10 December 2026, 14:30:30.
    const DateTime kNow = *encodeDateTime({2026, 12, 10, 14, 30, 30, 0});
    Table messages{"MessageSet", messageSetFields()};
    Table hosts{"HostSet", hostSetFields()};
    SenderStats stats{messages, hosts};
    int m_key = 0;
};

TEST_F(Senders, FiguresOfEachSender) {
    add(1, 6, 2000);  // yesterday
    add(1, 3, 90);    // today, more than an hour ago
    add(1, 5, 30);
    add(1, 6, 0.2);  // within the current minute
    add(1, 6, 0.4);
    add(2, 4, 1.0);  // the minute before, half of it within the last 60 s
    stats.refresh(kNow);

    struct Row {
        int host;
        std::uint64_t total;
        std::uint32_t lastHour;
        double perMinute;
        int highestToday;
        double firstMinutesAgo, lastMinutesAgo;
    };
    for (const Row& r : {Row{1, 5, 3, 2.0, 3, 2000, 0.2}, Row{2, 1, 1, 0.5, 4, 1.0, 1.0}}) {
        const SenderRow& s = row(r.host);
        EXPECT_EQ(s.total, r.total) << r.host;
        EXPECT_EQ(s.lastHour, r.lastHour) << r.host;
        EXPECT_DOUBLE_EQ(s.perMinute, r.perMinute) << r.host;
        EXPECT_EQ(s.highestSeverityToday, r.highestToday) << r.host;
        EXPECT_NEAR(s.firstSeen, kNow - r.firstMinutesAgo / 1440.0, 1e-8) << r.host;
        EXPECT_NEAR(s.lastSeen, kNow - r.lastMinutesAgo / 1440.0, 1e-8) << r.host;
    }
    const SenderRow& quiet = row(3);
    EXPECT_EQ(quiet.total, 0u);
    EXPECT_EQ(quiet.highestSeverityToday, -1);
    EXPECT_EQ(quiet.lastSeen, 0);
    EXPECT_EQ(quiet.name, "quiet");
    EXPECT_EQ(quiet.address, "10.0.0.3");
}

TEST_F(Senders, NewRecordsAreTakenInAloneAndTheWindowsMoveOn) {
    add(1, 6, 0.1);
    stats.refresh(kNow);
    EXPECT_TRUE(stats.lastWasRecount());
    add(1, 2, 0.05);
    add(2, 6, 0.05);
    stats.refresh(kNow);
    EXPECT_FALSE(stats.lastWasRecount());
    EXPECT_EQ(stats.lastTaken(), 2u);
    EXPECT_EQ(row(1).total, 2u);
    EXPECT_EQ(row(1).highestSeverityToday, 2);

    // Ninety minutes later nothing is recent any more; the totals stay.
    stats.refresh(kNow + 90.0 / 1440.0);
    EXPECT_EQ(stats.lastTaken(), 0u);
    EXPECT_EQ(row(1).lastHour, 0u);
    EXPECT_EQ(row(1).perMinute, 0);
    EXPECT_EQ(row(1).total, 2u);
}

// Expiry takes the oldest records: they come off the totals without counting everything again.
TEST_F(Senders, TheOldestRecordsRemovedComeOffTheTotals) {
    add(1, 6, 300);
    add(2, 6, 200);
    add(1, 6, 100);
    add(1, 3, 0.5);
    add(2, 6, 0.2);
    stats.refresh(kNow);
    messages.deleteFirst(2);
    add(2, 6, 0.1);
    stats.refresh(kNow);
    EXPECT_FALSE(stats.lastWasRecount());
    EXPECT_EQ(stats.lastTaken(), 1u);
    EXPECT_EQ(row(1).total, 2u);
    EXPECT_EQ(row(2).total, 2u);
    EXPECT_EQ(row(1).lastHour, 1u);
    EXPECT_EQ(row(2).lastHour, 2u);
    EXPECT_EQ(row(1).highestSeverityToday, 3);

    // Everything gone but the newest: still no recount.
    messages.deleteFirst(3);
    stats.refresh(kNow);
    EXPECT_FALSE(stats.lastWasRecount());
    EXPECT_EQ(row(1).total, 0u);
    EXPECT_EQ(row(2).total, 1u);

    // A removal from the middle is not a front removal: counted again.
    add(1, 6, 0.05);
    add(1, 6, 0.04);
    add(2, 6, 0.03);
    stats.refresh(kNow);
    messages.first();
    messages.next();
    messages.deleteRecord();
    stats.refresh(kNow);
    EXPECT_TRUE(stats.lastWasRecount());
    EXPECT_EQ(row(1).total, 1u);
    EXPECT_EQ(row(2).total, 2u);
}

TEST_F(Senders, RemovedRecordsComeOffAndANewDayCountsAgain) {
    add(1, 1, 5);
    add(2, 6, 5);
    stats.refresh(kNow);
    messages.setFilterCallback(
        [&](const RecordReader& r) { return r.integer(messages.requireField("HostKey")) == 1; });
    ASSERT_TRUE(messages.setFiltered(true).ok);
    messages.deleteAllInView();
    ASSERT_TRUE(messages.setFiltered(false).ok);
    stats.refresh(kNow);
    EXPECT_FALSE(stats.lastWasRecount()) << "the first record went: taken off alone";
    EXPECT_EQ(row(1).total, 0u);
    EXPECT_EQ(row(2).total, 1u);

    stats.refresh(kNow + 1.0);  // the next day: today's severities start afresh
    EXPECT_TRUE(stats.lastWasRecount());
    EXPECT_EQ(row(2).highestSeverityToday, -1);
    EXPECT_EQ(row(2).total, 1u);
}

}  // namespace
}  // namespace corvane
