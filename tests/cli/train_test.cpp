#include <gtest/gtest.h>

#include <ctime>

#include "diary/LocalTime.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

// Every stored member that is not part of the network.
void ExpectSameDiaryApartFromTheNetwork(const CGastrologDoc& before, const CGastrologDoc& after) {
    EXPECT_EQ(after.LastUpdate(), before.LastUpdate());
    EXPECT_EQ(after.DayCount(), before.DayCount());
    EXPECT_EQ(after.FoodNames(), before.FoodNames());
    EXPECT_EQ(after.SymptomLines(), before.SymptomLines());
    ASSERT_EQ(after.Foods().size(), before.Foods().size());
    for (std::size_t i = 0; i < after.Foods().size(); ++i) {
        EXPECT_EQ(after.Foods()[i].m_name, before.Foods()[i].m_name);
        EXPECT_EQ(after.Foods()[i].m_history, before.Foods()[i].m_history);
    }
    ASSERT_EQ(after.Symptoms().size(), before.Symptoms().size());
    for (std::size_t i = 0; i < after.Symptoms().size(); ++i) {
        EXPECT_EQ(after.Symptoms()[i].m_name, before.Symptoms()[i].m_name);
        EXPECT_EQ(after.Symptoms()[i].m_history, before.Symptoms()[i].m_history);
    }
    ASSERT_EQ(after.HiddenUnits().size(), before.HiddenUnits().size());
    for (std::size_t i = 0; i < after.HiddenUnits().size(); ++i)
        EXPECT_EQ(after.HiddenUnits()[i].m_name, before.HiddenUnits()[i].m_name);
}

class TrainCommand : public ::testing::Test {
protected:
    void SetUp() override {
        CGastrologDoc doc;
        Members(doc).m_foods.push_back(
            MakeFood("Red wine", History('n', 'y', {10, 20, 30, 40, 45})));
        Members(doc).m_foods.push_back(MakeFood("Bread", History('y', 'n', {5, 25})));
        Members(doc).m_foods.push_back(MakeFood("Apples", History('n', 'y', {12, 22, 33, 44})));
        Members(doc).m_symptoms.push_back(
            MakeSymptom("Headache", History('n', 'w', {11, 21, 31, 41, 46})));
        Members(doc).m_symptoms.push_back(
            MakeSymptom("Fatigue", History('n', 'b', {13, 23, 34, 45})));
        CompleteDiary(doc, LocalTime(2025, 3, 6, 20), 55);
        SaveDiary(doc, path);
        ASSERT_EQ(before.ReadFile(path).Message(), "");
    }

    ScratchFolder folder;
    std::string path = folder.File("diary.glg");
    CGastrologDoc before;
};

TEST_F(TrainCommand, ChangesOnlyTheNetworkInPlace) {
    const CliRun run = RunCli({"train", path});
    ASSERT_EQ(run.status, 0) << run.err;
    CGastrologDoc after;
    ASSERT_EQ(after.ReadFile(path).Message(), "");
    ExpectSameDiaryApartFromTheNetwork(before, after);
    EXPECT_NE(after.Foods()[0].m_weight, before.Foods()[0].m_weight);
    EXPECT_NE(after.Symptoms()[0].m_weight, before.Symptoms()[0].m_weight);
    EXPECT_NE(after.Symptoms()[0].m_bias, before.Symptoms()[0].m_bias);
    EXPECT_NE(after.HiddenUnits()[0].m_bias, before.HiddenUnits()[0].m_bias);
}

TEST_F(TrainCommand, WithAnOutputLeavesTheDiaryAlone) {
    const std::string original = FileText(path);
    const std::string trained = folder.File("trained.glg");
    const CliRun run = RunCli({"train", path, "-o", trained});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(FileText(path), original);
    CGastrologDoc after;
    ASSERT_EQ(after.ReadFile(trained).Message(), "");
    ExpectSameDiaryApartFromTheNetwork(before, after);
}

TEST_F(TrainCommand, TrainingAgainGivesTheSameFile) {
    const std::string first = folder.File("first.glg");
    const std::string second = folder.File("second.glg");
    ASSERT_EQ(RunCli({"train", path, "-o", first}).status, 0);
    ASSERT_EQ(RunCli({"train", first, "-o", second}).status, 0);
    EXPECT_EQ(FileText(second), FileText(first));
}

TEST_F(TrainCommand, UnreadableDiaryIsLeftAsItWas) {
    WriteText(path, "not a diary");
    const CliRun run = RunCli({"train", path});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Unexpected file format."), std::string::npos);
    EXPECT_EQ(FileText(path), "not a diary");
}

}  // namespace

namespace {

// Training in place replaces the diary, so the day's copy of the diary before is kept, and
// `backups` lists it (and says so when there is none).
TEST_F(TrainCommand, InPlaceKeepsTheDaysCopyThatBackupsLists) {
    const std::string data = folder.File("data");
    const ScopedEnvironment dailyCopies("XDG_DATA_HOME", data);

    const CliRun none = RunCli({"backups", path});
    EXPECT_EQ(none.status, 0) << none.err;
    EXPECT_TRUE(none.out.starts_with("No backups of " + path + " yet; they are kept in " + data +
                                     "/gastrolog/backups/diary.glg-"))
        << none.out;

    ASSERT_EQ(RunCli({"train", path}).status, 0);
    const CliRun listed = RunCli({"backups", path});
    EXPECT_EQ(listed.status, 0) << listed.err;
    const std::string today = calendar::Format(std::time(nullptr), "%Y-%m-%d");
    EXPECT_NE(listed.out.find("  Date        Kept as  Days  Foods  Symptoms  File\n  " + today +
                              "  daily    55    3      2         " + data),
              std::string::npos)
        << listed.out;
}

}  // namespace
