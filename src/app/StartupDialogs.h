#pragma once

#include "platform/MessageDialogs.h"

#include <cstdio>
#include <string>
#include <vector>

namespace corvane {

// Holds back the dialogs of start-up until the listeners are open: a modal dialog shown
// earlier would keep the sockets closed (and messages lost) for as long as it stays open.
// While held, a dialog is remembered and answered OK (every caller shows the single OK button);
// release() shows the remembered ones in their order and lets later ones through at once.
class StartupDialogs : public MessageDialogs {
public:
    explicit StartupDialogs(MessageDialogs& inner, std::FILE* closingLog = stderr)
        : m_inner(inner), m_closingLog(closingLog) {}

    int show(const std::string& message, const std::string& title, int kind,
             const std::string& detail = {}) override;

    bool holding() const { return m_holding; }
    // Shows what was held back, then passes everything through. A second call does nothing.
    void release();
    // The program is ending (a signal): what is still held, and every later dialog, becomes a
    // line on standard error instead of a window nobody would answer.
    void closing();

private:
    struct Held {
        std::string message, title;
        int kind;
        std::string detail;
    };
    void print(const Held& h) const;

    MessageDialogs& m_inner;
    std::FILE* m_closingLog;
    bool m_holding = true;
    bool m_closing = false;
    std::vector<Held> m_held;
};

}  // namespace corvane
