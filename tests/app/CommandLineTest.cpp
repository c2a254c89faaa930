#include <gtest/gtest.h>

#include "app/CommandLine.h"

#include <string>
#include <vector>

namespace corvane {
namespace {

using Outcome = CommandLine::Outcome;

CommandLine programLine() {
    CommandLine line("prog", "Does things.");
    line.addOption("data-folder", "DIR", "where the data lives");
    line.addOption("quiet", {}, "say less");
    addWindowSystemOptions(line);
    return line;
}

TEST(CommandLine, OutcomesAndErrors) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        Outcome outcome;
        std::string error;
    };
    const Row rows[] = {
        {"nothing", {}, Outcome::Run, ""},
        {"help", {"--help"}, Outcome::ShowHelp, ""},
        {"short help", {"-h"}, Outcome::ShowHelp, ""},
        {"version", {"--version"}, Outcome::ShowVersion, ""},
        {"help wins over version", {"--version", "--help"}, Outcome::ShowHelp, ""},
        {"help after an option", {"--data-folder", "/d", "--help"}, Outcome::ShowHelp, ""},
        {"unknown long option", {"--port", "5"}, Outcome::Fail, "unknown option --port"},
        {"unknown short option", {"-x"}, Outcome::Fail, "unknown option -x"},
        {"bare double dash", {"--"}, Outcome::Fail, "unknown option --"},
        {"stray argument", {"file.txt"}, Outcome::Fail, "unexpected argument file.txt"},
        {"value missing at the end", {"--data-folder"}, Outcome::Fail, "option --data-folder needs DIR"},
        {"empty inline value", {"--data-folder="}, Outcome::Fail, "option --data-folder needs DIR"},
        {"flag with a value", {"--quiet=1"}, Outcome::Fail, "option --quiet takes no value"},
        {"help with a value", {"--help=x"}, Outcome::Fail, "option --help takes no value"},
        {"window system options pass",
         {"-platform", "offscreen", "--style=Fusion", "-reverse"},
         Outcome::Run,
         ""},
        {"window system value is not taken for an option", {"-platform", "--help"}, Outcome::Run, ""},
    };
    for (const Row& r : rows) {
        CommandLine line = programLine();
        EXPECT_EQ(line.parse(r.args), r.outcome) << r.name;
        EXPECT_EQ(line.error(), r.error) << r.name;
    }
}

TEST(CommandLine, ValuesInBothSpellings) {
    CommandLine line = programLine();
    ASSERT_EQ(line.parse({"--data-folder", "/a b/", "--quiet"}), Outcome::Run);
    EXPECT_EQ(line.value("data-folder"), "/a b/");
    EXPECT_TRUE(line.has("quiet"));
    ASSERT_EQ(line.parse({"--data-folder=/c"}), Outcome::Run);
    EXPECT_EQ(line.value("data-folder"), "/c");
    EXPECT_FALSE(line.has("quiet"));  // a new parse forgets the last one
    EXPECT_EQ(line.value("missing", "fallback"), "fallback");
}

TEST(CommandLine, UsageListsTheOptionsAndExitCodesFollowTheOutcome) {
    CommandLine line = programLine();
    const std::string usage = line.usage();
    EXPECT_EQ(usage.rfind("usage: prog [OPTION]...\nDoes things.\n", 0), 0u) << usage;
    for (const char* part : {"--help", "--version", "--data-folder DIR", "where the data lives", "--quiet"})
        EXPECT_NE(usage.find(part), std::string::npos) << part;
    EXPECT_EQ(usage.find("platform"), std::string::npos);
    EXPECT_EQ(line.versionText().rfind("prog ", 0), 0u);

    testing::internal::CaptureStdout();
    EXPECT_EQ(line.report(Outcome::ShowVersion), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), line.versionText());
    testing::internal::CaptureStderr();
    line.parse({"--bogus"});
    EXPECT_EQ(line.report(Outcome::Fail), CommandLine::kUsageExitCode);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "prog: unknown option --bogus\n" + usage);
    EXPECT_EQ(line.report(Outcome::Run), -1);
}

}  // namespace
}  // namespace corvane
