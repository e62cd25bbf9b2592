#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "diary/GastrologDoc.h"
#include "engine/EngineCommands.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/EngineSteps.h"
#include "tests/support/FakePorts.h"

namespace {

// A food eaten on the given days and a symptom rated on the day after each of them.
struct EatenThenRated {
    std::string food = std::string(50, 'n');
    std::string symptom = std::string(50, 'n');

    EatenThenRated& Eat(int day, char nextDay) {
        food[static_cast<std::size_t>(day)] = 'y';
        if (day + 1 < 50) symptom[static_cast<std::size_t>(day + 1)] = nextDay;
        return *this;
    }
};

class DayAfterRelationships : public ::testing::Test {
protected:
    void AddFood(const std::string& name, const std::string& history) {
        Members(diary.doc).m_foods.emplace_back(name).m_history = history;
    }
    void AddSymptom(const std::string& name, const std::string& history) {
        Members(diary.doc).m_symptoms.emplace_back(name).m_history = history;
    }
    // Best and worst food of the only symptom.
    std::pair<std::string, std::string> Result() {
        ComputeAndKeepRelationships(diary.doc);
        EXPECT_EQ(diary.doc.RelateSymptoms().size(), 1u);
        return {diary.doc.RelateBest().at(0), diary.doc.RelateWorst().at(0)};
    }
    // One food, one symptom, with the given next-day ratings after eating on days 10, 12, ...
    std::pair<std::string, std::string> ResultOf(const std::string& ratings) {
        EatenThenRated history;
        for (std::size_t k = 0; k < ratings.size(); ++k)
            history.Eat(10 + 2 * static_cast<int>(k), ratings[k]);
        AddFood("Cheese", history.food);
        AddSymptom("Headache", history.symptom);
        return Result();
    }

    FakeDiary diary;
};

const std::pair<std::string, std::string> NothingFound{"Not found.", "Not found."};

}  // namespace

TEST_F(DayAfterRelationships, RunsOfFourOrMoreReachingTheMostRecentOccasionAreFound) {
    const std::string cheese = "Cheese", none = "Not found.";
    const struct {
        const char* ratings;
        std::string best, worst;
    } cases[] = {
        {"bbbb", cheese, none},
        {"bbb", none, none},  // three are not enough
        {"wwww", none, cheese},
        {"bbwbbbb", cheese, none},  // a worse day restarts the run
        {"bbbbw", none, none},      // the run must reach the most recent occasion
        {"bbnnbnb", cheese, none},
        {"bbnnnb", none, none},  // no-change days neither extend nor break
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ratings);
        Members(diary.doc).m_foods.clear();
        Members(diary.doc).m_symptoms.clear();
        EXPECT_EQ(ResultOf(c.ratings), std::pair(c.best, c.worst));
    }
}

TEST_F(DayAfterRelationships, UpperCaseEatenMarkCounts) {
    EatenThenRated history;
    for (const int day : {3, 5, 7, 9}) history.Eat(day, 'b');
    history.food[5] = 'Y';
    AddFood("Cheese", history.food);
    AddSymptom("Headache", history.symptom);
    EXPECT_EQ(Result().first, "Cheese");
}

TEST_F(DayAfterRelationships, OldestRatingAndCurrentDayNeverCount) {
    // Three better next days, then eaten on the current day; the oldest rating is "b" too.
    EatenThenRated history;
    for (const int day : {44, 45, 46}) history.Eat(day, 'b');
    history.food[49] = 'y';
    history.symptom[0] = 'b';
    AddFood("Cheese", history.food);
    AddSymptom("Headache", history.symptom);
    EXPECT_EQ(Result(), NothingFound);
}

TEST_F(DayAfterRelationships, TiesGoToTheEarlierFoodAndLongerRunsWin) {
    EatenThenRated four, five;
    for (const int day : {2, 4, 6, 8}) four.Eat(day, 'w');
    for (const int day : {2, 4, 6, 8, 10}) five.Eat(day, 'w');
    AddFood("First", four.food);
    AddFood("Second", four.food);
    AddFood("Third", five.food);
    AddFood("Fourth", five.food);
    AddSymptom("Headache", five.symptom);
    EXPECT_EQ(Result(), (std::pair<std::string, std::string>{"Not found.", "Third"}));
}

TEST_F(DayAfterRelationships, EverySymptomGetsARowInOrderAndWithoutFoodsNothingIsFound) {
    EatenThenRated better, worse;
    for (const int day : {20, 22, 24, 26}) better.Eat(day, 'b');
    for (const int day : {20, 22, 24, 26}) worse.Eat(day, 'w');
    AddFood("Tea", better.food);
    AddSymptom("Headache", better.symptom);
    AddSymptom("Nausea", worse.symptom);
    AddSymptom("Rash", std::string(50, 'n'));
    ComputeAndKeepRelationships(diary.doc);
    EXPECT_EQ(diary.doc.RelateSymptoms(), (StringList{"Headache", "Nausea", "Rash"}));
    EXPECT_EQ(diary.doc.RelateBest(), (StringList{"Tea", "Not found.", "Not found."}));
    EXPECT_EQ(diary.doc.RelateWorst(), (StringList{"Not found.", "Tea", "Not found."}));
    Members(diary.doc).m_foods.clear();  // without foods nothing is found
    ComputeAndKeepRelationships(diary.doc);
    EXPECT_EQ(diary.doc.RelateBest(), StringList(3, "Not found."));
    EXPECT_EQ(diary.doc.RelateWorst(), StringList(3, "Not found."));
}

TEST_F(DayAfterRelationships, ShortHistoriesAreReadWithoutFailing) {
    AddFood("Short", "yyyyyyyy");
    AddFood("Empty", "");
    AddSymptom("Headache", "nbbb");
    EXPECT_EQ(Result(), NothingFound);
}

TEST_F(DayAfterRelationships, CommandShowsTheColumnsEmptyWithoutSymptomsAndLeavesTheDocument) {
    EatenThenRated history;
    for (const int day : {30, 32, 34, 36}) history.Eat(day, 'b');
    AddFood("Tea", history.food);
    AddSymptom("Headache", history.symptom);
    Members(diary.doc).m_relateSymptoms = {"old", "rows"};
    diary.ui.ExpectRelationships();
    OnRelateFoodsToSymptoms(diary.doc);
    EXPECT_EQ(diary.ui.shownSymptoms, StringList{"Headache"});
    EXPECT_EQ(diary.ui.shownBest, StringList{"Tea"});
    EXPECT_EQ(diary.ui.shownWorst, StringList{"Not found."});
    EXPECT_EQ(diary.doc.RelateSymptoms(), StringList{"Headache"});
    EXPECT_FALSE(diary.host.IsModified());
    EXPECT_EQ(diary.host.m_updateCount, 0);
    Members(diary.doc).m_symptoms.clear();  // without symptoms the columns are empty
    diary.ui.ExpectRelationships();
    OnRelateFoodsToSymptoms(diary.doc);
    EXPECT_TRUE(diary.ui.shownSymptoms.empty());
    EXPECT_TRUE(diary.ui.shownBest.empty());
    EXPECT_TRUE(diary.ui.shownWorst.empty());
}
