#include "app/StartupDialogs.h"

namespace corvane {

int StartupDialogs::show(const std::string& message, const std::string& title, int kind,
                         const std::string& detail) {
    const Held h{message, title, kind, detail};
    if (m_closing)
        print(h);
    else if (m_holding)
        m_held.push_back(h);
    else
        return m_inner.show(message, title, kind, detail);
    return 1;
}

void StartupDialogs::release() {
    if (!m_holding)
        return;
    m_holding = false;
    // A dialog shown here runs its own event loop, in which a signal may end the program.
    std::vector<Held> held;
    held.swap(m_held);
    for (const Held& h : held) {
        if (m_closing)
            print(h);
        else
            m_inner.show(h.message, h.title, h.kind, h.detail);
    }
}

void StartupDialogs::closing() {
    m_closing = true;
    m_holding = false;
    for (const Held& h : m_held) print(h);
    m_held.clear();
}

void StartupDialogs::print(const Held& h) const {
    if (!m_closingLog)
        return;
    std::fprintf(m_closingLog, "corvane: %s: %s\n", h.title.c_str(), h.message.c_str());
    if (!h.detail.empty())
        std::fprintf(m_closingLog, "  %s\n", h.detail.c_str());
    std::fflush(m_closingLog);
}

}  // namespace corvane
