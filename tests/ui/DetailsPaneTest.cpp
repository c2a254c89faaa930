#include "MessageStoreFixture.h"

#include "ui/DetailsPane.h"
#include "widgets/QtTestApp.h"
#include "widgets/TImageLabel.h"
#include "widgets/TImageList.h"
#include "widgets/TgLabel.h"

#include <QPlainTextEdit>

namespace corvane {
namespace {

using test::MessageStore;

struct PaneWidgets {
    QWidget host;
    TImageLabel facility{&host};
    TgLabel date{&host}, severity{&host}, process{&host}, subProcess{&host}, processId{&host},
        processEx{&host};
    QPlainTextEdit data{&host}, description{&host};

    DetailsPaneWidgets widgets() {
        return {&facility,  &date,      &severity, &process,    &subProcess,
                &processId, &processEx, &data,     &description};
    }
};

TEST(DetailsPane, MessageSelectShowsEveryPartOfTheChosenRecord) {
    MessageStore store;
    store.add({.severity = 3, .facility = 16, .text = "first", .pid = 1234});
    store.add({.severity = 4,
               .facility = 1,
               .address = "10.0.0.5",
               .text = "second",
               .date = MessageStore::at(2024, 12, 8, 9, 15, 0),
               .host = "switch",
               .process = "sshd",
               .pid = -1});
    TImageList facilities(QSize(4, 4));
    for (int i = 0; i < 24; ++i) {
        QImage image(4, 4, QImage::Format_ARGB32);
        image.fill(QColor(i * 10, 0, 0));
        facilities.add(image);
    }
    PaneWidgets w;
    DetailsPane pane(w.widgets(), &facilities, MessageStore::formats());

    ASSERT_TRUE(pane.MessageSelect(store.messages(), 2));
    EXPECT_EQ(store.messages().recNo(), 2);
    EXPECT_EQ(w.facility.caption(), QStringLiteral("User"));
    EXPECT_EQ(w.facility.picture().toImage().pixelColor(0, 0), QColor(20, 0, 0)) << "image FacilityKey + 1";
    EXPECT_EQ(w.date.caption(), QStringLiteral("2024-12-08 09:15:00"));
    EXPECT_EQ(w.severity.caption(), QStringLiteral("Warning"));
    EXPECT_EQ(w.process.caption(), QStringLiteral("sshd"));
    EXPECT_EQ(w.processId.caption(), QStringLiteral("      -1"));
    EXPECT_EQ(w.data.toPlainText(), QStringLiteral("<14>second"));
    EXPECT_EQ(w.description.toPlainText(),
              QStringLiteral("From: User at Address: 10.0.0.5, Host: switch, related process sshd."));

    // Record 1, through the cursor; then a negative number leaves the pane as it is.
    ASSERT_TRUE(pane.MessageSelect(store.messages(), 1));
    EXPECT_EQ(w.processId.caption(), QStringLiteral("    1234"));
    EXPECT_EQ(w.facility.caption(), QStringLiteral("Local 0"));
    EXPECT_FALSE(pane.MessageSelect(store.messages(), -1));
    EXPECT_EQ(store.messages().recNo(), 1);
    EXPECT_EQ(w.severity.caption(), QStringLiteral("Error"));
}

TEST(DetailsPane, AnEmptyViewKeepsTheLastMessageAndAMissingIconKeepsThePicture) {
    MessageStore store;
    store.add({.facility = 30, .text = "odd facility", .pid = 123456789});
    PaneWidgets w;
    QPixmap before(3, 3);
    before.fill(Qt::green);
    w.facility.setPicture(before);
    TImageList empty;
    DetailsPane pane(w.widgets(), &empty, MessageStore::formats());
    ASSERT_TRUE(pane.MessageSelect(store.messages(), 1));
    EXPECT_EQ(w.processId.caption(), QStringLiteral("123456789"));
    EXPECT_EQ(w.facility.caption(), QString()) << "no name for facility 30";
    EXPECT_EQ(w.facility.picture().toImage().pixelColor(1, 1), QColor(Qt::green));

    store.data->ClearMessagesInView();
    EXPECT_FALSE(pane.MessageSelect(store.messages(), store.messages().recNo()));
    EXPECT_EQ(w.data.toPlainText(), QStringLiteral("<14>odd facility"));
}

}  // namespace
}  // namespace corvane
