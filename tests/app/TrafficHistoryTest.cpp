// Messages per minute over the last hour, by severity, taken in as records are added.
#include "app/TrafficHistory.h"

#include "store/StoreTables.h"
#include "store/Table.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

class TrafficHistoryTest : public ::testing::Test {
protected:
    TrafficHistoryTest() { messages.open(); }
    // A message of `severity` (-1: none) received `minutesAgo` before kNow.
    void add(int severity, double minutesAgo) {
        messages.append();
        messages.setInteger(messages.requireField("Key"), m_key++);
        if (severity >= 0)
            messages.setInteger(messages.requireField("SeverityKey"), severity);
        messages.setDateTime(messages.requireField("Date"), kNow - minutesAgo / 1440.0);
        messages.post();
    }

    // 10 December 2026, 14:30:30: the current minute began 30 seconds ago.
    const DateTime kNow = *encodeDateTime({2026, 12, 10, 14, 30, 30, 0});
    Table messages{"MessageSet", messageSetFields()};
    TrafficHistory history{messages};
    int m_key = 1;
};

TEST_F(TrafficHistoryTest, CountsEachMinuteOfTheHourBySeverity) {
    add(3, 0.1);    // this minute
    add(6, 0.4);    // this minute
    add(6, 0.6);    // the minute before (14:29:54)
    add(-1, 59.4);  // 13:31:06, the oldest minute shown
    add(4, 60.6);   // 13:29:54, before the hour
    add(7, 2000);   // yesterday
    history.refresh(kNow);
    const int last = TrafficHistory::kMinutes - 1;
    EXPECT_EQ(history.minute(last).total(), 2u);
    EXPECT_EQ(history.minute(last).bySeverity[3], 1u);
    EXPECT_EQ(history.minute(last).bySeverity[6], 1u);
    EXPECT_EQ(history.minute(last - 1).bySeverity[6], 1u);
    EXPECT_EQ(history.minute(0).unknown, 1u);
    EXPECT_EQ(history.hour().total(), 4u);
    EXPECT_EQ(history.hour().bySeverity[4], 0u);

    // A minute later the oldest minute has left the hour and the current one is empty.
    history.refresh(kNow + 1.0 / 1440);
    EXPECT_EQ(history.minute(last).total(), 0u);
    EXPECT_EQ(history.minute(last - 1).total(), 2u);
    EXPECT_EQ(history.hour().total(), 3u);
}

TEST_F(TrafficHistoryTest, TakesInOnlyNewRecordsAndCountsAgainWhenTheLastOneIsGone) {
    for (int i = 0; i < 10; ++i) add(6, 1.5);
    history.refresh(kNow);
    EXPECT_TRUE(!history.lastWasRecount());
    add(6, 0.2);
    add(2, 0.2);
    history.refresh(kNow);
    EXPECT_FALSE(history.lastWasRecount());
    EXPECT_EQ(history.hour().total(), 12u);
    EXPECT_EQ(history.added(), 2u) << "what was stored before the first reading is not new";

    // Expiry removes the oldest records: nothing is counted again, the hour keeps its figures
    // (the minutes record what arrived).
    messages.first();
    messages.deleteRecord();
    history.refresh(kNow);
    EXPECT_FALSE(history.lastWasRecount());
    EXPECT_EQ(history.hour().total(), 12u);

    // The newest record deleted: everything is counted again from what is stored.
    messages.last();
    messages.deleteRecord();
    history.refresh(kNow);
    EXPECT_TRUE(history.lastWasRecount());
    EXPECT_EQ(history.hour().total(), 10u);
    EXPECT_EQ(history.hour().bySeverity[2], 0u);
    add(5, 0);
    history.refresh(kNow);
    EXPECT_EQ(history.added(), 3u) << "new after the recount";
}

TEST_F(TrafficHistoryTest, RecordsAfterTheFirstReadingOfAnEmptyTableAreNew) {
    history.refresh(kNow);
    add(6, 0);
    add(6, 0);
    history.refresh(kNow);
    EXPECT_EQ(history.added(), 2u);
}

TEST_F(TrafficHistoryTest, AClosedTableCountsNothing) {
    add(6, 0);
    messages.close();
    history.refresh(kNow);
    EXPECT_EQ(history.hour().total(), 0u);
}

}  // namespace
}  // namespace corvane
