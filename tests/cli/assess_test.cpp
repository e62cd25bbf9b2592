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

TEST(Assess, CommandPrintsBothTablesAndRefusesBadOptions) {
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
    for (const auto& [option, value] : std::vector<std::pair<std::string, std::string>>{
             {"--seeds", "0"}, {"--days", "0"}, {"--foods", "2001"}, {"--symptoms", "21"}}) {
        std::vector<std::string> arguments{"assess", option, value};
        if (option != "--seeds") arguments.insert(arguments.end(), {"--seeds", "1"});
        const CliRun refused = RunCli(arguments);
        EXPECT_EQ(refused.status, 2) << option;
        EXPECT_THAT(refused.err, ::testing::HasSubstr(option));
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

    EvidenceAssessment assessment;
    ASSERT_EQ(RunEvidenceAssessment({.seeds = 2, .lengths = {50, 120}}, assessment).Message(), "");
    ASSERT_EQ(assessment.tallies.size(), 2u);
    for (const auto& rules : assessment.tallies) {
        ASSERT_EQ(rules.size(), 4u);
        for (const EvidenceRuleTally& tally : rules) {
            EXPECT_EQ(tally.worseningLinks, 2 * 2 * 5);
            EXPECT_LE(tally.worseningFound, tally.worseningLinks);
            EXPECT_LE(tally.linkFreeDiariesWithStrong, 2);
        }
    }
    std::ostringstream out;
    WriteEvidenceAssessment(assessment, out);
    EXPECT_THAT(out.str(), ::testing::HasSubstr("120 days:"));
    EXPECT_THAT(out.str(), ::testing::HasSubstr("Adjusted tally, delays 0-3"));

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
