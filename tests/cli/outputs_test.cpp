// Every file the command line writes: never over a diary (unless import or simulate are told
// to, with --force), with the diary's permissions, and exit statuses that tell a value the
// arguments cannot take (2) from a failure of the work (1).

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "diary/Backups.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

using ::testing::HasSubstr;

mode_t ModeOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 0777;
}

class Outputs : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& [path, food] : {std::pair{diary, "Red wine"}, std::pair{other, "Tea"}}) {
            CGastrologDoc doc;
            Members(doc).m_foods.push_back(MakeFood(food, History('n', 'y', {10, 20, 49})));
            Members(doc).m_symptoms.push_back(MakeSymptom("Headache", History('n', 'w', {11})));
            CompleteDiary(doc, LocalTime(2025, 3, 6, 20), 50);
            SaveDiary(doc, path);
        }
        ::chmod(diary.c_str(), 0600);
        ::chmod(other.c_str(), 0600);
        diaryBytes = FileText(diary);
        otherBytes = FileText(other);
        RunCli({"export", diary, "-o", json});
    }

    std::string File(const std::string& name) const { return folder.File(name); }

    ScratchFolder folder;
    std::string diary = folder.File("diary.glg"), other = folder.File("other.glg"),
                json = folder.File("diary.json");
    std::string diaryBytes, otherBytes;
};

// Which files count as a diary is decided in the core; here only that each command asks.
TEST_F(Outputs, NoOutputReplacesADiary) {
    const std::string pdf = File("page.pdf");
    const struct {
        std::vector<std::string> arguments;
        std::string refused;  // the diary named in the message
    } cases[] = {
        {{"report", diary, "-o", diary}, diary},
        {{"page", diary, "--pdf", pdf, "--png", other}, other},
        {{"export", diary, "--format", "csv", "-o", other}, other},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.status, 1) << c.arguments[0] << " " << c.arguments.back();
        EXPECT_EQ(run.err, c.refused +
                               " is a Gastrolog diary; choose another name for the "
                               "report.\n");
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(FileText(diary), diaryBytes);
    EXPECT_EQ(FileText(other), otherBytes);
    EXPECT_FALSE(std::filesystem::exists(pdf)) << "no picture is written when one is refused";
}

TEST_F(Outputs, ImportAndSimulateReplaceADiaryOnlyWithForceAndKeepItsCopy) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"import", json, "-o", other},
          std::vector<std::string>{"simulate", "--days=2", "--seed", "3", "-o", other}}) {
        SCOPED_TRACE(arguments[0]);
        const std::string data = File("data-" + arguments[0]);
        const ScopedEnvironment dailyCopies("XDG_DATA_HOME", data);
        const CliRun refused = RunCli(arguments);
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(refused.err, other +
                                   " is a Gastrolog diary; add --force to replace it (a "
                                   "daily copy of it is kept first).\n");
        EXPECT_EQ(FileText(other), otherBytes);

        std::vector<std::string> forced = arguments;
        forced.push_back("--force");
        const CliRun run = RunCli(forced);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(FileText(other), otherBytes);
        const auto copies = backups::List(data + "/gastrolog/backups", other, RealFileSystem());
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(FileText(copies[0].path), otherBytes);
        ASSERT_EQ(::chmod(other.c_str(), 0600), 0);
        WriteText(other, otherBytes);
    }
    // import never writes over the JSON it reads.
    const CliRun itself = RunCli({"import", json, "-o", json, "--force"});
    EXPECT_EQ(itself.status, 1);
    EXPECT_EQ(itself.err, json +
                              " is the file being imported; choose another name for the "
                              "diary.\n");
}

TEST_F(Outputs, ReportsPicturesAndExportsTakeTheDiarysModeWhateverTheUmask) {
    const mode_t previous = ::umask(0);
    const std::vector<std::vector<std::string>> commands = {
        {"report", diary, "-o", File("report.pdf")},
        {"page", diary, "--svg", File("page.svg"), "--png", File("page.png")},
        {"export", diary, "--format", "csv", "-o", File("diary.csv")},
        {"import", json, "-o", File("imported.glg")},
    };
    for (const auto& arguments : commands) ASSERT_EQ(RunCli(arguments).status, 0) << arguments[0];
    ::umask(previous);
    for (const char* name : {"report.pdf", "page.svg", "page.png", "diary.csv", "imported.glg"})
        EXPECT_EQ(ModeOf(File(name)), 0600u) << name;
    EXPECT_EQ(ModeOf(json), 0600u);
}

// A diary of `foods` foods, all eaten in the kept days.
std::string LongDiary(const ScratchFolder& folder, int foods) {
    CGastrologDoc doc;
    for (int food = 1; food <= foods; ++food)
        Members(doc).m_foods.push_back(
            MakeFood("Food " + std::to_string(food), History('n', 'y', {food % 50})));
    Members(doc).m_symptoms.push_back(MakeSymptom("Headache", History('n', 'w', {11})));
    CompleteDiary(doc, LocalTime(2025, 3, 6, 20), 50);
    const std::string path = folder.File(std::to_string(foods) + ".glg");
    SaveDiary(doc, path);
    return path;
}

// A page taller than any PNG is refused before it is drawn, pointing to the formats without
// that limit; 2,000 foods still give a PNG (a row per food fits the limit here).
TEST_F(Outputs, APageTooTallForAPngIsRefusedForPdfOrSvg) {
    const std::string png = File("page.png"), svg = File("page.svg");
    const std::string longest = LongDiary(folder, 6000);
    const CliRun run = RunCli({"page", longest, "--png", png, "--all-sections"});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("larger than the 32767 x 32767 pixels a PNG picture can "
                                   "have; write it with --pdf or --svg instead."));
    EXPECT_FALSE(std::filesystem::exists(png));
    const CliRun drawn = RunCli({"page", longest, "--svg", svg, "--all-sections"});
    EXPECT_EQ(drawn.status, 0) << drawn.err;
    EXPECT_GT(FileText(svg).size(), 1'000'000u);

    const CliRun thousands = RunCli({"page", LongDiary(folder, 2000), "--png", png, "--lists"});
    EXPECT_EQ(thousands.status, 0) << thousands.err;
    EXPECT_EQ(FileText(png).substr(1, 3), "PNG");
}

TEST_F(Outputs, ValuesTheArgumentsCannotTakeExitTwoFailuresOfTheWorkOne) {
    const std::string missing = File("missing.glg"), out = File("out.glg");
    const struct {
        std::vector<std::string> arguments;
        int status;
    } cases[] = {
        {{"simulate", "--days", "0", "--seed", "1", "-o", out}, 2},
        {{"simulate", "--days", "3651", "--seed", "1", "-o", out}, 2},
        {{"simulate", "--days", "2", "--seed", "1", "--foods", "2001", "-o", out}, 2},
        {{"simulate", "--days", "2", "--seed", "-1", "-o", out}, 2},
        {{"simulate", "--days", "2", "--seed", "1", "--symptoms", "0", "-o", out}, 2},
        {{"simulate", "--days", "2", "--seed", "1", "--start", "2025-13-01", "-o", out}, 2},
        {{"assess", "--seeds", "0"}, 2},
        {{"assess", "--seeds", "1", "--foods", "0"}, 2},
        {{"lists", diary, "--unclassified", "3"}, 2},
        {{"report", diary, "-o", File("r.pdf"), "--paper", "a3"}, 2},
        {{"export", diary, "--format", "xml"}, 2},
        {{"page", diary}, 2},
        {{"info", missing}, 1},
        {{"export", missing}, 1},
        {{"train", missing}, 1},
        {{"lists", missing}, 1},
        {{"relate", missing}, 1},
        {{"evidence", missing}, 1},
        {{"evidence", diary, "--symptom", "Toothache"}, 1},
        {{"page", missing, "--svg", File("p.svg")}, 1},
        {{"report", missing, "-o", File("r.pdf")}, 1},
        {{"import", missing, "-o", out}, 1},
        {{"report", diary, "-o", File("no/such/folder/r.pdf")}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.err, "");
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
