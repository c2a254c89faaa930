#pragma once

// Builds the main window over a data module in a temporary data folder, with recording dialogs
// and notification actions, and a settings file that binds 127.0.0.1 on a free port.
#include "store/TData.h"
#include "filter/ExpressionFilterCompiler.h"
#include "platform/MessageDialogs.h"
#include "platform/NotifyActions.h"
#include "ui/MsgDialog.h"
#include "ui/QtMainThread.h"
#include "ui/SysLogForm.h"

#include <QFile>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvane::test {

struct RecordingDialogs : MessageDialogs {
    struct Shown {
        std::string message, title;
        int kind;
    };
    std::vector<Shown> shown;
    int show(const std::string& message, const std::string& title, int kind, const std::string&) override {
        shown.push_back({message, title, kind});
        return 1;
    }
};

struct SilentActions : NotifyActions {
    int sounds = 0;
    void PlayNotifySound(const std::string&) override { ++sounds; }
    int RunNotifyProgram(const std::string&) override { return 33; }
};

// A UDP socket bound to 127.0.0.1 on a port the system chose; keeps the port taken while open.
struct UdpPort {
    int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    int port = 0;
    UdpPort() {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t len = sizeof a;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
        port = ntohs(a.sin_port);
    }
    ~UdpPort() { release(); }
    void release() {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
};

inline int freeUdpPort() {
    UdpPort p;
    return p.port;
}

class FormFixture {
public:
    QTemporaryDir dir;
    RecordingDialogs dialogs;
    SilentActions actions;
    QtMainThread mainThread;
    ExpressionFilterCompiler compiler;
    std::unique_ptr<TData> data;
    std::unique_ptr<TSysLogForm> form;

    std::string folder() const { return dir.path().toStdString() + "/"; }
    std::string settingsPath() const { return folder() + "corvane.ini"; }
    void writeSettings(const std::string& text) {
        QFile f(QString::fromStdString(settingsPath()));
        f.open(QIODevice::WriteOnly);
        f.write(text.data(), static_cast<qint64>(text.size()));
    }
    void writeSettingsForPort(int port, const std::string& more = {}) {
        writeSettings("[Options]\nUDPPort=" + std::to_string(port) + "\nUDPBindings=127.0.0.1\nTCPPort=0\n" +
                      more);
    }
    void start() {
        // A dialog the window shows on its own (the error display) closes itself at once.
        msgDialogEnvironment().autoCloseMs = 100;
        msgDialogEnvironment().playSounds = false;
        data = std::make_unique<TData>(folder(), CORVANE_BINARY_DIR "/");
        data->setFilterCompiler(&compiler);
        data->DataModuleCreate();
        if (beforeWindow)
            beforeWindow(*data);
        FormEnvironment env;
        env.appFolder = QStringLiteral(CORVANE_BINARY_DIR "/");
        env.settingsPath = settingsPath();
        env.dialogs = &dialogs;
        env.actions = &actions;
        env.mainThread = &mainThread;
        env.internetConnected = [this] { return internet; };
        form = std::make_unique<TSysLogForm>(*data, std::move(env));
    }
    void stop() {
        if (form)
            form->close();
        form.reset();
        data.reset();
    }
    ~FormFixture() { stop(); }

    AppCore* core() { return form->core(); }

    bool internet = true;
    // Runs on the opened data module before the window is created (to fill the store, say).
    std::function<void(TData&)> beforeWindow;
};

}  // namespace corvane::test
