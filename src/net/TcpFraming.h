#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Splits the byte stream of one syslog connection into frames. Each frame chooses its framing
// by its first byte: a digit 1-9 starts an octet count ("LEN SP MSG", LEN bytes of message
// follow), anything else starts a line that ends at LF (a CR before the LF is dropped, and
// empty lines are skipped). So a sender may mix both, and a stream cut anywhere gives the
// same frames as the whole stream.
//
// Memory stays bounded whatever the peer sends: only the first keepBytes of a frame are kept,
// the rest is skipped. A line longer than maxFrame bytes is handed on as soon as it passes
// that size, cut, and the rest of it up to its LF is skipped. An octet count of more than
// kMaxCountDigits digits, or one not followed by a space, is a framing error: the stream cannot
// be followed any further and the framer takes no more input.
class TcpFramer {
public:
    static constexpr std::size_t kMaxCountDigits = 9;

    TcpFramer(std::size_t maxFrame, std::size_t keepBytes);

    // Appends the kept bytes of every frame completed by these bytes to `frames`. False on a
    // framing error (frames completed before it are still appended).
    bool feed(std::string_view bytes, std::vector<std::string>& frames);
    // The stream has ended: a frame in progress that holds message bytes is completed, cut
    // where the stream ended.
    void finish(std::vector<std::string>& frames);

    bool failed() const { return m_state == State::Failed; }
    // What the framing error was, empty when there was none.
    const std::string& error() const { return m_error; }
    // True while a frame is partly received.
    bool inFrame() const { return m_state != State::Start; }

private:
    enum class State : std::uint8_t { Start, Count, Octets, Line, SkipLine, Failed };

    void keep(std::string_view bytes);
    void emit(std::vector<std::string>& frames);
    bool fail(std::string text);

    std::size_t m_maxFrame;
    std::size_t m_keepBytes;
    State m_state = State::Start;
    std::string m_kept;
    std::uint64_t m_count = 0;  // digits read so far, then the octets still to come
    std::size_t m_digits = 0;
    std::size_t m_lineBytes = 0;  // bytes of the current line so far
    bool m_lineEndsInCR = false;
    std::string m_error;
};

}  // namespace corvane
