#include "protocol/EntityDecoder.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

TEST(EntityDecoder, DecodesKnownEntitiesAndKeepsEverythingElse) {
    using namespace std::string_literals;
    struct Row {
        const char* name;
        std::string input;
        std::string expected;
    };
    const Row rows[] = {
        {"lt and gt", "&lt;b&gt;", "<b>"},
        {"amp", "a &amp; b", "a & b"},
        {"quot", "&quot;x&quot;", "\"x\""},
        {"decimal reference", "&#65;", "A"},
        {"hex reference", "&#x41;", "A"},
        {"low 8 bits", "&#321;", "A"},
        {"empty reference gives NUL", "a&#;b", "a\0b"s},
        {"no double decoding", "&amp;lt;", "&lt;"},
        {"ampersand between spaces kept", "a & b", "a & b"},
        {"ampersand before capital kept", "AT&T", "AT&T"},
        {"query string kept", "a=1&b=2", "a=1&b=2"},
        {"ampersand at the end kept", "tom&", "tom&"},
        {"unfinished lt kept", "&la", "&la"},
        {"unfinished amp kept", "&am &q &g", "&am &q &g"},
        {"reference without semicolon kept", "&#65 and more", "&#65 and more"},
        {"reference beyond 32 bits kept", "&#99999999999;x", "&#99999999999;x"},
        {"nine hex digits kept", "&#x123456789;", "&#x123456789;"},
        {"reference then text", "&#65;&#66;C", "ABC"},
        {"stops at NUL", "ab\0&lt;cd"s, "ab"},
    };
    for (const Row& row : rows) {
        std::string out = "stale";
        decodeEntities(row.input, out);
        EXPECT_EQ(out, row.expected) << row.name;
    }
}

TEST(EntityDecoder, ManyUnfinishedReferencesStayLinear) {
    std::string input;
    for (int i = 0; i < 200000; ++i) input += "&#1";
    std::string out;
    decodeEntities(input, out);
    EXPECT_EQ(out, input);
}

}  // namespace
}  // namespace corvane
