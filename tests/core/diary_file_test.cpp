#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "diary/Archive.h"
#include "diary/GastrologDoc.h"
#include "diary/NameRules.h"
#include "diary/QuietPorts.h"
#include "tests/support/DiaryFileBuilder.h"
#include "tests/support/DocumentTestAccess.h"

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
    for (int unit = 0; unit < 5; ++unit) Members(doc).m_hidden.emplace_back(std::to_string(unit));
}

// The diary of the format's worked example.
void FillTeaAndHeadache(CGastrologDoc& doc) {
    Members(doc).m_lastUpdate = 1'100'000'000;
    Members(doc).m_dayCount = 1;
    Members(doc).m_foods.emplace_back("Tea");
    Members(doc).m_symptoms.emplace_back("Headache");
    AddHiddenUnits(doc);
    doc.RebuildFoodNames();
    doc.RebuildSymptomLines();
}

// Every number field of a record, in no particular order.
void AddWeights(std::vector<float*>& fields, std::initializer_list<UnitWeights*> weights) {
    for (UnitWeights* unitWeights : weights)
        for (float& weight : *unitWeights) fields.push_back(&weight);
}
std::vector<float*> Floats(CFood& f) {
    std::vector<float*> fields{&f.m_input};
    AddWeights(fields, {&f.m_weight, &f.m_weightGrad, &f.m_weightStep});
    return fields;
}
std::vector<float*> Floats(CSymptom& s) {
    std::vector<float*> fields{&s.m_spare, &s.m_net,  &s.m_output,   &s.m_error,
                               &s.m_delta, &s.m_bias, &s.m_biasGrad, &s.m_biasStep};
    AddWeights(fields, {&s.m_weight, &s.m_weightGrad, &s.m_weightStep});
    return fields;
}
std::vector<float*> Floats(CHidden& u) {
    return {&u.m_net, &u.m_output, &u.m_error, &u.m_delta, &u.m_bias, &u.m_biasGrad, &u.m_biasStep};
}

// A document holding something in every list the reading replaces or drops.
void FillEverything(CGastrologDoc& doc) {
    FillTeaAndHeadache(doc);
    Members(doc).m_dayList = {"Tea"};
    Members(doc).m_exclusions.emplace_back("Tea");
    Members(doc).m_inclusions.emplace_back("Tea");
    Members(doc).m_over50Days.emplace_back("Tea");
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
    EXPECT_EQ(Slice(bytes, 31, 4), ByteBuilder().F32(doc.Foods()[0].m_weight[0]).bytes);
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
    CFood& food = Members(doc).m_foods[0];
    CSymptom& symptom = Members(doc).m_symptoms[0];
    for (float* field : Floats(food)) *field = next++;
    for (float* field : Floats(symptom)) *field = next++;
    for (CHidden& unit : Members(doc).m_hidden)
        for (float* field : Floats(unit)) *field = next++;

    DiaryParts expected = TeaAndHeadache();
    expected.foods = ByteBuilder().U16(1).NewClass("CFood").Append(FoodFields(food));
    expected.symptoms = ByteBuilder().U16(1).NewClass("CSymptom").Append(SymptomFields(symptom));
    expected.hidden =
        ByteBuilder().U16(5).NewClass("CHidden").Append(HiddenFields(doc.HiddenUnits()[0]));
    for (int unit = 1; unit < 5; ++unit)
        expected.hidden.U16(0x8005).Append(HiddenFields(doc.HiddenUnits()[unit]));
    EXPECT_EQ(doc.WriteBytes(), expected.Join());  // read back by the random round trips
}

TEST(DiaryFileLayout, AnEmptyDiaryHoldsEmptyListsAndTheUnitsAndADayCountBelowOneIsStoredAsOne) {
    DiaryParts expected;
    expected.head.U32(0).U32(1);
    expected.foodNames.U16(0);
    expected.foods.U16(0);
    expected.symptomLines.U16(0);
    expected.symptoms.U16(0);
    expected.hidden = HiddenList(1);
    for (const std::int32_t dayCount : {0, -7}) {
        SCOPED_TRACE(dayCount);
        CGastrologDoc doc;
        AddHiddenUnits(doc);
        Members(doc).m_dayCount = dayCount;
        const Bytes bytes = doc.WriteBytes();
        EXPECT_EQ(bytes, expected.Join());
        EXPECT_EQ(doc.DayCount(), 1);  // the member follows
        CGastrologDoc read;
        ASSERT_EQ(read.ReadBytes(bytes).Message(), "");
        EXPECT_EQ(read.DayCount(), 1);
    }
}

TEST(DiaryFileLayout, FortyThousandFoodsPushLaterClassNumbersIntoTheLongForm) {
    CGastrologDoc doc;
    for (int index = 0; index < 40000; ++index)
        Members(doc).m_foods.emplace_back("F" + std::to_string(index));
    Members(doc).m_symptoms = {CSymptom("Headache"), CSymptom("Nausea")};
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
    ASSERT_EQ(read.ReadBytes(bytes).Message(), "");
    EXPECT_EQ(read.Foods().size(), 40000u);
    EXPECT_EQ(read.WriteBytes(), bytes);
}

// ---- round trips

class RandomDiary {
public:
    explicit RandomDiary(unsigned seed) : m_random(seed) {}

    void Fill(CGastrologDoc& doc) {
        Members(doc).m_lastUpdate = Between(0, 0xFFFFFFFFu);
        Members(doc).m_dayCount = static_cast<std::int32_t>(Between(0, 0xFFFFFFFFu));
        for (auto count = Between(0, 30); count > 0; --count)
            Members(doc).m_foods.push_back(Diarised<CFood>());
        for (auto count = Between(0, 20); count > 0; --count)
            Members(doc).m_symptoms.push_back(Diarised<CSymptom>());
        for (int unit = 0; unit < 5; ++unit) Members(doc).m_hidden.push_back(Hidden());
        // The stored name lists need not match the records; they are stored as they are.
        for (auto count = Between(0, 35); count > 0; --count)
            Members(doc).m_foodNames.push_back(Name());
        for (auto count = Between(0, 25); count > 0; --count)
            Members(doc).m_symptomLines.push_back(Name());
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
    // A food or symptom name as the name rules let in: a letter, then any bytes but the
    // control characters (the stored lists and the units' names keep every byte).
    std::string RecordName() {
        std::string name = "N" + Name();
        for (char& byte : name)
            if (name_rules::CheckStored(std::string("N") + byte, name_rules::Kind::Food) ==
                name_rules::Problem::ControlCharacter)
                byte = 'x';
        return name;
    }
    template <class Record>
    Record Diarised() {
        Record record;
        for (float* field : Floats(record)) *field = Number();
        record.m_history = History();
        record.m_name = RecordName();
        return record;
    }
    CHidden Hidden() {
        CHidden unit(Name());
        for (float* field : Floats(unit)) *field = Number();
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
        ASSERT_EQ(read.ReadBytes(first).Message(), "") << "seed " << seed;
        EXPECT_EQ(read.WriteBytes(), first) << "seed " << seed;  // so every field came back
    }
}

// ---- reading

TEST(DiaryFileReading, ReadsTheStoredListsAsTheyAreDropsTheGeneratedOnesAndIgnoresTrailingBytes) {
    DiaryParts parts = TeaAndHeadache();
    parts.foodNames = ByteBuilder().U16(2).Text("Bread").Text("Jam");
    parts.symptomLines = ByteBuilder().U16(1).Text("Headache");
    Bytes bytes = parts.Join();
    bytes.insert(bytes.end(), {0xFF, 0xFF, 0x12, 0x00, 'x'});
    CGastrologDoc doc;
    FillEverything(doc);
    ASSERT_EQ(doc.ReadBytes(bytes).Message(), "");
    EXPECT_THAT(doc.FoodNames(), testing::ElementsAre("Bread", "Jam"));
    EXPECT_THAT(doc.SymptomLines(), testing::ElementsAre("Headache"));
    EXPECT_THAT(doc.Foods(), testing::ElementsAre(CFood("Tea")));
    EXPECT_THAT(doc.Symptoms(), testing::ElementsAre(CSymptom("Headache")));
    EXPECT_EQ(doc.HiddenUnits().size(), 5u);
    EXPECT_EQ(doc.LastUpdate(), 1'100'000'000);
    EXPECT_TRUE(doc.Exclusions().empty() && doc.Inclusions().empty() && doc.Over50Days().empty() &&
                doc.DayList().empty());
}

TEST(DiaryFileReading, SerializeEndsWithUpdateAllViewsAndReadBytesDoesNot) {
    PlainHost host;
    CGastrologDoc doc(DocumentPorts{nullptr, &host});
    const Bytes bytes = TeaAndHeadache().Join();
    ASSERT_EQ(doc.ReadBytes(bytes).Message(), "");
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

void ExpectRefusedAndCleared(const Bytes& bytes, const std::string& what) {
    SCOPED_TRACE(what);
    CGastrologDoc doc;
    FillEverything(doc);
    EXPECT_EQ(doc.ReadBytes(bytes).Message(), Unexpected);
    EXPECT_TRUE(doc.Foods().empty() && doc.Symptoms().empty() && doc.HiddenUnits().empty());
    EXPECT_TRUE(doc.FoodNames().empty() && doc.SymptomLines().empty() && doc.DayList().empty());
    EXPECT_TRUE(doc.Exclusions().empty() && doc.Inclusions().empty() && doc.Over50Days().empty());
}

TEST(DiaryFileRefusals, AFileCutShortAnywhereIsRefused) {
    const Bytes whole = TeaAndHeadache().Join();
    for (std::size_t size = 0; size < whole.size(); ++size)
        ExpectRefusedAndCleared(Bytes(whole.begin(), whole.begin() + static_cast<long>(size)),
                                std::to_string(size) + " bytes");
}

// The food list holding "Tea" with a history of `days` days.
std::function<void(DiaryParts&)> FoodHistoryOf(std::size_t days) {
    return [days](DiaryParts& p) {
        CFood food("Tea");
        food.m_history = std::string(days, 'n');
        p.foods = ByteBuilder().U16(1).NewClass("CFood").Append(FoodFields(food));
    };
}

// Another entry after the one food.
std::function<void(DiaryParts&)> SecondFood(const ByteBuilder& entry) {
    return [entry](DiaryParts& p) {
        p.foods.Append(entry);
        p.foods.bytes[0] = 2;
    };
}

// The food list holding one food of that name.
std::function<void(DiaryParts&)> FoodNamed(const std::string& name) {
    return [name](DiaryParts& p) {
        p.foods = ByteBuilder().U16(1).NewClass("CFood").Append(FoodFields(CFood(name)));
    };
}

// The symptom list holding one symptom of that name.
std::function<void(DiaryParts&)> SymptomNamed(const std::string& name) {
    return [name](DiaryParts& p) {
        p.symptoms =
            ByteBuilder().U16(1).NewClass("CSymptom").Append(SymptomFields(CSymptom(name)));
    };
}

// The symptom list replaced by `list`.
std::function<void(DiaryParts&)> Symptoms(const ByteBuilder& list) {
    return [list](DiaryParts& p) { p.symptoms = list; };
}

TEST(DiaryFileRefusals, ASpoiledDiaryIsRefusedAndLeavesTheDocumentCleared) {
    using B = ByteBuilder;
    CSymptom noHistory("Headache");
    noHistory.m_history.clear();
    const std::pair<const char*, std::function<void(DiaryParts&)>> cases[] = {
        {"schema 2",
         Symptoms(B().U16(1).NewClass("CSymptom", 2).Append(SymptomFields(CSymptom("Headache"))))},
        {"class number not introduced", [](DiaryParts& p) { p.hidden = HiddenList(7); }},
        {"null entry", SecondFood(B().U16(0x0000))},
        {"a unit in the food list",
         SecondFood(B().NewClass("CHidden").Append(HiddenFields(CHidden("0"))))},
        {"a food in the symptom list", Symptoms(B().U16(1).U16(0x8001))},
        {"a reference to a food from the symptom list", Symptoms(B().U16(1).U16(0x0002))},
        {"food history of 49 days", FoodHistoryOf(49)},
        {"food history of 51 days", FoodHistoryOf(51)},
        {"symptom history of no days",
         Symptoms(B().U16(1).NewClass("CSymptom").Append(SymptomFields(noHistory)))},
        {"four hidden units", [](DiaryParts& p) { p.hidden = HiddenList(5, 4); }},
        {"six hidden units", [](DiaryParts& p) { p.hidden = HiddenList(5, 6); }},
        {"no hidden units", [](DiaryParts& p) { p.hidden = ByteBuilder().U16(0); }},
        // Names the commit of the dialogs' lists would misread, or that no dialog lets in.
        {"a food named >Coffee", FoodNamed(">Coffee")},
        {"a food named ~Tea", FoodNamed("~Tea")},
        {"a food named 0Milk", FoodNamed("0Milk")},
        {"a food without a name", FoodNamed("")},
        {"a food name with a line break", FoodNamed("Tea\nMilk")},
        {"a symptom named >Headache", SymptomNamed(">Headache")},
        {"a symptom name with a rating word", SymptomNamed("Pain (worse)")}};
    for (const auto& [what, spoil] : cases) {
        DiaryParts parts = TeaAndHeadache();
        spoil(parts);
        ExpectRefusedAndCleared(parts.Join(), what);
    }
}

}  // namespace
