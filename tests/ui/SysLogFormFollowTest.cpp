// The window while messages arrive: it never takes the keyboard, the view waits while the
// operator reads, and "Clear All" of a large view asks first.
#include "ui/FormFixture.h"

#include "app/AppCore.h"
#include "store/Table.h"
#include "ui/MsgDialog.h"
#include "widgets/TImageButton.h"
#include "widgets/TgLabel.h"
#include "widgets/TnDBGrid.h"
#include "widgets/TnLabel.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace corvane {
namespace {

using test::FormFixture;

void inject(FormFixture& f, int count, const char* text = "line") {
    for (int i = 0; i < count; ++i)
        ASSERT_TRUE(
            f.core()->InjectMessage("<13>" + std::string(text) + " " + std::to_string(i), "10.0.0.1"));
}

int keyOfCurrent(FormFixture& f) {
    Table& m = f.data->MessageSet();
    return m.value("Key").integer;
}

QPoint rowCentre(TnDBGrid& grid, int row) {
    for (const TnDBGrid::ShownRow& s : grid.shownRows())
        if (s.row == row)
            return {40, s.top + s.height / 2};
    return {-1, -1};
}

struct Following : ::testing::Test {
    FormFixture f;
    void SetUp() override {
        f.writeSettingsForPort(test::freeUdpPort(), "SaveLocation=0\n");
        f.start();
        f.form->resize(TSysLogForm::kDesignWidth, TSysLogForm::kDesignHeight);
        f.form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(f.form.get()));
        inject(f, 40);
    }
    TnDBGrid& grid() { return *f.form->Messages; }
};

TEST_F(Following, NewMessagesAreFollowedUntilTheOperatorChoosesAnOlderOne) {
    TSysLogForm& w = *f.form;
    Table& m = f.data->MessageSet();
    ASSERT_TRUE(w.following());
    EXPECT_EQ(m.recNo(), 40);
    EXPECT_TRUE(grid().rowFullyShown(39));
    EXPECT_FALSE(w.lblNew->isVisible());

    const int chosenRow = grid().topRow() + 1;
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, rowCentre(grid(), chosenRow));
    ASSERT_FALSE(w.following());
    const int chosenKey = keyOfCurrent(f);
    const int top = grid().topRow();
    const QString shownDate = w.Description->toPlainText();

    inject(f, 3, "later");
    EXPECT_EQ(m.recordCount(), 43);
    EXPECT_EQ(keyOfCurrent(f), chosenKey) << "the record being read stays current";
    EXPECT_EQ(grid().topRow(), top) << "the grid does not move";
    EXPECT_EQ(w.Description->toPlainText(), shownDate) << "the details pane keeps the chosen record";
    EXPECT_EQ(w.newWhileWaiting(), 3);
    EXPECT_TRUE(w.lblNew->isVisible());
    EXPECT_EQ(w.lblNew->caption(), QStringLiteral(" 3 new"));
    EXPECT_EQ(w.EventCount->caption(), QStringLiteral("43"));

    // End follows again: the newest record is current and shown.
    QTest::keyClick(&grid(), Qt::Key_End);
    EXPECT_TRUE(w.following());
    EXPECT_EQ(m.recNo(), 43);
    EXPECT_TRUE(grid().rowFullyShown(42));
    EXPECT_FALSE(w.lblNew->isVisible());
    inject(f, 1, "followed");
    EXPECT_EQ(m.recNo(), 44);
    EXPECT_TRUE(grid().rowFullyShown(43));
}

TEST_F(Following, ScrollingAwayWaitsAndAClickOnTheCountFollows) {
    TSysLogForm& w = *f.form;
    Table& m = f.data->MessageSet();
    grid().setFocus();
    QWheelEvent up(QPointF(40, 40), grid().mapToGlobal(QPointF(40, 40)), QPoint(), QPoint(0, 400),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid().viewport(), &up);
    ASSERT_FALSE(w.following());
    const int top = grid().topRow();
    inject(f, 2, "while scrolled");
    EXPECT_EQ(grid().topRow(), top);
    EXPECT_EQ(m.recNo(), 40) << "the current record stays the one chosen before";
    EXPECT_EQ(w.lblNew->caption(), QStringLiteral(" 2 new"));

    QTest::mouseClick(w.lblNew, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(w.following());
    EXPECT_EQ(m.recNo(), 42);
    EXPECT_TRUE(grid().rowFullyShown(41));
}

TEST_F(Following, ReturningToTheWindowKeepsTheRecordBeingRead) {
    TSysLogForm& w = *f.form;
    Table& m = f.data->MessageSet();
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, rowCentre(grid(), grid().topRow()));
    ASSERT_FALSE(w.following());
    const int chosen = m.recNo();
    QEvent activation(QEvent::ActivationChange);
    w.activateWindow();
    QApplication::sendEvent(&w, &activation);
    EXPECT_EQ(m.recNo(), chosen);
}

TEST_F(Following, CtrlCCopiesTheSelectedRecordsInViewOrderWhileTheViewWaits) {
    TSysLogForm& w = *f.form;
    Table& m = f.data->MessageSet();
    // The newest three, chosen from the bottom up: a selection that reaches the newest record
    // still holds the view, or the next message would end it.
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, rowCentre(grid(), 39));
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(grid(), 37));
    EXPECT_FALSE(w.following());
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(grid(), 35));
    const int current = m.recNo();
    inject(f, 2, "later");
    EXPECT_EQ(m.recNo(), current);

    QApplication::clipboard()->clear();
    grid().setFocus();
    QTest::keyClick(&grid(), Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 5) << QApplication::clipboard()->text().toStdString();
    int i = 0;
    for (const char* text : {"line 35", "line 37", "line 38", "line 39"}) {
        const QStringList fields = lines[i++].split(QLatin1Char('\t'));
        ASSERT_EQ(fields.size(), 4);
        EXPECT_FALSE(fields[0].isEmpty()) << "the date";
        EXPECT_EQ(fields[2], QStringLiteral("Notice"));
        EXPECT_EQ(fields[3], QString::fromLatin1(text));
    }
    EXPECT_TRUE(lines.back().isEmpty()) << "every line ends with a line break";

    // End follows the newest again and leaves it selected alone.
    QTest::keyClick(&grid(), Qt::Key_End);
    EXPECT_TRUE(w.following());
    EXPECT_EQ(grid().selectedRows(), (std::vector<int>{41}));
    EXPECT_EQ(w.CopySelected().count(QLatin1Char('\n')), 1);
}

TEST_F(Following, AMessageNeverTakesTheKeyboardFromAnotherWindow) {
    QWidget other;
    auto* edit = new QLineEdit(&other);
    other.resize(200, 60);
    other.show();
    other.activateWindow();
    edit->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    inject(f, 2, "while typing elsewhere");
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &other);
    EXPECT_FALSE(f.form->isActiveWindow());
    EXPECT_EQ(QApplication::focusWidget(), edit);
}

TEST(SysLogFormBringToFront, AMinimisedWindowIsRestoredUnlessTheSettingTurnsItOff) {
    const struct {
        const char* name;
        const char* setting;
        bool restored;
    } rows[] = {{"default on", "", true}, {"turned off", "BringToFront=0\n", false}};
    for (const auto& row : rows) {
        FormFixture f;
        f.writeSettingsForPort(test::freeUdpPort(), std::string("SaveLocation=0\n") + row.setting);
        f.start();
        f.form->show();
        f.form->showMinimized();
        ASSERT_TRUE(f.form->isMinimized()) << row.name;
        inject(f, 1);
        EXPECT_EQ(!f.form->isMinimized(), row.restored) << row.name;
    }
}

// Answers the message dialog with `button` as soon as it shows; records its texts.
void answerWhenShown(int button, QString& message, QString& buttons) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, button, &message, &buttons] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<TMsgDialog*>(w);
            if (d && d->isVisible()) {
                poll->stop();
                poll->deleteLater();
                message = d->Message->caption().simplified();
                buttons = d->Button1->text() + QLatin1Char('|') +
                          (d->Button2->isVisibleTo(d) ? d->Button2->text() : QString());
                (button == 1 ? d->Button1 : d->Button2)->click();
                return;
            }
        }
    });
    poll->start();
}

TEST(SysLogFormClearAll, AsksBeforeDeletingMoreThanAHundredRecords) {
    const struct {
        const char* name;
        int records;
        int answer;  // 0: no question expected
        int left;
    } rows[] = {{"a hundred go without a question", 100, 0, 0},
                {"cancel keeps them", 101, 2, 101},
                {"ok deletes them", 150, 1, 0}};
    for (const auto& row : rows) {
        FormFixture f;
        f.writeSettingsForPort(test::freeUdpPort(), "SaveLocation=0\n");
        f.start();
        inject(f, row.records);
        QString message, buttons;
        if (row.answer)
            answerWhenShown(row.answer, message, buttons);
        emit f.form->iBtnClear->clicked();
        EXPECT_EQ(f.data->MessageSet().recordCount(), row.left) << row.name;
        EXPECT_EQ(f.form->EventCount->caption(), QString::number(row.left)) << row.name;
        if (row.answer) {
            EXPECT_EQ(message, QStringLiteral("Delete all %1 messages in view?").arg(row.records))
                << row.name;
            EXPECT_EQ(buttons, QStringLiteral("&Ok|&Cancel")) << row.name;
        }
    }
}

}  // namespace
}  // namespace corvane
