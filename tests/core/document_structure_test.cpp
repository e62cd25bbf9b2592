#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "diary/GastrologDoc.h"
#include "diary/QuietPorts.h"
#include "tests/support/DocumentTestAccess.h"

namespace {

struct Diary {
    MemorySettings settings;
    PlainHost host;
    CGastrologDoc doc{DocumentPorts{&settings, &host}};
};

enum Section { Exclusions, Inclusions, Unclassified, Symptoms, Foods, History, NoSection };

void ShowOnly(CGastrologDoc& doc, Section section) {
    Members(doc).m_showExclusions = section == Exclusions;
    Members(doc).m_showInclusions = section == Inclusions;
    Members(doc).m_showUnclassified = section == Unclassified;
    Members(doc).m_showSymptoms = section == Symptoms;
    Members(doc).m_showFoods = section == Foods;
    Members(doc).m_showHistory = section == History;
}

// ---- line count

TEST(DocumentLineCount, EachShownSectionTakesFiveLinesAndItsList) {
    Diary diary;
    CGastrologDoc& doc = diary.doc;
    Members(doc).m_showExclusions = Members(doc).m_showInclusions =
        Members(doc).m_showUnclassified = true;
    Members(doc).m_showSymptoms = Members(doc).m_showFoods = Members(doc).m_showHistory = true;
    EXPECT_EQ(doc.GetLineCount(), 30);  // every section over empty lists

    Members(doc).m_exclusions.resize(7);
    Members(doc).m_inclusions.resize(9);
    Members(doc).m_over50Days.resize(4);
    Members(doc).m_symptomLines = {"a", "b", "c"};
    Members(doc).m_foodNames = {"f", "g"};
    // The generated lists take four names to a line, the history ten lines for each symptom.
    const std::pair<Section, int> cases[] = {
        {Exclusions, 6},   {Inclusions, 9 / 4 + 5}, {Unclassified, 4 / 4 + 5},
        {Symptoms, 3 + 5}, {Foods, 2 + 5},          {History, 10 * 3 + 5},
        {NoSection, 0}};
    for (const auto& [section, lines] : cases) {
        SCOPED_TRACE(section);
        ShowOnly(doc, section);
        EXPECT_EQ(doc.GetLineCount(), lines);
    }
    Members(doc).m_exclusions.resize(8);
    ShowOnly(doc, Exclusions);
    EXPECT_EQ(doc.GetLineCount(), 7);
}

// ---- new-day hour

TEST(DocumentNewDayHour, IsFourUntilSetAndForValuesOutsideTheDay) {
    Diary diary;
    EXPECT_EQ(diary.doc.GetNewDayHour(), 4);
    for (const int stored : {24, -1, 1000}) {
        diary.settings.WriteInt("Settings", "NewDayTime", stored);
        EXPECT_EQ(diary.doc.GetNewDayHour(), 4) << stored;
    }
    for (const int stored : {0, 6, 23}) {
        diary.settings.WriteInt("Settings", "NewDayTime", stored);
        EXPECT_EQ(diary.doc.GetNewDayHour(), stored);
    }
}

// ---- rolling

TEST(DocumentRolling, DropsTheOldestDayStartsTheNewOneEmptyAndNeverChangesTheLength) {
    Diary diary;
    CFood food("Tea");
    food.m_history = "y" + std::string(48, 'n') + "Y";
    CSymptom symptom("Headache");
    symptom.m_history = "b" + std::string(48, 'n') + "w";
    Members(diary.doc).m_foods = {food};
    Members(diary.doc).m_symptoms = {symptom};

    diary.doc.RollSymptomHistories();
    EXPECT_EQ(diary.doc.Symptoms()[0].m_history, std::string(48, 'n') + "wn");
    EXPECT_EQ(diary.doc.Foods()[0].m_history, food.m_history);  // foods roll on their own
    diary.doc.RollFoodHistories();
    EXPECT_EQ(diary.doc.Foods()[0].m_history, std::string(48, 'n') + "Yn");
    EXPECT_TRUE(diary.host.IsModified());
    for (int day = 1; day < 50; ++day) {
        diary.doc.RollSymptomHistories();
        diary.doc.RollFoodHistories();
        ASSERT_EQ(diary.doc.Foods()[0].m_history.size(), 50u);
        ASSERT_EQ(diary.doc.Symptoms()[0].m_history.size(), 50u);
    }
    EXPECT_EQ(diary.doc.Foods()[0].m_history, std::string(50, 'n'));
    EXPECT_EQ(diary.doc.Symptoms()[0].m_history, std::string(50, 'n'));
}

TEST(DocumentRolling, SetsTheModifiedFlagEvenWithNothingToRoll) {
    Diary diary;
    diary.doc.RollFoodHistories();
    EXPECT_TRUE(diary.host.IsModified());
    diary.host.SetModifiedFlag(false);
    diary.doc.RollSymptomHistories();
    EXPECT_TRUE(diary.host.IsModified());
}

// ---- rebuilding the name lists

TEST(DocumentNameLists, TheDayListHoldsFoodsEatenTodayInEitherCase) {
    Diary diary;
    CFood upper("Rice"), yesterday("Salt");
    upper.m_history.back() = 'Y';
    yesterday.m_history = std::string(48, 'n') + "yn";
    Members(diary.doc).m_foods = {CFood("Tea"), upper, yesterday};
    Members(diary.doc).m_dayList = {"stale"};
    diary.doc.RebuildDayList(0);
    EXPECT_THAT(diary.doc.DayList(), testing::ElementsAre("Tea", "Rice"));
    diary.doc.RebuildDayList(1);
    EXPECT_THAT(diary.doc.DayList(), testing::ElementsAre("Salt"));
}

TEST(DocumentNameLists, FoodNamesFollowTheFoodsInOrder) {
    Diary diary;
    Members(diary.doc).m_foods = {CFood("Tea"), CFood("Rice"), CFood("Tea")};
    Members(diary.doc).m_foodNames = {"stale"};
    diary.doc.RebuildFoodNames();
    EXPECT_THAT(diary.doc.FoodNames(), testing::ElementsAre("Tea", "Rice", "Tea"));
}

TEST(DocumentNameLists, SymptomLinesCarryTheSuffixOfTheLatestRating) {
    Diary diary;
    CSymptom better("Headache"), worse("Nausea"), other("Cramps"), unrated("Itch");
    better.m_history.back() = 'b';
    worse.m_history.back() = 'w';
    other.m_history.back() = 'B';
    Members(diary.doc).m_symptoms = {better, worse, other, unrated};
    diary.doc.RebuildSymptomLines();
    EXPECT_THAT(diary.doc.SymptomLines(),
                testing::ElementsAre("Headache  (better)   ", "Nausea  (worse)    ",
                                     "Cramps  (no change)", "Itch  (no change)"));
}

// ---- clearing

TEST(DocumentClearing, DeleteContentsEmptiesTheDiaryButNotTheGeneratedLists) {
    Diary diary;
    CGastrologDoc& doc = diary.doc;
    Members(doc).m_foods = {CFood("Tea")};
    Members(doc).m_symptoms = {CSymptom("Headache")};
    Members(doc).m_hidden = {CHidden("0")};
    doc.RebuildFoodNames();
    doc.RebuildSymptomLines();
    doc.RebuildDayList(0);
    Members(doc).m_exclusions.emplace_back("Tea");
    Members(doc).m_inclusions.emplace_back("Rice");
    Members(doc).m_over50Days.emplace_back("Salt");
    Members(doc).m_relateBest = {"Tea"};
    Members(doc).m_dayCount = 12;
    Members(doc).m_lastUpdate = 1'000'000;
    Members(doc).m_showFoods = true;

    doc.DeleteContents();
    EXPECT_TRUE(doc.Foods().empty() && doc.Symptoms().empty() && doc.HiddenUnits().empty());
    EXPECT_TRUE(doc.FoodNames().empty() && doc.SymptomLines().empty() && doc.DayList().empty());
    EXPECT_EQ(doc.Exclusions().size(), 1u);
    EXPECT_EQ(doc.Inclusions().size(), 1u);
    EXPECT_EQ(doc.Over50Days().size(), 1u);
    EXPECT_THAT(doc.RelateBest(), testing::ElementsAre("Tea"));
    EXPECT_EQ(doc.DayCount(), 12);
    EXPECT_EQ(doc.LastUpdate(), 1'000'000);
    EXPECT_TRUE(doc.ShowFoods());
    EXPECT_FALSE(diary.host.IsModified());
}

TEST(DocumentClearing, ANewDocumentStartsWithTheSectionFlagsOfTheProgram) {
    const CGastrologDoc doc;
    EXPECT_EQ(doc.NextAction(), 0);
    EXPECT_TRUE(doc.ListsCurrent() && doc.ShowSymptoms() && doc.ShowExclusions() &&
                doc.ShowInclusions() && doc.ShowUnclassified());
    EXPECT_FALSE(doc.ShowFoods() || doc.ShowHistory() || doc.Yesterday());
}

}  // namespace
