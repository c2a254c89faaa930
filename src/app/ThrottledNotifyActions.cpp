#include "app/ThrottledNotifyActions.h"

namespace corvane {

ThrottledNotifyActions::ThrottledNotifyActions(NotifyActions& inner)
    : m_inner(inner), m_clock([] { return std::chrono::steady_clock::now(); }) {}

int ThrottledNotifyActions::RunNotifyProgramWith(const std::string& path,
                                                 const ProgramEnvironment& environment) {
    const auto now = m_clock();
    if (m_lastStart && now - *m_lastStart < kMinInterval) {
        ++m_skipped;
        return 2;
    }
    m_lastStart = now;
    return m_inner.RunNotifyProgramWith(path, environment);
}

}  // namespace corvane
