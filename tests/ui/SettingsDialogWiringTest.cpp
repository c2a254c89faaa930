#include "ui/SettingsDialogFixture.h"

#include "app/AppCore.h"
#include "platform/LocalAddresses.h"
#include "platform/NotifyActions.h"
#include "ui/QtMainThread.h"
#include "ui/SettingsDialogWiring.h"
#include "ui/SysLogForm.h"
#include "widgets/TnDBGrid.h"

#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace corvane {
namespace {

struct QuietActions : NotifyActions {
    void PlayNotifySound(const std::string&) override {}
    int RunNotifyProgram(const std::string&) override { return 33; }
};

int unusedUdpPort() {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

class Wiring : public test::SettingsDialogFixture {
protected:
    QuietActions actions;
    QtMainThread mainThread;
    std::unique_ptr<TSysLogForm> form;
    std::unique_ptr<TSettings> setup;

    void start() {
        writeSettings("UDPPort=" + std::to_string(unusedUdpPort()) +
                      "\r\nUDPBindings=127.0.0.1\r\nTCPPort=0\r\n");
        data = std::make_unique<TData>(folder(), CORVANE_BINARY_DIR "/");
        data->DataModuleCreate();
        FormEnvironment env;
        env.appFolder = QStringLiteral(CORVANE_BINARY_DIR "/");
        env.settingsPath = settingsPath();
        env.dialogs = &dialogs;
        env.actions = &actions;
        env.mainThread = &mainThread;
        env.internetConnected = [] { return false; };
        form = std::make_unique<TSysLogForm>(*data, std::move(env));
        setup = CreateSettingsDialog(*form, *data, dialogs, QStringLiteral(CORVANE_BINARY_DIR "/"));
    }
    void TearDown() override {
        setup.reset();
        form.reset();
        data.reset();
    }
    // Runs action on the open dialog, then presses OK.
    void openAndPressOk(std::function<void()> action) {
        QTimer::singleShot(0, setup.get(), [this, action] {
            action();
            QTest::mouseClick(setup->BtnOk, Qt::LeftButton);
        });
        form->showSettingsDialog();
    }
    std::string fileValue(const char* key) {
        auto s = Settings::load(settingsPath());
        return s.settings ? s.settings->readString("Options", key, "(none)") : "(unreadable)";
    }
};

TEST_F(Wiring, TheSetupButtonOpensTheDialogWhileTheMessageViewsStandStill) {
    start();
    ASSERT_TRUE(form->showSettingsDialog);
    bool heldWhileOpen = false;
    bool visibleWhileOpen = false;
    openAndPressOk([&] {
        heldWhileOpen = !form->Messages->updatesEnabled();
        visibleWhileOpen = form->settingsDialogVisible();
        // The choices: every address, then the computer's own IPv4 and IPv6 addresses.
        EXPECT_EQ(
            setup->UDPBindings->count(),
            static_cast<int>(bindingChoices(form->core()->localAddresses(), localIPv6Addresses()).size()));
        clickBox(setup->NotifySound);
    });
    EXPECT_TRUE(heldWhileOpen);
    EXPECT_TRUE(visibleWhileOpen);
    EXPECT_TRUE(form->Messages->updatesEnabled());
    EXPECT_FALSE(form->settingsDialogVisible());
    EXPECT_EQ(setup->settings(), form->core()->settings());
    EXPECT_EQ(fileValue("NotifySound"), "0");
    EXPECT_FALSE(form->core()->notification().NotifySound);
}

TEST_F(Wiring, TheGeometryIsWrittenOnlyWhileSaveLocationIsChecked) {
    start();
    openAndPressOk([&] { clickBox(setup->SaveLocation); });
    EXPECT_EQ(fileValue("SaveLocation"), "0");
    form->EndSizeMove();
    EXPECT_EQ(fileValue("Top"), "(none)");

    openAndPressOk([&] { clickBox(setup->SaveLocation); });
    form->move(40, 60);
    form->resize(800, 600);
    form->EndSizeMove();
    EXPECT_EQ(fileValue("Left"), std::to_string(form->x()));
    EXPECT_EQ(fileValue("Top"), std::to_string(form->y()));
    EXPECT_EQ(fileValue("Width"), "800");
    EXPECT_EQ(fileValue("Height"), "600");
}

}  // namespace
}  // namespace corvane
