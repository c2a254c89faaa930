#include "ui/FormFixture.h"

#include "app/AppCore.h"
#include "ui/MsgDialog.h"
#include "widgets/QtTestApp.h"
#include "widgets/TnDBGrid.h"
#include "widgets/TnLabel.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace corvane {
namespace {

void feed(test::FormFixture& f) {
    const char* messages[] = {
        "<11>Dec  9 10:00:00 core-sw1 kernel: link down on port 24",
        "<14>Dec  9 10:00:05 web01 nginx[812]: upstream timed out while reading the response header from the "
        "application server, client 10.1.2.3, request GET /api/status",
        "<13>Dec  9 10:01:00 router1 sshd[42]: Accepted publickey for admin from 10.0.0.5 port 52210",
        "<8>Dec  9 10:02:00 ups1 apcupsd[99]: Power failure, running on batteries",
    };
    for (const char* m : messages) f.core()->InjectMessage(m, "192.168.1.20");
}

// Pictures of the main window for a person to look at: at the design size (the filter bar in two
// rows) and wide enough for the four filter fields to stand in one row.
TEST(MainWindowScreenshotTest, DesignSizeAndOneRowFilterBar) {
    test::FormFixture f;
    f.writeSettingsForPort(test::freeUdpPort(), "SaveLocation=0\n");
    f.start();
    feed(f);
    TSysLogForm& w = *f.form;
    w.resize(TSysLogForm::kDesignWidth, TSysLogForm::kDesignHeight);
    w.show();
    QApplication::processEvents();
    EXPECT_EQ(w.Filter->height(), 54);
    int columnsWidth = 0;
    for (const GridColumn& c : w.Messages->columns())
        if (c.visible)
            columnsWidth += c.width;
    EXPECT_LE(columnsWidth, w.Messages->viewport()->width());  // the message column fits the grid
    test::saveScreenshot(w, QStringLiteral("main-window-design-size"));

    w.resize(1000, TSysLogForm::kDesignHeight);
    QApplication::processEvents();
    EXPECT_GT(w.Simple->width(), 912);
    EXPECT_EQ(w.SeverityFilter->pos(), QPoint(657, 1));
    EXPECT_EQ(w.Filter->height(), 30);
    test::saveScreenshot(w, QStringLiteral("main-window-one-row-filter"));
}

TEST(MainWindowScreenshotTest, ErrorDialog) {
    bool saved = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<TMsgDialog*>(top); dialog && dialog->isVisible()) {
                test::saveScreenshot(*dialog, QStringLiteral("error-dialog"));
                saved = true;
                dialog->accept();
            }
    });
    MsgDialog(
        nullptr,
        QStringLiteral("UDP port 514 cannot be opened: ports below 1024 need the capability "
                       "cap_net_bind_service. Grant it, or choose a port of 1024 or above in the settings."),
        QStringLiteral("SysLogForm"), QString(), QStringLiteral("btnHidden"), mkError);
    EXPECT_TRUE(saved);
}

}  // namespace
}  // namespace corvane
