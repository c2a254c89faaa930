#include "app/DialogGate.h"

namespace corvane {

int DialogGate::show(const std::string& message, const std::string& title, int kind,
                     const std::string& detail) {
    if (m_depth > 0 && kind == m_openKind && title == m_openTitle && message == m_openMessage) {
        ++m_repeated;
        return 1;
    }
    // A dialog opened on top of another is remembered until it closes, then the outer one is
    // the open one again.
    const std::string outerMessage = std::move(m_openMessage);
    const std::string outerTitle = std::move(m_openTitle);
    const int outerKind = m_openKind;
    m_openMessage = message;
    m_openTitle = title;
    m_openKind = kind;
    ++m_depth;
    struct Restore {
        DialogGate& gate;
        const std::string& message;
        const std::string& title;
        int kind;
        ~Restore() {
            --gate.m_depth;
            gate.m_openMessage = message;
            gate.m_openTitle = title;
            gate.m_openKind = kind;
        }
    } restore{*this, outerMessage, outerTitle, outerKind};
    return m_inner.show(message, title, kind, detail);
}

}  // namespace corvane
