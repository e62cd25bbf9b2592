#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "GastrologVersion.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/DocumentTestAccess.h"

namespace {

using ::testing::HasSubstr;

constexpr const char* Example = "../../res/example.glg";

// Every command refuses what it cannot do with the reason on standard error and nothing on
// standard output: 2 for a value the arguments cannot take, 1 for a failure of the work.
// (simulate's ranges and page's pictures have tables of their own.)
TEST(CommandLine, RefusalsExitTwoForTheArgumentsAndOneForTheWork) {
    ScratchFolder folder;
    const std::string missing = folder.File("missing.glg"), out = folder.File("out.glg"),
                      pdf = folder.File("r.pdf");
    const std::string notFound = missing + " was not found.";
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string reason;  // a part of standard error
    } cases[] = {
        {{}, 2, "A subcommand is required"},
        {{"frobnicate", "x.glg"}, 2, "A subcommand is required"},
        {{"info"}, 2, "FILE is required"},
        {{"import", "x.json"}, 2, "--output is required"},
        {{"report", Example}, 2, "--output is required"},
        {{"export", Example, "--format", "xml"}, 2, "xml not in"},
        {{"lists", Example, "--unclassified", "3"}, 2, "--unclassified"},
        {{"report", Example, "-o", pdf, "--paper", "a5"}, 2, "a5 not in"},
        {{"report", Example, "-o", pdf, "--from", "2025-02-30"}, 2, "2025-02-30"},
        {{"report", Example, "-o", pdf, "--to", "March 3"}, 2, "March 3"},
        {{"report", Example, "-o", pdf, "--from", "2025-03-10", "--to", "2025-03-01"},
         2,
         "--from 2025-03-10 is after --to 2025-03-01."},
        {{"simulate", "--days", "5", "-o", out}, 2, "--seed is required"},
        {{"simulate", "--days", "2", "--seed", "-1", "-o", out}, 2, "--seed"},
        {{"simulate", "--days", "2", "--seed", "1", "--symptoms", "0", "-o", out}, 2, "--symptoms"},
        {{"assess", "--seeds", "0"}, 2, "--seeds must be"},
        {{"assess", "--seeds", "1", "--days", "0"}, 2, "--days must be"},
        {{"assess", "--seeds", "1", "--foods", "0"}, 2, "--foods must be"},
        {{"assess", "--seeds", "1", "--foods", "2001"}, 2, "--foods must be"},
        {{"assess", "--seeds", "1", "--symptoms", "21"}, 2, "--symptoms must be"},
        {{"info", missing}, 1, notFound},
        {{"export", missing}, 1, notFound},
        {{"lists", missing}, 1, notFound},
        {{"relate", missing}, 1, notFound},
        {{"evidence", missing}, 1, notFound},
        {{"page", missing, "--svg", folder.File("p.svg")}, 1, notFound},
        {{"report", missing, "-o", pdf}, 1, notFound},
        {{"import", missing, "-o", out}, 1, "Cannot read " + missing + "."},
        {{"report", Example, "-o", folder.File("no/such/folder/r.pdf")},
         1,
         "The folder " + folder.File("no/such/folder") + " was not found."},
        {{"evidence", Example, "--symptom", "Migraine"}, 1, "no symptom is named \"Migraine\""},
        {{"evidence", Example, "--delays", "3-1"}, 2, "--delays must be like 1-1 or 0-3"},
        {{"evidence", Example, "--from", "2025-02-30"}, 2, "--from must be a date"},
        {{"evidence", Example, "--from", "2025-03-01", "--to", "2025-02-01"}, 2, "first date"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_THAT(run.err, HasSubstr(c.reason));
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.find(missing), run.err.rfind(missing)) << "the name once is enough";
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(std::filesystem::exists(pdf));
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
