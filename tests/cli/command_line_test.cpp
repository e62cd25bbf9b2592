#include <gtest/gtest.h>

#include "GastrologVersion.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/DocumentTestAccess.h"

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
    // The manual is made from this text.
    EXPECT_EQ(run.out.find("follow options"), std::string::npos) << run.out;
}

// Small things a user met: choices in any case, a missing output folder named as such, a
// symptom named in UTF-8 with a letter beyond ASCII in another case.
TEST(CommandLine, ChoicesFoldersAndNamesAreReadAsAUserMeantThem) {
    ScratchFolder folder;
    const std::string path = folder.File("diary.glg");
    CGastrologDoc doc;
    Members(doc).m_foods.push_back(MakeFood("Milk", History('n', 'y', {10, 20, 30})));
    Members(doc).m_symptoms.push_back(MakeSymptom("\334belkeit", History('n', 'w', {11, 21, 31})));
    CompleteDiary(doc, LocalTime(2025, 3, 6), 50);
    SaveDiary(doc, path);
    const std::string missingFolder = folder.File("nonexistent");
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string output;  // a part of standard output, or of standard error on a failure
    } cases[] = {
        {{"export", path, "--format", "CSV"}, 0, "Milk"},
        {{"export", path, "--format", "Json"}, 0, "\"foods\""},
        {{"report", path, "-o", folder.File("r.pdf"), "--paper", "Letter"}, 0, "Wrote"},
        {{"train", path, "-o", missingFolder + "/x.glg"},
         1,
         "The folder " + missingFolder + " was not found."},
        {{"evidence", path, "--symptom", "\u00FCbelkeit", "--all"}, 0, "Milk"},
        {{"evidence", path, "--symptom", "\u00DCBELKEIT", "--all"}, 0, "Milk"},
        {{"evidence", path, "--symptom", "Ubelkeit"}, 1, "no symptom is named \"Ubelkeit\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE((c.status == 0 ? run.out : run.err).find(c.output), std::string::npos)
            << run.out << run.err;
    }
    EXPECT_EQ(RunCli({"export", path, "--format", "CSV"}).out,
              RunCli({"export", path, "--format", "csv"}).out);
}

// A long name is cut in the text tables, so that it does not pad every line, and whole in JSON.
TEST(CommandLine, LongNamesAreCutInTablesAndWholeInJson) {
    ScratchFolder folder;
    const std::string path = folder.File("diary.glg");
    const std::string longFood = "Wholemeal rye bread with caraway seeds from the bakery";
    const std::string longSymptom = "Pressure behind the eyes in the late afternoon";
    CGastrologDoc doc;
    Members(doc).m_foods.push_back(MakeFood(longFood, History('n', 'y', {10, 20, 30})));
    Members(doc).m_foods.push_back(MakeFood("Tea", History('n', 'y', {12, 22})));
    Members(doc).m_symptoms.push_back(MakeSymptom(longSymptom, History('n', 'w', {11, 21, 49})));
    Members(doc).m_symptoms.push_back(MakeSymptom("Nausea", History('n', 'b', {13})));
    CompleteDiary(doc, LocalTime(2025, 3, 6), 50);
    SaveDiary(doc, path);
    const std::string cutFood = longFood.substr(0, 27) + "...";
    const std::string cutSymptom = longSymptom.substr(0, 27) + "...";
    const struct {
        std::vector<std::string> arguments;
        std::string shown;   // the cut name in the table
        std::string column;  // the text of the row of a short name, up to the next column
    } cases[] = {
        {{"info", path}, cutSymptom, "  Nausea" + std::string(32 - 6, ' ') + "no change"},
        {{"lists", path}, cutFood, "Tea" + std::string(32 - 3, ' ')},
        {{"evidence", path, "--all"}, cutFood, "Tea" + std::string(32 - 3, ' ')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        const CliRun run = RunCli(c.arguments);
        ASSERT_EQ(run.status, 0) << run.err;
        // The cut name, and a short name's cell padded only to the cut width.
        EXPECT_NE(run.out.find(c.shown), std::string::npos) << run.out;
        EXPECT_NE(run.out.find(c.column), std::string::npos) << run.out;
        if (c.arguments[0] == "info") continue;  // info has no JSON form
        std::vector<std::string> json = c.arguments;
        json.push_back("--json");
        const CliRun whole = RunCli(json);
        ASSERT_EQ(whole.status, 0) << whole.err;
        EXPECT_NE(whole.out.find(longFood), std::string::npos) << whole.out;
    }
}

}  // namespace
