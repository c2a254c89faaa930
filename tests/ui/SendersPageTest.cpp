// The Senders page: one row per host row, sorted by a column, a double-click names the sender.
#include "store/StoreTables.h"
#include "store/Table.h"
#include "ui/SendersPage.h"
#include "widgets/QtTestApp.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

namespace corvane {
namespace {

class SendersPageTest : public ::testing::Test {
protected:
    SendersPageTest() {
        messages.open();
        hosts.open();
        const char* names[] = {"Any", "core-sw-01", "web01", "db_02", "printer"};
        const char* addresses[] = {"Any", "10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.9"};
        hosts.setAutoIncValue(0);  // as the template: "Any" is key 0, the senders count from 1
        for (int h = 0; h < 5; ++h) {
            hosts.append();
            hosts.setText(hosts.requireField("Name"), names[h]);
            hosts.setText(hosts.requireField("Address"), addresses[h]);
            hosts.post();
        }
        // web01 is the busiest, core-sw-01 had an Error today, the printer went quiet long ago.
        int key = 0;
        auto add = [&](int host, int severity, double minutesAgo) {
            messages.append();
            messages.setInteger(messages.requireField("Key"), key++);
            messages.setInteger(messages.requireField("HostKey"), host);
            messages.setInteger(messages.requireField("SeverityKey"), severity);
            messages.setDateTime(messages.requireField("Date"), kNow - minutesAgo / 1440.0);
            messages.post();
        };
        for (int i = 0; i < 40; ++i) add(2, 6, i * 0.5);
        for (int i = 0; i < 12; ++i) add(1, i == 5 ? 3 : 5, i * 3.0);
        for (int i = 0; i < 5; ++i) add(3, 4, 30 + i);
        add(4, 4, 3 * 1440);
    }

    const DateTime kNow = *encodeDateTime({2026, 12, 10, 14, 30, 30, 0});
    Table messages{"MessageSet", messageSetFields()};
    Table hosts{"HostSet", hostSetFields()};
};

TEST_F(SendersPageTest, RowsSortAndADoubleClickNamesTheSender) {
    SendersPage page(messages, hosts, LocaleFormats{});
    QAbstractItemModelTester tester(page.model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    page.refresh(kNow);
    QTableView* view = page.view();
    const QAbstractItemModel* m = view->model();
    ASSERT_EQ(m->rowCount(), 4) << "the Any row is not a sender";

    // Sorted by the last hour, busiest first.
    EXPECT_EQ(m->index(0, SenderModel::Name).data().toString(), QStringLiteral("web01"));
    EXPECT_EQ(m->index(0, SenderModel::LastHour).data().toString(), QStringLiteral("40"));
    EXPECT_EQ(m->index(3, SenderModel::Name).data().toString(), QStringLiteral("printer"));
    EXPECT_EQ(m->index(3, SenderModel::LastHour).data().toString(), QStringLiteral("0"));

    view->sortByColumn(SenderModel::HighestToday, Qt::AscendingOrder);
    EXPECT_EQ(m->index(0, SenderModel::Name).data().toString(), QStringLiteral("core-sw-01"));
    EXPECT_EQ(m->index(0, SenderModel::HighestToday).data().toString(), QStringLiteral("Error"));
    EXPECT_EQ(m->index(3, SenderModel::HighestToday).data().toString(), QString()) << "nothing today";

    view->sortByColumn(SenderModel::Total, Qt::DescendingOrder);
    EXPECT_EQ(m->index(1, SenderModel::Total).data().toString(), QStringLiteral("12"));
    EXPECT_EQ(m->index(1, SenderModel::Address).data().toString(), QStringLiteral("10.0.0.1"));

    int chosen = -1;
    page.senderChosen = [&](int key) { chosen = key; };
    page.resize(760, 300);
    page.show();
    page.refresh(kNow);
    QApplication::processEvents();
    const QRect cell = view->visualRect(m->index(1, SenderModel::Name));
    // The item view names the row pressed first, then the double-click on it.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(chosen, 1);
    const QString firstSeen = m->index(0, SenderModel::FirstSeen).data().toString();
    EXPECT_FALSE(firstSeen.isEmpty());
    EXPECT_LT(view->fontMetrics().horizontalAdvance(firstSeen), view->columnWidth(SenderModel::FirstSeen))
        << "the date shows whole";
    test::saveScreenshot(page, QStringLiteral("senders-page"));
}

}  // namespace
}  // namespace corvane
