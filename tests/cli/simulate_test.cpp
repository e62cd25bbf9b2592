#include <gtest/gtest.h>

#include <algorithm>

#include "cli/FoodCatalog.h"
#include "cli/Simulation.h"
#include "cli/SimulationReport.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/EngineSteps.h"

namespace {

SimulationOptions Options(int days, std::uint32_t seed, int foods, int symptoms) {
    SimulationOptions options;
    options.days = days;
    options.seed = seed;
    options.foods = foods;
    options.symptoms = symptoms;
    options.trainLastDayOnly = true;
    return options;
}

const CFood* FindFood(const CGastrologDoc& doc, const std::string& name) {
    for (const CFood& food : doc.Foods())
        if (food.m_name == name) return &food;
    return nullptr;
}

TEST(Simulate, SameSeedGivesTheSameDiaryAndAnotherSeedAnother) {
    ScratchFolder folder;
    const std::string first = folder.File("first.glg"), again = folder.File("again.glg"),
                      other = folder.File("other.glg");
    const CliRun run = RunCli({"simulate", "--days", "15", "--seed", "11", "--foods", "12",
                               "--symptoms", "2", "--train-last-day-only", "-o", first});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(RunCli({"simulate", "--days", "15", "--seed", "11", "--foods", "12", "--symptoms",
                      "2", "--train-last-day-only", "-o", again})
                  .status,
              0);
    ASSERT_EQ(RunCli({"simulate", "--days", "15", "--seed", "12", "--foods", "12", "--symptoms",
                      "2", "--train-last-day-only", "-o", other})
                  .status,
              0);
    EXPECT_EQ(FileText(again), FileText(first));
    EXPECT_NE(FileText(other), FileText(first));
    EXPECT_NE(run.out.find("Planted trigger foods:"), std::string::npos);
    EXPECT_NE(run.out.find("Where they landed:"), std::string::npos);
}

// Daily training refreshes only what the person reads that day; the saved diary is the same.
TEST(Simulate, TrainingEveryDayOrOnlyAtTheEndSavesTheSameDiary) {
    ScratchFolder folder;
    const std::string daily = folder.File("daily.glg"), once = folder.File("once.glg");
    ASSERT_EQ(RunCli({"simulate", "--days", "8", "--seed", "5", "--foods", "10", "--symptoms", "2",
                      "-o", daily})
                  .status,
              0);
    ASSERT_EQ(RunCli({"simulate", "--days", "8", "--seed", "5", "--foods", "10", "--symptoms", "2",
                      "--train-last-day-only", "-o", once})
                  .status,
              0);
    EXPECT_EQ(FileText(once), FileText(daily));
}

// The diary holds, slot by slot, what the person ate and how they rated each symptom: the
// scripted dialogs went through the document's real daily cycle.
TEST(Simulate, HistoriesRecordEachDaysFoodsAndRatings) {
    const SimulationOptions options = Options(30, 9, 20, 3);
    DiarySimulation simulation(options);
    ASSERT_EQ(simulation.Run().Message(), "");
    const CGastrologDoc& doc = simulation.Doc();
    const auto& journal = simulation.Journal();
    ASSERT_EQ(journal.size(), 30u);
    EXPECT_EQ(doc.Symptoms().size(), 3u);
    EXPECT_EQ(doc.LastUpdate(), journal.back().evening);
    EXPECT_EQ(doc.FoodNames().size(), doc.Foods().size());
    // From the first day on: the first day's foods lie in the slot right before the second
    // day's, with no blank day between them.
    for (std::size_t day = 0; day < journal.size(); ++day) {
        const std::size_t slot = diary::HistoryLength - journal.size() + day;
        for (const CFood& food : doc.Foods()) {
            const auto& eaten = journal[day].foods;
            const bool planned = std::find(eaten.begin(), eaten.end(), food.m_name) != eaten.end();
            EXPECT_EQ(food.m_history[slot] == 'y', planned) << food.m_name << " on day " << day;
        }
        // The first day has no ratings: its symptoms are only just made.
        for (std::size_t s = 0; s < journal[day].ratings.size(); ++s)
            EXPECT_EQ(doc.Symptoms()[s].m_history[slot], journal[day].ratings[s])
                << doc.Symptoms()[s].m_name << " on day " << day;
    }
    // Every food of the diary was eaten on some day, and every eaten food is in the diary.
    for (const SimulatedDay& day : journal)
        for (const std::string& food : day.foods) EXPECT_NE(FindFood(doc, food), nullptr) << food;
}

// A planted trigger is a signal the day-after relationships can find. Over several seeds a
// food that makes a symptom worse is that symptom's worst food far more often than chance
// (one food in twelve) would have it.
TEST(Simulate, PlantedWorseTriggersAreMostlyFoundAsTheWorstFood) {
    int planted = 0, found = 0;
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        DiarySimulation simulation(Options(50, seed, 12, 1));
        ASSERT_EQ(simulation.Run().Message(), "");
        ComputeAndKeepRelationships(simulation.Doc());
        for (const PlantedTrigger& trigger : simulation.Triggers()) {
            if (!trigger.worse) continue;
            ++planted;
            if (RelatedFood(simulation.Doc(), trigger.symptom, true) == trigger.food) ++found;
        }
    }
    EXPECT_EQ(planted, 6);
    EXPECT_GE(found, 4) << "found " << found << " of " << planted;
    RecordProperty("WorseTriggersFound", found);
}

TEST(Simulate, PlantsOnlyFoodsOfTheDietAndNeverAStaple) {
    for (int foods : {1, 4, 12, 30, static_cast<int>(CatalogFoodCount())}) {
        DiarySimulation simulation(Options(1, 4, foods, 5));
        const auto diet = CatalogFoods(static_cast<std::size_t>(foods));
        for (const PlantedTrigger& trigger : simulation.Triggers()) {
            const auto food = std::find_if(diet.begin(), diet.end(), [&](const CatalogFood& f) {
                return f.name == trigger.food;
            });
            ASSERT_NE(food, diet.end()) << trigger.food;
            EXPECT_NE(food->kind, FoodKind::Staple) << trigger.food;
        }
    }
}

TEST(Simulate, EveryMealFoodOfTheCatalogBelongsToAMeal) {
    for (const CatalogFood& food : CatalogFoods(CatalogFoodCount())) {
        if (food.kind != FoodKind::Meal && food.kind != FoodKind::Breakfast) continue;
        const bool inMeal =
            std::any_of(CatalogMeals().begin(), CatalogMeals().end(), [&](const CatalogMeal& meal) {
                return std::find(meal.foods.begin(), meal.foods.end(), food.name) !=
                       meal.foods.end();
            });
        EXPECT_TRUE(inMeal) << food.name << " would never be eaten";
    }
}

TEST(Simulate, RefusesOptionsItCannotSimulate) {
    ScratchFolder folder;
    const std::string path = folder.File("x.glg");
    for (const auto& [option, value] :
         std::vector<std::pair<std::string, std::string>>{{"--days", "0"},
                                                          {"--days", "3651"},
                                                          {"--symptoms", "21"},
                                                          {"--foods", "0"},
                                                          {"--foods", "2001"},
                                                          {"--start", "2025-02-30"},
                                                          {"--start", "tomorrow"}}) {
        const std::string days = option == "--days" ? value : "3";
        const CliRun run =
            option == "--days"
                ? RunCli({"simulate", "--seed", "1", "--days", days, "-o", path})
                : RunCli({"simulate", "--seed", "1", "--days", days, option, value, "-o", path});
        EXPECT_EQ(run.status, 2) << option << " " << value;
        EXPECT_NE(run.err.find(option), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

TEST(Simulate, OutputNamedLikeTheExampleIsAnOrdinaryDiary) {
    ScratchFolder folder;
    const std::string path = folder.File("example.glg");
    ASSERT_EQ(RunCli({"simulate", "--days", "4", "--seed", "2", "--foods", "8",
                      "--train-last-day-only", "-o", path})
                  .status,
              0);
    const CliRun info = RunCli({"info", path});
    EXPECT_EQ(info.status, 0);
    EXPECT_NE(info.out.find("Symptoms:       5"), std::string::npos) << info.out;
}

}  // namespace
