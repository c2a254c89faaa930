// The main window's layout through resizes, restarts and the operator's arrangements.
#include "ui/FormFixture.h"

#include "app/AppCore.h"
#include "app/Settings.h"
#include "ui/AdvancedFilterPanel.h"
#include "ui/AppFolder.h"
#include "ui/HelpWindow.h"
#include "ui/MessageGrid.h"
#include "widgets/TImageButton.h"
#include "widgets/TnControl.h"
#include "widgets/TnDBGrid.h"
#include "widgets/TnPageControl.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::FormFixture;

int columnOf(const TnDBGrid& grid, const QString& title) {
    for (int i = 0; i < grid.columns().size(); ++i)
        if (grid.columns()[i].title == title)
            return i;
    return -1;
}

int shownWidth(const TnDBGrid& grid) {
    int sum = 0;
    for (const GridColumn& c : grid.columns())
        if (c.visible)
            sum += c.width;
    return sum;
}

TEST(SysLogFormLayout, TheWindowReopensWhereItWasLeft) {
    std::string settings;
    QRect left;
    {
        FormFixture f;
        f.writeSettingsForPort(test::freeUdpPort(), "SaveLocation=1\n");
        f.start();
        f.form->saveLocationChecked = [] { return true; };
        f.form->show();
        f.form->resize(700, 500);
        f.form->move(33, 44);
        f.form->EndSizeMove();
        left = QRect(f.form->pos(), f.form->size());
        f.stop();
        QFile file(QString::fromStdString(f.settingsPath()));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        settings = file.readAll().toStdString();
    }
    for (int restart = 0; restart < 2; ++restart) {
        FormFixture f;
        f.writeSettings(settings);
        f.start();
        f.form->saveLocationChecked = [] { return true; };
        f.form->show();
        EXPECT_EQ(QRect(f.form->pos(), f.form->size()), left) << "restart " << restart;
        f.form->EndSizeMove();
        f.stop();
        QFile file(QString::fromStdString(f.settingsPath()));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        settings = file.readAll().toStdString();
    }
}

TEST(SysLogFormLayout, AWindowSavedAboveTheScreenComesBackWithItsTitleBarOnIt) {
    FormFixture f;
    f.writeSettingsForPort(test::freeUdpPort(), "SaveLocation=1\nTop=-300\nLeft=20\nWidth=700\nHeight=500\n");
    f.start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(f.form->pos().y(), screen.top());
    EXPECT_EQ(f.form->pos().x(), 20);
    EXPECT_EQ(f.form->size(), QSize(700, 500));
}

struct Shown : ::testing::Test {
    FormFixture f;
    void SetUp() override {
        f.writeSettingsForPort(test::freeUdpPort(), "SaveLocation=0\n");
        f.start();
        f.form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(f.form.get()));
        ASSERT_TRUE(
            f.core()->InjectMessage("<13>Dec  9 10:00:00 router1 sshd[42]: accepted key", "10.0.0.9"));
        QApplication::processEvents();
    }
    TnDBGrid& grid() { return *f.form->Messages; }
    void settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }
};

TEST_F(Shown, TheMessageColumnTakesTheSpareWidthAfterAResizeOnEitherPage) {
    TSysLogForm& w = *f.form;
    for (const bool onDataPage : {false, true}) {
        w.resize(900, 600);
        settle();
        if (onDataPage)
            w.nMain->setCurrentIndex(1);
        w.resize(1200, 700);
        settle();
        w.nMain->setCurrentIndex(0);
        settle();
        EXPECT_EQ(shownWidth(grid()), grid().viewport()->width())
            << (onDataPage ? "data page" : "recent page");
    }
}

TEST_F(Shown, TheDateFitsOnOneLineAndIconsAreWhole) {
    TSysLogForm& w = *f.form;
    const int date = columnOf(grid(), QStringLiteral("Date"));
    ASSERT_GE(date, 0);
    const QString text = f.form->Messages->source()->cellText(0, grid().columns()[date].field);
    EXPECT_LE(grid().fontMetrics().horizontalAdvance(text) + 4, grid().columns()[date].width)
        << text.toStdString();
    for (const QSize size : {QSize(758, 532), QSize(1280, 1024)}) {
        w.resize(size);
        settle();
        ASSERT_FALSE(grid().shownRows().empty());
        EXPECT_EQ(grid().shownRows()[0].height, grid().defaultRowHeight()) << "one line at " << size.width();
    }
    MessageGrid* painter = w.findChild<MessageGrid*>();
    ASSERT_NE(painter, nullptr);
    EXPECT_LE(painter->iconSize() + 2, grid().defaultRowHeight());
}

TEST_F(Shown, ColumnsKeepTheirOrderWidthsAndVisibilityInTheSettings) {
    TSysLogForm& w = *f.form;
    MessageGrid* painter = w.findChild<MessageGrid*>();
    ASSERT_NE(painter, nullptr);
    ASSERT_EQ(columnOf(grid(), QStringLiteral("Host")), 4);
    EXPECT_FALSE(grid().columns()[4].visible) << "Host is offered, not shown, at first";
    painter->setFieldShown(grid().columns()[4].field, true);
    grid().moveColumn(4, 1);
    emit grid().columnsArranged();
    const std::string saved = f.core()->settings()->readString(Settings::kOptions, "MessageColumns", "");
    EXPECT_EQ(saved.rfind("SeverityKey:56,Host:100,Date:", 0), 0u) << saved;
    EXPECT_NE(saved.find(",-Process:100,-PID:56,-Facility:80"), std::string::npos) << saved;

    // A second grid over the same table reads the arrangement back.
    TnDBGrid other;
    MessageGrid again(other, *grid().source(), f.data->MessageSet(), nullptr);
    again.applyColumnLayout(QString::fromStdString(saved));
    EXPECT_EQ(again.columnLayout().toStdString(), saved);
    // Names the table lacks and the specified columns marked hidden change nothing else.
    const int dateWidth = other.columns()[columnOf(other, QStringLiteral("Date"))].width;
    again.applyColumnLayout(QStringLiteral("Nope:10,-Message:99,Date:5000"));
    EXPECT_TRUE(other.columns()[0].visible);
    EXPECT_EQ(other.columns()[0].title, QStringLiteral("Message"));
    EXPECT_EQ(other.columns()[0].width, 99);
    EXPECT_EQ(other.columns()[1].title, QStringLiteral("Date"));
    EXPECT_EQ(other.columns()[1].width, dateWidth) << "a width out of bounds is ignored";
}

TEST_F(Shown, KeysCopyTheRecordFollowAndReachTheFilter) {
    TSysLogForm& w = *f.form;
    grid().setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(&grid(), Qt::Key_C, Qt::ControlModifier);
    const QString line = QApplication::clipboard()->text();
    EXPECT_TRUE(line.endsWith(QStringLiteral("\trouter1\tNotice\taccepted key\n"))) << line.toStdString();

    QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(w.dbSeverity))
        << "the simple bar's severity list";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(&grid())) << "Escape leaves the field";
}

TEST_F(Shown, TheExampleTextStaysGreyAndUnwrittenThroughClearAndFocus) {
    TSysLogForm& w = *f.form;
    f.core()->settings()->writeString(Settings::kOptions, "AdvancedFilter", "[Host] = 'router1'");
    auto* panel = w.findChild<AdvancedFilterPanel*>();
    ASSERT_NE(panel, nullptr);
    panel->loadSaved();
    w.iBtnAdvanced->clicked();
    ASSERT_TRUE(w.AdvancedFilter->isVisible());
    EXPECT_EQ(w.AdvancedFilter->palette().color(QPalette::Text), panel->textColor());

    emit w.btnClear->clicked();
    EXPECT_EQ(w.AdvancedFilter->text(), QString::fromLatin1(AdvancedFilterPanel::kPlaceholder));
    EXPECT_EQ(w.AdvancedFilter->palette().color(QPalette::Text), panel->greyColor());
    EXPECT_NE(panel->greyColor(), panel->textColor());

    // In and out without typing: the example comes back, grey, and nothing is written.
    w.AdvancedFilter->setFocus();
    EXPECT_TRUE(w.AdvancedFilter->text().isEmpty());
    grid().setFocus();
    EXPECT_EQ(w.AdvancedFilter->text(), QString::fromLatin1(AdvancedFilterPanel::kPlaceholder));
    EXPECT_EQ(w.AdvancedFilter->palette().color(QPalette::Text), panel->greyColor());
    EXPECT_FALSE(f.core()->settings()->keyExists(Settings::kOptions, "AdvancedFilter"));
}

TEST_F(Shown, TheRawDataShowsItsFirstLineAndScrolls) {
    TSysLogForm& w = *f.form;
    std::string longText = "<13>Dec  9 10:00:00 router1 sshd[42]:";
    for (int i = 0; i < 40; ++i) longText += " word" + std::to_string(i);
    ASSERT_TRUE(f.core()->InjectMessage(longText, "10.0.0.9"));
    settle();
    QPlainTextEdit& raw = *w.DetailData;
    auto inWindow = [&w](const QWidget* x, const QRect& r) {
        return QRect(x->mapTo(&w, r.topLeft()), r.size());
    };
    // At the design size, and shorter, the box lies below the details and the first line (the
    // priority, time and host) is inside the part of it on screen.
    for (const int height : {TSysLogForm::kDesignHeight, 480, TSysLogForm::kDesignHeight}) {
        w.resize(TSysLogForm::kDesignWidth, height);
        settle();
        const QRect details = inWindow(w.nDetails, w.nDetails->rect());
        const QRect box = inWindow(raw.viewport(), raw.viewport()->rect());
        EXPECT_GT(box.top(), details.bottom()) << "height " << height;
        const QRect firstLine = inWindow(raw.viewport(), raw.cursorRect(QTextCursor(raw.document())));
        EXPECT_TRUE(box.contains(firstLine)) << "height " << height;
        EXPECT_GE(box.height(), 3 * raw.fontMetrics().lineSpacing()) << "height " << height;
        EXPECT_EQ(raw.verticalScrollBar()->value(), 0);
        EXPECT_GT(raw.verticalScrollBar()->maximum(), 0);
        EXPECT_TRUE(raw.verticalScrollBar()->isVisible()) << "the rest is reached by the scroll bar";
        EXPECT_TRUE(inWindow(&raw, raw.rect())
                        .contains(inWindow(raw.verticalScrollBar(), raw.verticalScrollBar()->rect())));
        if (height == TSysLogForm::kDesignHeight) {
            EXPECT_EQ(w.nDetails->height(), 217) << "the details keep their rows at the design size";
        }
    }
    // A short message needs no scrolling.
    ASSERT_TRUE(f.core()->InjectMessage("<13>short", "10.0.0.9"));
    settle();
    EXPECT_EQ(raw.verticalScrollBar()->maximum(), 0);
}

TEST_F(Shown, HelpFromAModalDialogShowsAboveItAndTakesInput) {
    QDialog dialog(f.form.get());
    bool helpUsable = false;
    QTimer::singleShot(50, &dialog, [&] {
        ShowHelp(helpFolder(QStringLiteral(CORVANE_BINARY_DIR "/")), HelpWindow::kSettingsContext);
        HelpWindow* help = currentHelpWindow();
        // A window of the modal dialog's own is not blocked by it and stays above it.
        helpUsable = help && help->isVisible() && help->isWindow() && help->parentWidget() == &dialog;
        dialog.accept();
    });
    dialog.exec();
    EXPECT_TRUE(helpUsable);
    CloseAllHelp();
}

}  // namespace
}  // namespace corvane
