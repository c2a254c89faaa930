#include "platform/SmtpReplies.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

TEST(SmtpRepliesTest, LastReplyAndLastError) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        int code;
        std::string reply, error;
    };
    const Case cases[] = {
        {"greeting", {"220 mail.example.org ESMTP\r\n"}, 220, "220 mail.example.org ESMTP", ""},
        {"multi-line reply is one",
         {"250-mail.example.org\r\n", "250-STARTTLS\r\n", "250 AUTH PLAIN LOGIN\r\n"},
         250,
         "250 mail.example.org STARTTLS AUTH PLAIN LOGIN",
         ""},
        {"error kept after the goodbye",
         {"535 5.7.8 Authentication failed\r\n", "221 Bye\r\n"},
         221,
         "221 Bye",
         "535 5.7.8 Authentication failed"},
        {"code alone", {"354\r\n"}, 354, "354", ""},
        {"code with a leading zero keeps its three digits", {"057 odd\r\n"}, 57, "057 odd", ""},
        {"unfinished reply is not yet a reply", {"250-first\r\n"}, 0, "", ""},
        {"not a reply line", {"hello\r\n", "25\r\n", "2x0 no\r\n"}, 0, "", ""},
        {"control bytes become blanks",
         {std::string("550 bad\x01\x1b[31mred\r\n")},
         550,
         "550 bad  [31mred",
         "550 bad  [31mred"},
        {"code changing mid-reply starts over",
         {"250-one\r\n", "421 going away\r\n"},
         421,
         "421 going away",
         "421 going away"},
    };
    for (const Case& c : cases) {
        SmtpReplies r;
        for (const std::string& line : c.lines) r.feed(line);
        EXPECT_EQ(r.lastCode(), c.code) << c.name;
        EXPECT_EQ(r.lastReply(), c.reply) << c.name;
        EXPECT_EQ(r.lastError(), c.error) << c.name;
    }
}

TEST(SmtpRepliesTest, WhatIsKeptIsBounded) {
    SmtpReplies r;
    const std::string longLine = "250-" + std::string(100'000, 'x') + "\r\n";
    for (int i = 0; i < 1000; ++i) r.feed(longLine);
    r.feed("250 end\r\n");
    EXPECT_LE(r.lastReply().size(), 4 + SmtpReplies::kMaxLines * (SmtpReplies::kMaxLineText + 1));
}

}  // namespace
}  // namespace corvane
