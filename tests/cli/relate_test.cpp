#include <gtest/gtest.h>

#include "exchange/FloatJson.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/DocumentTestAccess.h"

namespace {

class RelateCommand : public ::testing::Test {
protected:
    void SetUp() override {
        CGastrologDoc doc;
        Members(doc).m_foods.push_back(MakeFood("Bread", History('n', 'y', {1, 2})));
        Members(doc).m_foods.push_back(MakeFood("Red wine", History('n', 'y', {10, 20, 30, 40})));
        Members(doc).m_foods.push_back(MakeFood("Ginger tea", History('n', 'y', {12, 22, 32, 42})));
        Members(doc).m_symptoms.push_back(
            MakeSymptom("Headache", History('n', 'w', {11, 21, 31, 41})));
        Members(doc).m_symptoms.push_back(
            MakeSymptom("Joint pain", History('n', 'b', {13, 23, 33, 43})));
        Members(doc).m_symptoms.push_back(
            MakeSymptom("Skin rash", std::string(diary::NewSymptomHistory)));
        CompleteDiary(doc, LocalTime(2025, 3, 6), 50);
        SaveDiary(doc, path);
    }

    ScratchFolder folder;
    std::string path = folder.File("diary.glg");
};

TEST_F(RelateCommand, TextTableHasAlignedColumns) {
    const CliRun run = RunCli({"relate", path});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Symptom     Best food   Worst food");
    EXPECT_EQ(lines[1], "Headache    Not found.  Red wine");
    EXPECT_EQ(lines[2], "Joint pain  Ginger tea  Not found.");
    EXPECT_EQ(lines[3], "Skin rash   Not found.  Not found.");
}

TEST_F(RelateCommand, JsonRowsMatchTheText) {
    const CliRun run = RunCli({"relate", path, "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json json = Json::parse(run.out);
    ASSERT_EQ(json["rows"].size(), 3u);
    EXPECT_EQ(json["rows"][0],
              Json::parse(R"({"symptom":"Headache","best":"Not found.","worst":"Red wine"})"));
    EXPECT_EQ(json["rows"][1]["best"], "Ginger tea");
    EXPECT_EQ(json["rows"][2]["symptom"], "Skin rash");
}

TEST(RelateWithoutSymptoms, SaysSo) {
    ScratchFolder folder;
    const std::string path = folder.File("diary.glg");
    CGastrologDoc doc;
    Members(doc).m_foods.push_back(MakeFood("Bread", History('n', 'y', {1, 2})));
    CompleteDiary(doc, LocalTime(2025, 3, 6), 50);
    SaveDiary(doc, path);
    EXPECT_EQ(RunCli({"relate", path}).out, "The diary holds no symptoms.\n");
    EXPECT_EQ(RunCli({"relate", path, "--json"}).out, "{\n  \"rows\": []\n}\n");
}

}  // namespace
