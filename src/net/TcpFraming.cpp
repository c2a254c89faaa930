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

void TcpFramer::becomeLine() {
    m_state = State::Line;
    m_lineBytes = m_kept.size();
    m_lineEndsInCR = false;
}

void TcpFramer::report(std::string text) {
    m_error = std::move(text);
    ++m_errors;
    m_failedNow = true;
}

std::size_t TcpFramer::lineEnd(std::string_view bytes, std::size_t i) {
    const std::size_t n = bytes.size();
    if (m_nextNul < i) {
        const void* nul = std::memchr(bytes.data() + i, '\0', n - i);
        m_nextNul = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data()) : n;
    }
    const void* lf = std::memchr(bytes.data() + i, '\n', std::min(m_nextNul, n) - i);
    return lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - bytes.data())
              : std::min(m_nextNul, n);
}

bool TcpFramer::feed(std::string_view bytes, std::vector<std::string>& frames) {
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    m_failedNow = false;
    m_nextNul = 0;
    if (n > 0) {
        const void* nul = std::memchr(bytes.data(), '\0', n);
        m_nextNul = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data()) : n;
    }
    while (i < n) {
        switch (m_state) {
            case State::Start: {
                const char c = bytes[i];
                if (c >= '1' && c <= '9') {
                    m_state = State::Count;
                    m_count = 0;
                    m_digits = 0;
                    m_afterOctets = false;
                } else if (c == '\n' || c == '\0') {
                    ++i;
                } else {
                    // After an octet-counted frame the next one starts with a digit or a line's
                    // own text; anything else means the count did not match its message.
                    if (m_afterOctets && c != '<' && c != '\r' && c != ' ' && c != '\t')
                        report("octet count did not match the message");
                    m_afterOctets = false;
                    m_kept.clear();
                    becomeLine();
                }
                break;
            }
            case State::Count: {
                const char c = bytes[i];
                if (c >= '0' && c <= '9') {
                    ++i;
                    if (++m_digits <= kMaxCountDigits)
                        m_count = m_count * 10 + static_cast<std::uint64_t>(c - '0');
                    keep(bytes.substr(i - 1, 1));
                } else if (c == ' ') {
                    ++i;
                    keep(" ");
                    m_state = State::CountSpace;
                } else {
                    becomeLine();
                }
                break;
            }
            case State::CountSpace: {
                if (bytes[i] != '<') {
                    becomeLine();
                } else if (m_digits > kMaxCountDigits) {
                    report("octet count with more than " + std::to_string(kMaxCountDigits) + " digits");
                    becomeLine();
                } else {
                    m_kept.clear();
                    m_state = State::Octets;
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
                    m_afterOctets = true;
                }
                break;
            }
            case State::Line: {
                const std::size_t end = lineEnd(bytes, i);
                // Only what fits the longest frame belongs to this line.
                const std::size_t room = m_maxFrame > m_lineBytes ? m_maxFrame - m_lineBytes : 0;
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
                if (end < n) {
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
                const std::size_t end = lineEnd(bytes, i);
                if (end >= n)
                    return !m_failedNow;
                i = end + 1;
                m_state = State::Start;
                break;
            }
        }
    }
    return !m_failedNow;
}

void TcpFramer::finish(std::vector<std::string>& frames) {
    // Digits alone at the end may be a count that never got its message: no frame.
    if ((m_state == State::Line || m_state == State::Octets) && !m_kept.empty())
        emit(frames);
    m_kept.clear();
    m_state = State::Start;
    m_afterOctets = false;
}

}  // namespace corvane
