// The traffic in the status bar and above the Senders page: rates, losses and the chart.
#include "ui/FormFixture.h"

#include "app/AppCore.h"
#include "store/StoreTables.h"
#include "store/Table.h"
#include "ui/SendersPage.h"
#include "ui/TrafficBar.h"
#include "ui/TrafficChart.h"
#include "ui/TrafficMonitor.h"
#include "widgets/QtTestApp.h"
#include "widgets/TnLabel.h"
#include "widgets/TnPageControl.h"

#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

namespace corvane {
namespace {

class TrafficTest : public ::testing::Test {
protected:
    TrafficTest() { messages.open(); }
    void add(int severity, double minutesAgo, int count = 1) {
        for (int i = 0; i < count; ++i) {
            messages.append();
            messages.setInteger(messages.requireField("Key"), m_key++);
            messages.setInteger(messages.requireField("SeverityKey"), severity);
            messages.setDateTime(messages.requireField("Date"), kNow - minutesAgo / 1440.0);
            messages.post();
        }
    }

    const DateTime kNow = *encodeDateTime({2026, 12, 10, 14, 30, 30, 0});
    Table messages{"MessageSet", messageSetFields()};
    TrafficCounters counters;
    TrafficMonitor monitor{messages, [this] { return counters; }};
    int m_key = 1;
};

TEST_F(TrafficTest, FiguresFromTheCountsAndTheStore) {
    add(6, 5, 30);
    monitor.refresh(kNow, 10);
    counters.received = 100;
    counters.queueDropped = 0;
    counters.systemDropped = 0;
    counters.refused = 2;
    add(3, 0, 20);
    add(6, 0, 30);
    monitor.refresh(kNow, 12);
    EXPECT_EQ(monitor.rateText(), QStringLiteral("50/s"));
    EXPECT_FALSE(monitor.losing());
    EXPECT_EQ(monitor.summary(), QStringLiteral("Received: 50 messages a second\n"
                                                "Stored: 25 messages a second\n"
                                                "Dropped by the receive queue: 0\n"
                                                "Dropped by the system: 0\n"
                                                "Connections refused: 2\n"
                                                "Last hour: 80 messages (Error 25%, Information 75%)"));

    counters.systemDropped.reset();
    counters.queueDropped = 7;
    monitor.refresh(kNow, 13);
    EXPECT_TRUE(monitor.losing());
    EXPECT_TRUE(monitor.summary().contains(QStringLiteral("Dropped by the system: not known")));
    EXPECT_TRUE(monitor.summary().contains(QStringLiteral("Dropped by the receive queue: 7")));
}

TEST(TrafficShortCount, KeepsTheFigureShort) {
    const std::pair<double, const char*> rows[] = {{0, "0"},          {3.25, "3.3"},      {12, "12"},
                                                   {999, "999"},      {1234, "1.2k"},     {45'600, "46k"},
                                                   {999'400, "999k"}, {2'500'000, "2.5M"}};
    for (const auto& [count, text] : rows) EXPECT_EQ(shortCount(count), QString::fromLatin1(text)) << count;
}

TEST_F(TrafficTest, TheBarShowsTheRateAndGivesWayToTheNewCount) {
    QWidget statusBar;
    statusBar.resize(300, 28);
    auto* newCount = new QLabel(QStringLiteral(" 3 new"), &statusBar);
    newCount->hide();
    auto* bar = new TrafficBar(monitor, &statusBar);
    bar->setGeometry(0, 0, 96, 28);
    bar->yieldTo(newCount);
    statusBar.show();
    monitor.refresh(kNow, 1);
    counters.received = 30;
    counters.queueDropped = 1;
    monitor.refresh(kNow, 2);
    EXPECT_EQ(bar->rate()->text(), QStringLiteral("30/s"));
    EXPECT_EQ(bar->toolTip(), monitor.summary());
    EXPECT_EQ(bar->rate()->palette().color(QPalette::WindowText), QColor(200, 0, 0)) << "datagrams lost";
    EXPECT_TRUE(bar->isVisible());
    newCount->show();
    EXPECT_FALSE(bar->isVisible());
    newCount->hide();
    EXPECT_TRUE(bar->isVisible());
}

// The bars stand where their minutes are, stacked by severity with the most severe at the
// bottom, scaled to the busiest minute.
TEST_F(TrafficTest, TheChartPaintsEachMinuteBySeverity) {
    add(3, 0, 20);  // the current minute: 20 errors and 20 informational
    add(6, 0, 20);
    add(4, 30, 10);  // half an hour ago: 10 warnings
    for (int m = 1; m < 60; m += 2) add(m % 8, m, 1 + m % 5);
    monitor.refresh(kNow, 1);
    TrafficChart chart;
    chart.setHistory(&monitor.history());
    chart.resize(60 * 6 + 2, 40);  // six pixels a minute, no legend
    const QImage image = chart.grab().toImage();
    const int lastMinute = 1 + 59 * 6 + 2;
    const int plotBottom = 38;
    EXPECT_EQ(image.pixelColor(lastMinute, plotBottom), chart.severityColor(3)) << "errors at the bottom";
    EXPECT_EQ(image.pixelColor(lastMinute, 2), chart.severityColor(6))
        << "the busiest minute fills the height";
    const int halfAnHourAgo = 1 + 29 * 6 + 2;
    EXPECT_EQ(image.pixelColor(halfAnHourAgo, plotBottom), chart.severityColor(4));
    EXPECT_EQ(image.pixelColor(halfAnHourAgo, 20), chart.palette().color(QPalette::Base)) << "a quarter high";

    // Tall enough for the legend: every severity of the hour with its share, none left out.
    QStringList legend;
    for (const TrafficChart::LegendItem& item : chart.legend()) legend << item.text;
    EXPECT_EQ(legend.join(QStringLiteral(", ")),
              QStringLiteral("Alert 18%, Error 33%, Warning 7%, Notice 14%, Information 14%, Debug 14%"));
    chart.resize(360, 140);
    test::saveScreenshot(chart, QStringLiteral("traffic-chart"));
}

// The running window: the bar in the status bar and the summary above the Senders page.
TEST(TrafficWindow, TheStatusBarAndTheSendersPageShowTheTraffic) {
    test::FormFixture f;
    f.writeSettingsForPort(test::freeUdpPort(), "SaveLocation=0\n");
    f.start();
    TSysLogForm& w = *f.form;
    auto* bar = w.findChild<TrafficBar*>();
    auto* monitor = w.findChild<TrafficMonitor*>();
    ASSERT_TRUE(bar && monitor);
    EXPECT_EQ(bar->parentWidget(), w.StatusBar);
    const char* texts[] = {
        "<11>Dec  9 10:00:00 core-sw1 kernel: link down on port 24",
        "<14>Dec  9 10:00:05 web01 nginx[812]: upstream timed out",
        "<12>Dec  9 10:01:00 router1 sshd[42]: authentication failure for admin",
        "<14>Dec  9 10:01:30 web01 nginx[812]: request GET /api/status",
    };
    for (int i = 0; i < 40; ++i)
        f.core()->InjectMessage(texts[i % 4], i % 3 ? "192.168.1.20" : "192.168.1.30");
    monitor->refresh(now(), 1000);
    EXPECT_EQ(f.core()->ReceivedCount(), 40u);
    EXPECT_TRUE(bar->toolTip().contains(QStringLiteral("Last hour: 40 messages")))
        << bar->toolTip().toStdString();
    EXPECT_TRUE(bar->toolTip().contains(QStringLiteral("Dropped by the system: 0"))) << "our socket is found";

    w.resize(TSysLogForm::kDesignWidth, TSysLogForm::kDesignHeight);
    w.show();
    auto* senders = w.findChild<SendersPage*>();
    ASSERT_TRUE(senders);
    w.nMain->setCurrentIndex(2);  // Recent, Data, Senders
    QApplication::processEvents();
    EXPECT_TRUE(w.findChild<TrafficSummary*>()->isVisible());
    EXPECT_EQ(senders->view()->model()->rowCount(), 2);
    test::saveScreenshot(w, QStringLiteral("senders-page-window"));
}

}  // namespace
}  // namespace corvane
