#include "store/RowLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

TEST(StoredText, CutsAtTheFieldSize) {
    struct Row {
        const char* name;
        std::string text;
        int size;
        std::string kept;
    };
    const Row rows[] = {
        {"short enough", "abc", 5, "abc"},
        {"plain text at the size", "abcdef", 4, "abcd"},
        {"trailing blanks dropped", "ab   x", 4, "ab"},
        {"UTF-8 cut before a two-byte character", "abc\xC3\xA9", 4, "abc"},
        {"UTF-8 cut after a whole character", "ab\xC3\xA9x", 4, "ab\xC3\xA9"},
        {"UTF-8 cut inside a three-byte character", "a\xE2\x82\xAC\xE2\x82\xAC", 5, "a\xE2\x82\xAC"},
        {"UTF-8 cut inside a four-byte character", "\xF0\x9F\x98\x80\xF0\x9F\x98\x80", 6, "\xF0\x9F\x98\x80"},
        {"UTF-8 whose last character was cut by the sender", "ab\xC3\xA9\xE2\x82", 4, "ab\xC3\xA9"},
        {"Latin-1 text cut at the size", "caf\xE9s ok", 4, "caf\xE9"},
        {"invalid UTF-8 later cut at the size", "\xC3\xA9\xC3\xA9\xFF", 3, "\xC3\xA9\xC3"},
        {"no size keeps all", "abc", 0, "abc"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(std::string(storedText(row.text, row.size)), row.kept);
    }
}

}  // namespace
}  // namespace corvane
