#include "ui/FormFixture.h"

#include "app/AppCore.h"
#include "ui/HelpWindow.h"
#include "ui/TDuration.h"
#include "widgets/TImageButton.h"
#include "widgets/TnLabel.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QApplication>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::FormFixture;

bool exists(const std::string& path) {
    return QFileInfo::exists(QString::fromStdString(path));
}

TEST(SysLogFormTest, StartUpAndShutdownRoundTrip) {
    FormFixture f;
    const int port = test::freeUdpPort();
    f.writeSettingsForPort(port);
    f.start();
    TSysLogForm& w = *f.form;

    ASSERT_TRUE(w.startError().isEmpty()) << w.startError().toStdString();
    EXPECT_TRUE(f.core()->listener().Active());
    EXPECT_EQ(w.TestAddress->text(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Corvane"));
    EXPECT_EQ(w.objectName(), QStringLiteral("SysLogForm"));
    EXPECT_EQ(w.iBtnSetup->toolTip(), QStringLiteral(" Setup "));
    EXPECT_EQ(w.iBtnClose->toolTip(), QStringLiteral(" Close "));
    EXPECT_EQ(w.btnEditFilter->toolTip(), QStringLiteral(" Edit "));
    EXPECT_EQ(w.iBtnSetup->imageIndex(), 5);
    EXPECT_EQ(w.ibtnHelp->imageIndex(), 13);
    EXPECT_EQ(w.iBtnClose->imageIndex(), 1);
    EXPECT_EQ(w.iBtnClear->imageIndex(), 9);
    EXPECT_EQ(w.btnApply->imageIndex(), 15);
    EXPECT_FALSE(w.iLanguage->isEnabled());
    EXPECT_EQ(w.iButtons.count(), 16);
    EXPECT_EQ(w.SmImages.count(), 22);
    EXPECT_EQ(w.Timer->interval(), 600000);
    EXPECT_TRUE(w.Duration->hasTimer());

    // A message through the listener's delivery path lands in the table and the window.
    ASSERT_TRUE(f.core()->InjectMessage("<13>Dec  9 10:00:00 router1 sshd[42]: accepted", "10.0.0.9"));
    EXPECT_EQ(f.data->MessageSet().recordCount(), 1);
    EXPECT_EQ(w.EventCount->caption(), QStringLiteral("1"));

    const std::string messages = f.data->dataFile(f.data->MessageSet());
    w.close();  // close query: the tables are saved
    ASSERT_TRUE(exists(messages));
    QFile::remove(QString::fromStdString(messages));
    QFile::remove(QString::fromStdString(f.settingsPath()));
    f.form.reset();  // destroy step: settings written, the tables saved once more
    EXPECT_TRUE(exists(messages));
    EXPECT_TRUE(exists(f.settingsPath()));
    EXPECT_TRUE(f.dialogs.shown.empty());
}

// A listener that cannot be opened is reported, and everything after it is still done.
TEST(SysLogFormTest, BindFailureStillCompletesStartUp) {
    FormFixture f;
    test::UdpPort taken;
    f.writeSettingsForPort(taken.port);
    f.start();
    TSysLogForm& w = *f.form;
    EXPECT_FALSE(w.startError().isEmpty());
    EXPECT_FALSE(f.core()->listener().Active());
    EXPECT_EQ(w.TestAddress->text(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(w.iBtnClose->imageIndex(), 1);
    // The table's scrolling still reaches the details pane.
    ASSERT_TRUE(f.core()->InjectMessage("<11>host1 app: disk full", "10.0.0.7"));
    EXPECT_EQ(w.EventCount->caption(), QStringLiteral("1"));
    // Without a listener the network indicator is off whatever the connection.
    w.RefreshNetworkIndicator();
    EXPECT_FALSE(w.iNetwork->isEnabled());
}

TEST(SysLogFormTest, NetworkIndicatorFollowsListenerAndConnection) {
    FormFixture f;
    f.writeSettingsForPort(test::freeUdpPort());
    f.start();
    TSysLogForm& w = *f.form;
    w.RefreshNetworkIndicator();
    EXPECT_TRUE(w.iNetwork->isEnabled());
    EXPECT_EQ(w.iNetwork->imageIndex(), 1);
    f.internet = false;
    w.RefreshNetworkIndicator();
    EXPECT_FALSE(w.iNetwork->isEnabled());
    EXPECT_EQ(w.iNetwork->imageIndex(), 0);
    f.internet = true;
    w.RefreshNetworkIndicator();
    EXPECT_EQ(w.iNetwork->imageIndex(), 1);
}

TEST(SysLogFormTest, WindowPlacementFromSettings) {
    {
        FormFixture f;
        f.writeSettingsForPort(test::freeUdpPort(),
                               "SaveLocation=1\nTop=40\nLeft=30\nWidth=800\nHeight=600\n");
        f.start();
        EXPECT_EQ(f.form->geometry(), QRect(30, 40, 800, 600));
        // A settings apply after start-up (the settings dialog exists) leaves the window in place.
        f.form->handSettingsToDialog = [](Settings*) {};
        f.form->move(50, 60);
        f.form->ApplySettings();
        EXPECT_EQ(f.form->pos(), QPoint(50, 60));
    }
    {
        FormFixture f;
        f.writeSettingsForPort(test::freeUdpPort(),
                               "SaveLocation=0\nTop=40\nLeft=30\nWidth=800\nHeight=600\n");
        f.start();
        EXPECT_EQ(f.form->size(), QSize(758, 532));
        EXPECT_NE(f.form->pos(), QPoint(30, 40));
    }
}

TEST(SysLogFormTest, EndOfMoveFlushesSettingsAndWritesGeometryOnlyWhenAsked) {
    FormFixture f;
    f.writeSettingsForPort(test::freeUdpPort());
    f.start();
    TSysLogForm& w = *f.form;
    QFile::remove(QString::fromStdString(f.settingsPath()));
    w.EndSizeMove();
    ASSERT_TRUE(exists(f.settingsPath()));
    EXPECT_FALSE(f.core()->settings()->keyExists(Settings::kOptions, "Top"));
    w.saveLocationChecked = [] { return true; };
    w.setGeometry(11, 22, 900, 610);
    w.EndSizeMove();
    EXPECT_EQ(f.core()->settings()->readInteger(Settings::kOptions, "Left", -1), 11);
    EXPECT_EQ(f.core()->settings()->readInteger(Settings::kOptions, "Width", -1), 900);
}

TEST(SysLogFormTest, AdvancedButtonHoverAndClearAll) {
    FormFixture f;
    f.writeSettingsForPort(test::freeUdpPort());
    f.start();
    TSysLogForm& w = *f.form;
    emit w.iBtnAdvanced->mouseEntered();
    EXPECT_TRUE(w.iBtnAdvanced->captionGlow());
    emit w.iBtnAdvanced->mouseLeft();
    EXPECT_FALSE(w.iBtnAdvanced->captionGlow());

    ASSERT_TRUE(f.core()->InjectMessage("<13>one", "10.0.0.1"));
    ASSERT_TRUE(f.core()->InjectMessage("<13>two", "10.0.0.1"));
    ASSERT_EQ(w.EventCount->caption(), QStringLiteral("2"));
    emit w.iBtnClear->clicked();
    EXPECT_EQ(f.data->MessageSet().recordCount(), 0);
    EXPECT_EQ(w.EventCount->caption(), QStringLiteral("0"));
}

TEST(SysLogFormTest, HelpOpensTheFilterPageAndClosingTheWindowClosesIt) {
    FormFixture f;
    f.writeSettingsForPort(test::freeUdpPort());
    f.start();
    emit f.form->ibtnHelp->clicked();
    HelpWindow* help = currentHelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->browser()->source().path().endsWith(QStringLiteral("filter-expressions.html")));
    EXPECT_TRUE(ShowHelp(help->helpFolder(), HelpWindow::kSettingsContext));
    EXPECT_TRUE(currentHelpWindow()->browser()->source().path().endsWith(QStringLiteral("settings.html")));
    f.form->close();
    QApplication::processEvents();
    EXPECT_TRUE(currentHelpWindow() == nullptr || !currentHelpWindow()->isVisible());
    EXPECT_TRUE(f.dialogs.shown.empty());
}

}  // namespace
}  // namespace corvane
