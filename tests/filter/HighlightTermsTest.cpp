// The words of a filter that the window marks in the message text.
#include "filter/HighlightTerms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

struct Row {
    const char* name;
    const char* filter;
    std::vector<std::string> terms;
};

TEST(HighlightTerms, WordsOfTheMessageConditions) {
    const Row rows[] = {
        {"contains", "[Message] LIKE '%link down%'", {"link down"}},
        {"plain name, any case", "message like 'fan%'", {"fan"}},
        {"wildcards split the pattern", "[Message] LIKE 'a_b%c'", {"a", "b", "c"}},
        {"a doubled percent is text", "[Message] LIKE '%100%%%'", {"100%"}},
        {"equality either way round", "[Message] = 'reboot' OR 'halt' = [Message]", {"reboot", "halt"}},
        {"only the Message field", "[Process] LIKE '%sshd%' AND [Host] = 'web01'", {}},
        {"mixed with other parts", "[Process] = 'kernel' AND [Message] LIKE '%eth0%'", {"eth0"}},
        {"each word once", "[Message] LIKE '%err%' OR [Message] LIKE 'err%'", {"err"}},
        {"a negated condition marks nothing", "NOT [Message] LIKE '%debug%'", {}},
        {"nothing but wildcards", "[Message] LIKE '%%_%'", {"%"}},
        {"only wildcards", "[Message] LIKE '%_%'", {}},
        {"a quote in the text", "[Message] LIKE '%O''Brien%'", {"O'Brien"}},
        {"a constant that goes on", "[Message] = 'a' + 'b'", {}},
        {"not equal marks nothing", "[Message] <> 'quiet'", {}},
        {"a field on both sides", "[Message] = [Process]", {}},
        {"before a lexical fault", "[Message] LIKE '%ok%' AND [Message] = 'open", {"ok"}},
        {"empty", "", {}},
    };
    for (const Row& r : rows) EXPECT_EQ(highlightTerms(r.filter), r.terms) << r.name;
}

}  // namespace
}  // namespace corvane
