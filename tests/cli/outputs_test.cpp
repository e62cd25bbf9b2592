// Every file the command line writes: never over a diary (unless import or simulate are told
// to, with --force), and with the diary's permissions. Which files count as a diary and the
// permissions an output takes are decided in the core; here only that each command asks.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "diary/Backups.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

namespace fs = std::filesystem;
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
        // Not the mode of a new file, so that an output shows whether it took the diary's.
        ::chmod(diary.c_str(), 0640);
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

// Each command that writes a file, once over a diary and once under a new name with no umask.
TEST_F(Outputs, EachCommandRefusesADiaryAndWritesWithTheDiarysMode) {
    const std::string report = " is a Gastrolog diary; choose another name for the report.\n",
                      force =
                          " is a Gastrolog diary; add --force to replace it (a daily copy "
                          "of it is kept first).\n";
    const struct {
        std::vector<std::string> arguments;  // up to the name of the file written
        std::string refused;                 // the diary it is refused over
        std::string message;
        std::string written;  // a new file's name
    } cases[] = {
        {{"report", diary, "-o"}, diary, report, "report.pdf"},
        {{"page", diary, "--svg", File("page.svg"), "--pdf", File("page.pdf"), "--png"},
         other,
         report,
         "page.png"},
        {{"export", diary, "--format", "csv", "-o"}, other, report, "diary.csv"},
        {{"import", json, "-o"}, other, force, "imported.glg"},
        {{"simulate", "--days=2", "--seed", "3", "-o"}, other, force, "simulated.glg"},
    };
    const auto files = [&] {
        return std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator());
    };
    const mode_t previous = ::umask(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments[0]);
        std::vector<std::string> arguments = c.arguments;
        arguments.push_back(c.refused);
        const auto before = files();
        const CliRun refused = RunCli(arguments);
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(refused.err, c.refused + c.message);
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(files(), before) << "nothing is written when one file is refused";
        arguments.back() = File(c.written);
        EXPECT_EQ(RunCli(arguments).status, 0);
    }
    ::umask(previous);
    EXPECT_EQ(FileText(diary), diaryBytes);
    EXPECT_EQ(FileText(other), otherBytes);
    // The diary's outputs take its mode; a new diary is its owner's alone.
    for (const char* name :
         {"report.pdf", "page.svg", "page.pdf", "page.png", "diary.csv", "diary.json"})
        EXPECT_EQ(ModeOf(File(name)), 0640u) << name;
    for (const char* name : {"imported.glg", "simulated.glg"})
        EXPECT_EQ(ModeOf(File(name)), 0600u) << name;
}

// import never writes over the JSON it reads; it and simulate replace another diary when told
// to, after a daily copy of it.
TEST_F(Outputs, ImportAndSimulateReplaceADiaryOnlyWithForceAndKeepItsCopy) {
    const CliRun itself = RunCli({"import", json, "-o", json, "--force"});
    EXPECT_EQ(itself.status, 1);
    EXPECT_EQ(itself.err, json +
                              " is the file being imported; choose another name for the "
                              "diary.\n");
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"import", json, "-o", other, "--force"},
          std::vector<std::string>{"simulate", "--days=2", "--seed", "3", "-o", other,
                                   "--force"}}) {
        SCOPED_TRACE(arguments[0]);
        const std::string data = File("data-" + arguments[0]);
        const ScopedEnvironment dailyCopies("XDG_DATA_HOME", data);
        const CliRun run = RunCli(arguments);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(FileText(other), otherBytes);
        const auto copies = backups::List(data + "/gastrolog/backups", other, RealFileSystem());
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(FileText(copies[0].path), otherBytes);
        ASSERT_EQ(::chmod(other.c_str(), 0600), 0);
        WriteText(other, otherBytes);
    }
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

}  // namespace
