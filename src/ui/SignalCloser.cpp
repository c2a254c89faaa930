#include "ui/SignalCloser.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace corvane {

namespace {

int g_pipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

void onSignal(int signal) {
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

SignalCloser::SignalCloser(std::function<void()> action, QObject* parent)
    : QObject(parent), m_action(std::move(action)) {
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalCloser::readSignal);
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    m_installed = true;
    for (int signal : kSignals) m_installed = ::sigaction(signal, &sa, nullptr) == 0 && m_installed;
}

SignalCloser::~SignalCloser() {
    struct sigaction sa = {};
    sa.sa_handler = SIG_DFL;
    sigemptyset(&sa.sa_mask);
    for (int signal : kSignals) ::sigaction(signal, &sa, nullptr);
    delete m_notifier;
    for (int& fd : g_pipe)
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
}

void closeOpenDialogs() {
    // Innermost first: a dialog opened from another one is the last of the top-level widgets.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (auto* dialog = qobject_cast<QDialog*>(*it); dialog && dialog->isVisible())
            dialog->reject();
}

void SignalCloser::readSignal() {
    char bytes[16];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    if (m_action)
        m_action();
}

}  // namespace corvane
