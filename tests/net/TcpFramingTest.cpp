#include "net/TcpFraming.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

using namespace std::string_literals;
using Frames = std::vector<std::string>;

struct Outcome {
    Frames frames;
    bool ok = true;
    std::string error;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

// Feeds the stream in pieces of `piece` bytes (0: whole), then ends it.
Outcome frame(const std::string& stream, std::size_t piece, std::size_t maxFrame = 64 * 1024,
              std::size_t keep = 1024) {
    TcpFramer framer(maxFrame, keep);
    Outcome out;
    const std::size_t step = piece == 0 ? std::max<std::size_t>(stream.size(), 1) : piece;
    for (std::size_t at = 0; at < stream.size(); at += step)
        out.ok = framer.feed(std::string_view(stream).substr(at, step), out.frames) && out.ok;
    framer.finish(out.frames);
    out.error = framer.error();
    return out;
}

struct Row {
    const char* name;
    std::string stream;
    Frames frames;
    std::string error = {};
    std::size_t maxFrame = 64 * 1024;
    std::size_t keep = 1024;
};

// Each stream gives the same frames fed whole, one byte at a time and in pieces of 7 bytes.
TEST(TcpFraming, FramesOfEveryShape) {
    const std::string x2000(2000, 'x');
    const Row rows[] = {
        {"octet counted", "7 <13>abc6 <14>xy", {"<13>abc", "<14>xy"}},
        {"newline terminated, LF and CR LF", "<13>a\n<13>b\r\n", {"<13>a", "<13>b"}},
        {"both framings in one stream",
         "7 <13>abc<13>x\n6 <14>xy\n<14>y\n",
         {"<13>abc", "<13>x", "<14>xy", "<14>y"}},
        {"empty lines are no messages", "\n\r\n\n<13>a\n\r\n", {"<13>a"}},
        {"an octet-counted frame may hold line ends",
         "9 <1>a\nb\r\nc8 <13>next",
         {"<1>a\nb\r\nc", "<13>next"}},
        {"a CR inside a line stays", "<13>a\rb\n", {"<13>a\rb"}},
        {"a line that starts with 0 is not counted", "0 abc\n", {"0 abc"}},
        // Leading digits not followed by a blank and "<" start a line, not an octet count.
        {"digits without a priority after them are a line",
         "123: router-2: up\n45 bytes free\n12\n",
         {"123: router-2: up", "45 bytes free", "12"}},
        {"a NUL ends a frame", "<14>one\0<14>two\0<14>three\0"s, {"<14>one", "<14>two", "<14>three"}},
        {"NUL and line ends together", "<14>a\0\n<14>b\r\n\0"s, {"<14>a", "<14>b"}},
        {"a NUL inside an octet frame is message", "5 <1>\0x"s, {"<1>\0x"s}},
        {"long octet frame keeps its first bytes",
         "2000 <" + std::string(1999, 'x') + "7 <13>abc",
         {"<" + std::string(1023, 'x'), "<13>abc"}},
        {"line longer than the largest frame is cut and skipped to its end",
         std::string(150, 'y') + "\n<13>next\n",
         {std::string(50, 'y'), "<13>next"},
         "",
         100,
         50},
        {"line exactly the largest frame",
         std::string(100, 'z') + "\n<13>n\n",
         {std::string(50, 'z'), "<13>n"},
         "",
         100,
         50},
        {"line of the largest frame with CR LF",
         std::string(99, 'z') + "\r\n",
         {std::string(99, 'z')},
         "",
         100,
         200},
        {"octet count beyond the largest frame is still followed",
         "200 <" + std::string(199, 'q') + "3 <1>",
         {"<" + std::string(49, 'q'), "<1>"},
         "",
         100,
         50},
        {"stream ends inside a line", "<13>a\n<13>tail", {"<13>a", "<13>tail"}},
        {"stream ends inside an octet frame", "10 <13>", {"<13>"}},
        {"stream ends after the count", "10 ", {}},
        {"stream ends inside the count", "7 <13>abc12", {"<13>abc"}},
        {"count of nine digits", "999999999 <1", {"<1"}},
        // A framing error is reported and reading goes on: the bytes in question are a line.
        {"count of ten digits",
         "7 <13>abc1234567890 <1>x\n6 <14>ok",
         {"<13>abc", "1234567890 <1>x", "<14>ok"},
         "octet count with more than 9 digits"},
        {"count shorter than its message",
         "5 <13>abc\n<13>b\n",
         {"<13>a", "bc", "<13>b"},
         "octet count did not match the message"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome whole = frame(row.stream, 0, row.maxFrame, row.keep);
        EXPECT_EQ(whole.frames, row.frames);
        EXPECT_EQ(whole.ok, row.error.empty());
        EXPECT_EQ(whole.error, row.error);
        EXPECT_EQ(frame(row.stream, 1, row.maxFrame, row.keep), whole) << "byte by byte";
        EXPECT_EQ(frame(row.stream, 7, row.maxFrame, row.keep), whole) << "in pieces of 7";
    }
}

TEST(TcpFraming, FramingGoesOnAfterAnError) {
    TcpFramer framer(1024, 1024);
    Frames frames;
    EXPECT_FALSE(framer.feed("12345678901 <13>a\n", frames));
    EXPECT_EQ(framer.errorCount(), 1u);
    EXPECT_TRUE(framer.feed("7 <13>abc<14>d\n", frames));
    framer.finish(frames);
    EXPECT_EQ(frames, (Frames{"12345678901 <13>a", "<13>abc", "<14>d"}));
    EXPECT_EQ(framer.error(), "octet count with more than 9 digits");
}

TEST(TcpFraming, TellsWhetherAFrameIsInProgress) {
    TcpFramer framer(1024, 1024);
    Frames frames;
    EXPECT_FALSE(framer.inFrame());
    ASSERT_TRUE(framer.feed("<13>par", frames));
    EXPECT_TRUE(framer.inFrame());
    ASSERT_TRUE(framer.feed("tial\n", frames));
    EXPECT_FALSE(framer.inFrame());
    EXPECT_EQ(frames, Frames{"<13>partial"});
}

}  // namespace
}  // namespace corvane
