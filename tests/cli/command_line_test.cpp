#include <gtest/gtest.h>

#include "GastrologVersion.h"
#include "tests/cli/CliTestSupport.h"

namespace {

TEST(CommandLine, ArgumentsNotUnderstoodGiveStatusTwo) {
    EXPECT_EQ(RunCli({}).status, 2);
    EXPECT_EQ(RunCli({"frobnicate", "x.glg"}).status, 2);
    EXPECT_EQ(RunCli({"info"}).status, 2);
    EXPECT_EQ(RunCli({"export", "x.glg", "--format", "xml"}).status, 2);
    EXPECT_EQ(RunCli({"import", "x.json"}).status, 2) << "the output file is required";
    EXPECT_EQ(RunCli({"lists", "x.glg", "--unclassified", "3"}).status, 2);
    EXPECT_EQ(RunCli({"simulate", "--days", "5", "-o", "x.glg"}).status, 2) << "no seed";
}

TEST(CommandLine, UsageErrorsAreReportedOnStandardError) {
    const CliRun run = RunCli({"lists", "x.glg", "--unclassified", "7"});
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("--unclassified"), std::string::npos) << run.err;
}

TEST(CommandLine, HelpListsEveryCommandAndSucceeds) {
    const CliRun run = RunCli({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* command :
         {"info", "export", "import", "train", "lists", "relate", "simulate", "page"})
        EXPECT_NE(run.out.find(command), std::string::npos) << command;
}

TEST(CommandLine, VersionIsTheProjectsAndWinsOverACommand) {
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"--version"}, {"--version", "info"}}) {
        const CliRun run = RunCli(words);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "gastrolog-cli " GASTROLOG_VERSION "\n");
    }
}

TEST(CommandLine, HelpAllShowsEveryCommandsOptions) {
    const CliRun run = RunCli({"--help-all"});
    EXPECT_EQ(run.status, 0);
    for (const char* option :
         {"--format", "--unclassified", "--train-last-day-only", "--svg", "--force"})
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
}

}  // namespace
