#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "doc/Archive.h"
#include "doc/GastrologDoc.h"
#include "doc/QuietPorts.h"
#include "tests/support/DiaryFileBuilder.h"

namespace {

constexpr const char* Unexpected = "Unexpected file format.";

Bytes Slice(const Bytes& bytes, std::size_t offset, std::size_t size) {
    return Bytes(bytes.begin() + static_cast<long>(offset),
                 bytes.begin() + static_cast<long>(offset + size));
}

std::size_t Occurrences(const Bytes& bytes, const Bytes& pattern) {
    std::size_t count = 0;
    for (auto at = bytes.begin();
         (at = std::search(at, bytes.end(), pattern.begin(), pattern.end())) != bytes.end(); ++at)
        ++count;
    return count;
}

void AddHiddenUnits(CGastrologDoc& doc) {
    for (int unit = 0; unit < 5; ++unit) doc.m_hidden.emplace_back(std::to_string(unit));
}

// The diary of the format's worked example.
void FillTeaAndHeadache(CGastrologDoc& doc) {
    doc.m_lastUpdate = 1'100'000'000;
    doc.m_dayCount = 1;
    doc.m_foods.emplace_back("Tea");
    doc.m_symptoms.emplace_back("Headache");
    AddHiddenUnits(doc);
    doc.RebuildFoodNames();
    doc.RebuildSymptomLines();
}

// ---- layout

TEST(DiaryFileLayout, TheWorkedExampleIs511BytesAtTheOffsetsOfTheFormat) {
    CGastrologDoc doc;
    FillTeaAndHeadache(doc);
    const Bytes bytes = doc.WriteBytes();
    ASSERT_EQ(bytes.size(), 511u);
    EXPECT_EQ(bytes, TeaAndHeadache().Join());

    EXPECT_EQ(Slice(bytes, 0, 4), ByteBuilder().U32(1'100'000'000).bytes);
    EXPECT_EQ(Slice(bytes, 4, 4), (Bytes{0x01, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Slice(bytes, 8, 2), (Bytes{0x01, 0x00}));
    EXPECT_EQ(Slice(bytes, 10, 4), (Bytes{0x03, 0x54, 0x65, 0x61}));
    EXPECT_EQ(Slice(bytes, 14, 2), (Bytes{0x01, 0x00}));
    EXPECT_EQ(Slice(bytes, 16, 11), ByteBuilder().NewClass("CFood").bytes);
    EXPECT_EQ(Slice(bytes, 31, 4), ByteBuilder().F32(doc.m_foods[0].m_weight[0]).bytes);
    EXPECT_EQ(Slice(bytes, 91, 51), ByteBuilder().Text(diary::NewFoodHistory).bytes);
    EXPECT_EQ(Slice(bytes, 142, 4), (Bytes{0x03, 0x54, 0x65, 0x61}));
    EXPECT_EQ(Slice(bytes, 146, 2), (Bytes{0x01, 0x00}));
    EXPECT_EQ(Slice(bytes, 148, 22), ByteBuilder().Text("Headache  (no change)").bytes);
    EXPECT_EQ(bytes[148], 0x15);
    EXPECT_EQ(Slice(bytes, 170, 2), (Bytes{0x01, 0x00}));
    EXPECT_EQ(Slice(bytes, 172, 14), ByteBuilder().NewClass("CSymptom").bytes);
    EXPECT_EQ(Slice(bytes, 278, 51), ByteBuilder().Text(diary::NewSymptomHistory).bytes);
    EXPECT_EQ(Slice(bytes, 329, 9), ByteBuilder().Text("Headache").bytes);
    EXPECT_EQ(Slice(bytes, 338, 2), (Bytes{0x05, 0x00}));
    EXPECT_EQ(Slice(bytes, 340, 13), ByteBuilder().NewClass("CHidden").bytes);
    EXPECT_EQ(Slice(bytes, 381, 2), (Bytes{0x01, '0'}));
    for (const std::size_t offset : {383u, 415u, 447u, 479u}) {
        EXPECT_EQ(Slice(bytes, offset, 2), (Bytes{0x05, 0x80})) << offset;
        EXPECT_EQ(bytes[offset + 30], 0x01);
    }
    EXPECT_EQ(Slice(bytes, 509, 2), (Bytes{0x01, '4'}));
}

TEST(DiaryFileLayout, RecordsStoreTheirFieldsInTheFileOrderNotTheDeclarationOrder) {
    CGastrologDoc doc;
    FillTeaAndHeadache(doc);
    // Every number distinct, so that any swap shows.
    float next = 1.0f;
    CFood& food = doc.m_foods[0];
    food.m_input = next++;
    CSymptom& symptom = doc.m_symptoms[0];
    for (float* field :
         {&symptom.m_spare, &symptom.m_net, &symptom.m_output, &symptom.m_error, &symptom.m_delta,
          &symptom.m_bias, &symptom.m_biasGrad, &symptom.m_biasStep})
        *field = next++;
    for (int unit = 0; unit < 5; ++unit) {
        for (UnitWeights* weights :
             {&food.m_weight, &food.m_weightGrad, &food.m_weightStep, &symptom.m_weight,
              &symptom.m_weightGrad, &symptom.m_weightStep})
            (*weights)[unit] = next++;
    }
    for (CHidden& unit : doc.m_hidden)
        for (float* field : {&unit.m_net, &unit.m_output, &unit.m_error, &unit.m_delta,
                             &unit.m_bias, &unit.m_biasGrad, &unit.m_biasStep})
            *field = next++;

    DiaryParts expected = TeaAndHeadache();
    expected.foods = ByteBuilder().U16(1).NewClass("CFood").Append(FoodFields(food));
    expected.symptoms = ByteBuilder().U16(1).NewClass("CSymptom").Append(SymptomFields(symptom));
    expected.hidden =
        ByteBuilder().U16(5).NewClass("CHidden").Append(HiddenFields(doc.m_hidden[0]));
    for (int unit = 1; unit < 5; ++unit)
        expected.hidden.U16(0x8005).Append(HiddenFields(doc.m_hidden[unit]));
    const Bytes bytes = doc.WriteBytes();
    EXPECT_EQ(bytes, expected.Join());

    CGastrologDoc read;
    ASSERT_EQ(read.ReadBytes(bytes), "");
    EXPECT_EQ(read.m_foods, doc.m_foods);
    EXPECT_EQ(read.m_symptoms, doc.m_symptoms);
    EXPECT_EQ(read.m_hidden, doc.m_hidden);
}

TEST(DiaryFileLayout, ADiaryWithDayCountBelowOneIsStoredAsOneAndTheMemberFollows) {
    for (const std::int32_t dayCount : {0, -7}) {
        CGastrologDoc doc;
        FillTeaAndHeadache(doc);
        doc.m_dayCount = dayCount;
        const Bytes bytes = doc.WriteBytes();
        EXPECT_EQ(Slice(bytes, 4, 4), (Bytes{0x01, 0x00, 0x00, 0x00}));
        EXPECT_EQ(doc.m_dayCount, 1);
        CGastrologDoc read;
        ASSERT_EQ(read.ReadBytes(bytes), "");
        EXPECT_EQ(read.m_dayCount, 1);
    }
}

TEST(DiaryFileLayout, AnEmptyDiaryHoldsEmptyListsAndTheUnits) {
    CGastrologDoc doc;
    AddHiddenUnits(doc);
    const Bytes bytes = doc.WriteBytes();
    DiaryParts expected;
    expected.head.U32(0).U32(1);
    expected.foodNames.U16(0);
    expected.foods.U16(0);
    expected.symptomLines.U16(0);
    expected.symptoms.U16(0);
    expected.hidden = HiddenList(1);
    EXPECT_EQ(bytes, expected.Join());
}

TEST(DiaryFileLayout, FortyThousandFoodsPushLaterClassNumbersIntoTheLongForm) {
    CGastrologDoc doc;
    for (int index = 0; index < 40000; ++index)
        doc.m_foods.emplace_back("F" + std::to_string(index));
    doc.m_symptoms = {CSymptom("Headache"), CSymptom("Nausea")};
    AddHiddenUnits(doc);
    doc.RebuildFoodNames();
    doc.RebuildSymptomLines();
    const Bytes bytes = doc.WriteBytes();

    // CFood is class 1 with objects 2 to 40001; CSymptom is class 40002 (0x9C42) with objects
    // 40003 and 40004; CHidden is class 40005 (0x9C45).
    EXPECT_EQ(Occurrences(bytes, Bytes{0x01, 0x80}), 39999u);
    EXPECT_EQ(Occurrences(bytes, Bytes{0xFF, 0x7F, 0x42, 0x9C, 0x00, 0x80}), 1u);
    EXPECT_EQ(Occurrences(bytes, Bytes{0xFF, 0x7F, 0x45, 0x9C, 0x00, 0x80}), 4u);
    EXPECT_EQ(Occurrences(bytes, ByteBuilder().NewClass("CSymptom").bytes), 1u);
    EXPECT_EQ(Occurrences(bytes, ByteBuilder().NewClass("CHidden").bytes), 1u);

    CGastrologDoc read;
    ASSERT_EQ(read.ReadBytes(bytes), "");
    EXPECT_EQ(read.m_foods, doc.m_foods);
    EXPECT_EQ(read.m_symptoms, doc.m_symptoms);
    EXPECT_EQ(read.m_hidden, doc.m_hidden);
    EXPECT_EQ(read.WriteBytes(), bytes);
}

// ---- round trips

class RandomDiary {
public:
    explicit RandomDiary(unsigned seed) : m_random(seed) {}

    void Fill(CGastrologDoc& doc) {
        doc.m_lastUpdate = Between(0, 0xFFFFFFFFu);
        doc.m_dayCount = static_cast<std::int32_t>(Between(0, 0xFFFFFFFFu));
        for (auto count = Between(0, 30); count > 0; --count) doc.m_foods.push_back(Food());
        for (auto count = Between(0, 20); count > 0; --count) doc.m_symptoms.push_back(Symptom());
        for (int unit = 0; unit < 5; ++unit) doc.m_hidden.push_back(Hidden());
        // The stored name lists need not match the records; they are stored as they are.
        for (auto count = Between(0, 35); count > 0; --count) doc.m_foodNames.push_back(Name());
        for (auto count = Between(0, 25); count > 0; --count) doc.m_symptomLines.push_back(Name());
    }

private:
    std::uint32_t Between(std::uint32_t low, std::uint32_t high) {
        return std::uniform_int_distribution<std::uint32_t>(low, high)(m_random);
    }
    // Any bit pattern, NaNs and infinities included.
    float Number() { return std::bit_cast<float>(Between(0, 0xFFFFFFFFu)); }
    std::string Bytes(std::size_t length) {
        std::string text(length, '\0');
        for (char& byte : text) byte = static_cast<char>(Between(0, 255));
        return text;
    }
    // Mostly short names, some around the one- and two-byte length limits.
    std::string Name() {
        switch (Between(0, 19)) {
            case 0:
                return Bytes(Between(250, 260));
            case 1:
                return Bytes(Between(65530, 65540));
            default:
                return Bytes(Between(0, 40));
        }
    }
    std::string History() {
        std::string history(diary::HistoryLength, 'n');
        for (char& day : history) day = "nybwY?"[Between(0, 5)];
        return history;
    }
    void Weights(UnitWeights& weights) {
        for (float& weight : weights) weight = Number();
    }
    CFood Food() {
        CFood food;
        food.m_input = Number();
        Weights(food.m_weight), Weights(food.m_weightGrad), Weights(food.m_weightStep);
        food.m_history = History();
        food.m_name = Name();
        return food;
    }
    CSymptom Symptom() {
        CSymptom symptom;
        for (float* field :
             {&symptom.m_spare, &symptom.m_net, &symptom.m_output, &symptom.m_error,
              &symptom.m_delta, &symptom.m_bias, &symptom.m_biasGrad, &symptom.m_biasStep})
            *field = Number();
        Weights(symptom.m_weight), Weights(symptom.m_weightGrad), Weights(symptom.m_weightStep);
        symptom.m_history = History();
        symptom.m_name = Name();
        return symptom;
    }
    CHidden Hidden() {
        CHidden unit(Name());
        for (float* field : {&unit.m_net, &unit.m_output, &unit.m_error, &unit.m_delta,
                             &unit.m_bias, &unit.m_biasGrad, &unit.m_biasStep})
            *field = Number();
        return unit;
    }

    std::mt19937 m_random;
};

TEST(DiaryFileRoundTrip, RandomDiariesWriteReadAndWriteToIdenticalBytes) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        CGastrologDoc original;
        RandomDiary(seed).Fill(original);
        const Bytes first = original.WriteBytes();
        CGastrologDoc read;
        ASSERT_EQ(read.ReadBytes(first), "") << "seed " << seed;
        EXPECT_EQ(read.m_foodNames, original.m_foodNames);
        EXPECT_EQ(read.m_symptomLines, original.m_symptomLines);
        EXPECT_EQ(read.m_foods.size(), original.m_foods.size());
        EXPECT_EQ(read.m_lastUpdate, original.m_lastUpdate);
        EXPECT_EQ(read.m_dayCount, original.m_dayCount);
        EXPECT_EQ(read.WriteBytes(), first) << "seed " << seed;
    }
}

// ---- reading

TEST(DiaryFileReading, ReadsTheStoredListsAsTheyAreAndDropsTheGeneratedOnes) {
    DiaryParts parts = TeaAndHeadache();
    parts.foodNames = ByteBuilder().U16(2).Text("Bread").Text("Jam");
    parts.symptomLines = ByteBuilder().U16(1).Text("Headache");
    CGastrologDoc doc;
    doc.m_exclusions.emplace_back("Old");
    doc.m_inclusions.emplace_back("Old");
    doc.m_over50Days.emplace_back("Old");
    doc.m_dayList = {"Old"};
    ASSERT_EQ(doc.ReadBytes(parts.Join()), "");
    EXPECT_THAT(doc.m_foodNames, testing::ElementsAre("Bread", "Jam"));
    EXPECT_THAT(doc.m_symptomLines, testing::ElementsAre("Headache"));
    EXPECT_THAT(doc.m_foods, testing::ElementsAre(CFood("Tea")));
    EXPECT_THAT(doc.m_symptoms, testing::ElementsAre(CSymptom("Headache")));
    EXPECT_EQ(doc.m_hidden.size(), 5u);
    EXPECT_EQ(doc.m_lastUpdate, 1'100'000'000);
    EXPECT_TRUE(doc.m_exclusions.empty());
    EXPECT_TRUE(doc.m_inclusions.empty());
    EXPECT_TRUE(doc.m_over50Days.empty());
    EXPECT_TRUE(doc.m_dayList.empty());
}

TEST(DiaryFileReading, TrailingBytesAfterTheLastUnitAreIgnored) {
    Bytes bytes = TeaAndHeadache().Join();
    bytes.insert(bytes.end(), {0xFF, 0xFF, 0x12, 0x00, 'x'});
    CGastrologDoc doc;
    EXPECT_EQ(doc.ReadBytes(bytes), "");
    EXPECT_EQ(doc.m_hidden.size(), 5u);
}

TEST(DiaryFileReading, ReferencesAndLongFormsGiveCopiesOfTheirRecords) {
    DiaryParts parts = TeaAndHeadache();
    parts.foodNames = ByteBuilder().U16(4).Text("Tea").Text("Rice").Text("Tea").Text("Rice");
    parts.foods = ByteBuilder().U16(4).NewClass("CFood").Append(FoodFields(CFood("Tea")));  // 1, 2
    parts.foods.U16(0x7FFF).U32(0x80000001u).Append(FoodFields(CFood("Rice")));             // 3
    parts.foods.U16(0x0002);                                                                // Tea
    parts.foods.U16(0x7FFF).U32(3);                                                         // Rice
    // CSymptom becomes class 4 with object 5, CHidden class 6.
    parts.hidden = HiddenList(6);
    CGastrologDoc doc;
    ASSERT_EQ(doc.ReadBytes(parts.Join()), "");
    EXPECT_THAT(doc.m_foods,
                testing::ElementsAre(CFood("Tea"), CFood("Rice"), CFood("Tea"), CFood("Rice")));
}

TEST(DiaryFileReading, WideNamesAreConvertedToTheCodePage) {
    DiaryParts parts = TeaAndHeadache();
    ByteBuilder wideName;
    wideName.U8(0xFF).U16(0xFFFE).U8(4).U16(u'C').U16(0x00E1).U16(0x20AC).U16(0x0416);
    parts.foodNames = ByteBuilder().U16(1).Append(wideName);
    CGastrologDoc doc;
    ASSERT_EQ(doc.ReadBytes(parts.Join()), "");
    EXPECT_THAT(doc.m_foodNames, testing::ElementsAre("C\xE1\x80?"));
}

TEST(DiaryFileReading, SerializeEndsWithUpdateAllViewsAndReadBytesDoesNot) {
    PlainHost host;
    CGastrologDoc doc(DocumentPorts{nullptr, &host});
    const Bytes bytes = TeaAndHeadache().Join();
    ASSERT_EQ(doc.ReadBytes(bytes), "");
    EXPECT_EQ(host.m_updateCount, 0);
    CArchive loading(bytes);
    doc.Serialize(loading);
    EXPECT_EQ(host.m_updateCount, 1);
    CArchive storing;
    doc.Serialize(storing);
    EXPECT_EQ(host.m_updateCount, 2);
    EXPECT_EQ(storing.Bytes(), bytes);
}

// ---- refusals

// A document holding something in every list the reading replaces or drops.
void FillEverything(CGastrologDoc& doc) {
    FillTeaAndHeadache(doc);
    doc.m_dayList = {"Tea"};
    doc.m_exclusions.emplace_back("Tea");
    doc.m_inclusions.emplace_back("Tea");
    doc.m_over50Days.emplace_back("Tea");
}

void ExpectRefusedAndCleared(const Bytes& bytes, const std::string& what) {
    CGastrologDoc doc;
    FillEverything(doc);
    EXPECT_EQ(doc.ReadBytes(bytes), Unexpected) << what;
    EXPECT_TRUE(doc.m_foods.empty()) << what;
    EXPECT_TRUE(doc.m_symptoms.empty()) << what;
    EXPECT_TRUE(doc.m_hidden.empty()) << what;
    EXPECT_TRUE(doc.m_foodNames.empty()) << what;
    EXPECT_TRUE(doc.m_symptomLines.empty()) << what;
    EXPECT_TRUE(doc.m_dayList.empty()) << what;
    EXPECT_TRUE(doc.m_exclusions.empty() && doc.m_inclusions.empty() && doc.m_over50Days.empty())
        << what;
}

TEST(DiaryFileRefusals, AFileCutShortAnywhereIsRefused) {
    const Bytes whole = TeaAndHeadache().Join();
    for (std::size_t size = 0; size < whole.size(); ++size)
        ExpectRefusedAndCleared(Bytes(whole.begin(), whole.begin() + static_cast<long>(size)),
                                std::to_string(size) + " bytes");
}

TEST(DiaryFileRefusals, ATwentyByteFileAskingForBillionsOfEntriesIsRefused) {
    ByteBuilder hostile;
    hostile.U32(0).U32(1).U16(0xFFFF).U32(0xFFFFFFFF).U16(0xFFFF).U32(0x7FFFFFFF);
    ASSERT_EQ(hostile.bytes.size(), 20u);
    ExpectRefusedAndCleared(hostile.bytes, "string list");
    ByteBuilder hostileFoods;
    hostileFoods.U32(0).U32(1).U16(0).U16(0xFFFF).U32(0xFFFFFFF0).U8(0xFF).U16(0xFFFF).U8(0xFF);
    ASSERT_EQ(hostileFoods.bytes.size(), 20u);
    ExpectRefusedAndCleared(hostileFoods.bytes, "food list");
}

struct SpoiledDiary {
    const char* what;
    std::function<void(DiaryParts&)> spoil;
};

class DiaryFileSpoiled : public testing::TestWithParam<SpoiledDiary> {};

TEST_P(DiaryFileSpoiled, IsRefusedAndLeavesTheDocumentCleared) {
    DiaryParts parts = TeaAndHeadache();
    GetParam().spoil(parts);
    ExpectRefusedAndCleared(parts.Join(), GetParam().what);
}

CFood FoodWithHistory(std::size_t length) {
    CFood food("Tea");
    food.m_history = std::string(length, 'n');
    return food;
}

INSTANTIATE_TEST_SUITE_P(
    EveryRule, DiaryFileSpoiled,
    testing::Values(
        SpoiledDiary{"unknown class",
                     [](DiaryParts& p) {
                         p.foods = ByteBuilder().U16(1).NewClass("CDrink").Append(
                             FoodFields(CFood("Tea")));
                     }},
        SpoiledDiary{"class name of 64 bytes",
                     [](DiaryParts& p) {
                         p.symptoms = ByteBuilder().U16(1).NewClass(std::string(64, 'S'));
                     }},
        SpoiledDiary{"schema 2",
                     [](DiaryParts& p) {
                         p.symptoms = ByteBuilder()
                                          .U16(1)
                                          .NewClass("CSymptom", 2)
                                          .Append(SymptomFields(CSymptom("Headache")));
                     }},
        SpoiledDiary{"class number not introduced",
                     [](DiaryParts& p) { p.hidden = HiddenList(7); }},
        SpoiledDiary{"object number not introduced",
                     [](DiaryParts& p) {
                         p.foods.U16(0x0003);
                         p.foods.bytes[0] = 2;
                     }},
        SpoiledDiary{"null entry",
                     [](DiaryParts& p) {
                         p.foods.U16(0x0000);
                         p.foods.bytes[0] = 2;
                     }},
        SpoiledDiary{"a unit in the food list",
                     [](DiaryParts& p) {
                         p.foods.NewClass("CHidden").Append(HiddenFields(CHidden("0")));
                         p.foods.bytes[0] = 2;
                     }},
        SpoiledDiary{"a food in the symptom list",
                     [](DiaryParts& p) { p.symptoms = ByteBuilder().U16(1).U16(0x8001); }},
        SpoiledDiary{"a reference to a food from the symptom list",
                     [](DiaryParts& p) { p.symptoms = ByteBuilder().U16(1).U16(0x0002); }},
        SpoiledDiary{"food history of 49 days",
                     [](DiaryParts& p) {
                         p.foods = ByteBuilder().U16(1).NewClass("CFood").Append(
                             FoodFields(FoodWithHistory(49)));
                     }},
        SpoiledDiary{"food history of 51 days",
                     [](DiaryParts& p) {
                         p.foods = ByteBuilder().U16(1).NewClass("CFood").Append(
                             FoodFields(FoodWithHistory(51)));
                     }},
        SpoiledDiary{
            "symptom history of no days",
            [](DiaryParts& p) {
                CSymptom symptom("Headache");
                symptom.m_history.clear();
                p.symptoms =
                    ByteBuilder().U16(1).NewClass("CSymptom").Append(SymptomFields(symptom));
            }},
        SpoiledDiary{"four hidden units", [](DiaryParts& p) { p.hidden = HiddenList(5, 4); }},
        SpoiledDiary{"six hidden units", [](DiaryParts& p) { p.hidden = HiddenList(5, 6); }},
        SpoiledDiary{"no hidden units", [](DiaryParts& p) { p.hidden = ByteBuilder().U16(0); }}));

}  // namespace
