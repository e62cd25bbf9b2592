#include <gtest/gtest.h>

#include <functional>

#include "exchange/FloatJson.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/DocumentTestAccess.h"

namespace {

class ImportRefusal : public ::testing::Test {
protected:
    void SetUp() override {
        CGastrologDoc doc;
        Members(doc).m_foods.push_back(MakeFood("Tea", std::string(diary::NewFoodHistory)));
        Members(doc).m_foods.push_back(MakeFood("Bread", History('n', 'y', {10, 49})));
        Members(doc).m_symptoms.push_back(MakeSymptom("Headache", History('n', 'w', {11})));
        CompleteDiary(doc, LocalTime(2025, 3, 6), 40);
        SaveDiary(doc, diary);
        const CliRun run = RunCli({"export", diary});
        ASSERT_EQ(run.status, 0);
        valid = Json::parse(run.out);
    }

    // Imports the changed JSON over an existing file, which must survive the refusal.
    CliRun ImportChanged(const std::function<void(Json&)>& change) {
        Json json = valid;
        change(json);
        WriteText(jsonPath, json.dump());
        WriteText(output, "the file that was there");
        return RunCli({"import", jsonPath, "-o", output});
    }

    void ExpectRefusalNaming(const CliRun& run, const std::string& field) {
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(field + ": "), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("nothing was written"), std::string::npos) << run.err;
        EXPECT_EQ(FileText(output), "the file that was there");
        EXPECT_FALSE(std::filesystem::exists(folder.File("out.glh"))) << "no history either";
        EXPECT_EQ(run.out, "");
    }

    ScratchFolder folder;
    std::string diary = folder.File("diary.glg");
    std::string jsonPath = folder.File("diary.json");
    std::string output = folder.File("out.glg");
    Json valid;
};

// What the diary can hold is taken as it is: the export unchanged, a history of 50
// characters of which one takes two UTF-8 bytes, letters beyond ASCII starting names, twenty
// symptoms.
TEST_F(ImportRefusal, AcceptsWhatTheDiaryCanHold) {
    const std::pair<const char*, std::function<void(Json&)>> cases[] = {
        {"unchanged", [](Json&) {}},
        {"accented history",
         [](Json& j) { j["foods"][0]["history"] = std::string(49, 'n') + "\xC3\xA9"; }},
        {"accented names",
         [](Json& j) {
             j["foods"][0]["name"] = "\xC3\x84pfel";
             j["symptoms"][0]["name"] =
                 "\xC3\x9C"
                 "belkeit";
         }},
        {"twenty symptoms",
         [](Json& j) {
             for (int i = 0; i < 19; ++i) j["symptoms"].push_back(j["symptoms"][0]);
         }},
    };
    for (const auto& [name, change] : cases) {
        SCOPED_TRACE(name);
        const CliRun run = ImportChanged(change);
        EXPECT_EQ(run.status, 0) << run.err;
        if (std::string(name) == "unchanged") {
            EXPECT_EQ(FileText(output), FileText(diary));
        }
    }
}

// Every fault is refused naming its field, and the file that was there stays. Names the
// dialogs refuse get in through an import neither: ">Coffee" would be read as "delete Coffee"
// by the next Create Day List.
TEST_F(ImportRefusal, RefusesEachFaultNamingItsField) {
    const struct {
        std::function<void(Json&)> change;
        std::string field;
        std::string message = {};  // a part of the refusal, when it matters
    } cases[] = {
        // histories of another length
        {[](Json& j) { j["foods"][1]["history"] = std::string(49, 'n'); }, "foods[1].history"},
        {[](Json& j) { j["symptoms"][0]["history"] = std::string(51, 'n'); },
         "symptoms[0].history"},
        // names the dialogs refuse
        {[](Json& j) { j["foods"][0]["name"] = ">Coffee"; }, "foods[0].name"},
        {[](Json& j) { j["foods"][0]["name"] = "~Tea"; }, "foods[0].name"},
        {[](Json& j) { j["foods"][0]["name"] = "0Milk"; }, "foods[0].name"},
        {[](Json& j) { j["foods"][0]["name"] = ""; }, "foods[0].name"},
        {[](Json& j) { j["foods"][0]["name"] = "Tea\tMilk"; }, "foods[0].name"},
        {[](Json& j) { j["symptoms"][0]["name"] = ">Headache"; }, "symptoms[0].name"},
        {[](Json& j) { j["symptoms"][0]["name"] = " "; }, "symptoms[0].name"},
        {[](Json& j) { j["symptoms"][0]["name"] = "Pain (worse)"; }, "symptoms[0].name"},
        {[](Json& j) {
             j["foods"][0]["name"] = ">Coffee";
             j["foods"][1]["name"] = "Coffee";
         },
         "foods[0].name", "\">Coffee\" is refused: Food names must start with a letter"},
        // names the code page cannot hold
        {[](Json& j) { j["foods"][0]["name"] = "Tea \xE2\x98\x95"; }, "foods[0].name"},
        {[](Json& j) { j["symptoms"][0]["name"] = "\xE4\xB8\xAD"; }, "symptoms[0].name"},
        {[](Json& j) {
             j["foodNames"][1] =
                 "Br\xC4\x9B"
                 "ad";
         },
         "foodNames[1]"},
        // more than twenty symptoms, hidden units other than five
        {[](Json& j) {
             for (int i = 0; i < 20; ++i) j["symptoms"].push_back(j["symptoms"][0]);
         },
         "symptoms"},
        {[](Json& j) { j["hidden"].erase(4); }, "hidden"},
        {[](Json& j) { j["hidden"].push_back(j["hidden"][0]); }, "hidden"},
        // wrong numbers and types
        {[](Json& j) { j["foods"][0]["weight"].erase(0); }, "foods[0].weight"},
        {[](Json& j) { j["foods"][1]["weightStep"][3] = 1e39; }, "foods[1].weightStep[3]"},
        {[](Json& j) { j["hidden"][2]["bias"] = "zero"; }, "hidden[2].bias"},
        {[](Json& j) { j["symptoms"][0]["name"] = 7; }, "symptoms[0].name"},
        {[](Json& j) { j["lastUpdate"] = -1; }, "lastUpdate"},
        {[](Json& j) { j["lastUpdate"] = 4294967296; }, "lastUpdate"},
        {[](Json& j) { j["dayCount"] = 2.5; }, "dayCount"},
        {[](Json& j) { j["foods"] = Json::object(); }, "foods"},
        // missing and unknown members
        {[](Json& j) { j["symptoms"][0].erase("biasStep"); }, "symptoms[0].biasStep"},
        {[](Json& j) { j.erase("symptomLines"); }, "symptomLines"},
        {[](Json& j) { j["foods"][0]["nmae"] = "Tea"; }, "foods[0].nmae"},
        // lived days no diary holds
        {[](Json& j) { j["history"][0]["date"] = "2025-02-30"; }, "history[0].date",
         "must be a date written YYYY-MM-DD"},
        {[](Json& j) { j["history"][0]["eaten"] = {17}; }, "history[0].eaten",
         "holds a name no diary can hold"},
        {[](Json& j) { j["history"][0]["ratings"]["Headache"] = "x"; }, "history[0].ratings",
         "must map symptom names to \"b\", \"w\" or \"n\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field + " " + c.message);
        const CliRun run = ImportChanged(c.change);
        ExpectRefusalNaming(run, c.field);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

// Each input is refused in the documented form and leaves the existing file alone: text that
// is no JSON, out-of-range numbers, oversized input, diaries too large to read, and nesting
// deeper than a diary's (refused at the first level too deep; a diary's own depth is accepted
// above).
TEST_F(ImportRefusal, RefusesTextItCannotReadInTheDocumentedForm) {
    Json hugeName = valid;
    hugeName["foods"][0]["name"] = std::string(17 * 1024 * 1024, 'a');
    hugeName["foodNames"][0] = hugeName["foods"][0]["name"];
    const std::string deeper = jsonPath + " nests deeper than the 4 levels of a diary's JSON";
    const std::pair<std::string, std::string> cases[] = {
        {valid.dump().substr(0, 200), jsonPath + " is not valid JSON: "},
        {"{", jsonPath + " is not valid JSON: parse error at line 1, column 2: syntax error while "
                         "parsing object key - unexpected end of input; expected string literal; "
                         "nothing was written.\n"},
        {"{\"lastUpdate\": 1e400}",
         jsonPath + " is not valid JSON: number overflow parsing '1e400'; nothing was written.\n"},
        {std::string(64 * 1024 * 1024 + 1, ' '),
         jsonPath + " is larger than the 64 MiB that import reads; nothing was written.\n"},
        {hugeName.dump(), jsonPath + ": the diary would take "},
        {"{\"foods\":[{\"weight\":[[1]]}]}", deeper},
        {"[[[[[]]]]]", deeper},
        {std::string(1000, '[') + std::string(1000, ']'), deeper}};
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(message);
        WriteText(jsonPath, text);
        WriteText(output, "the file that was there");
        const CliRun run = RunCli({"import", jsonPath, "-o", output});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err.substr(0, message.size()), message);
        EXPECT_EQ(FileText(output), "the file that was there");
    }
}

// A refusal, of the JSON or of a file that is not there, creates no diary.
TEST_F(ImportRefusal, NoFileIsCreatedOnRefusal) {
    Json json = valid;
    json["hidden"].erase(0);
    WriteText(jsonPath, json.dump());
    const std::string fresh = folder.File("fresh.glg");
    for (const auto& [input, named] : {std::pair{jsonPath, std::string("hidden: ")},
                                       {folder.File("none.json"), std::string("none.json")}}) {
        SCOPED_TRACE(named);
        const CliRun run = RunCli({"import", input, "-o", fresh});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(named), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(fresh));
    }
}

}  // namespace
