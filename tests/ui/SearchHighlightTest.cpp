// The filter's words marked in the message grid and in the details pane's raw data box.
// The window's fixture comes first: its store headers must precede the date-time alias.
#include "ui/FormFixture.h"
#include "ui/SearchHighlight.h"

#include "app/AppCore.h"
#include "widgets/QtTestApp.h"
#include "widgets/TImageButton.h"
#include "widgets/TnDBGrid.h"
#include "widgets/TnLabel.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Span = SearchHighlight::Span;

struct MatchRow {
    const char* name;
    const char* filter;
    bool ignoreCase;
    const char* text;
    QList<Span> spans;
};

TEST(SearchHighlight, WhereTheWordsStand) {
    const MatchRow rows[] = {
        {"each place", "[Message] LIKE '%down%'", false, "down, up, down", {{0, 4}, {10, 4}}},
        {"case kept", "[Message] LIKE '%Down%'", false, "down Down", {{5, 4}}},
        {"case ignored", "[Message] LIKE '%Down%'", true, "down DOWN", {{0, 4}, {5, 4}}},
        {"the longer of two at one place",
         "[Message] LIKE '%link%' OR [Message] LIKE '%link down%'",
         false,
         "link down; link",
         {{0, 9}, {11, 4}}},
        {"overlaps are not marked twice", "[Message] LIKE '%aa%'", false, "aaaaa", {{0, 2}, {2, 2}}},
        {"the pattern's runs",
         "[Message] LIKE 'port _4 %down'",
         false,
         "port 24 went down",
         {{0, 5}, {6, 2}, {13, 4}}},
        {"non-ASCII", "[Message] LIKE '%größe%'", false, "Datei größe 3", {{6, 5}}},
        {"no words in the filter", "[Host] = 'web01'", false, "web01 says hi", {}},
        {"not in the text", "[Message] = 'reboot'", false, "halt", {}},
    };
    for (const MatchRow& r : rows) {
        SearchHighlight h;
        h.setFilter(r.filter, r.ignoreCase);
        EXPECT_EQ(h.matches(QString::fromUtf8(r.text)), r.spans) << r.name;
    }
}

TEST(SearchHighlight, TellsWhenTheWordsChanged) {
    SearchHighlight h;
    EXPECT_FALSE(h.setFilter("", false)) << "nothing to nothing";
    EXPECT_TRUE(h.setFilter("[Message] LIKE '%x%'", false));
    EXPECT_FALSE(h.setFilter("[Message] LIKE '%x%' AND [Host] = 'a'", false)) << "the same words";
    EXPECT_FALSE(h.empty());
    EXPECT_TRUE(h.setFilter("[Host] = 'a'", false));
    EXPECT_TRUE(h.empty());
}

TEST(SearchHighlight, MarksTheWordsOfEveryLineOfAnEdit) {
    QPlainTextEdit edit;
    edit.setPlainText(QStringLiteral("<11>link down\nport 24 link"));
    SearchHighlight h;
    h.setFilter("[Message] LIKE '%link%'", false);
    h.markIn(edit);
    const QList<QTextEdit::ExtraSelection> marks = edit.extraSelections();
    ASSERT_EQ(marks.size(), 2);
    EXPECT_EQ(marks[0].cursor.selectionStart(), 4);
    EXPECT_EQ(marks[0].cursor.selectedText(), QStringLiteral("link"));
    EXPECT_EQ(marks[1].cursor.selectionStart(), 22);
    EXPECT_EQ(marks[0].format.background().color(), h.markColor());

    h.setFilter("", false);
    h.markIn(edit);
    EXPECT_TRUE(edit.extraSelections().isEmpty());
}

int markedPixels(QWidget& w, const QColor& mark) {
    const QImage image = w.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == mark;
    return count;
}

// The advanced filter of the running window: its words are marked in the grid's Message column
// and in the raw data of the record shown, and no longer once the filter is cleared.
TEST(SearchHighlight, TheWindowMarksTheAdvancedFiltersWords) {
    test::FormFixture f;
    f.writeSettingsForPort(test::freeUdpPort(), "SaveLocation=0\n");
    f.start();
    const char* messages[] = {
        "<11>Dec  9 10:00:00 core-sw1 kernel: link down on port 24",
        "<14>Dec  9 10:00:05 web01 nginx[812]: upstream timed out, client 10.1.2.3",
        "<11>Dec  9 10:01:00 core-sw2 kernel: Link down on port 7, link partner gone",
        "<13>Dec  9 10:01:30 router1 sshd[42]: Accepted publickey for admin",
    };
    for (const char* m : messages) f.core()->InjectMessage(m, "192.168.1.20");
    TSysLogForm& w = *f.form;
    w.resize(TSysLogForm::kDesignWidth, TSysLogForm::kDesignHeight);
    w.show();
    QApplication::processEvents();
    const QColor mark = SearchHighlight().markColor();
    EXPECT_EQ(markedPixels(*w.Messages, mark), 0);

    QTest::mouseClick(w.iBtnAdvanced, Qt::LeftButton);
    w.AdvancedFilter->setFocus();
    w.AdvancedFilter->setText(QStringLiteral("[Message] LIKE '%link down%'"));
    QTest::keyClick(w.AdvancedFilter, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(w.EventCount->caption(), QStringLiteral("2")) << "the filter is in force, as typed";
    EXPECT_GT(markedPixels(*w.Messages, mark), 100);
    const QList<QTextEdit::ExtraSelection> marks = w.DetailData->extraSelections();
    ASSERT_EQ(marks.size(), 1) << w.DetailData->toPlainText().toStdString();
    // The newest record is shown; the filter ignores case, and so does the mark.
    EXPECT_EQ(marks[0].cursor.selectedText(), QStringLiteral("Link down"));
    test::saveScreenshot(w, QStringLiteral("search-highlight"));

    QTest::mouseClick(w.btnClear, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(w.EventCount->caption(), QStringLiteral("4"));
    EXPECT_EQ(markedPixels(*w.Messages, mark), 0);
    EXPECT_TRUE(w.DetailData->extraSelections().isEmpty());
}

}  // namespace
}  // namespace corvane
