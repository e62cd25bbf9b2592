// Every lived day through the command line: CSV rows, the JSON "history" member and its
// import, info's summary, and simulate writing the history of a long diary. What import
// refuses in the "history" member is in import_refusal_test.

#include <gtest/gtest.h>

#include <filesystem>

#include "diary/HistoryFile.h"
#include "diary/LivedDays.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/DocumentTestAccess.h"

namespace {

// A five-day diary (6 to 10 March 2025) whose history also remembers two older days, one of
// them of a food since deleted.
class HistoryExchange : public ::testing::Test {
protected:
    void SetUp() override {
        Members(doc).m_symptoms = {MakeSymptom("Headache", History('n', 'w', {46, 49}))};
        Members(doc).m_foods = {MakeFood("Tea", History('n', 'y', {45, 49}))};
        CompleteDiary(doc, LocalTime(2025, 3, 10, 20), 5);
        SaveDiary(doc, path);
        lived::LivedDay cake{
            lived::DateFromCivil(2025, 1, 2), false, {"Cake"}, {{"Headache", 'w'}}};
        lived::LivedDay tea{lived::DateFromCivil(2025, 3, 1), true, {"Tea"}, {{"Headache", 'b'}}};
        history::Contents stored = history::Read(historyPath);
        ASSERT_EQ(stored.condition, history::Condition::Sound);
        ASSERT_EQ(history::Write(historyPath, {cake, tea}, *stored.state, 0600).Message(), "");
    }

    ScratchFolder folder;
    std::string path = folder.File("diary.glg");
    std::string historyPath = folder.File("diary.glh");
    CGastrologDoc doc;
};

TEST_F(HistoryExchange, CsvAndInfoShowEachLivedDayOnly) {
    const CliRun run = RunCli({"export", path, "--format", "csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = Lines(run.out);
    ASSERT_EQ(rows.size(), 1u + 2u + 5u) << "header, two remembered days, five diary days";
    EXPECT_EQ(rows[0], "Date,Headache,Tea,Cake\r");
    EXPECT_EQ(rows[1], "2025-01-02,worse,0,1\r") << "a deleted food keeps its past";
    EXPECT_EQ(rows[2], "2025-03-01,better,1,0\r");
    EXPECT_EQ(rows[3], "2025-03-06,no change,1,0\r") << "the diary's first day";
    EXPECT_EQ(rows[4], "2025-03-07,worse,0,0\r");
    EXPECT_EQ(rows[7], "2025-03-10,worse,1,0\r");
    const CliRun info = RunCli({"info", path});
    EXPECT_NE(info.out.find("History:        7 days, from 2025-01-02 to 2025-03-10 (6 estimated)"),
              std::string::npos)
        << info.out;
}

TEST_F(HistoryExchange, JsonExportAndImportCarryEveryDayAndTheDiaryByteForByte) {
    const CliRun exported = RunCli({"export", path, "--format", "json"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    const std::string json = folder.File("diary.json");
    WriteText(json, exported.out);
    const std::string copy = folder.File("copy.glg");
    const CliRun imported = RunCli({"import", json, "-o", copy});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(FileText(copy), FileText(path));
    CGastrologDoc original, back;
    ASSERT_TRUE(original.ReadFile(path).Succeeded());
    original.LoadHistory(path);
    ASSERT_TRUE(back.ReadFile(copy).Succeeded());
    back.LoadHistory(copy);
    EXPECT_EQ(lived::EveryLivedDay(back), lived::EveryLivedDay(original));
    EXPECT_EQ(lived::EveryLivedDay(back).size(), 7u);
}

TEST(HistorySimulation, ALongSimulatedDiaryKeepsEveryDayInItsHistory) {
    ScratchFolder folder;
    const std::string path = folder.File("long.glg");
    const CliRun run = RunCli({"simulate", "--days", "70", "--seed", "3", "--foods", "12",
                               "--symptoms", "2", "-o", path});
    ASSERT_EQ(run.status, 0) << run.err;
    const history::Contents written = history::Read(folder.File("long.glh"));
    ASSERT_EQ(written.condition, history::Condition::Sound);
    ASSERT_EQ(written.days.size(), 70u);
    for (std::size_t index = 1; index < written.days.size(); ++index)
        EXPECT_EQ(written.days[index].date, written.days[index - 1].date + 1);
    for (const auto& day : written.days) EXPECT_FALSE(day.estimated);
}

}  // namespace
