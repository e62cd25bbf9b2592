#include "engine/Evidence.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "cli/Simulation.h"
#include "exchange/FloatJson.h"
#include "tests/cli/CliTestSupport.h"

namespace {

// Cheese is followed by a worse headache every time; Bread rides along on those days and on
// three quiet ones; Tea is eaten twice only.
class EvidenceCommand : public ::testing::Test {
protected:
    void SetUp() override {
        CGastrologDoc doc;
        Members(doc).m_foods.push_back(
            MakeFood("Bread", History('n', 'y', {2, 5, 11, 14, 18, 20, 23, 27, 31, 36, 40})));
        Members(doc).m_foods.push_back(
            MakeFood("Cheese", History('n', 'y', {5, 14, 18, 23, 27, 31, 36, 40})));
        Members(doc).m_foods.push_back(MakeFood("Tea", History('n', 'Y', {7, 9})));
        Members(doc).m_symptoms.push_back(
            MakeSymptom("Headache", History('n', 'w', {6, 15, 19, 24, 28, 32, 37, 41})));
        Members(doc).m_symptoms.push_back(MakeSymptom("Skin rash", History('n', 'b', {8, 10})));
        CompleteDiary(doc, LocalTime(2025, 3, 6), 60);
        SaveDiary(doc, path);
    }

    ScratchFolder folder;
    std::string path = folder.File("diary.glg");
};

}  // namespace

TEST_F(EvidenceCommand, TextShowsTheExplanationAndStrongOrSomeRowsUnlessAll) {
    const struct {
        std::vector<std::string> options;
        std::vector<std::string> rows;  // food, symptom, direction, word of each row
    } cases[] = {
        {{}, {"Cheese Headache worse strong"}},
        {{"--symptom", "skin RASH"}, {}},
        {{"--all", "--symptom", "Skin rash"},
         {"Bread Skin rash worse no clear link", "Bread Skin rash better no clear link",
          "Cheese Skin rash worse no clear link", "Cheese Skin rash better no clear link",
          "Tea Skin rash worse too few days", "Tea Skin rash better too few days"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"evidence", path};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const CliRun run = RunCli(arguments);
        ASSERT_EQ(run.status, 0) << run.err;
        const auto lines = Lines(run.out);
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[0], EvidenceExplanation);
        EXPECT_EQ(lines[2], "Lived days: 50.");
        std::vector<std::string> rows;
        for (std::size_t i = 5; i < lines.size(); ++i) {
            std::istringstream cells(lines[i]);
            std::string food, word1, word2, direction;
            cells >> food >> word1;
            std::string symptom = word1;
            if (word1 == "Skin") cells >> word2, symptom += " " + word2;
            cells >> direction;
            std::string rest;
            std::getline(cells, rest);
            std::string word = rest.find("too few days") != std::string::npos    ? "too few days"
                               : rest.find("no clear link") != std::string::npos ? "no clear link"
                               : rest.find("strong") != std::string::npos        ? "strong"
                                                                                 : "some";
            rows.push_back(food + " " + symptom + " " + direction + " " + word);
            EXPECT_EQ(lines[i].back() != ' ', true) << "trailing blank: " << lines[i];
        }
        if (c.rows.empty())
            EXPECT_NE(run.out.find("No food shows strong or some evidence"), std::string::npos);
        else
            EXPECT_EQ(lines[4].substr(0, 4), "Food");
        EXPECT_EQ(rows, c.rows);
    }
}

TEST_F(EvidenceCommand, JsonHoldsEveryEntryInDiaryOrder) {
    const CliRun run = RunCli({"evidence", path, "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json json = Json::parse(run.out);
    EXPECT_EQ(json["lived_days"], 50);
    const Json& entries = json["entries"];
    ASSERT_EQ(entries.size(), 12u);  // 3 foods x 2 symptoms x 2 directions
    const std::vector<std::string> keys = {
        "food",        "symptom",        "direction",       "days_eaten",  "next_worse",
        "next_better", "next_no_change", "other_days",      "other_worse", "other_better",
        "p",           "word",           "shares_days_with"};
    std::size_t index = 0;
    for (const char* symptom : {"Headache", "Skin rash"})
        for (const char* food : {"Bread", "Cheese", "Tea"})
            for (const char* direction : {"worse", "better"}) {
                const Json& entry = entries[index++];
                std::vector<std::string> entryKeys;
                for (const auto& [key, value] : entry.items()) entryKeys.push_back(key);
                EXPECT_EQ(entryKeys, keys);
                EXPECT_EQ(entry["symptom"], symptom);
                EXPECT_EQ(entry["food"], food);
                EXPECT_EQ(entry["direction"], direction);
                EXPECT_EQ(entry["days_eaten"].get<int>() + entry["other_days"].get<int>(), 49);
                EXPECT_TRUE(entry["shares_days_with"].is_array());
            }
    const Json& bread = entries[0];  // Bread, Headache, worse
    EXPECT_EQ(bread["days_eaten"], 11);
    EXPECT_EQ(bread["next_worse"], 8);
    EXPECT_EQ(bread["next_no_change"], 3);
    EXPECT_EQ(bread["word"], "no clear link");
    EXPECT_EQ(bread["shares_days_with"], Json::array({"Cheese"}));
    EXPECT_EQ(entries[2]["word"], "strong");
    EXPECT_EQ(entries[4]["word"], "too few days");  // Tea, eaten as "Y" on two days

    const CliRun one = RunCli({"evidence", path, "--json", "--symptom", "Skin rash"});
    EXPECT_EQ(Json::parse(one.out)["entries"].size(), 6u);
}

TEST_F(EvidenceCommand, RefusesAnUnknownSymptomOrFile) {
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{"evidence", path, "--symptom", "Migraine"}, "no symptom is named \"Migraine\""},
        {{"evidence", folder.File("missing.glg")}, "missing.glg"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
}

// The bundled example was made with seed 7 (60 days, 30 foods, 5 symptoms); every food
// planted there is read as strong for its symptom and direction.
TEST(EvidenceOnTheExample, NamesThePlantedFoodsStrong) {
    SimulationOptions options;
    options.days = 60;
    options.seed = 7;
    options.foods = 30;
    options.symptoms = 5;
    const DiarySimulation simulation(options);
    ASSERT_FALSE(simulation.Triggers().empty());
    const CliRun run = RunCli({"evidence", "../../res/example.glg", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::set<std::tuple<std::string, std::string, std::string>> strong;
    const Json json = Json::parse(run.out);
    for (const Json& entry : json["entries"])
        if (entry["word"] == "strong")
            strong.insert({entry["food"].get<std::string>(), entry["symptom"].get<std::string>(),
                           entry["direction"].get<std::string>()});
    for (const PlantedTrigger& trigger : simulation.Triggers())
        EXPECT_TRUE(
            strong.count({trigger.food, trigger.symptom, trigger.worse ? "worse" : "better"}))
            << trigger.food << " " << trigger.symptom;
}
