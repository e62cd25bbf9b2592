#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

#include "cli/Assessment.h"
#include "cli/EvidenceAssessment.h"
#include "cli/EvidenceWorld.h"
#include "cli/FoodCatalog.h"
#include "cli/Simulation.h"
#include "diary/GastrologDoc.h"
#include "tests/cli/CliTestSupport.h"

TEST(Assess, TalliesEveryReadingWithAndWithoutLinks) {
    Assessment assessment;
    int reported = 0;
    ASSERT_EQ(RunAssessment({.seeds = 3, .days = 30}, assessment,
                            [&](int done, int total) {
                                EXPECT_EQ(done, ++reported);
                                EXPECT_EQ(total, 3);
                            })
                  .Message(),
              "");
    EXPECT_EQ(assessment.diaries, 3);
    // 30 foods plant 3 worsening and 2 bettering links in every diary.
    const struct {
        AssessedReading reading;
        int links;
    } cases[] = {{AssessedReading::Exclusions, 9},
                 {AssessedReading::Inclusions, 6},
                 {AssessedReading::Relate, 15},
                 {AssessedReading::EvidenceStrong, 15},
                 {AssessedReading::EvidenceSome, 15}};
    for (const auto& c : cases) {
        SCOPED_TRACE(AssessedReadingName(c.reading));
        const ReadingTally& linked = assessment.withLinks[static_cast<std::size_t>(c.reading)];
        const ReadingTally& unlinked = assessment.withoutLinks[static_cast<std::size_t>(c.reading)];
        EXPECT_EQ(linked.links, c.links);
        EXPECT_LE(linked.linksFound, linked.links);
        EXPECT_LE(linked.trueVerdicts + linked.harmlessVerdicts, linked.verdicts);
        // Without links nothing can be true, and every verdict is on a harmless food.
        EXPECT_EQ(unlinked.links, 0);
        EXPECT_EQ(unlinked.trueVerdicts, 0);
        EXPECT_EQ(unlinked.harmlessVerdicts, unlinked.verdicts);
    }
    // The lists name every food one way or the other.
    const auto& with = assessment.withLinks;
    EXPECT_EQ(with[0].verdicts + with[1].verdicts, 3 * 30);
    // "strong" is a part of "strong or some".
    EXPECT_LE(with[3].verdicts, with[4].verdicts);
    EXPECT_LE(with[3].linksFound, with[4].linksFound);
}

TEST(Assess, CommandPrintsBothTables) {
    const CliRun run = RunCli({"assess", "--seeds", "1", "--days", "12", "--foods", "8"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, ::testing::HasSubstr(
                             "Assessed on 1 simulated diaries (seeds 1 to 1) of 12 days, 8 foods"));
    for (const char* row : {"Exclusion list", "Inclusion list", "Relate Foods to Symptoms",
                            "Evidence \"strong\"", "Evidence \"strong\" or \"some\""}) {
        const auto first = run.out.find(std::string("  ") + row + "  ");
        ASSERT_NE(first, std::string::npos) << row;
        EXPECT_NE(run.out.find(std::string("  ") + row + "  ", first + 1), std::string::npos)
            << row;
    }
}

// A diary without links records the same foods as its twin with links; only the ratings
// differ, and it plants nothing.
TEST(SimulateWithoutLinks, KeepsTheFoodsAndCutsTheLinks) {
    SimulationOptions options;
    options.days = 15;
    options.seed = 4;
    options.foods = 12;
    options.trainLastDayOnly = true;
    DiarySimulation linked(options);
    options.noLinks = true;
    DiarySimulation unlinked(options);
    ASSERT_EQ(linked.Run().Message(), "");
    ASSERT_EQ(unlinked.Run().Message(), "");
    EXPECT_FALSE(linked.Triggers().empty());
    EXPECT_TRUE(unlinked.Triggers().empty());
    ASSERT_EQ(linked.Journal().size(), unlinked.Journal().size());
    bool ratingsDiffer = false;
    for (std::size_t day = 0; day < linked.Journal().size(); ++day) {
        EXPECT_EQ(linked.Journal()[day].foods, unlinked.Journal()[day].foods);
        ratingsDiffer =
            ratingsDiffer || linked.Journal()[day].ratings != unlinked.Journal()[day].ratings;
    }
    EXPECT_TRUE(ratingsDiffer);

    ScratchFolder folder;
    const CliRun run = RunCli(
        {"simulate", "--days", "3", "--seed", "1", "--no-links", "-o", folder.File("x.glg")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, ::testing::HasSubstr("No food does anything in this diary"));
}

// Beyond the catalog the diet goes on with made-up foods.
TEST(SimulateManyFoods, NamesFoodsBeyondTheCatalog) {
    const std::size_t catalog = CatalogFoodCount();
    const struct {
        std::size_t count;
        std::string last;
    } cases[] = {{catalog, CatalogFoods(catalog).back().name},
                 {catalog + 1, "Food " + std::to_string(catalog + 1)},
                 {500, "Food 500"}};
    for (const auto& c : cases) {
        const auto foods = CatalogFoods(c.count);
        ASSERT_EQ(foods.size(), c.count);
        EXPECT_EQ(foods.back().name, c.last);
        EXPECT_EQ(CatalogFoods(c.count - 1).back().name, foods[c.count - 2].name);
    }
    SimulationOptions options;
    options.days = 4;
    options.foods = 300;
    options.trainLastDayOnly = true;
    DiarySimulation simulation(options);
    ASSERT_EQ(simulation.Run().Message(), "");
    EXPECT_GT(simulation.Doc().Foods().size(), catalog);
}

// The evidence's own assessment: the worlds keep their days when the links are cut, foods
// come and go, and every rule is tallied at every length.
TEST(AssessEvidence, TalliesEachRuleAtEachLengthOnWorldsWithAndWithoutLinks) {
    EvidenceWorldOptions options{365, 3, 40, 5, WorldDelays::Mixed, false};
    const EvidenceWorld linked = MakeEvidenceWorld(options);
    options.noLinks = true;
    const EvidenceWorld linkFree = MakeEvidenceWorld(options);
    EXPECT_EQ(linked.links.size(), 15u);  // three a symptom, two of them worsening
    EXPECT_TRUE(linkFree.links.empty());
    ASSERT_EQ(linked.input.days.size(), 365u);
    bool ratingsDiffer = false, aFoodLeftForWeeks = false;
    for (std::size_t d = 0; d < 365; ++d) {
        EXPECT_EQ(linked.input.days[d].eaten, linkFree.input.days[d].eaten);
        ratingsDiffer =
            ratingsDiffer || linked.input.days[d].ratings != linkFree.input.days[d].ratings;
    }
    for (const std::string& food : linked.input.foods) {
        int absent = 0;
        for (const lived::LivedDay& day : linked.input.days) {
            const bool eaten =
                std::find(day.eaten.begin(), day.eaten.end(), food) != day.eaten.end();
            absent = eaten ? 0 : absent + 1;
            aFoodLeftForWeeks = aFoodLeftForWeeks || absent >= 28;
        }
    }
    EXPECT_TRUE(ratingsDiffer);
    EXPECT_TRUE(aFoodLeftForWeeks);
    // Every fifth food rides with the one before, except in a steady world.
    EXPECT_EQ(linked.companions[4], 3);
    EXPECT_EQ(linked.companions[3], -1);
    options.steady = true;
    const EvidenceWorld steady = MakeEvidenceWorld(options);
    EXPECT_TRUE(std::all_of(steady.companions.begin(), steady.companions.end(),
                            [](int companion) { return companion < 0; }));

    EvidenceAssessment assessment;
    ASSERT_EQ(RunEvidenceAssessment({.seeds = 3, .lengths = {50, 120}}, assessment).Message(), "");
    ASSERT_EQ(assessment.tallies.size(), 2u);
    for (const auto& rules : assessment.tallies) {
        ASSERT_EQ(rules.size(), 5u);
        for (const EvidenceRuleTally& tally : rules) {
            EXPECT_EQ(tally.worseningLinks, 3 * 2 * 5);
            EXPECT_LE(tally.linkFreeDiariesWithStrong, 3);
        }
        // The adjusted tally's words are p below 0.001 alone, so a threshold above finds at
        // least the clear links "strong" found, one below at most those.
        const EvidenceRuleTally& adjusted = rules[3];
        EXPECT_GT(adjusted.clearLinks, 0);
        if (adjusted.calibratedStrongBelow >= 0.001)
            EXPECT_GE(adjusted.clearFoundCalibrated, adjusted.clearFound);
        else
            EXPECT_LE(adjusted.clearFoundCalibrated, adjusted.clearFound);
    }
    std::ostringstream out;
    WriteEvidenceAssessment(assessment, out);
    EXPECT_THAT(out.str(), ::testing::HasSubstr("120 days:"));
    EXPECT_THAT(out.str(), ::testing::HasSubstr("Adjusted, delays 0-3"));
    EXPECT_THAT(out.str(),
                ::testing::HasSubstr("calibrated on the link-free diaries of seeds 4 to 6"));

    const struct {
        const char* text;
        bool valid;
        std::vector<int> lengths;
    } cases[] = {{"50/180/365", true, {50, 180, 365}},
                 {"90", true, {90}},
                 {"50,100", true, {50, 100}},
                 {"", false, {}},
                 {"50//90", false, {}},
                 {"1", false, {}},
                 {"x", false, {}},
                 {"99999", false, {}}};
    for (const auto& c : cases) {
        std::vector<int> lengths;
        EXPECT_EQ(ParseAssessedLengths(c.text, lengths), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(lengths, c.lengths) << c.text;
        }
    }
}

// A clear link: at least one noise deviation, its food eaten on at least ten of the pairs
// (day, day + delay) and left out on at least ten; a rider has no link of its own.
TEST(AssessEvidence, ClearLinksAndRiders) {
    const struct {
        double size;
        int days;
        int eatenOnDays;  // the first days of the diary
        int delay;
        bool clear;
    } cases[] = {{1.0, 30, 10, 1, true},  {0.99, 30, 10, 1, false}, {1.0, 30, 9, 1, false},
                 {1.5, 30, 18, 2, true},  // 28 pairs at two days: left out on 10
                 {1.5, 29, 18, 2, false}, {2.0, 12, 12, 0, false}};
    EvidenceWorld world;
    world.input.foods = {"Milk", "Cheese", "Bread"};
    world.input.symptoms = {"Bloating"};
    world.companions = {-1, 0, -1};
    for (const auto& c : cases) {
        world.input.days.clear();
        for (int d = 0; d < c.days; ++d) {
            lived::LivedDay day;
            day.date = 20000 + d;
            if (d < c.eatenOnDays) day.eaten = {"Milk", "Cheese"};
            world.input.days.push_back(day);
        }
        world.links = {{0, 0, true, c.size, c.delay, false}};
        EXPECT_EQ(IsClearLink(world, world.links.front()), c.clear)
            << c.size << " " << c.days << " " << c.eatenOnDays << " " << c.delay;
    }
    EXPECT_FALSE(RidesWithLinkedFood(world, 0));
    EXPECT_TRUE(RidesWithLinkedFood(world, 1));
    EXPECT_FALSE(RidesWithLinkedFood(world, 2));
}

// The goals are checked for the adjusted tally the day after, each at its edge.
TEST(AssessEvidence, GoalsAreMetAtTheirEdges) {
    const struct {
        int length;
        int clearFound;  // of 100
        int linkFreeStrong;
        int linkedFalseStrong;  // per 100 diaries
        std::vector<bool> met;
    } cases[] = {{50, 50, 10, 10, {true, true, true}},
                 {50, 49, 11, 10, {false, false, true}},
                 {180, 75, 10, 11, {true, true, false}},
                 {180, 74, 0, 0, {false, true, true}},
                 {365, 10, 10, 10, {true, true}}};
    for (const auto& c : cases) {
        EvidenceAssessment assessment;
        assessment.diaries = 100;
        assessment.lengths = {c.length};
        assessment.tallies = {std::vector<EvidenceRuleTally>(5)};
        assessment.tallies[0][3] = {.clearLinks = 100,
                                    .clearFound = c.clearFound,
                                    .linkedDiaryFalseStrong = c.linkedFalseStrong,
                                    .linkFreeStrong = c.linkFreeStrong};
        std::vector<bool> met;
        for (const EvidenceGoal& goal : EvidenceGoals(assessment)) met.push_back(goal.met);
        EXPECT_EQ(met, c.met) << c.length;
    }
}
