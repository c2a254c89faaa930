#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Splits the byte stream of one syslog connection into frames. Each frame chooses its framing
// by how it starts: digits followed by a blank and "<" are an octet count ("LEN SP MSG", LEN
// bytes of message follow, and a message starts with its priority); anything else, digits
// included, is a line that ends at LF or at a NUL byte (a CR before the end is dropped, and
// empty lines are skipped). So a sender may mix both, and a stream cut anywhere gives the same
// frames as the whole stream.
//
// Memory stays bounded whatever the peer sends: only the first keepBytes of a frame are kept,
// the rest is skipped. A line longer than maxFrame bytes is handed on as soon as it passes
// that size, cut, and the rest of it up to its end is skipped. Framing errors (an octet count
// of more than kMaxCountDigits digits, bytes after an octet-counted frame that start no frame)
// never stop the framer: the bytes in question are read as a line, and framing goes on after it.
class TcpFramer {
public:
    static constexpr std::size_t kMaxCountDigits = 9;

    TcpFramer(std::size_t maxFrame, std::size_t keepBytes);

    // Appends the kept bytes of every frame completed by these bytes to `frames`. False when
    // these bytes held a framing error; the framer goes on with the bytes after it.
    bool feed(std::string_view bytes, std::vector<std::string>& frames);
    // The stream has ended: a frame in progress that holds message bytes is completed, cut
    // where the stream ended.
    void finish(std::vector<std::string>& frames);

    // What the last framing error was, empty when there was none.
    const std::string& error() const { return m_error; }
    std::uint64_t errorCount() const { return m_errors; }
    // True while a frame is partly received.
    bool inFrame() const { return m_state != State::Start; }

private:
    enum class State : std::uint8_t { Start, Count, CountSpace, Octets, Line, SkipLine };

    void keep(std::string_view bytes);
    void emit(std::vector<std::string>& frames);
    // Reads what was taken so far as the start of a line.
    void becomeLine();
    void report(std::string text);
    // Index of the first LF or NUL at or after i, n when there is none.
    std::size_t lineEnd(std::string_view bytes, std::size_t i);

    std::size_t m_maxFrame;
    std::size_t m_keepBytes;
    State m_state = State::Start;
    std::string m_kept;
    std::uint64_t m_count = 0;  // digits read so far, then the octets still to come
    std::size_t m_digits = 0;
    std::size_t m_lineBytes = 0;  // bytes of the current line so far
    bool m_lineEndsInCR = false;
    bool m_afterOctets = false;  // the last frame was octet-counted
    bool m_failedNow = false;
    std::size_t m_nextNul = 0;  // cached for the bytes of the current feed
    std::string m_error;
    std::uint64_t m_errors = 0;
};

}  // namespace corvane
