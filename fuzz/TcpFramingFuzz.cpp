// Feeds any byte stream to the TCP framer whole and cut at pseudo-random points: both must give
// the same frames and the same errors, and no frame may hold more than the kept bytes.
#include "net/TcpFraming.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Outcome {
    std::vector<std::string> frames;
    bool ok = true;
    std::string error;
    std::uint64_t errors = 0;
};

template <typename NextPiece>
Outcome run(std::string_view stream, std::size_t maxFrame, std::size_t keep, NextPiece nextPiece) {
    corvane::TcpFramer framer(maxFrame, keep);
    Outcome out;
    std::size_t at = 0;
    while (at < stream.size()) {
        const std::size_t n = nextPiece(stream.size() - at);
        out.ok = framer.feed(stream.substr(at, n), out.frames) && out.ok;
        at += n;
    }
    framer.finish(out.frames);
    out.error = framer.error();
    out.errors = framer.errorCount();
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    const std::size_t maxFrame = 1 + ((data[0] | (data[1] << 8)) % 4096);
    const std::size_t keep = static_cast<std::size_t>(data[2]) * 8;
    std::uint32_t state = 0x9E3779B9u ^ data[3] ^ static_cast<std::uint32_t>(size);
    const std::string_view stream(reinterpret_cast<const char*>(data + 4), size - 4);

    const Outcome whole = run(stream, maxFrame, keep, [](std::size_t left) { return left; });
    const Outcome pieces = run(stream, maxFrame, keep, [&state](std::size_t left) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const std::size_t n = 1 + state % 64;
        return n < left ? n : left;
    });
    if (whole.frames != pieces.frames || whole.ok != pieces.ok || whole.error != pieces.error ||
        whole.errors != pieces.errors || whole.ok != (whole.errors == 0))
        std::abort();
    for (const auto& frame : whole.frames)
        if (frame.size() > keep)
            std::abort();
    return 0;
}
