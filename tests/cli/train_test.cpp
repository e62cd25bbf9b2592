#include <gtest/gtest.h>

#include "tests/cli/CliTestSupport.h"

namespace {

// Every stored member that is not part of the network.
void ExpectSameDiaryApartFromTheNetwork(const CGastrologDoc& before, const CGastrologDoc& after) {
    EXPECT_EQ(after.m_lastUpdate, before.m_lastUpdate);
    EXPECT_EQ(after.m_dayCount, before.m_dayCount);
    EXPECT_EQ(after.m_foodNames, before.m_foodNames);
    EXPECT_EQ(after.m_symptomLines, before.m_symptomLines);
    ASSERT_EQ(after.m_foods.size(), before.m_foods.size());
    for (std::size_t i = 0; i < after.m_foods.size(); ++i) {
        EXPECT_EQ(after.m_foods[i].m_name, before.m_foods[i].m_name);
        EXPECT_EQ(after.m_foods[i].m_history, before.m_foods[i].m_history);
    }
    ASSERT_EQ(after.m_symptoms.size(), before.m_symptoms.size());
    for (std::size_t i = 0; i < after.m_symptoms.size(); ++i) {
        EXPECT_EQ(after.m_symptoms[i].m_name, before.m_symptoms[i].m_name);
        EXPECT_EQ(after.m_symptoms[i].m_history, before.m_symptoms[i].m_history);
    }
    ASSERT_EQ(after.m_hidden.size(), before.m_hidden.size());
    for (std::size_t i = 0; i < after.m_hidden.size(); ++i)
        EXPECT_EQ(after.m_hidden[i].m_name, before.m_hidden[i].m_name);
}

class TrainCommand : public ::testing::Test {
protected:
    void SetUp() override {
        CGastrologDoc doc;
        doc.m_foods.push_back(MakeFood("Red wine", History('n', 'y', {10, 20, 30, 40, 45})));
        doc.m_foods.push_back(MakeFood("Bread", History('y', 'n', {5, 25})));
        doc.m_foods.push_back(MakeFood("Apples", History('n', 'y', {12, 22, 33, 44})));
        doc.m_symptoms.push_back(MakeSymptom("Headache", History('n', 'w', {11, 21, 31, 41, 46})));
        doc.m_symptoms.push_back(MakeSymptom("Fatigue", History('n', 'b', {13, 23, 34, 45})));
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
    EXPECT_NE(after.m_foods[0].m_weight, before.m_foods[0].m_weight);
    EXPECT_NE(after.m_symptoms[0].m_weight, before.m_symptoms[0].m_weight);
    EXPECT_NE(after.m_symptoms[0].m_bias, before.m_symptoms[0].m_bias);
    EXPECT_NE(after.m_hidden[0].m_bias, before.m_hidden[0].m_bias);
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
