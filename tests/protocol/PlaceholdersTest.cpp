#include "protocol/Placeholders.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

TEST(Placeholders, FillsNumberedAndOrderedPlaceholdersInOnePass) {
    struct Row {
        const char* name;
        const char* pattern;
        std::vector<std::string_view> values;
        const char* expected;
    };
    const std::vector<Row> rows = {
        {"numbered", "Could not read %1: %2.", {"a.ini", "denied"}, "Could not read a.ini: denied."},
        {"numbered out of order", "%2 before %1", {"one", "two"}, "two before one"},
        {"numbered twice", "%1 and %1", {"x"}, "x and x"},
        {"ordered", "Resource %s not found in %s", {"Logo", "images"}, "Resource Logo not found in images"},
        {"missing value is empty", "Could not write %1. %2", {"a.ini"}, "Could not write a.ini. "},
        {"value holding a placeholder stays", "%1 then %2", {"100%2", "end"}, "100%2 then end"},
        {"ordered value holding %s stays", "%s/%s", {"%s", "b"}, "%s/b"},
        {"other percent signs stay", "50% of %d at %", {"x"}, "50% of %d at %"},
        {"no placeholder", "plain", {"unused"}, "plain"},
        {"empty pattern", "", {"x"}, ""},
    };
    for (const Row& r : rows) {
        std::string out;
        switch (r.values.size()) {
            case 1:
                out = fillIn(r.pattern, {r.values[0]});
                break;
            case 2:
                out = fillIn(r.pattern, {r.values[0], r.values[1]});
                break;
            default:
                out = fillIn(r.pattern, {});
        }
        EXPECT_EQ(out, r.expected) << r.name;
    }
    EXPECT_EQ(fillIn("port %1", "514"), "port 514") << "single value";
}

}  // namespace
}  // namespace corvane
