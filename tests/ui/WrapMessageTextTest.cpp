#include "ui/MsgDialog.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(WrapMessageTextTest, AddsBlanksSoEveryLineBreaksWithinN) {
    struct Row {
        const char* name;
        QString text;
        int n;
        QString expected;
    };
    const Row rows[] = {
        {"words: the blank after ij comes from the text", "abcdefghij klm", 4, "abcd efgh ij klm "},
        {"no blank: an empty last piece when the length is a multiple of n", "abcdefgh", 4, "abcd efgh  "},
        {"no blank: a short last piece", "abcdefghij", 4, "abcd efgh ij "},
        {"n at the text's length leaves it alone", "abcd", 4, "abcd"},
        {"n beyond the text's length leaves it alone", "ab cd", 40, "ab cd"},
        {"a blank right after a full chunk is a chunk of its own", "abc defg hi", 4, "abc defg  hi "},
        {"n of zero leaves the text alone", "abcdef", 0, "abcdef"},
        {"n of one", "ab c", 1, "a b  c "},
        {"empty text", "", 3, ""},
    };
    for (const Row& row : rows) {
        const QString wrapped = WrapMessageText(row.text, row.n);
        EXPECT_EQ(wrapped, row.expected) << row.name;
        EXPECT_GE(wrapped.size(), row.text.size()) << row.name;
    }
    EXPECT_EQ(WrapMessageText("abcdefghij klm", 4).size(), 17);
    EXPECT_EQ(WrapMessageText("abcdefgh", 4).size(), 11);
}

TEST(WrapMessageTextTest, KeepsEveryCharacterInOrder) {
    const QString text = QStringLiteral("Error Filtering Messages: unexpected token near 'Severity' at 42");
    for (int n = 1; n < 30; ++n) {
        const QString wrapped = WrapMessageText(text, n);
        int i = 0;
        for (QChar c : wrapped) {
            if (i < text.size() && c == text[i])
                ++i;
            else
                EXPECT_EQ(c, QLatin1Char(' ')) << "n=" << n;
        }
        EXPECT_EQ(i, text.size()) << "n=" << n;
        for (const QString& piece : wrapped.split(QLatin1Char(' '))) EXPECT_LE(piece.size(), n) << "n=" << n;
    }
}

}  // namespace
}  // namespace corvane
