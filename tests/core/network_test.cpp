#include "engine/Network.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "diary/GastrologDoc.h"
#include "diary/PseudoRandom.h"
#include "engine/EngineCommands.h"
#include "engine/FastTrainer.h"
#include "engine/NetworkArithmetic.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"

namespace {

constexpr int Epochs = 5000;

void AddHiddenUnits(CGastrologDoc& doc, int count = 5) {
    for (int k = 0; k < count; ++k) Members(doc).m_hidden.emplace_back(std::to_string(k));
}

// A 50-day history with `mark` at the given positions and `rest` elsewhere.
std::string HistoryWith(std::initializer_list<int> positions, char mark = 'y', char rest = 'n') {
    std::string history(50, rest);
    for (const int position : positions) history[static_cast<std::size_t>(position)] = mark;
    return history;
}

CFood& AddFood(CGastrologDoc& doc, const std::string& name, const std::string& history) {
    CFood& food = Members(doc).m_foods.emplace_back(name);
    food.m_history = history;
    return food;
}

CSymptom& AddSymptom(CGastrologDoc& doc, const std::string& name, const std::string& history) {
    CSymptom& symptom = Members(doc).m_symptoms.emplace_back(name);
    symptom.m_history = history;
    return symptom;
}

// A diary of random days: foods eaten about one day in five (sometimes marked "Y"), symptoms
// rated better, worse or unchanged at random.
void FillRandomDiary(CGastrologDoc& doc, int foods, int symptoms, unsigned seed,
                     int dayCount = 60) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> percent(0, 99);
    for (int i = 0; i < foods; ++i) {
        std::string history(50, 'n');
        for (char& code : history) {
            const int roll = percent(random);
            code = roll < 18 ? 'y' : roll < 20 ? 'Y' : 'n';
        }
        AddFood(doc, "Food " + std::to_string(i), history);
    }
    for (int s = 0; s < symptoms; ++s) {
        std::string history(50, 'n');
        for (char& code : history) {
            const int roll = percent(random);
            code = roll < 30 ? 'b' : roll < 60 ? 'w' : roll < 65 ? 'x' : 'n';
        }
        AddSymptom(doc, "Symptom " + std::to_string(s), history);
    }
    AddHiddenUnits(doc);
    Members(doc).m_dayCount = dayCount;
}

// Every network value of the document, as stored bits (so +0 and −0 differ).
std::vector<std::uint32_t> NetworkBits(const CGastrologDoc& doc) {
    std::vector<float> values;
    const auto addWeights = [&values](const auto& owner) {
        for (const UnitWeights* w : {&owner.m_weight, &owner.m_weightGrad, &owner.m_weightStep})
            values.insert(values.end(), w->begin(), w->end());
    };
    for (const CFood& food : doc.Foods()) {
        values.push_back(food.m_input);
        addWeights(food);
    }
    for (const CSymptom& s : doc.Symptoms()) {
        values.insert(values.end(), {s.m_spare, s.m_net, s.m_output, s.m_error, s.m_delta, s.m_bias,
                                     s.m_biasGrad, s.m_biasStep});
        addWeights(s);
    }
    for (const CHidden& h : doc.HiddenUnits())
        values.insert(values.end(), {h.m_net, h.m_output, h.m_error, h.m_delta, h.m_bias,
                                     h.m_biasGrad, h.m_biasStep});
    std::vector<std::uint32_t> bits;
    for (const float value : values) bits.push_back(std::bit_cast<std::uint32_t>(value));
    return bits;
}

// The patterns written out by hand, one operation at a time, for target days 49 down to oldest.
void RunPatternsByHand(CGastrologDoc& doc, int epochs, int oldest) {
    for (int epoch = 0; epoch < epochs; ++epoch)
        for (int target = 49; target >= oldest; --target) {
            ForwardPass(doc, target - 1, -1);
            BackPropagate(doc, target);
            AccumulateGradients(doc);
            ApplyChanges(doc);
        }
}

}  // namespace

// ---- starting weights

TEST(NetworkReset, DrawsFromSeed12345UnitByUnitOverAllFoodsThenAllSymptoms) {
    PseudoRandom first(12345);
    const int draws[] = {7584, 19164, 25795, 22125, 5828};
    for (const int draw : draws) EXPECT_EQ(first.Draw(), draw);
    CGastrologDoc single;
    AddHiddenUnits(single);
    AddFood(single, "Tea", HistoryWith({49}));
    ResetNetwork(single);
    const double expected[] = {-0.2685476, 0.0848567, 0.2872249, 0.1752220, -0.3221381};
    for (std::size_t j = 0; j < 5; ++j) {
        EXPECT_NEAR(single.Foods()[0].m_weight[j], expected[j], 1e-7);
        EXPECT_EQ(single.Foods()[0].m_weight[j],
                  static_cast<float>(draws[j] * 3.0518507e-05 - 0.5));
    }

    CGastrologDoc doc;
    AddHiddenUnits(doc);
    AddFood(doc, "Tea", HistoryWith({49}));
    AddFood(doc, "Milk", HistoryWith({49}));
    AddSymptom(doc, "Headache", HistoryWith({}));
    Members(doc).m_foods[0].m_weight.fill(9.0f);
    ResetNetwork(doc);
    PseudoRandom random(12345);
    for (std::size_t j = 0; j < 5; ++j) {
        EXPECT_EQ(doc.Foods()[0].m_weight[j], random.DrawWeight()) << "unit " << j;
        EXPECT_EQ(doc.Foods()[1].m_weight[j], random.DrawWeight()) << "unit " << j;
        EXPECT_EQ(doc.Symptoms()[0].m_weight[j], random.DrawWeight()) << "unit " << j;
    }
}

TEST(NetworkReset, ClearsEveryOtherNetworkValueButLeavesScores) {
    CGastrologDoc trained, fresh;  // a fresh diary holds only zeros besides the weights
    FillRandomDiary(trained, 3, 2, 1);
    FillRandomDiary(fresh, 3, 2, 1);
    TrainNetwork(trained);
    Members(trained).m_foods[0].m_score = 2.5f;
    Members(trained).m_symptoms[1].m_spare = 4.0f;
    ResetNetwork(trained);
    ResetNetwork(fresh);
    EXPECT_EQ(NetworkBits(trained), NetworkBits(fresh));
    EXPECT_EQ(trained.Foods()[0].m_score, 2.5f);
}

// ---- one forward pass

TEST(NetworkForwardPass, HiddenOutputsFollowTheClampedLogisticOfTheirNetInput) {
    EXPECT_EQ(network::Logistic(1.0f), static_cast<float>(1.0 / (1.0 + std::exp(-1.0))));
    CGastrologDoc doc;
    AddHiddenUnits(doc);
    Members(doc).m_hidden[0].m_bias = 12.0f;
    Members(doc).m_hidden[1].m_bias = -12.0f;
    ForwardPass(doc, 48, -1);
    EXPECT_EQ(doc.HiddenUnits()[0].m_output, 0.99999f);
    EXPECT_EQ(doc.HiddenUnits()[1].m_output, 0.00001f);
    EXPECT_EQ(doc.HiddenUnits()[2].m_output, 0.5f);
}

TEST(NetworkForwardPass, ThreeDayWindowCountsThirdsOfEatenDays) {
    CGastrologDoc doc;
    AddHiddenUnits(doc);
    AddFood(doc, "47 only", HistoryWith({47}));
    AddFood(doc, "45 to 47", HistoryWith({45, 46, 47}));
    AddFood(doc, "44 and 46", HistoryWith({44, 46}));
    AddFood(doc, "upper case", HistoryWith({46, 47}, 'Y'));
    AddFood(doc, "on the day", HistoryWith({48}));
    ForwardPass(doc, 48, -1);
    EXPECT_EQ(doc.Foods()[0].m_input, 0.33333334f);
    EXPECT_EQ(doc.Foods()[1].m_input, 1.0f);
    EXPECT_EQ(doc.Foods()[2].m_input, 0.33333334f);
    EXPECT_EQ(doc.Foods()[3].m_input, 2.0f * 0.33333334f);
    EXPECT_EQ(doc.Foods()[4].m_input, 1.0f);
}

TEST(NetworkForwardPass, OldestPositionNeverEntersTheWindow) {
    CGastrologDoc doc;
    AddHiddenUnits(doc);
    AddFood(doc, "position 0", HistoryWith({0}));
    AddFood(doc, "position 1", HistoryWith({1}));
    AddFood(doc, "not eaten", HistoryWith({}));
    ForwardPass(doc, 3, -1);
    EXPECT_EQ(doc.Foods()[0].m_input, 0.0f);
    EXPECT_EQ(doc.Foods()[1].m_input, 0.33333334f);
    ForwardPass(doc, 1, -1);
    EXPECT_EQ(doc.Foods()[1].m_input, 1.0f);
    ForwardPass(doc, 2, 2);  // the food under test is always 1
    EXPECT_EQ(doc.Foods()[0].m_input, 0.0f);
    EXPECT_EQ(doc.Foods()[1].m_input, 0.33333334f);
    EXPECT_EQ(doc.Foods()[2].m_input, 1.0f);
}

TEST(NetworkForwardPass, NetInputIsRoundedAfterEveryAddition) {
    CGastrologDoc doc;
    AddHiddenUnits(doc);
    // 1 + 2^-24 + 2^-24: each small term alone is lost when rounded to float, together not.
    Members(doc).m_hidden[0].m_bias = 1.0f;
    for (const char* name : {"A", "B"}) AddFood(doc, name, HistoryWith({10}));
    for (CFood& food : Members(doc).m_foods) food.m_weight[0] = std::ldexp(1.0f, -24);
    ForwardPass(doc, 10, -1);
    EXPECT_EQ(doc.HiddenUnits()[0].m_net, 1.0f);
}

// ---- one backward pass

TEST(NetworkBackPropagate, TargetsAreOneMinusOneOrZero) {
    CGastrologDoc doc;
    AddHiddenUnits(doc);
    AddSymptom(doc, "better", HistoryWith({20}, 'b'));
    AddSymptom(doc, "worse", HistoryWith({20}, 'w'));
    AddSymptom(doc, "other code", HistoryWith({20}, 'x'));
    AddSymptom(doc, "upper case", HistoryWith({20}, 'B'));
    ForwardPass(doc, 19, -1);
    BackPropagate(doc, 20);
    const double targets[] = {1.0, -1.0, 0.0, 0.0};
    for (std::size_t s = 0; s < 4; ++s) {
        const CSymptom& symptom = doc.Symptoms()[s];
        EXPECT_EQ(symptom.m_error, static_cast<float>(targets[s] - symptom.m_output));
        const double out = symptom.m_output;
        EXPECT_EQ(symptom.m_delta, static_cast<float>((1.0 - out) * symptom.m_error * out));
    }
}

// ---- training runs

// Small diaries whose every day carries information, so any extra or missing pattern shows.
TEST(NetworkTraining, TrainsOnePatternPerDayAfterTheFirstUpToFortyNine) {
    const struct {
        int foods, symptoms;
        unsigned seed;
        int dayCount, oldestTarget;
    } cases[] = {{4, 2, 7, 2, 49},
                 {4, 2, 7, 10, 41},  // the newest positions only
                 {4, 2, 7, 50, 1},
                 {4, 2, 7, 75, 1},       // never more than 49
                 {60, 8, 2024, 60, 1}};  // a larger diary: the fast path matches step by step
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.foods << " foods, day count " << c.dayCount);
        CGastrologDoc trained, byHand, reset;
        for (CGastrologDoc* doc : {&trained, &byHand, &reset})
            FillRandomDiary(*doc, c.foods, c.symptoms, c.seed, c.dayCount);
        TrainNetwork(trained);
        ResetNetwork(byHand);
        RunPatternsByHand(byHand, Epochs, c.oldestTarget);
        EXPECT_EQ(NetworkBits(trained), NetworkBits(byHand));
        TrainNetwork(trained);  // starts again from the reset
        EXPECT_EQ(NetworkBits(trained), NetworkBits(byHand));
        ResetNetwork(reset);  // the run must have moved the weights away from the reset values
        EXPECT_NE(trained.Foods()[0].m_weight, reset.Foods()[0].m_weight);
    }
}

TEST(NetworkTraining, NoPatternBeforeTheSecondDayLeavesTheResetNetwork) {
    for (const int dayCount : {0, 1, -3}) {
        FakeDiary diary;
        FillRandomDiary(diary.doc, 4, 2, 7, dayCount);
        CGastrologDoc reset;
        FillRandomDiary(reset, 4, 2, 7, dayCount);
        ResetNetwork(reset);
        OnUpdateConnections(diary.doc);
        EXPECT_EQ(NetworkBits(diary.doc), NetworkBits(reset)) << "day count " << dayCount;
        EXPECT_EQ(diary.progress.steps, Epochs);
        EXPECT_EQ(diary.doc.NextAction(), 32779);
    }
}

// The fast path leaves out foods whose input is 0; these cases are where that would show.
class FastTrainerEdges : public ::testing::Test {
protected:
    void SetUp() override {
        for (CGastrologDoc* doc : {&fast, &plain}) {
            AddHiddenUnits(*doc);
            AddFood(*doc, "eaten", HistoryWith({48}));
            AddFood(*doc, "never eaten", HistoryWith({}));
            AddSymptom(*doc, "Headache", HistoryWith({49}, 'b'));
            Members(*doc).m_dayCount = 2;
        }
    }
    void ExpectSameAfter(int epochs) {
        FastTrainer::Train(fast.Network(), epochs);
        RunPatternsByHand(plain, epochs, 49);
        EXPECT_EQ(NetworkBits(fast), NetworkBits(plain));
    }
    template <typename Change>
    void ChangeBoth(Change change) {
        change(fast);
        change(plain);
    }
    CGastrologDoc fast, plain;
};

TEST_F(FastTrainerEdges, NegativeZeroSumTakesTheSignTheSkippedTermsGive) {
    // −0 + (+0 × 0.5) is +0: the uneaten food's term changes the sign of a zero sum.
    ChangeBoth([](CGastrologDoc& doc) {
        Members(doc).m_hidden[0].m_bias = -0.0f;
        Members(doc).m_foods[0].m_weight[0] = -0.0f;
        Members(doc).m_foods[1].m_weight[0] = 0.5f;
    });
    ExpectSameAfter(1);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(plain.HiddenUnits()[0].m_net), 0u);
}

TEST_F(FastTrainerEdges, InfiniteWeightOfAnUneatenFoodPoisonsTheSum) {
    ChangeBoth([](CGastrologDoc& doc) {
        Members(doc).m_foods[1].m_weight[2] = std::numeric_limits<float>::infinity();
    });
    ExpectSameAfter(3);
    EXPECT_TRUE(std::isnan(fast.HiddenUnits()[2].m_net));
}

TEST_F(FastTrainerEdges, GradientsLeftFromAnEarlierPatternAreAddedTo) {
    ChangeBoth([](CGastrologDoc& doc) {
        Members(doc).m_foods[0].m_weightGrad[1] = 0.25f;
        Members(doc).m_foods[1].m_weightGrad[3] = -0.0f;
        Members(doc).m_foods[1].m_weightStep[4] = 0.125f;
    });
    ExpectSameAfter(2);
}

TEST_F(FastTrainerEdges, MissingAndExtraHiddenUnitsAreHandledWithoutFailing) {
    ChangeBoth([](CGastrologDoc& doc) { Members(doc).m_hidden.resize(3); });
    ExpectSameAfter(4);
    ChangeBoth([](CGastrologDoc& doc) { Members(doc).m_hidden.clear(); });
    ExpectSameAfter(2);
    ChangeBoth([](CGastrologDoc& doc) {
        AddHiddenUnits(doc, 7);
        Members(doc).m_hidden[6].m_bias = 3.0f;
    });
    ExpectSameAfter(2);
    EXPECT_EQ(fast.HiddenUnits()[6].m_bias, 3.0f);  // not part of the network
}

TEST(NetworkTraining, ShortOrMissingHistoriesReadAsNotEaten) {
    CGastrologDoc doc;
    AddHiddenUnits(doc);
    AddFood(doc, "short", "yy");
    AddFood(doc, "empty", "");
    AddSymptom(doc, "short", "bw");
    Members(doc).m_dayCount = 50;
    TrainNetwork(doc);
    ForwardPass(doc, 2, -1);
    EXPECT_EQ(doc.Foods()[0].m_input, 0.33333334f);
    EXPECT_EQ(doc.Foods()[1].m_input, 0.0f);
}

// ---- the command

// Records what the user sees while the network is trained.
class WatchingProgress : public CountingProgress {
public:
    explicit WatchingProgress(const ScriptedUserInterface& ui) : m_ui(ui) {}
    void StepIt() override {
        CountingProgress::StepIt();
        if (m_ui.waitCursorDepth != 1) ++stepsWithoutWaitCursor;
        if (opened != 1 || closed != 0) ++stepsOutsideTheWindow;
    }
    int stepsWithoutWaitCursor = 0;
    int stepsOutsideTheWindow = 0;

private:
    const ScriptedUserInterface& m_ui;
};

TEST(UpdateConnections, ShowsProgressPerEpochAndMovesTheCycleOn) {
    FakeDiary diary;
    WatchingProgress progress(diary.ui);
    diary.doc.SetPorts({&diary.settings, &diary.host, &diary.ui, &progress, &diary.clock});
    FillRandomDiary(diary.doc, 4, 2, 7, 30);
    Members(diary.doc).m_nextAction = 32772;
    OnUpdateConnections(diary.doc);

    EXPECT_EQ(progress.opened, 1);
    EXPECT_EQ(progress.closed, 1);
    EXPECT_EQ(progress.lower, 0);
    EXPECT_EQ(progress.upper, 5000);
    EXPECT_EQ(progress.position, 0);
    EXPECT_EQ(progress.step, 1);
    EXPECT_EQ(progress.steps, 5000);
    EXPECT_EQ(progress.stepsWithoutWaitCursor, 0);
    EXPECT_EQ(progress.stepsOutsideTheWindow, 0);
    EXPECT_EQ(diary.ui.waitCursorDepth, 0);
    EXPECT_TRUE(diary.host.IsModified());
    EXPECT_EQ(diary.host.m_updateCount, 1);
    EXPECT_EQ(diary.doc.NextAction(), 32779);

    CGastrologDoc quiet;
    FillRandomDiary(quiet, 4, 2, 7, 30);
    TrainNetwork(quiet);
    EXPECT_EQ(NetworkBits(diary.doc), NetworkBits(quiet));
    EXPECT_EQ(quiet.NextAction(), 0);  // the plain run leaves the cycle alone
}
