#include <gtest/gtest.h>

#include "tests/cli/CliTestSupport.h"
#include "tests/support/DocumentTestAccess.h"

namespace {

class InfoCommand : public ::testing::Test {
protected:
    void SetUp() override {
        Members(doc).m_foods.push_back(MakeFood("Tea", std::string(diary::NewFoodHistory)));
        Members(doc).m_foods.push_back(MakeFood("Bread", History('n', 'y', {3, 49})));
        Members(doc).m_symptoms.push_back(MakeSymptom("Headache", History('n', 'b', {49})));
        Members(doc).m_symptoms.push_back(MakeSymptom("Bloating", History('n', 'w', {49})));
        Members(doc).m_symptoms.push_back(MakeSymptom("Fatigue", History('n', 'w', {48})));
        Members(doc).m_symptoms.push_back(MakeSymptom("Odd code", History('n', 'x', {49})));
        CompleteDiary(doc, LocalTime(2025, 3, 6, 20, 15), 61);
        SaveDiary(doc, path);
    }

    ScratchFolder folder;
    std::string path = folder.File("diary.glg");
    CGastrologDoc doc;
};

TEST_F(InfoCommand, SummarisesTheDiaryWithEachSymptomsStatus) {
    const CliRun run = RunCli({"info", path});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const auto lines = Lines(run.out);
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines[0], "Days recorded:  61");
    EXPECT_EQ(lines[1], "Last update:    Thursday, March 06, 2025 20:15 local time");
    EXPECT_EQ(lines[2], "Diary day:      Thursday, March 06, 2025");
    EXPECT_EQ(lines[3], "Foods:          2");
    EXPECT_EQ(lines[4], "Symptoms:       4");
    EXPECT_EQ(lines[5], "History:        50 days, from 2025-01-16 to 2025-03-06 (50 estimated)");
    EXPECT_EQ(lines[7], "Symptoms - today's current status:");
    EXPECT_EQ(lines[8], "  Headache  better");
    EXPECT_EQ(lines[9], "  Bloating  worse");
    // Only the current day counts; any code but b and w is no change.
    EXPECT_EQ(lines[10], "  Fatigue   no change");
    EXPECT_EQ(lines[11], "  Odd code  no change");
}

// A day started before the new-day hour (4 by default) belongs to the date before; the moment
// itself is shown as the clock had it.
TEST_F(InfoCommand, LastUpdateIsTheRealMomentAndTheDiaryDayIsApart) {
    const struct {
        TimeValue stored;  // the diary day's time, as the diary keeps it
        const char* moment;
        const char* day;
    } cases[] = {
        {LocalTime(2026, 12, 10, 1, 30), "Friday, December 11, 2026 01:30",
         "Thursday, December 10, 2026"},
        {LocalTime(2026, 12, 10, 4, 0), "Thursday, December 10, 2026 04:00",
         "Thursday, December 10, 2026"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.moment);
        CompleteDiary(doc, c.stored, 9);
        SaveDiary(doc, path);
        const auto lines = Lines(RunCli({"info", path}).out);
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[1], std::string("Last update:    ") + c.moment + " local time");
        EXPECT_EQ(lines[2], std::string("Diary day:      ") + c.day);
    }
}

TEST_F(InfoCommand, ShowsNamesInUtf8) {
    Members(doc).m_foods.clear();
    Members(doc).m_symptoms = {MakeSymptom("Ekz\xE9m", History('n', 'b', {49}))};
    CompleteDiary(doc, doc.LastUpdate(), 3);
    SaveDiary(doc, path);
    const CliRun run = RunCli({"info", path});
    EXPECT_NE(run.out.find("  Ekz\xC3\xA9m  better"), std::string::npos) << run.out;
}

}  // namespace
