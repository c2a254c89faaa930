#include "net/TcpFraming.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

using Frames = std::vector<std::string>;

struct Outcome {
    Frames frames;
    bool ok = true;
    std::string error;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

// Feeds the stream in pieces of `piece` bytes (0: whole), then ends it unless it failed.
Outcome frame(const std::string& stream, std::size_t piece, std::size_t maxFrame = 64 * 1024,
              std::size_t keep = 1024) {
    TcpFramer framer(maxFrame, keep);
    Outcome out;
    const std::size_t step = piece == 0 ? std::max<std::size_t>(stream.size(), 1) : piece;
    for (std::size_t at = 0; at < stream.size() && out.ok; at += step)
        out.ok = framer.feed(std::string_view(stream).substr(at, step), out.frames);
    if (out.ok)
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
        {"octet counted", "5 hello3 abc", {"hello", "abc"}},
        {"newline terminated, LF and CR LF", "<13>a\n<13>b\r\n", {"<13>a", "<13>b"}},
        {"both framings in one stream", "5 hello<13>x\n3 abc\n<14>y\n", {"hello", "<13>x", "abc", "<14>y"}},
        {"empty lines are no messages", "\n\r\n\n<13>a\n\r\n", {"<13>a"}},
        {"an octet-counted frame may hold line ends", "6 a\nb\r\nc8 <13>next", {"a\nb\r\nc", "<13>next"}},
        {"a CR inside a line stays", "<13>a\rb\n", {"<13>a\rb"}},
        {"a line that starts with 0 is not counted", "0 abc\n", {"0 abc"}},
        {"long octet frame keeps its first bytes",
         "2000 " + x2000 + "3 abc",
         {std::string(1024, 'x'), "abc"}},
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
         "200 " + std::string(200, 'q') + "2 ok",
         {std::string(50, 'q'), "ok"},
         "",
         100,
         50},
        {"stream ends inside a line", "<13>a\n<13>tail", {"<13>a", "<13>tail"}},
        {"stream ends inside an octet frame", "10 abc", {"abc"}},
        {"stream ends after the count", "10 ", {}},
        {"stream ends inside the count", "5 hello12", {"hello"}},
        {"count of nine digits", "999999999 ab", {"ab"}},
        {"count of ten digits", "3 abc1234567890 x", {"abc"}, "octet count with more than 9 digits"},
        {"count not followed by a space", "3 abc12x", {"abc"}, "octet count not followed by a space"},
        {"count followed by a line end", "12\n<13>a\n", {}, "octet count not followed by a space"},
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

TEST(TcpFraming, FailedFramerTakesNothingMore) {
    TcpFramer framer(1024, 1024);
    Frames frames;
    EXPECT_FALSE(framer.feed("5x", frames));
    EXPECT_TRUE(framer.failed());
    EXPECT_FALSE(framer.feed("3 abc<13>a\n", frames));
    framer.finish(frames);
    EXPECT_TRUE(frames.empty());
    EXPECT_TRUE(framer.failed());
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
