#pragma once

#include "platform/MessageDialogs.h"

#include <cstdint>
#include <string>

namespace corvane {

// Keeps dialogs from stacking: while a dialog is open, a request for the same dialog (same text,
// title and kind) is counted and answered with OK instead of being shown on top of it. Other
// dialogs pass through.
class DialogGate : public MessageDialogs {
public:
    explicit DialogGate(MessageDialogs& inner) : m_inner(inner) {}

    int show(const std::string& message, const std::string& title, int kind,
             const std::string& detail = {}) override;

    bool open() const { return m_depth > 0; }
    // Requests answered without showing, because the same dialog was open.
    std::uint64_t repeatedCount() const { return m_repeated; }

private:
    MessageDialogs& m_inner;
    int m_depth = 0;
    std::string m_openMessage;
    std::string m_openTitle;
    int m_openKind = -1;
    std::uint64_t m_repeated = 0;
};

}  // namespace corvane
