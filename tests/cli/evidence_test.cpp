#include "engine/Evidence.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <tuple>

#include "cli/Simulation.h"
#include "engine/EvidenceWords.h"
#include "exchange/FloatJson.h"
#include "tests/cli/CliTestSupport.h"

namespace {

using ::testing::HasSubstr;

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
        EvidenceOptions plain;
        plain.plain = true;
        reading = ReadEvidence(doc, plain);
        for (const CFood& food : doc.Foods()) foods.push_back(food.m_name);
    }

    ScratchFolder folder;
    std::string path = folder.File("diary.glg");
    EvidenceReading reading;  // what the plain count reads in the diary, for the JSON to show
    std::vector<std::string> foods;
};

}  // namespace

// The plain count's text: the explanation, the lived days and the rows with strong or some
// evidence unless --all asks for every row.
TEST_F(EvidenceCommand, TextShowsStrongOrSomeRowsUnlessAll) {
    const struct {
        std::vector<std::string> arguments;
        std::vector<std::string> rows;  // food, symptom, direction, word of each row
    } cases[] = {
        {{"evidence", path, "--plain"}, {"Cheese Headache worse strong"}},
        {{"evidence", path, "--plain", "--symptom", "skin RASH"}, {}},
        {{"evidence", path, "--plain", "--all", "--symptom", "Skin rash"},
         {"Bread Skin rash worse no clear link", "Bread Skin rash better no clear link",
          "Cheese Skin rash worse no clear link", "Cheese Skin rash better no clear link",
          "Tea Skin rash worse too few days", "Tea Skin rash better too few days"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        const CliRun run = RunCli(c.arguments);
        ASSERT_EQ(run.status, 0) << run.err;
        const auto lines = Lines(run.out);
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[0], EvidenceExplanation(true));
        EXPECT_EQ(lines[2], "Lived days: 50.");
        // Each row without its figures, one blank between its words.
        const std::regex figures(" +[0-9][0-9./e+-]*"), blanks(" +");
        std::vector<std::string> rows;
        for (std::size_t i = 5; i < lines.size(); ++i) {
            EXPECT_NE(lines[i].back(), ' ') << "trailing blank: " << lines[i];
            rows.push_back(
                std::regex_replace(std::regex_replace(lines[i], figures, ""), blanks, " "));
        }
        if (c.rows.empty())
            EXPECT_THAT(run.out, HasSubstr("No food shows strong or some evidence"));
        else
            EXPECT_EQ(lines[4].substr(0, 4), "Food");
        EXPECT_EQ(rows, c.rows);
    }
}

// The JSON holds every entry the engine reads, in the engine's order, every member showing
// the engine's value.
TEST_F(EvidenceCommand, JsonHoldsEveryEntryInDiaryOrder) {
    const CliRun run = RunCli({"evidence", path, "--json", "--plain"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json json = Json::parse(run.out);
    EXPECT_EQ(json["lived_days"], 50);
    const Json& entries = json["entries"];
    ASSERT_EQ(entries.size(), 12u);  // 3 foods x 2 symptoms x 2 directions
    ASSERT_EQ(entries.size(), reading.entries.size());
    const std::vector<std::string> keys = {
        "food",        "symptom",        "direction",       "days_eaten",  "next_worse",
        "next_better", "next_no_change", "other_days",      "other_worse", "other_better",
        "p",           "word",           "shares_days_with"};
    const std::pair<const char*, int EvidenceEntry::*> counts[] = {
        {"days_eaten", &EvidenceEntry::daysEaten},
        {"next_worse", &EvidenceEntry::nextWorse},
        {"next_better", &EvidenceEntry::nextBetter},
        {"next_no_change", &EvidenceEntry::nextNoChange},
        {"other_days", &EvidenceEntry::otherDays},
        {"other_worse", &EvidenceEntry::otherWorse},
        {"other_better", &EvidenceEntry::otherBetter},
    };
    std::size_t index = 0;
    for (const char* symptom : {"Headache", "Skin rash"})
        for (const char* food : {"Bread", "Cheese", "Tea"})
            for (const char* direction : {"worse", "better"}) {
                SCOPED_TRACE(index);
                const Json& entry = entries[index];
                const EvidenceEntry& read = reading.entries[index++];
                std::vector<std::string> entryKeys;
                for (const auto& [key, value] : entry.items()) entryKeys.push_back(key);
                EXPECT_EQ(entryKeys, keys);
                EXPECT_EQ(entry["symptom"], symptom);
                EXPECT_EQ(entry["food"], food);
                EXPECT_EQ(entry["direction"], direction);
                for (const auto& [key, member] : counts) EXPECT_EQ(entry[key], read.*member) << key;
                EXPECT_DOUBLE_EQ(entry["p"].get<double>(), read.p);
                EXPECT_EQ(entry["word"], EvidenceWordText(read.word));
                Json shares = Json::array();
                for (int other : read.sharesDaysWith)
                    shares.push_back(foods[static_cast<std::size_t>(other)]);
                EXPECT_EQ(entry["shares_days_with"], shares);
            }
    // What the diary was made to show, so that each member above has a value to show: Bread
    // rides along with Cheese, which is strong; Tea, eaten on two days only, has too few.
    const std::tuple<int, const char*, Json> shown[] = {
        {0, "word", "no clear link"},
        {0, "shares_days_with", Json::array({"Cheese"})},
        {2, "word", "strong"},
        {4, "word", "too few days"},
    };
    for (const auto& [entry, key, value] : shown) EXPECT_EQ(entries[entry][key], value) << key;

    const CliRun one = RunCli({"evidence", path, "--json", "--symptom", "Skin rash"});
    EXPECT_EQ(Json::parse(one.out)["entries"].size(), 6u);
    // The adjusted tally adds what it compared with.
    const Json adjusted = Json::parse(RunCli({"evidence", path, "--json"}).out);
    EXPECT_EQ(adjusted["rule"], "adjusted");
    EXPECT_EQ(adjusted["delays"], "1-1");
    EXPECT_EQ(adjusted["entries"][2]["comparable_days"], 41);
    EXPECT_EQ(adjusted["entries"][2]["delay"], 1);
}

// The adjusted tally's text: a sentence per link with the groups below it, what to do, and
// that no clear link is not safe; the period and delays when chosen.
TEST_F(EvidenceCommand, AdjustedTextSpeaksInSentences) {
    const CliRun run = RunCli({"evidence", path});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[0], EvidenceExplanation(false));
    EXPECT_EQ(lines[3], "From 2025-01-16 to 2025-03-06: 49 pairs.");
    EXPECT_EQ(lines[5],
              "Cheese \xE2\x86\x92 Headache worse (strong). After Cheese, Headache was worse on 8 "
              "of 8 days; on comparable days 0 of 41.");
    EXPECT_EQ(lines[6], "    Days with neither: 8 of 8 after Cheese, 0 of 41 otherwise.");
    EXPECT_THAT(run.out, HasSubstr(std::string(EvidenceWhatToDo)));
    EXPECT_THAT(run.out, HasSubstr(std::string(NoClearLinkIsNotSafe)));
    const CliRun later = RunCli({"evidence", path, "--delays", "0-2", "--days", "30"});
    ASSERT_EQ(later.status, 0) << later.err;
    EXPECT_THAT(later.out, HasSubstr("Lived days: 30."));
    EXPECT_THAT(later.out, HasSubstr("; delays 0-2 days."));
    EXPECT_THAT(later.out, HasSubstr("Next day  Delay"));
}

// --plain gives the old count's output, byte for byte after the explanation (kept from the
// tally before the adjusted one came, on the bundled example).
TEST(EvidenceOnTheExample, PlainCountIsTheOldOutput) {
    const CliRun run = RunCli({"evidence", "../../res/example.glg", "--plain", "--all"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(run.out.find('\n') + 1),
              FileText("expected/example_evidence_all.txt"));
}

// The bundled example was made with seed 7 (60 days, 30 foods, 5 symptoms); every food
// planted there is read as strong for its symptom and direction.
TEST(EvidenceOnTheExample, NamesThePlantedFoodsStrong) {
    SimulationOptions options;  // the defaults: 60 days, 30 foods, 5 symptoms
    options.seed = 7;
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
