// Export and import from the window: the progress dialog's slices keep the event loop turning,
// Cancel removes the partial file, and the summary reaches the operator.
#include "ui/FormFixture.h"

#include "app/IntakeWindow.h"
#include "app/MessageIntake.h"
#include "app/Notification.h"
#include "ui/ExchangeActions.h"

#include <gtest/gtest.h>

#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <fstream>

namespace corvane {
namespace {

using namespace test;

struct NoWindow : IntakeWindow {
    void BringToFront() override {}
    void MessageSelect(Table&, int) override {}
};

class Exchange : public ::testing::Test {
protected:
    Exchange() {
        const std::string folder = dir.path().toStdString() + "/";
        data = std::make_unique<TData>(folder, std::string(CORVANE_SOURCE_DIR) + "/resources/templates/");
        data->DataModuleCreate();
        intake = std::make_unique<MessageIntake>(*data, window, dialogs, actions, notification);
        exchange = new ExchangeActions(
            &widget, *data, [this] { return intake.get(); },
            [] {
                return std::vector<std::string>{"Host", "Message"};
            },
            dialogs);
    }
    std::string path(const char* name) { return dir.path().toStdString() + "/" + name; }
    void writeLines(const std::string& file, int count) {
        std::ofstream out(file);
        for (int i = 0; i < count; ++i) out << "Dec  9 06:25:01 web01 sshd[7]: line " << i << "\n";
    }

    QTemporaryDir dir;
    QWidget widget;
    RecordingDialogs dialogs;
    SilentActions actions;
    NoWindow window;
    NotificationState notification;
    std::unique_ptr<TData> data;
    std::unique_ptr<MessageIntake> intake;
    ExchangeActions* exchange = nullptr;
};

TEST_F(Exchange, ImportThenExportTheChosenColumnsWhileTheEventLoopTurns) {
    writeLines(path("syslog"), 60000);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(0);
    ASSERT_TRUE(exchange->importFrom({QString::fromStdString(path("syslog"))}));
    EXPECT_GT(ticks, 1) << "the window had no turn during the import";
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].message, path("syslog") + ": 60000 lines read, 60000 stored, 0 skipped.");
    EXPECT_EQ(dialogs.shown[0].kind, 64);
    EXPECT_EQ(data->MessageSet().recordCount(), 60000);
    EXPECT_FALSE(intake->busy());

    ticks = 0;
    ASSERT_TRUE(exchange->exportTo(QString::fromStdString(path("out.csv")), QStringLiteral("csv")));
    std::ifstream in(path("out.csv"));
    std::string header, first;
    std::getline(in, header);
    std::getline(in, first);
    EXPECT_EQ(header, "Host,Message\r");
    EXPECT_EQ(first, "web01,line 0\r");
    EXPECT_EQ(dialogs.shown.back().message, "60000 messages exported to " + path("out.csv") + ".");
    EXPECT_FALSE(intake->busy());
}

TEST_F(Exchange, CancelStopsTheWorkAndLeavesNoPartialFile) {
    writeLines(path("syslog"), 200000);
    exchange->onProgress = [](QProgressDialog& p) { p.cancel(); };
    EXPECT_FALSE(exchange->importFrom({QString::fromStdString(path("syslog"))}));
    const int stored = data->MessageSet().recordCount();
    EXPECT_GT(stored, 0);
    EXPECT_LT(stored, 200000);
    EXPECT_NE(dialogs.shown.back().message.find("Cancelled."), std::string::npos);

    exchange->onProgress = nullptr;
    ASSERT_TRUE(exchange->importFrom({QString::fromStdString(path("syslog"))}));
    exchange->onProgress = [](QProgressDialog& p) { p.cancel(); };
    EXPECT_FALSE(exchange->exportTo(QString::fromStdString(path("out.jsonl")), QStringLiteral("jsonl")));
    EXPECT_FALSE(std::filesystem::exists(path("out.jsonl"))) << dialogs.shown.back().message;
    EXPECT_FALSE(std::filesystem::exists(path("out.jsonl.part")));
    EXPECT_FALSE(intake->busy());
}

TEST_F(Exchange, AFileThatCannotBeWrittenIsReported) {
    EXPECT_FALSE(
        exchange->exportTo(QString::fromStdString(path("no/such/out.log")), QStringLiteral("syslog")));
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().title, "Export");
    EXPECT_EQ(dialogs.shown.back().kind, 16);
    EXPECT_NE(dialogs.shown.back().message.find("Could not create the export file"), std::string::npos);
}

}  // namespace
}  // namespace corvane
