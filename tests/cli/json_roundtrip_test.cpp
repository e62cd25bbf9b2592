#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "cli/Simulation.h"
#include "exchange/FloatJson.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/DocumentTestAccess.h"

namespace {

using float_json::FloatBits;
using float_json::FloatFromBits;

// Writes the diary, exports it to JSON and imports that again; returns both files' bytes.
struct RoundTrip {
    std::string original;
    std::string json;
    std::string imported;
};

RoundTrip ExportAndImport(CGastrologDoc& doc) {
    ScratchFolder folder;
    const std::string diary = folder.File("diary.glg");
    const std::string json = folder.File("diary.json");
    const std::string copy = folder.File("copy.glg");
    EXPECT_EQ(doc.WriteFile(diary).Message(), "");
    const CliRun exported = RunCli({"export", diary});
    EXPECT_EQ(exported.status, 0) << exported.err;
    WriteText(json, exported.out);
    const CliRun imported = RunCli({"import", json, "-o", copy});
    EXPECT_EQ(imported.status, 0) << imported.err;
    return {FileText(diary), exported.out, FileText(copy)};
}

// Every kind of value a file can carry, including those no program run would produce.
void FillWithOddValues(CGastrologDoc& doc) {
    CFood cafe = MakeFood("Caf\xE9", History('n', 'y', {0, 17, 49}));
    cafe.m_input = std::numeric_limits<float>::quiet_NaN();
    cafe.m_weight = {FloatFromBits(0x7FA00001u), FloatFromBits(0xFFC00000u),
                     std::numeric_limits<float>::infinity(),
                     -std::numeric_limits<float>::infinity(), -0.0f};
    cafe.m_weightGrad = {FloatFromBits(1u), std::numeric_limits<float>::max(),
                         std::numeric_limits<float>::min(), 0.1f, 1.0f / 3.0f};
    cafe.m_weightStep = {-1.0e-38f, 16777217.0f, 3.0e38f, -7.5f, 1.0e-45f};
    Members(doc).m_foods.push_back(cafe);
    // Food and symptom names pass the name rules; every other byte travels in the name lists.
    Members(doc).m_foods.push_back(
        MakeFood("Euro \x80 Quote\"Back\\slash", History('n', 'Y', {5})));
    Members(doc).m_foods.push_back(MakeFood("\xC4pfel", History('\xFF', '\0', {1})));
    Members(doc).m_foods.push_back(MakeFood(std::string(300, 'L'), History('n', 'y', {49})));
    CSymptom rash = MakeSymptom("Ekz\xE9m \xA9", History('n', 'w', {2, 3, 49}));
    rash.m_bias = FloatFromBits(0x7F800001u);
    rash.m_output = 0.99999f;
    rash.m_spare = -0.0f;
    Members(doc).m_symptoms.push_back(rash);
    CompleteDiary(doc, 0xFFFFFFFF, 0x7FFFFFFF);
    Members(doc).m_hidden[2].m_delta = FloatFromBits(0xFFFFFFFFu);
    // The file keeps its name lists apart from the records; they travel as they are stored.
    Members(doc).m_foodNames.push_back("Not a food");
    Members(doc).m_foodNames.push_back("\x80uro \x81\x8D\x8F\x90\x9D");
    Members(doc).m_foodNames.push_back("Quote\"Back\\slash\tTab\nLine\x01");
    Members(doc).m_foodNames.push_back("");
    Members(doc).m_symptomLines = {"Line without suffix"};
}

TEST(JsonRoundTrip, HandMadeDiaryWithOddBytesComesBackByteForByte) {
    CGastrologDoc doc;
    FillWithOddValues(doc);
    const RoundTrip trip = ExportAndImport(doc);
    ASSERT_FALSE(trip.original.empty());
    EXPECT_EQ(trip.imported, trip.original);
}

TEST(JsonRoundTrip, EmptyDiaryComesBackByteForByte) {
    CGastrologDoc doc;
    CompleteDiary(doc, 0, 1);
    const RoundTrip trip = ExportAndImport(doc);
    EXPECT_EQ(trip.imported, trip.original);
}

TEST(JsonRoundTrip, SimulatedDiaryComesBackByteForByte) {
    SimulationOptions options;
    options.days = 12;
    options.seed = 3;
    options.foods = 10;
    options.symptoms = 3;
    options.trainLastDayOnly = true;
    DiarySimulation simulation(options);
    ASSERT_EQ(simulation.Run().Message(), "");
    const RoundTrip trip = ExportAndImport(simulation.Doc());
    EXPECT_EQ(trip.imported, trip.original);
}

TEST(JsonExport, NamesAreUtf8AndNonFiniteFloatsAreBitPatterns) {
    CGastrologDoc doc;
    FillWithOddValues(doc);
    const Json json = Json::parse(ExportAndImport(doc).json);
    EXPECT_EQ(json["foods"][0]["name"], "Caf\xC3\xA9");
    EXPECT_EQ(json["foods"][2]["name"], "\xC3\x84pfel");
    const std::size_t names = json["foodNames"].size();
    EXPECT_EQ(json["foodNames"][names - 3],
              "\xE2\x82\xACuro \xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
    EXPECT_EQ(json["symptomLines"][0], "Line without suffix");
    EXPECT_EQ(json["foods"][0]["input"], "0x7fc00000");
    EXPECT_EQ(json["foods"][0]["weight"][0], "0x7fa00001");
    EXPECT_EQ(json["foods"][0]["weight"][2], "0x7f800000");
    EXPECT_EQ(json["foods"][0]["weight"][3], "0xff800000");
    EXPECT_EQ(json["hidden"][2]["delta"], "0xffffffff");
    EXPECT_EQ(json["lastUpdate"], 4294967295u);
    EXPECT_EQ(json["dayCount"], 2147483647);
}

TEST(FloatJson, FiniteFloatsAreWrittenAsTheirShortestDecimal) {
    EXPECT_EQ(float_json::FromFloat(0.1f).dump(), "0.1");
    EXPECT_EQ(float_json::FromFloat(1.0f / 3.0f).dump(), "0.33333334");
    EXPECT_EQ(float_json::FromFloat(-0.0f).dump(), "-0.0");
}

// Through the JSON text and back, for a sweep over every kind of bit pattern.
TEST(FloatJson, EveryBitPatternReadsBackExactly) {
    std::vector<std::uint32_t> patterns = {0x00000000u, 0x80000000u, 0x00000001u, 0x807FFFFFu,
                                           0x7F7FFFFFu, 0xFF7FFFFFu, 0x7F800000u, 0x7FC00000u,
                                           0x7F800001u, 0xFFFFFFFFu, 0x3DCCCCCDu, 0x4B800001u};
    for (std::uint64_t bits = 0; bits <= 0xFFFFFFFFu; bits += 65521)
        patterns.push_back(static_cast<std::uint32_t>(bits));
    for (std::uint32_t bits : patterns) {
        const std::string text = float_json::FromFloat(FloatFromBits(bits)).dump();
        const auto back = float_json::ToFloat(Json::parse(text));
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_EQ(FloatBits(*back), bits) << text;
    }
}

TEST(FloatJson, DoublesReadBackExactly) {
    for (double value : {0.1, 1.0 / 3.0, -2.5e-310, 1.7976931348623157e308, 4.999999701976776}) {
        const Json back = Json::parse(float_json::FromDouble(value).dump());
        EXPECT_EQ(back.get<double>(), value);
    }
    EXPECT_EQ(float_json::FromDouble(std::numeric_limits<double>::quiet_NaN()),
              "0x7ff8000000000000");
}

TEST(FloatJson, RefusesWhatNoFloatHolds) {
    EXPECT_FALSE(float_json::ToFloat(Json::parse("1e39")));
    EXPECT_FALSE(float_json::ToFloat(Json("0x7fc0000")));    // 7 digits
    EXPECT_FALSE(float_json::ToFloat(Json("0x7fc00000 ")));  // trailing blank
    EXPECT_FALSE(float_json::ToFloat(Json("NaN")));
    EXPECT_FALSE(float_json::ToFloat(Json(true)));
    EXPECT_FALSE(float_json::ToFloat(Json()));
    EXPECT_EQ(float_json::ToFloat(Json(3)), 3.0f);
}

}  // namespace
