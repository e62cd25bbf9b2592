#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "diary/GastrologDoc.h"
#include "diary/QuietPorts.h"

namespace {

struct Diary {
    MemorySettings settings;
    PlainHost host;
    CGastrologDoc doc{DocumentPorts{&settings, &host}};
};

enum Section { Exclusions, Inclusions, Unclassified, Symptoms, Foods, History, NoSection };

void ShowOnly(CGastrologDoc& doc, Section section) {
    doc.m_showExclusions = section == Exclusions;
    doc.m_showInclusions = section == Inclusions;
    doc.m_showUnclassified = section == Unclassified;
    doc.m_showSymptoms = section == Symptoms;
    doc.m_showFoods = section == Foods;
    doc.m_showHistory = section == History;
}

// ---- line count

TEST(DocumentLineCount, EachShownSectionTakesFiveLinesAndItsList) {
    Diary diary;
    CGastrologDoc& doc = diary.doc;
    doc.m_showExclusions = doc.m_showInclusions = doc.m_showUnclassified = true;
    doc.m_showSymptoms = doc.m_showFoods = doc.m_showHistory = true;
    EXPECT_EQ(doc.GetLineCount(), 30);  // every section over empty lists

    doc.m_exclusions.resize(7);
    doc.m_inclusions.resize(9);
    doc.m_over50Days.resize(4);
    doc.m_symptomLines = {"a", "b", "c"};
    doc.m_foodNames = {"f", "g"};
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
    doc.m_exclusions.resize(8);
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
    diary.doc.m_foods = {food};
    diary.doc.m_symptoms = {symptom};

    diary.doc.RollSymptomHistories();
    EXPECT_EQ(diary.doc.m_symptoms[0].m_history, std::string(48, 'n') + "wn");
    EXPECT_EQ(diary.doc.m_foods[0].m_history, food.m_history);  // foods roll on their own
    diary.doc.RollFoodHistories();
    EXPECT_EQ(diary.doc.m_foods[0].m_history, std::string(48, 'n') + "Yn");
    EXPECT_TRUE(diary.host.IsModified());
    for (int day = 1; day < 50; ++day) {
        diary.doc.RollSymptomHistories();
        diary.doc.RollFoodHistories();
        ASSERT_EQ(diary.doc.m_foods[0].m_history.size(), 50u);
        ASSERT_EQ(diary.doc.m_symptoms[0].m_history.size(), 50u);
    }
    EXPECT_EQ(diary.doc.m_foods[0].m_history, std::string(50, 'n'));
    EXPECT_EQ(diary.doc.m_symptoms[0].m_history, std::string(50, 'n'));
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
    diary.doc.m_foods = {CFood("Tea"), upper, yesterday};
    diary.doc.m_dayList = {"stale"};
    diary.doc.RebuildDayList(0);
    EXPECT_THAT(diary.doc.m_dayList, testing::ElementsAre("Tea", "Rice"));
    diary.doc.RebuildDayList(1);
    EXPECT_THAT(diary.doc.m_dayList, testing::ElementsAre("Salt"));
}

TEST(DocumentNameLists, FoodNamesFollowTheFoodsInOrder) {
    Diary diary;
    diary.doc.m_foods = {CFood("Tea"), CFood("Rice"), CFood("Tea")};
    diary.doc.m_foodNames = {"stale"};
    diary.doc.RebuildFoodNames();
    EXPECT_THAT(diary.doc.m_foodNames, testing::ElementsAre("Tea", "Rice", "Tea"));
}

TEST(DocumentNameLists, SymptomLinesCarryTheSuffixOfTheLatestRating) {
    Diary diary;
    CSymptom better("Headache"), worse("Nausea"), other("Cramps"), unrated("Itch");
    better.m_history.back() = 'b';
    worse.m_history.back() = 'w';
    other.m_history.back() = 'B';
    diary.doc.m_symptoms = {better, worse, other, unrated};
    diary.doc.RebuildSymptomLines();
    EXPECT_THAT(diary.doc.m_symptomLines,
                testing::ElementsAre("Headache  (better)   ", "Nausea  (worse)    ",
                                     "Cramps  (no change)", "Itch  (no change)"));
}

// ---- clearing

TEST(DocumentClearing, DeleteContentsEmptiesTheDiaryButNotTheGeneratedLists) {
    Diary diary;
    CGastrologDoc& doc = diary.doc;
    doc.m_foods = {CFood("Tea")};
    doc.m_symptoms = {CSymptom("Headache")};
    doc.m_hidden = {CHidden("0")};
    doc.RebuildFoodNames();
    doc.RebuildSymptomLines();
    doc.RebuildDayList(0);
    doc.m_exclusions.emplace_back("Tea");
    doc.m_inclusions.emplace_back("Rice");
    doc.m_over50Days.emplace_back("Salt");
    doc.m_relateBest = {"Tea"};
    doc.m_dayCount = 12;
    doc.m_lastUpdate = 1'000'000;
    doc.m_showFoods = true;

    doc.DeleteContents();
    EXPECT_TRUE(doc.m_foods.empty() && doc.m_symptoms.empty() && doc.m_hidden.empty());
    EXPECT_TRUE(doc.m_foodNames.empty() && doc.m_symptomLines.empty() && doc.m_dayList.empty());
    EXPECT_EQ(doc.m_exclusions.size(), 1u);
    EXPECT_EQ(doc.m_inclusions.size(), 1u);
    EXPECT_EQ(doc.m_over50Days.size(), 1u);
    EXPECT_THAT(doc.m_relateBest, testing::ElementsAre("Tea"));
    EXPECT_EQ(doc.m_dayCount, 12);
    EXPECT_EQ(doc.m_lastUpdate, 1'000'000);
    EXPECT_TRUE(doc.m_showFoods);
    EXPECT_FALSE(diary.host.IsModified());
}

TEST(DocumentClearing, ANewDocumentStartsWithTheSectionFlagsOfTheProgram) {
    const CGastrologDoc doc;
    EXPECT_EQ(doc.m_nextAction, 0);
    EXPECT_TRUE(doc.m_listsCurrent && doc.m_showSymptoms && doc.m_showExclusions &&
                doc.m_showInclusions && doc.m_showUnclassified);
    EXPECT_FALSE(doc.m_showFoods || doc.m_showHistory || doc.m_yesterday);
}

}  // namespace
