#include "MessageStoreFixture.h"

#include "store/Table.h"
#include "ui/DataGridView.h"
#include "ui/MessageTableModel.h"
#include "widgets/QtTestApp.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTabWidget>

namespace corvane {
namespace {

using test::MessageStore;

class MessageTableModelTest : public ::testing::Test {
protected:
    MessageTableModelTest() {
        for (int i = 0; i < 6; ++i)
            store.add(
                {.severity = i % 2 == 0 ? 3 : 6, .text = "message " + std::to_string(i), .pid = 100 + i});
        model.refresh();
        model.error = [this](const std::string& e) { errors.push_back(e); };
    }

    int column(const char* field) {
        for (int c = 0; c < model.columnCount(); ++c)
            if (model.headerData(c, Qt::Horizontal).toString() == QString::fromLatin1(field))
                return c;
        return -1;
    }

    MessageStore store;
    MessageTableModel model{store.messages(), MessageStore::formats()};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
    std::vector<std::string> errors;
};

TEST_F(MessageTableModelTest, ShowsTheShownFieldsInFieldOrder) {
    QStringList titles;
    for (int c = 0; c < model.columnCount(); ++c) titles << model.headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"Date", "TimeStamp", "Severity", "Process", "SubProcess", "Message",
                                   "Host", "Address", "Facility", "PID", "Data"}));
    EXPECT_EQ(model.rowCount(), 6);
    EXPECT_EQ(model.data(model.index(2, column("Message"))).toString(), QStringLiteral("message 2"));
    EXPECT_EQ(model.data(model.index(0, column("Date"))).toString(), QStringLiteral("2024-12-08 09:00:00"));
    EXPECT_EQ(model.data(model.index(0, column("SubProcess"))).toString(), QString()) << "null";
}

TEST_F(MessageTableModelTest, EditsArePostedAndReachTheFileWithTheNextSave) {
    ASSERT_TRUE(model.setData(model.index(1, column("Message")), QStringLiteral("edited text")));
    ASSERT_TRUE(model.setData(model.index(1, column("PID")), QStringLiteral("77")));
    ASSERT_TRUE(model.setData(model.index(1, column("Date")), QStringLiteral("2023-01-02 03:04:05")));
    EXPECT_EQ(store.messages().state(), Table::State::Browse);
    EXPECT_TRUE(store.messages().hasUnsavedChanges());

    // A value the field cannot take is refused with the table's error and changes nothing.
    EXPECT_FALSE(model.setData(model.index(1, column("PID")), QStringLiteral("seven")));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "'seven' is not a valid integer value");
    EXPECT_FALSE(model.setData(model.index(1, column("Date")), QStringLiteral("yesterday")));
    EXPECT_EQ(errors.back(), "'yesterday' is not a valid date and time");

    ASSERT_TRUE(store.data->SaveData().ok());
    TData reloaded(store.folder(), std::string(CORVANE_SOURCE_DIR) + "/resources/templates/");
    reloaded.DataModuleCreate();
    Table& t = reloaded.MessageSet();
    ASSERT_EQ(t.recordCount(), 6);
    EXPECT_EQ(t.valueAt(1, t.requireField("Message")).text, "edited text");
    EXPECT_EQ(t.valueAt(1, t.requireField("PID")).integer, 77);
    EXPECT_EQ(MessageStore::formats().formatDateTime(t.valueAt(1, t.requireField("Date")).dateTime),
              "2023-01-02 03:04:05");
}

TEST_F(MessageTableModelTest, NewRecordsAreOneInsertionAndAFilterIsAReset) {
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    store.add({.text = "late 1"});
    store.add({.text = "late 2"});
    model.refresh();
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 6);
    EXPECT_EQ(inserted[0][2].toInt(), 7);
    EXPECT_EQ(reset.size(), 0);

    store.messages().setFilterText("[SeverityKey] = 3");
    store.messages().setFiltered(true);
    model.refresh();
    EXPECT_EQ(reset.size(), 1);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.data(model.index(1, column("Message"))).toString(), QStringLiteral("message 2"));
}

TEST_F(MessageTableModelTest, CtrlDeleteDeletesTheSelectedRecordsAfterConfirmation) {
    DataGridView view;
    view.setMessageModel(&model);
    QStringList asked;
    bool answer = false;
    view.confirm = [&](const QString& q) {
        asked << q;
        return answer;
    };
    view.selectRow(1);
    view.selectionModel()->select(model.index(4, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view.deleteSelected();
    EXPECT_EQ(model.rowCount(), 6) << "cancelled";
    answer = true;
    view.selectRow(1);
    view.selectionModel()->select(model.index(4, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view.deleteSelected();
    ASSERT_EQ(model.rowCount(), 4);
    std::vector<std::string> left;
    for (int r = 0; r < 4; ++r)
        left.push_back(model.data(model.index(r, column("Message"))).toString().toStdString());
    EXPECT_EQ(left, std::vector<std::string>({"message 0", "message 2", "message 3", "message 5"}));

    view.selectRow(0);
    view.deleteSelected();
    EXPECT_EQ(asked, QStringList(
                         {"Delete all selected records?", "Delete all selected records?", "Delete record?"}));
    EXPECT_EQ(model.rowCount(), 3);
}

TEST_F(MessageTableModelTest, TheCurrentRowFollowsTheTableAndTheOtherWayRound) {
    DataGridView view;
    view.setMessageModel(&model);
    store.messages().moveTo(4);
    view.refresh();
    EXPECT_EQ(view.currentIndex().row(), 4);
    view.setCurrentIndex(model.index(2, 0));
    EXPECT_EQ(store.messages().currentPosition(), 2);
}

TEST_F(MessageTableModelTest, BehindAnotherPageTheGridCatchesUpOnlyWhenShown) {
    QTabWidget pages;
    auto* recent = new QWidget;
    auto* view = new DataGridView;
    pages.addTab(recent, QStringLiteral("Recent"));
    pages.addTab(view, QStringLiteral("Data"));
    view->setMessageModel(&model);
    pages.show();
    ASSERT_FALSE(view->isVisible());

    store.add({.text = "message 6"});
    store.add({.text = "message 7"});
    view->refresh();
    EXPECT_EQ(model.rowCount(), 6) << "no catching up behind the Recent page";

    pages.setCurrentWidget(view);
    EXPECT_EQ(model.rowCount(), 8);
    EXPECT_EQ(model.data(model.index(7, column("Message"))).toString(), QStringLiteral("message 7"));
    store.add({.text = "message 8"});
    view->refresh();
    EXPECT_EQ(model.rowCount(), 9) << "a shown grid catches up at once";
}

}  // namespace
}  // namespace corvane
