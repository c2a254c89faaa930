#include "app/UpdateVersionFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace corvane {
namespace {

TEST(UpdateVersionFile, ReadsTheBuildAndTheNextTwoLines) {
    using Lines = std::optional<std::string>;
    struct Row {
        const char* name;
        std::string text;
        VersionFileContent expected;
    };
    const Lines none;
    const Row rows[] = {
        {"four numbers and text",
         "1.0.0.57 Corvane release\r\nsecond\r\nthird\r\nfourth",
         {57, "second", "third"}},
        {"LF and CR line ends", "2.1.300 x\nsecond\rthird", {300, "second", "third"}},
        {"one more line only", "1.2.3.4 x\r\nsecond", {4, "second", none}},
        {"empty second line", "1.2.3.4 x\n\n", {4, "", none}},
        {"nothing after the first line", "1.2.3.4 x\r\n", {4, none, none}},
        {"no dot: the first word", "77 build", {77, none, none}},
        {"a dot after the space hides the build", "1.2.3.4 v.5\nsecond", {0, none, none}},
        {"build 1 reads no lines", "1.0.0.1 x\nsecond\nthird", {1, none, none}},
        {"negative build reads no lines", "1.0.0.-3 x\nsecond", {-3, none, none}},
        {"no space", "1.0.0.57\nsecond\nthird", {0, none, none}},
        {"space first", " 1.0.0.57\nsecond", {0, none, none}},
        {"empty build", "1.0.0. x\nsecond", {0, none, none}},
        {"not a number", "1.0.0.5a x\nsecond", {0, none, none}},
        {"two signs", "1.0.0.+-5 x", {0, none, none}},
        {"beyond int", "1.0.0.99999999999 x\nsecond", {0, none, none}},
        {"space only in the second line", "1.0.0.57\n2 x", {0, none, none}},
        {"empty text", "", {0, none, none}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(parseVersionFile(row.text), row.expected);
    }
}

TEST(UpdateVersionFile, AMalformedFileKeepsTheEarlierLines) {
    const std::string path = (std::filesystem::temp_directory_path() / "update-version-test.txt").string();
    UpdateState state;
    std::ofstream(path, std::ios::binary) << "1.0.0.57 x\r\nnews\r\nmore news\r\n";
    EXPECT_EQ(ReadVersionFile(path, state), 57);
    EXPECT_EQ(state.latestBuild, 57);
    EXPECT_EQ(state.secondLine, "news");
    EXPECT_EQ(state.thirdLine, "more news");

    std::ofstream(path, std::ios::binary | std::ios::trunc) << "garbage\r\nother\r\n";
    EXPECT_EQ(ReadVersionFile(path, state), 0);
    EXPECT_EQ(state.latestBuild, 0);
    EXPECT_EQ(state.secondLine, "news");
    EXPECT_EQ(state.thirdLine, "more news");

    std::filesystem::remove(path);
    state.latestBuild = 9;
    EXPECT_EQ(ReadVersionFile(path, state), 0);
    EXPECT_EQ(state.latestBuild, 0);
}

}  // namespace
}  // namespace corvane
