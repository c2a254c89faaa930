#include "net/TcpFraming.h"

#include <algorithm>
#include <cstring>

namespace corvane {

TcpFramer::TcpFramer(std::size_t maxFrame, std::size_t keepBytes)
    : m_maxFrame(std::max<std::size_t>(maxFrame, 1)), m_keepBytes(keepBytes) {
    m_kept.reserve(std::min<std::size_t>(keepBytes, 256));
}

void TcpFramer::keep(std::string_view bytes) {
    if (m_kept.size() < m_keepBytes)
        m_kept.append(bytes.substr(0, m_keepBytes - m_kept.size()));
}

void TcpFramer::emit(std::vector<std::string>& frames) {
    frames.push_back(std::move(m_kept));
    m_kept.clear();
}

bool TcpFramer::fail(std::string text) {
    m_state = State::Failed;
    m_error = std::move(text);
    m_kept.clear();
    return false;
}

bool TcpFramer::feed(std::string_view bytes, std::vector<std::string>& frames) {
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        switch (m_state) {
            case State::Failed:
                return false;
            case State::Start: {
                const char c = bytes[i];
                if (c >= '1' && c <= '9') {
                    m_state = State::Count;
                    m_count = static_cast<std::uint64_t>(c - '0');
                    m_digits = 1;
                    ++i;
                } else if (c == '\n') {
                    ++i;
                } else {
                    m_state = State::Line;
                    m_lineBytes = 0;
                    m_lineEndsInCR = false;
                }
                break;
            }
            case State::Count: {
                const char c = bytes[i++];
                if (c >= '0' && c <= '9') {
                    if (++m_digits > kMaxCountDigits)
                        return fail("octet count with more than " + std::to_string(kMaxCountDigits) +
                                    " digits");
                    m_count = m_count * 10 + static_cast<std::uint64_t>(c - '0');
                } else if (c == ' ') {
                    m_state = State::Octets;
                } else {
                    return fail("octet count not followed by a space");
                }
                break;
            }
            case State::Octets: {
                const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(m_count, n - i));
                keep(bytes.substr(i, take));
                i += take;
                m_count -= take;
                if (m_count == 0) {
                    emit(frames);
                    m_state = State::Start;
                }
                break;
            }
            case State::Line: {
                const void* lf = std::memchr(bytes.data() + i, '\n', n - i);
                const std::size_t end =
                    lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - bytes.data()) : n;
                // Only what fits the longest frame belongs to this line.
                const std::size_t room = m_maxFrame - m_lineBytes;
                if (end - i > room) {
                    keep(bytes.substr(i, room));
                    i += room;
                    emit(frames);
                    m_state = State::SkipLine;
                    break;
                }
                if (end > i) {
                    keep(bytes.substr(i, end - i));
                    m_lineBytes += end - i;
                    m_lineEndsInCR = bytes[end - 1] == '\r';
                }
                i = end;
                if (lf) {
                    ++i;
                    // A CR that closes the line is part of its end, not of the message; a line
                    // with nothing else in it is no message.
                    const std::size_t crBytes = m_lineEndsInCR ? 1 : 0;
                    if (crBytes && m_kept.size() == m_lineBytes)
                        m_kept.pop_back();
                    if (m_lineBytes > crBytes)
                        emit(frames);
                    m_kept.clear();
                    m_state = State::Start;
                }
                break;
            }
            case State::SkipLine: {
                const void* lf = std::memchr(bytes.data() + i, '\n', n - i);
                if (!lf)
                    return true;
                i = static_cast<std::size_t>(static_cast<const char*>(lf) - bytes.data()) + 1;
                m_state = State::Start;
                break;
            }
        }
    }
    return m_state != State::Failed;
}

void TcpFramer::finish(std::vector<std::string>& frames) {
    if ((m_state == State::Line && m_lineBytes > 0) || (m_state == State::Octets && !m_kept.empty()))
        emit(frames);
    m_kept.clear();
    if (m_state != State::Failed)
        m_state = State::Start;
}

}  // namespace corvane
