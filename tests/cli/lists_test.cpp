#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "diary/Windows1252.h"
#include "engine/Network.h"
#include "exchange/FloatJson.h"
#include "page/ScoreFormat.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/EngineSteps.h"

namespace {

// The text's lists: the title's count and the names under it, by list.
struct TextList {
    int count = -1;
    std::string title;
    std::vector<std::string> names;
};

std::map<std::string, TextList> ParseLists(const std::string& text) {
    static const std::regex title(
        R"(^(\d+) foods? (?:that )?(can be included|should be excluded|(?:is|are) not currently classified):$)");
    std::map<std::string, TextList> lists;
    TextList* current = nullptr;
    for (const std::string& line : Lines(text)) {
        std::smatch match;
        if (std::regex_match(line, match, title)) {
            const std::string kind =
                match[2].str().find("included") != std::string::npos   ? "inclusions"
                : match[2].str().find("excluded") != std::string::npos ? "exclusions"
                                                                       : "unclassified";
            current = &lists[kind];
            current->count = std::stoi(match[1]);
            current->title = line;
        } else if (current && line.rfind("  ", 0) == 0) {
            current->names.push_back(line.substr(2));
        } else {
            current = nullptr;
        }
    }
    return lists;
}

std::vector<std::string> Names(const Json& array) {
    std::vector<std::string> names;
    for (const Json& name : array) names.push_back(name.get<std::string>());
    return names;
}

// One trained diary for every test of the suite: training takes a while.
class ListsCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new ScratchFolder;
        path = folder->File("diary.glg");
        CGastrologDoc doc;
        Members(doc).m_foods.push_back(
            MakeFood("Red wine", History('n', 'y', {10, 20, 30, 40, 45})));
        Members(doc).m_foods.push_back(MakeFood("Bread", History('y', 'n', {5, 25})));
        Members(doc).m_foods.push_back(MakeFood("apples", History('n', 'y', {12, 22, 33, 44})));
        Members(doc).m_foods.push_back(MakeFood("Caf\xE9", History('n', 'y', {11, 21, 31})));
        Members(doc).m_foods.push_back(MakeFood("Old cheese", History('n', 'y', {0})));
        Members(doc).m_symptoms.push_back(
            MakeSymptom("Headache", History('n', 'w', {11, 21, 31, 41, 46})));
        Members(doc).m_symptoms.push_back(
            MakeSymptom("Fatigue", History('n', 'b', {13, 23, 34, 45})));
        CompleteDiary(doc, LocalTime(2025, 3, 6, 20), 55);
        TrainNetwork(doc);
        SaveDiary(doc, path);
    }
    static void TearDownTestSuite() { delete folder; }

    // The lists and scores the document itself gives for the stored diary.
    static double Generate(CGastrologDoc& doc, int action) {
        EXPECT_EQ(doc.ReadFile(path).Message(), "");
        return GenerateAndKeepLists(doc, action);
    }

    static inline ScratchFolder* folder = nullptr;
    static inline std::string path;
};

TEST_F(ListsCommand, JsonAgreesWithTheTextAndHoldsEveryFoodOnce) {
    for (const char* action : {"0", "1", "2"}) {
        const CliRun text = RunCli({"lists", path, "--unclassified", action});
        const CliRun json = RunCli({"lists", path, "--unclassified", action, "--json"});
        ASSERT_EQ(text.status, 0) << text.err;
        ASSERT_EQ(json.status, 0) << json.err;
        const Json lists = Json::parse(json.out);
        auto parsed = ParseLists(text.out);
        std::vector<std::string> all;
        for (const char* kind : {"inclusions", "exclusions", "unclassified"}) {
            const auto names = Names(lists[kind]);
            EXPECT_EQ(parsed[kind].names, names) << kind << " with action " << action;
            if (!names.empty()) {
                EXPECT_EQ(parsed[kind].count, static_cast<int>(names.size()));
            }
            all.insert(all.end(), names.begin(), names.end());
        }
        std::sort(all.begin(), all.end());
        EXPECT_EQ(all, (std::vector<std::string>{"Bread", "Caf\xC3\xA9", "Old cheese", "Red wine",
                                                 "apples"}));
    }
}

TEST_F(ListsCommand, UnclassifiedFoodFollowsTheAction) {
    const auto listOf = [&](const char* action) {
        const Json lists =
            Json::parse(RunCli({"lists", path, "--unclassified", action, "--json"}).out);
        for (const char* kind : {"inclusions", "exclusions", "unclassified"}) {
            const auto names = Names(lists[kind]);
            if (std::find(names.begin(), names.end(), "Old cheese") != names.end())
                return std::string(kind);
        }
        return std::string("none");
    };
    EXPECT_EQ(listOf("0"), "inclusions");
    EXPECT_EQ(listOf("1"), "exclusions");
    EXPECT_EQ(listOf("2"), "unclassified");
    // The page's singular title for a list of one.
    const auto parsed = ParseLists(RunCli({"lists", path, "--unclassified", "2"}).out);
    EXPECT_EQ(parsed.at("unclassified").title, "1 food that is not currently classified:");
}

TEST_F(ListsCommand, DefaultActionPutsUnclassifiedFoodsWithTheInclusions) {
    const CliRun defaulted = RunCli({"lists", path, "--json"});
    const CliRun zero = RunCli({"lists", path, "--json", "--unclassified", "0"});
    EXPECT_EQ(defaulted.out, zero.out);
}

TEST_F(ListsCommand, ScoresAndBaselineReadBackToTheSameNumbers) {
    CGastrologDoc doc;
    const double baseline = Generate(doc, 0);
    const Json lists = Json::parse(RunCli({"lists", path, "--json"}).out);
    EXPECT_EQ(lists["baseline"].get<double>(), baseline);
    ASSERT_EQ(lists["foods"].size(), doc.Foods().size());
    for (std::size_t i = 0; i < doc.Foods().size(); ++i) {
        EXPECT_EQ(lists["foods"][i]["name"], Windows1252ToUtf8(doc.Foods()[i].m_name));
        const auto score = float_json::ToFloat(lists["foods"][i]["score"]);
        ASSERT_TRUE(score);
        EXPECT_EQ(float_json::FloatBits(*score), float_json::FloatBits(doc.Foods()[i].m_score));
    }
}

TEST_F(ListsCommand, TextShowsEachScoreAsThePageDoes) {
    CGastrologDoc doc;
    Generate(doc, 0);
    const std::string text = RunCli({"lists", path}).out;
    for (const CFood& food : doc.Foods()) {
        const std::string score = FormatScore(static_cast<double>(food.m_score) * 10000.0);
        const std::regex row(
            "\n" +
            std::regex_replace(Windows1252ToUtf8(food.m_name), std::regex(R"([.()])"), R"(\$&)") +
            " +" + std::regex_replace(score, std::regex(R"([.+])"), R"(\$&)") + "\n");
        EXPECT_TRUE(std::regex_search(text, row)) << food.m_name << " " << score << "\n" << text;
    }
}

TEST(ListsWithoutFoods, SaysSoInsteadOfEmptyTitles) {
    ScratchFolder folder;
    const std::string path = folder.File("empty.glg");
    CGastrologDoc doc;
    Members(doc).m_symptoms.push_back(MakeSymptom("Headache", History('n', 'w', {3})));
    CompleteDiary(doc, LocalTime(2025, 3, 6), 5);
    SaveDiary(doc, path);
    EXPECT_EQ(RunCli({"lists", path}).out, "The diary holds no foods.\n");
    const Json lists = Json::parse(RunCli({"lists", path, "--json"}).out);
    EXPECT_TRUE(lists["foods"].empty());
    EXPECT_TRUE(lists["inclusions"].empty());
}

}  // namespace
