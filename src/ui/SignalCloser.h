#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace corvane {

// Turns SIGTERM, SIGINT and SIGHUP (the desktop session ending) into a call on the GUI thread:
// the signal handler only writes a byte to a pipe, and the event loop (a dialog's own included)
// reads it and runs the action (closing the program exactly as its Exit button does). One
// instance per program.
class SignalCloser : public QObject {
    Q_OBJECT
public:
    explicit SignalCloser(std::function<void()> action, QObject* parent = nullptr);
    ~SignalCloser() override;
    SignalCloser(const SignalCloser&) = delete;
    SignalCloser& operator=(const SignalCloser&) = delete;

    // False when the pipe or the handlers could not be set up (the signals then end the
    // program the default way).
    bool installed() const { return m_installed; }

private:
    void readSignal();

    std::function<void()> m_action;
    QSocketNotifier* m_notifier = nullptr;
    bool m_installed = false;
};

// Closes every open dialog as its close box would (rejected), innermost first.
void closeOpenDialogs();

}  // namespace corvane
