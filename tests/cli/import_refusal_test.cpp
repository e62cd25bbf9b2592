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
        EXPECT_EQ(run.out, "");
    }

    ScratchFolder folder;
    std::string diary = folder.File("diary.glg");
    std::string jsonPath = folder.File("diary.json");
    std::string output = folder.File("out.glg");
    Json valid;
};

TEST_F(ImportRefusal, TheUnchangedExportIsAccepted) {
    const CliRun run = ImportChanged([](Json&) {});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(FileText(output), FileText(diary));
}

TEST_F(ImportRefusal, HistoryOfAnotherLength) {
    ExpectRefusalNaming(
        ImportChanged([](Json& j) { j["foods"][1]["history"] = std::string(49, 'n'); }),
        "foods[1].history");
    ExpectRefusalNaming(
        ImportChanged([](Json& j) { j["symptoms"][0]["history"] = std::string(51, 'n'); }),
        "symptoms[0].history");
    // Two UTF-8 bytes for one character of the code page: 50 characters is right.
    const CliRun accented = ImportChanged(
        [](Json& j) { j["foods"][0]["history"] = std::string(49, 'n') + "\xC3\xA9"; });
    EXPECT_EQ(accented.status, 0) << accented.err;
}

// ">Coffee" would be read as "delete Coffee" by the next Create Day List: no name that the
// dialogs refuse gets in through an import either.
TEST_F(ImportRefusal, NameTheDialogsWouldRefuse) {
    const std::pair<const char*, std::string> cases[] = {
        {"foods", ">Coffee"}, {"foods", "~Tea"},           {"foods", "0Milk"},
        {"foods", ""},        {"foods", "Tea\tMilk"},      {"symptoms", ">Headache"},
        {"symptoms", " "},    {"symptoms", "Pain (worse)"}};
    for (const auto& [list, name] : cases) {
        // Captured by copy: clang 14 cannot capture a structured binding by reference.
        const CliRun run =
            ImportChanged([list = list, name = name](Json& j) { j[list][0]["name"] = name; });
        ExpectRefusalNaming(run, std::string(list) + "[0].name");
    }
    const CliRun coffee = ImportChanged([](Json& j) {
        j["foods"][0]["name"] = ">Coffee";
        j["foods"][1]["name"] = "Coffee";
    });
    ExpectRefusalNaming(coffee, "foods[0].name");
    EXPECT_NE(coffee.err.find("\">Coffee\" is refused: Food names must start with a letter"),
              std::string::npos)
        << coffee.err;
    // Letters beyond ASCII start a name.
    const CliRun accented = ImportChanged([](Json& j) {
        j["foods"][0]["name"] = "\xC3\x84pfel";
        j["symptoms"][0]["name"] =
            "\xC3\x9C"
            "belkeit";
    });
    EXPECT_EQ(accented.status, 0) << accented.err;
}

TEST_F(ImportRefusal, NameTheCodePageCannotHold) {
    ExpectRefusalNaming(ImportChanged([](Json& j) { j["foods"][0]["name"] = "Tea \xE2\x98\x95"; }),
                        "foods[0].name");
    ExpectRefusalNaming(ImportChanged([](Json& j) { j["symptoms"][0]["name"] = "\xE4\xB8\xAD"; }),
                        "symptoms[0].name");
    ExpectRefusalNaming(ImportChanged([](Json& j) {
                            j["foodNames"][1] =
                                "Br\xC4\x9B"
                                "ad";
                        }),
                        "foodNames[1]");
}

TEST_F(ImportRefusal, MoreThanTwentySymptoms) {
    ExpectRefusalNaming(ImportChanged([](Json& j) {
                            for (int i = 0; i < 20; ++i) j["symptoms"].push_back(j["symptoms"][0]);
                        }),
                        "symptoms");
    const CliRun twenty = ImportChanged([](Json& j) {
        for (int i = 0; i < 19; ++i) j["symptoms"].push_back(j["symptoms"][0]);
    });
    EXPECT_EQ(twenty.status, 0) << twenty.err;
}

TEST_F(ImportRefusal, HiddenUnitsOtherThanFive) {
    ExpectRefusalNaming(ImportChanged([](Json& j) { j["hidden"].erase(4); }), "hidden");
    ExpectRefusalNaming(ImportChanged([](Json& j) { j["hidden"].push_back(j["hidden"][0]); }),
                        "hidden");
}

TEST_F(ImportRefusal, WrongNumbersAndTypes) {
    ExpectRefusalNaming(ImportChanged([](Json& j) { j["foods"][0]["weight"].erase(0); }),
                        "foods[0].weight");
    ExpectRefusalNaming(ImportChanged([](Json& j) { j["foods"][1]["weightStep"][3] = 1e39; }),
                        "foods[1].weightStep[3]");
    ExpectRefusalNaming(ImportChanged([](Json& j) { j["hidden"][2]["bias"] = "zero"; }),
                        "hidden[2].bias");
    ExpectRefusalNaming(ImportChanged([](Json& j) { j["symptoms"][0]["name"] = 7; }),
                        "symptoms[0].name");
    ExpectRefusalNaming(ImportChanged([](Json& j) { j["lastUpdate"] = -1; }), "lastUpdate");
    ExpectRefusalNaming(ImportChanged([](Json& j) { j["lastUpdate"] = 4294967296; }), "lastUpdate");
    ExpectRefusalNaming(ImportChanged([](Json& j) { j["dayCount"] = 2.5; }), "dayCount");
    ExpectRefusalNaming(ImportChanged([](Json& j) { j["foods"] = Json::object(); }), "foods");
}

TEST_F(ImportRefusal, MissingAndUnknownMembers) {
    ExpectRefusalNaming(ImportChanged([](Json& j) { j["symptoms"][0].erase("biasStep"); }),
                        "symptoms[0].biasStep");
    ExpectRefusalNaming(ImportChanged([](Json& j) { j.erase("symptomLines"); }), "symptomLines");
    ExpectRefusalNaming(ImportChanged([](Json& j) { j["foods"][0]["nmae"] = "Tea"; }),
                        "foods[0].nmae");
}

TEST_F(ImportRefusal, TextThatIsNotJson) {
    WriteText(jsonPath, valid.dump().substr(0, 200));
    WriteText(output, "the file that was there");
    const CliRun run = RunCli({"import", jsonPath, "-o", output});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("is not valid JSON"), std::string::npos) << run.err;
    EXPECT_EQ(FileText(output), "the file that was there");
}

// Each input is refused in the documented form and leaves the existing file alone.
TEST_F(ImportRefusal, OutOfRangeNumbersOversizedInputAndDiariesTooLargeToRead) {
    Json hugeName = valid;
    hugeName["foods"][0]["name"] = std::string(17 * 1024 * 1024, 'a');
    hugeName["foodNames"][0] = hugeName["foods"][0]["name"];
    const std::pair<std::string, std::string> cases[] = {
        {"{\"lastUpdate\": 1e400}",
         jsonPath + " is not valid JSON: number overflow parsing '1e400'; nothing was written.\n"},
        {std::string(64 * 1024 * 1024 + 1, ' '),
         jsonPath + " is larger than the 64 MiB that import reads; nothing was written.\n"},
        {hugeName.dump(), jsonPath + ": the diary would take "}};
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

TEST_F(ImportRefusal, NoFileIsCreatedOnRefusal) {
    Json json = valid;
    json["hidden"].erase(0);
    WriteText(jsonPath, json.dump());
    const std::string fresh = folder.File("fresh.glg");
    EXPECT_EQ(RunCli({"import", jsonPath, "-o", fresh}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(fresh));
}

TEST_F(ImportRefusal, MissingJsonFile) {
    const CliRun run = RunCli({"import", folder.File("none.json"), "-o", output});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("none.json"), std::string::npos) << run.err;
}

}  // namespace
