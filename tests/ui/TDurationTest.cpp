#include "ui/TDuration.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr double kSecond = 1.0 / 86400.0;
constexpr double kStart = 46000.0 + 10 * 3600 * kSecond;  // a morning, well after the epoch

struct Counter {
    double now = kStart;
    TDuration d{nullptr, [this] { return now; }};
    Counter() { d.setTimeSeparator(QStringLiteral(":")); }
    QString tickAt(double t) {
        now = t;
        d.Tick();
        return d.caption();
    }
};

TEST(TDurationTest, CaptionFormat) {
    struct Case {
        const char* name;
        double offset;
        const char* caption;
    } cases[] = {
        {"created", 0, "0:w 0:d 00:00:00:h"},
        {"nine days and a bit", 9 + (2 * 3600 + 3 * 60 + 4) * kSecond, "1:w 2:d 02:03:04:h"},
        {"last second of the first week", 7 - kSecond, "0:w 6:d 23:59:59:h"},
        {"exactly one week", 7, "1:w 0:d 00:00:00:h"},
        {"half a second is cut", 1.5 * kSecond, "0:w 0:d 00:00:01:h"},
        {"999.6 ms rounds to a whole second", 0.9996 * kSecond, "0:w 0:d 00:00:01:h"},
        {"three weeks", 21 + 59 * kSecond, "3:w 0:d 00:00:59:h"},
    };
    for (const Case& c : cases) {
        Counter counter;
        EXPECT_EQ(counter.d.FormatDuration(kStart + c.offset), QString::fromLatin1(c.caption)) << c.name;
    }
}

TEST(TDurationTest, CreatedCaptionStaysUntilTheFirstTick) {
    Counter c;
    EXPECT_EQ(c.d.caption(), QString::fromLatin1(TDuration::kInitialCaption));
    EXPECT_EQ(c.d.size(), QSize(128, 20));
    EXPECT_EQ(c.tickAt(kStart + 7 - kSecond), QStringLiteral("0:w 6:d 23:59:59:h"));
    EXPECT_EQ(c.tickAt(kStart + 7), QStringLiteral("1:w 0:d 00:00:00:h"));
}

TEST(TDurationTest, TickWithAnUnchangedClockLeavesTheCaption) {
    Counter c;
    c.tickAt(kStart + 5 * kSecond);
    c.d.setCaption(QStringLiteral("marker"));
    c.d.Tick();  // the clock did not move
    EXPECT_EQ(c.d.caption(), QStringLiteral("marker"));
}

TEST(TDurationTest, OnTimerRunsBeforeTheCaptionAndAnErrorSkipsIt) {
    Counter c;
    QString seen;
    c.d.OnTimer = [&](TDuration& sender, bool handled) {
        EXPECT_FALSE(handled);
        seen = sender.caption();
    };
    c.tickAt(kStart + kSecond);
    EXPECT_EQ(seen, QString::fromLatin1(TDuration::kInitialCaption));
    c.d.OnTimer = [](TDuration&, bool) { throw std::runtime_error("indicator failed"); };
    c.now = kStart + 2 * kSecond;
    EXPECT_THROW(c.d.Tick(), std::runtime_error);
    EXPECT_EQ(c.d.caption(), QStringLiteral("0:w 0:d 00:00:01:h"));
}

TEST(TDurationTest, StartStopAndCurrentTimes) {
    Counter c;
    c.d.SetCurrentTime(kStart + kSecond);
    c.d.SetStartTime(kStart + 10 * kSecond);  // later than the current time
    EXPECT_EQ(c.d.currentTime(), kStart + 10 * kSecond);
    EXPECT_EQ(c.d.caption(), QStringLiteral("0:w 0:d 00:00:00:h"));

    c.d.SetStopTime(kStart + 70 * kSecond);
    EXPECT_EQ(c.d.stopTime(), kStart + 70 * kSecond);
    EXPECT_EQ(c.d.currentTime(), kStart + 70 * kSecond);
    EXPECT_EQ(c.d.caption(), QStringLiteral("0:w 0:d 00:01:00:h"));
}

TEST(TDurationTest, UseTimerRunsAtMostOneTimer) {
    Counter c;
    EXPECT_FALSE(c.d.hasTimer());
    c.d.setUseTimer(true);
    c.d.setUseTimer(true);
    EXPECT_TRUE(c.d.hasTimer());
    EXPECT_EQ(c.d.findChildren<QTimer*>().size(), 1);
    c.d.setUseTimer(false);
    EXPECT_FALSE(c.d.hasTimer());
    EXPECT_TRUE(c.d.findChildren<QTimer*>().isEmpty());
}

}  // namespace
}  // namespace corvane
