#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "diary/GastrologDoc.h"
#include "engine/EngineCommands.h"
#include "engine/Network.h"
#include "engine/TestPassScorer.h"
#include "tests/support/DiaryScripts.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/EngineSteps.h"
#include "tests/support/FakePorts.h"

namespace {

std::string HistoryWith(std::initializer_list<int> positions, char mark = 'y', char rest = 'n') {
    std::string history(50, rest);
    for (const int position : positions) history[static_cast<std::size_t>(position)] = mark;
    return history;
}

const std::string EatenToday = HistoryWith({49});
const std::string EatenOnlyAtPositionZero = HistoryWith({0});
const std::string NeverEaten = HistoryWith({});

void AddHiddenUnits(CGastrologDoc& doc) {
    for (int k = 0; k < 5; ++k) Members(doc).m_hidden.emplace_back(std::to_string(k));
}

CFood& AddFood(CGastrologDoc& doc, const std::string& name, const std::string& history) {
    CFood& food = Members(doc).m_foods.emplace_back(name);
    food.m_history = history;
    return food;
}

void AddSymptoms(CGastrologDoc& doc, int count) {
    for (int s = 0; s < count; ++s)
        Members(doc).m_symptoms.emplace_back("Symptom " + std::to_string(s));
}

template <typename Entries>
StringList NamesOf(const Entries& entries) {
    StringList names;
    for (const auto& entry : entries) names.push_back(entry.m_name);
    return names;
}

// Weights drawn at random, and histories with some foods eaten on the oldest position.
void FillRandomNetwork(CGastrologDoc& doc, int foods, int symptoms, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> weight(-2.0f, 2.0f);
    std::bernoulli_distribution eaten(0.25);
    AddHiddenUnits(doc);
    for (CHidden& unit : Members(doc).m_hidden) unit.m_bias = weight(random);
    for (int i = 0; i < foods; ++i) {
        CFood& food = AddFood(doc, "Food " + std::to_string(i), NeverEaten);
        for (char& code : food.m_history) code = eaten(random) ? 'y' : 'n';
        for (float& w : food.m_weight) w = weight(random);
    }
    AddSymptoms(doc, symptoms);
    for (CSymptom& symptom : Members(doc).m_symptoms) {
        symptom.m_bias = weight(random);
        for (float& w : symptom.m_weight) w = weight(random);
    }
}

std::vector<std::uint32_t> Bits(const std::vector<float>& values) {
    std::vector<std::uint32_t> bits;
    for (const float value : values) bits.push_back(std::bit_cast<std::uint32_t>(value));
    return bits;
}

// Each food's test pass run through the document's own forward pass.
std::vector<float> OutputsStepByStep(CGastrologDoc& doc) {
    std::vector<float> outputs;
    for (std::size_t i = 0; i < doc.Foods().size(); ++i) {
        ForwardPass(doc, 0, static_cast<int>(i));
        for (const CSymptom& symptom : doc.Symptoms()) outputs.push_back(symptom.m_output);
    }
    return outputs;
}

std::vector<std::uint32_t> ForwardStateBits(const CGastrologDoc& doc) {
    std::vector<float> values;
    for (const CFood& food : doc.Foods()) values.push_back(food.m_input);
    for (const CHidden& unit : doc.HiddenUnits())
        values.insert(values.end(), {unit.m_net, unit.m_output});
    for (const CSymptom& s : doc.Symptoms()) values.insert(values.end(), {s.m_net, s.m_output});
    return Bits(values);
}

class ListGeneration : public ::testing::Test {
protected:
    void SetUp() override {
        AddHiddenUnits(doc());
        Members(doc()).m_dayCount = 50;
    }
    CGastrologDoc& doc() { return diary.doc; }
    StringList Inclusions() { return NamesOf(doc().Inclusions()); }
    StringList Exclusions() { return NamesOf(doc().Exclusions()); }
    StringList Separate() { return NamesOf(doc().Over50Days()); }
    std::string WhereIs(const std::string& name) {
        const auto holds = [&name](const StringList& names) {
            return std::find(names.begin(), names.end(), name) != names.end();
        };
        if (holds(Inclusions())) return "inclusions";
        if (holds(Exclusions())) return "exclusions";
        if (holds(Separate())) return "separate";
        return "";
    }

    FakeDiary diary;
};

}  // namespace

// ---- scores and the baseline

TEST_F(ListGeneration, ScoreEqualToTheBaselineGoesToTheExclusions) {
    // New foods share their starting weights, so every score is the same and equals the mean.
    for (const char* name : {"Tea", "Milk", "Bread"}) AddFood(doc(), name, EatenToday);
    AddSymptoms(doc(), 2);
    const double baseline = GenerateAndKeepLists(doc(), 0);
    EXPECT_GT(baseline, 0.0);
    EXPECT_EQ(Exclusions(), (StringList{"Bread", "Milk", "Tea"}));
    EXPECT_TRUE(Inclusions().empty());
    for (const CFood& food : doc().Foods()) EXPECT_EQ(food.m_score, static_cast<float>(baseline));
}

TEST_F(ListGeneration, ScoreAboveTheBaselineGoesToTheInclusions) {
    AddFood(doc(), "Soothing", EatenToday).m_weight.fill(3.0f);
    AddFood(doc(), "Irritating", EatenToday).m_weight.fill(-3.0f);
    AddSymptoms(doc(), 2);
    for (CSymptom& symptom : Members(doc()).m_symptoms) symptom.m_weight.fill(2.0f);
    const double baseline = GenerateAndKeepLists(doc(), 0);
    EXPECT_EQ(Inclusions(), StringList{"Soothing"});
    EXPECT_EQ(Exclusions(), StringList{"Irritating"});
    EXPECT_GT(doc().Foods()[0].m_score, baseline);
    EXPECT_LT(doc().Foods()[1].m_score, baseline);
}

TEST_F(ListGeneration, ScoreIsTheSumOfTheSymptomOutputsOfTheTestPass) {
    AddFood(doc(), "Tea", EatenToday);
    AddFood(doc(), "Milk", HistoryWith({0, 12})).m_weight.fill(0.75f);
    AddSymptoms(doc(), 4);
    Members(doc()).m_symptoms[2].m_bias = -1.5f;
    GenerateAndKeepLists(doc(), 0);
    for (std::size_t i = 0; i < 2; ++i) {
        ForwardPass(doc(), 0, static_cast<int>(i));
        double sum = 0.0;
        for (const CSymptom& symptom : doc().Symptoms()) sum += symptom.m_output;
        EXPECT_EQ(doc().Foods()[i].m_score, static_cast<float>(sum)) << "food " << i;
    }
}

TEST_F(ListGeneration, WithoutSymptomsEveryRecentlyEatenFoodIsExcluded) {
    AddFood(doc(), "Tea", EatenToday);
    AddFood(doc(), "Old", EatenOnlyAtPositionZero);
    AddFood(doc(), "Upper", HistoryWith({1}, 'Y'));  // the upper-case mark counts as eaten
    EXPECT_EQ(GenerateAndKeepLists(doc(), 2), 0.0);
    EXPECT_EQ(Exclusions(), (StringList{"Tea", "Upper"}));
    EXPECT_EQ(Separate(), StringList{"Old"});
    EXPECT_EQ(doc().Foods()[0].m_score, 0.0f);
}

TEST_F(ListGeneration, WithoutFoodsTheListsAreEmptied) {
    AddSymptoms(doc(), 2);
    Members(doc()).m_inclusions.emplace_back("left over");
    Members(doc()).m_exclusions.emplace_back("left over");
    Members(doc()).m_over50Days.emplace_back("left over");
    EXPECT_EQ(GenerateAndKeepLists(doc(), 0), 0.0);
    EXPECT_TRUE(Inclusions().empty());
    EXPECT_TRUE(Exclusions().empty());
    EXPECT_TRUE(Separate().empty());
    EXPECT_TRUE(diary.host.IsModified());
    EXPECT_EQ(diary.host.m_updateCount, 1);
}

TEST_F(ListGeneration, AnIncompleteHiddenLayerStillGivesLists) {
    Members(doc()).m_hidden.resize(2);
    AddFood(doc(), "Tea", EatenToday);
    AddFood(doc(), "Milk", HistoryWith({0, 30}));
    AddSymptoms(doc(), 2);
    GenerateAndKeepLists(doc(), 0);
    EXPECT_EQ(Exclusions().size() + Inclusions().size(), 2u);
}

// ---- foods not eaten within the history

TEST_F(ListGeneration, FoodEatenOnlyOnTheOldestDayFollowsTheOption) {
    AddFood(doc(), "Old", EatenOnlyAtPositionZero);
    AddFood(doc(), "Never", NeverEaten);
    AddFood(doc(), "Tea", EatenToday);
    AddSymptoms(doc(), 1);
    const auto expectBothIn = [this](const char* list, const std::string& context) {
        EXPECT_EQ(WhereIs("Old"), list) << context;
        EXPECT_EQ(WhereIs("Never"), list) << context;
        EXPECT_NE(WhereIs("Tea"), "") << context;
    };

    GenerateAndKeepLists(doc());
    expectBothIn("inclusions", "option not set");
    for (const auto& [option, list] :
         {std::pair{0, "inclusions"}, std::pair{1, "exclusions"}, std::pair{2, "separate"},
          std::pair{5, "inclusions"}, std::pair{-1, "inclusions"}, std::pair{3, "inclusions"}}) {
        diary.settings.WriteInt("Settings", "50DayAction", option);
        GenerateAndKeepLists(doc());
        expectBothIn(list, "option " + std::to_string(option));
    }
    EXPECT_EQ(Inclusions().size() + Exclusions().size() + Separate().size(), 3u);
}

// ---- name order

TEST_F(ListGeneration, NamesDifferingInCaseKeepFoodListOrderBeforeLaterLetters) {
    for (const char* name : {"Banana", "apple", "Apple"}) AddFood(doc(), name, NeverEaten);
    GenerateAndKeepLists(doc(), 0);
    EXPECT_EQ(Inclusions(), (StringList{"apple", "Apple", "Banana"}));

    Members(doc()).m_foods.clear();
    for (const char* name : {"Apple", "banana", "apple"}) AddFood(doc(), name, NeverEaten);
    GenerateAndKeepLists(doc(), 0);
    EXPECT_EQ(Inclusions(), (StringList{"Apple", "apple", "banana"}));
}

TEST_F(ListGeneration, NamesAtOrBeyondTheSentinelAreListedAtTheEnd) {
    for (const char* name : {"\xE9\x63lair", "zzzzz", "apple", "Zucchini", "zzzzzz", "Zzzzz"})
        AddFood(doc(), name, NeverEaten);
    GenerateAndKeepLists(doc(), 0);
    EXPECT_EQ(Inclusions(),
              (StringList{"apple", "Zucchini", "zzzzz", "Zzzzz", "zzzzzz", "\xE9\x63lair"}));
}

// ---- the fast scorer agrees with the document's forward pass

TEST(TestPassScorer, MatchesTheForwardPassOfEveryFoodBitForBit) {
    CGastrologDoc fast, plain;
    FillRandomNetwork(fast, 60, 6, 11);
    FillRandomNetwork(plain, 60, 6, 11);
    const std::vector<float> outputs = TestPassScorer::SymptomOutputs(fast.Network());
    EXPECT_EQ(Bits(outputs), Bits(OutputsStepByStep(plain)));
    ASSERT_EQ(outputs.size(), 360u);
    // An infinite weight of an uneaten food still gives the same outputs.
    for (CGastrologDoc* doc : {&fast, &plain}) {
        Members(*doc).m_foods[3].m_history = NeverEaten;
        Members(*doc).m_foods[3].m_weight[0] = std::numeric_limits<float>::infinity();
    }
    EXPECT_EQ(Bits(TestPassScorer::SymptomOutputs(fast.Network())), Bits(OutputsStepByStep(plain)));
}

TEST(TestPassScorer, ZeroSumTakesTheSignTheUneatenFoodsWouldGiveIt) {
    CGastrologDoc fast, plain;
    for (CGastrologDoc* doc : {&fast, &plain}) {
        AddHiddenUnits(*doc);
        Members(*doc).m_hidden[1].m_bias = -0.0f;
        AddFood(*doc, "uneaten", NeverEaten).m_weight[1] = 0.5f;
        AddFood(*doc, "under test", NeverEaten).m_weight[1] = -0.0f;
        AddSymptoms(*doc, 1);
    }
    TestPassScorer::SymptomOutputs(fast.Network());
    ForwardPass(plain, 0, 1);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(plain.HiddenUnits()[1].m_net), 0u);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(fast.HiddenUnits()[1].m_net),
              std::bit_cast<std::uint32_t>(plain.HiddenUnits()[1].m_net));
}

TEST(ListGenerationState, LeavesTheNetworkAsTheLastFoodsTestPass) {
    CGastrologDoc generated, stepped;
    FillRandomNetwork(generated, 20, 3, 8);
    FillRandomNetwork(stepped, 20, 3, 8);
    GenerateAndKeepLists(generated, 0);
    ForwardPass(stepped, 0, 19);
    EXPECT_EQ(ForwardStateBits(generated), ForwardStateBits(stepped));
}

// ---- the two commands

namespace {

class WaitCursorCountingUi : public ScriptedUserInterface {
public:
    void BeginWaitCursor() override {
        ++shown;
        ScriptedUserInterface::BeginWaitCursor();
    }
    int shown = 0;
};

class ListCommands : public ::testing::Test {
protected:
    void SetUp() override {
        diary.doc.SetPorts({&diary.settings, &diary.host, &ui, &diary.progress, &diary.clock});
        AddHiddenUnits(diary.doc);
        AddFood(diary.doc, "Tea", EatenToday);
        AddFood(diary.doc, "Milk", HistoryWith({20}));
        AddSymptoms(diary.doc, 2);
        Members(diary.doc).m_dayCount = 12;
        Members(diary.doc).m_lastUpdate = LocalTime(2024, 3, 5, 9);
        Members(diary.doc).m_nextAction = 32779;
    }
    FakeDiary diary;
    WaitCursorCountingUi ui;
};

}  // namespace

TEST_F(ListCommands, CurrentListsLeaveTheCycleAlone) {
    Members(diary.doc).m_listsCurrent = false;
    OnGenerateCurrentLists(diary.doc);
    EXPECT_TRUE(diary.doc.ListsCurrent());
    EXPECT_EQ(diary.doc.NextAction(), 32779);
    EXPECT_EQ(diary.doc.Exclusions().size() + diary.doc.Inclusions().size(), 2u);
    EXPECT_EQ(ui.shown, 1);
    EXPECT_EQ(ui.waitCursorDepth, 0);
}

// The lists are not stored; only the network's last test pass is, in its units.
TEST_F(ListCommands, CurrentListsModifyTheDiaryOnlyWhenWhatIsStoredChanges) {
    const struct {
        const char* what;
        bool modifiedBefore, modifiedAfter;
    } cases[] = {
        {"the first lists leave a new test pass in the units", false, true},
        {"the same lists again, after a save", false, false},
        {"changes not yet saved stay unsaved", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        diary.host.SetModifiedFlag(c.modifiedBefore);
        OnGenerateCurrentLists(diary.doc);
        EXPECT_EQ(diary.host.IsModified(), c.modifiedAfter);
    }
    // Tomorrow's lists on the same day start no day: nothing stored changes either.
    diary.clock.Set(LocalTime(2024, 3, 5, 22));
    diary.host.SetModifiedFlag(false);
    OnGenerateTomorrowsLists(diary.doc);
    EXPECT_FALSE(diary.host.IsModified());
}

TEST_F(ListCommands, TomorrowsListsOnTheSameDayWaitForTheDayList) {
    diary.clock.Set(LocalTime(2024, 3, 5, 22));
    OnGenerateTomorrowsLists(diary.doc);
    EXPECT_FALSE(diary.doc.ListsCurrent());
    EXPECT_EQ(diary.doc.NextAction(), 32771);
    EXPECT_EQ(diary.doc.Foods()[0].m_history, EatenToday);
    EXPECT_EQ(diary.doc.DayCount(), 12);
    EXPECT_EQ(ui.shown, 1);
}

TEST_F(ListCommands, TomorrowsListsOnANewDayRollTheHistoriesOnlyWhenAccepted) {
    diary.clock.Set(LocalTime(2024, 3, 6, 10));
    ui.ExpectQuestion(text::NewDayAfterLists, false);
    OnGenerateTomorrowsLists(diary.doc);
    EXPECT_EQ(diary.doc.NextAction(), 32771);
    EXPECT_EQ(diary.doc.Foods()[0].m_history, EatenToday);

    ui.ExpectQuestion(text::NewDayAfterLists, true);
    OnGenerateTomorrowsLists(diary.doc);
    EXPECT_EQ(diary.doc.NextAction(), 32780);
    EXPECT_EQ(diary.doc.Foods()[0].m_history, HistoryWith({48}));
    EXPECT_EQ(diary.doc.DayCount(), 13);
    // The lists were made before the roll: Tea was eaten within the history.
    EXPECT_TRUE(diary.doc.Over50Days().empty());
}

// ---- a diary whose answer is plain

TEST(ListsAfterTraining, FoodsFollowedByWorseDaysAreExcludedAndByBetterDaysIncluded) {
    FakeDiary diary;
    CGastrologDoc& doc = diary.doc;
    AddHiddenUnits(doc);
    std::string chili(50, 'n'), oats(50, 'n'), rice(50, 'n'), stomach(50, 'n');
    for (int day = 1; day + 1 < 50; day += 6) {
        chili[static_cast<std::size_t>(day)] = 'y';
        stomach[static_cast<std::size_t>(day + 1)] = 'w';
        oats[static_cast<std::size_t>(day + 3)] = 'y';
        if (day + 4 < 50) stomach[static_cast<std::size_t>(day + 4)] = 'b';
    }
    for (int day = 0; day < 50; day += 2) rice[static_cast<std::size_t>(day)] = 'y';
    AddFood(doc, "Chili", chili);
    AddFood(doc, "Oats", oats);
    AddFood(doc, "Rice", rice);
    Members(doc).m_symptoms.emplace_back("Stomach").m_history = stomach;
    Members(doc).m_dayCount = 50;
    OnUpdateConnections(doc);
    GenerateAndKeepLists(doc, 0);

    const StringList included = NamesOf(doc.Inclusions());
    const StringList excluded = NamesOf(doc.Exclusions());
    EXPECT_NE(std::find(excluded.begin(), excluded.end(), "Chili"), excluded.end());
    EXPECT_NE(std::find(included.begin(), included.end(), "Oats"), included.end());
    EXPECT_GT(doc.Foods()[1].m_score, doc.Foods()[0].m_score);
}
