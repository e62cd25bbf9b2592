#include "doc/Archive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/support/DiaryFileBuilder.h"

namespace {

using Cause = CArchiveException::Cause;

// The cause of the refusal, or nothing when the read went through.
template <class Read>
std::optional<Cause> RefusalOf(const Bytes& bytes, Read read) {
    CArchive archive(bytes);
    try {
        read(archive);
    } catch (const CArchiveException& refusal) {
        return refusal.GetCause();
    }
    return std::nullopt;
}

Bytes Stored(const std::function<void(CArchive&)>& store) {
    CArchive archive;
    store(archive);
    return archive.TakeBytes();
}

Bytes Concat(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

std::vector<CHidden> ReadHiddenList(CArchive& archive) {
    std::vector<CHidden> list;
    archive.SerializeObjectList(list);
    return list;
}

// ---- numbers

TEST(ArchiveNumbers, AreLittleEndianAndReadBack) {
    const Bytes bytes = Stored([](CArchive& archive) {
        archive.WriteU16(0x1234);
        archive.WriteU32(0xA1B2C3D4);
        archive.WriteI32(-2);
        archive.WriteF32(1.5f);
    });
    EXPECT_EQ(bytes, (Bytes{0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1, 0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00,
                            0xC0, 0x3F}));
    CArchive archive(bytes);
    EXPECT_EQ(archive.ReadU16(), 0x1234);
    EXPECT_EQ(archive.ReadU32(), 0xA1B2C3D4u);
    EXPECT_EQ(archive.ReadI32(), -2);
    EXPECT_EQ(archive.ReadF32(), 1.5f);
    EXPECT_EQ(archive.Remaining(), 0u);
}

TEST(ArchiveNumbers, FloatsKeepEveryBitIncludingNaNPayloads) {
    const std::uint32_t patterns[] = {0x7FC01234u, 0xFF800001u, 0x00000001u, 0x80000000u,
                                      0x7F800000u};
    for (const std::uint32_t pattern : patterns) {
        float value = std::bit_cast<float>(pattern);
        const Bytes bytes = Stored([&](CArchive& archive) { archive.Exchange(value); });
        CArchive archive(bytes);
        float read = 0;
        archive.Exchange(read);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(read), pattern);
    }
}

TEST(ArchiveNumbers, TimesAreUnsigned32BitsAndOutOfRangeTimesAreHeldAtTheEnds) {
    const Bytes bytes = Stored([](CArchive& archive) {
        archive.WriteTime(0xFFFFFFF0);
        archive.WriteTime(-5);
        archive.WriteTime(TimeValue{1} << 40);
    });
    CArchive archive(bytes);
    EXPECT_EQ(archive.ReadTime(), TimeValue{0xFFFFFFF0});  // after 2038, not negative
    EXPECT_EQ(archive.ReadTime(), 0);
    EXPECT_EQ(archive.ReadTime(), TimeValue{0xFFFFFFFF});
}

TEST(ArchiveNumbers, AValueCutShortIsRefused) {
    EXPECT_EQ(RefusalOf(Bytes{0x01}, [](CArchive& a) { a.ReadU16(); }), Cause::EndOfFile);
    EXPECT_EQ(RefusalOf(Bytes{1, 2, 3}, [](CArchive& a) { a.ReadU32(); }), Cause::EndOfFile);
    EXPECT_EQ(RefusalOf(Bytes{}, [](CArchive& a) { a.ReadU8(); }), Cause::EndOfFile);
}

// ---- counts

struct CountCase {
    std::size_t count;
    Bytes prefix;
};

class ArchiveCounts : public testing::TestWithParam<CountCase> {};

TEST_P(ArchiveCounts, UseTheShortFormBelow0xFFFFAndTheLongFormFromIt) {
    const std::size_t count = GetParam().count;
    const Bytes bytes = Stored([&](CArchive& archive) { archive.WriteCount(count); });
    EXPECT_EQ(bytes, GetParam().prefix);
    // The reader checks the count against what follows, so give it that much.
    const Bytes withEntries = Concat(bytes, Bytes(count, 0));
    CArchive archive(withEntries);
    EXPECT_EQ(archive.ReadCount(1), count);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, ArchiveCounts,
                         testing::Values(CountCase{0, {0x00, 0x00}}, CountCase{1, {0x01, 0x00}},
                                         CountCase{0xFFFE, {0xFE, 0xFF}},
                                         CountCase{0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
                                         CountCase{0x10000, {0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}}));

TEST(ArchiveCountLimits, ACountTheRestOfTheFileCannotHoldIsRefused) {
    // Twenty bytes claiming four billion entries.
    const Bytes hostile = Concat({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, Bytes(14, 0));
    EXPECT_EQ(RefusalOf(hostile, [](CArchive& a) { a.ReadStringList(); }), Cause::EndOfFile);
    EXPECT_EQ(RefusalOf(hostile, ReadHiddenList), Cause::EndOfFile);
    // Three entries of at least four bytes do not fit in eleven.
    EXPECT_EQ(RefusalOf(Concat({0x03, 0x00}, Bytes(11, 0)), [](CArchive& a) { a.ReadCount(4); }),
              Cause::EndOfFile);
    EXPECT_EQ(RefusalOf(Concat({0x03, 0x00}, Bytes(12, 0)), [](CArchive& a) { a.ReadCount(4); }),
              std::nullopt);
}

TEST(ArchiveCountLimits, ReferencesCannotMakeASmallFileAHugeList) {
    // One unit, then 30000 two-byte references to it: 60 KB asking for 30000 records. The
    // file as a whole could hold only about 2000 units written in full.
    ByteBuilder list;
    list.U16(30001).NewClass("CHidden").Append(HiddenFields(CHidden("0")));
    for (int reference = 0; reference < 30000; ++reference) list.U16(0x0002);
    EXPECT_EQ(RefusalOf(list.bytes, ReadHiddenList), Cause::BadIndex);
}

// ---- strings

struct StringCase {
    std::size_t length;
    Bytes prefix;
};

class ArchiveStrings : public testing::TestWithParam<StringCase> {};

TEST_P(ArchiveStrings, UseTheLengthPrefixOfTheirSize) {
    const Bytes& prefix = GetParam().prefix;
    const std::string text(GetParam().length, 'a');
    const Bytes bytes = Stored([&](CArchive& archive) { archive.WriteString(text); });
    ASSERT_EQ(bytes.size(), prefix.size() + text.size());
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(prefix.size())), prefix);
    CArchive archive(bytes);
    EXPECT_EQ(archive.ReadString(), text);
    EXPECT_EQ(archive.Remaining(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, ArchiveStrings,
    testing::Values(StringCase{0, {0x00}}, StringCase{254, {0xFE}},
                    StringCase{255, {0xFF, 0xFF, 0x00}}, StringCase{65533, {0xFF, 0xFD, 0xFF}},
                    StringCase{65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
                    StringCase{70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}));

TEST(ArchiveStringReading, AcceptsLongerPrefixesThanNeeded) {
    const Bytes bytes{0xFF, 0x03, 0x00, 'T', 'e', 'a', 0xFF, 0xFF, 0xFF, 0x02, 0, 0, 0, 'o', 'k'};
    CArchive archive(bytes);
    EXPECT_EQ(archive.ReadString(), "Tea");
    EXPECT_EQ(archive.ReadString(), "ok");
}

TEST(ArchiveStringReading, KeepsEveryByteOfTheText) {
    const std::string text{"a\0\x80\xFF z", 6};
    const Bytes bytes = Stored([&](CArchive& archive) { archive.WriteString(text); });
    CArchive archive(bytes);
    EXPECT_EQ(archive.ReadString(), text);
}

TEST(ArchiveStringReading, TheWideFormIsConvertedToWindows1252) {
    ByteBuilder wide;
    wide.U8(0xFF).U16(0xFFFE).U8(4).U16(u'T').U16(0x20AC).U16(0x00E9).U16(u'!');
    CArchive archive(wide.bytes);
    EXPECT_EQ(archive.ReadString(), "T\x80\xE9!");
}

TEST(ArchiveStringReading, WideCharactersOutsideTheCodePageBecomeQuestionMarks) {
    ByteBuilder wide;
    // U+4E2D, a surrogate pair (one character), a lone low surrogate.
    wide.U8(0xFF).U16(0xFFFE).U8(5).U16(0x4E2D).U16(0xD83D).U16(0xDE00).U16(0xDC00).U16(u'x');
    CArchive archive(wide.bytes);
    EXPECT_EQ(archive.ReadString(), "???x");
}

TEST(ArchiveStringReading, TheWideFormTakesTheTwoAndFourByteLengthsToo) {
    ByteBuilder two, four;
    two.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(300);
    four.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(70000);
    for (int i = 0; i < 300; ++i) two.U16(u'a');
    for (int i = 0; i < 70000; ++i) four.U16(u'b');
    CArchive twoArchive(two.bytes), fourArchive(four.bytes);
    EXPECT_EQ(twoArchive.ReadString(), std::string(300, 'a'));
    EXPECT_EQ(fourArchive.ReadString(), std::string(70000, 'b'));
}

TEST(ArchiveStringReading, ATextLongerThanTheRestIsRefused) {
    const auto read = [](CArchive& a) { a.ReadString(); };
    EXPECT_EQ(RefusalOf(Bytes{0x05, 'a', 'b'}, read), Cause::EndOfFile);
    EXPECT_EQ(RefusalOf(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, read), Cause::EndOfFile);
    // Three UTF-16 units need six bytes, not five.
    EXPECT_EQ(RefusalOf(Bytes{0xFF, 0xFE, 0xFF, 0x03, 'a', 0, 'b', 0, 'c'}, read),
              Cause::EndOfFile);
    EXPECT_EQ(RefusalOf(Bytes{0xFF, 0xFE}, read), Cause::EndOfFile);
}

// ---- object lists

std::vector<CHidden> Units(int count) {
    std::vector<CHidden> units;
    for (int index = 0; index < count; ++index) {
        units.emplace_back(std::to_string(index));
        units.back().m_bias = static_cast<float>(index) + 0.25f;
    }
    return units;
}

TEST(ArchiveObjectLists, TheFirstRecordIntroducesItsClassAndTheOthersNameItsNumber) {
    std::vector<CHidden> units = Units(3);
    const Bytes bytes = Stored([&](CArchive& archive) { archive.SerializeObjectList(units); });
    ByteBuilder expected;
    expected.U16(3).NewClass("CHidden").Append(HiddenFields(units[0]));
    expected.U16(0x8001).Append(HiddenFields(units[1]));
    expected.U16(0x8001).Append(HiddenFields(units[2]));
    EXPECT_EQ(bytes, expected.bytes);

    CArchive archive(bytes);
    EXPECT_EQ(ReadHiddenList(archive), units);
}

TEST(ArchiveObjectLists, ClassesAndObjectsShareOneNumbering) {
    std::vector<CHidden> units = Units(2);
    std::vector<CFood> foods = {CFood("Tea"), CFood("Rice")};
    const Bytes bytes = Stored([&](CArchive& archive) {
        archive.SerializeObjectList(units);  // class 1, objects 2 and 3
        archive.SerializeObjectList(foods);  // class 4, objects 5 and 6
    });
    ByteBuilder expected;
    expected.U16(2).NewClass("CHidden").Append(HiddenFields(units[0]));
    expected.U16(0x8001).Append(HiddenFields(units[1]));
    expected.U16(2).NewClass("CFood").Append(FoodFields(foods[0]));
    expected.U16(0x8004).Append(FoodFields(foods[1]));
    EXPECT_EQ(bytes, expected.bytes);
}

TEST(ArchiveObjectLists, AnEmptyListIsTwoZeroBytes) {
    std::vector<CFood> none;
    EXPECT_EQ(Stored([&](CArchive& archive) { archive.SerializeObjectList(none); }),
              (Bytes{0x00, 0x00}));
}

TEST(ArchiveObjectLists, ClassNumbersAbove0x7FFEUseTheLongFormBothWays) {
    // 40000 units take the numbers 1 to 40001, so the food class becomes 40002.
    std::vector<CHidden> units(40000, CHidden("u"));
    std::vector<CFood> foods = {CFood("Tea"), CFood("Rice"), CFood("Salt")};
    const Bytes bytes = Stored([&](CArchive& archive) {
        archive.SerializeObjectList(units);
        archive.SerializeObjectList(foods);
    });
    ByteBuilder tail;
    tail.U16(3).NewClass("CFood").Append(FoodFields(foods[0]));
    tail.U16(0x7FFF).U32(0x80000000u | 40002).Append(FoodFields(foods[1]));
    tail.U16(0x7FFF).U32(0x80000000u | 40002).Append(FoodFields(foods[2]));
    ASSERT_GT(bytes.size(), tail.bytes.size());
    EXPECT_EQ(Bytes(bytes.end() - static_cast<long>(tail.bytes.size()), bytes.end()), tail.bytes);

    CArchive archive(bytes);
    std::vector<CHidden> readUnits;
    std::vector<CFood> readFoods;
    archive.SerializeObjectList(readUnits);
    archive.SerializeObjectList(readFoods);
    EXPECT_EQ(readUnits, units);
    EXPECT_EQ(readFoods, foods);
}

// The class of the second list takes the number units + 2.
Bytes SecondClassTag(std::size_t units) {
    std::vector<CHidden> hidden(units, CHidden("u"));
    std::vector<CFood> foods = {CFood("Tea"), CFood("Rice")};
    const Bytes bytes = Stored([&](CArchive& archive) {
        archive.SerializeObjectList(hidden);
        archive.SerializeObjectList(foods);
    });
    const std::size_t foodSize = FoodFields(foods[1]).bytes.size();
    const auto tagEnd = bytes.end() - static_cast<long>(foodSize);
    const auto tagStart = tagEnd - (bytes[bytes.size() - foodSize - 6] == 0xFF ? 6 : 2);
    return Bytes(tagStart, tagEnd);
}

TEST(ArchiveObjectLists, ClassNumber0x7FFEIsTheLastOfTheShortForm) {
    EXPECT_EQ(SecondClassTag(0x7FFC), (Bytes{0xFE, 0xFF}));
    // 0x8000 | 0x7FFF would read as a new class: the long form takes over.
    EXPECT_EQ(SecondClassTag(0x7FFD), (Bytes{0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80}));
}

TEST(ArchiveObjectLists, TheLongClassFormIsReadForSmallNumbersToo) {
    ByteBuilder list;
    list.U16(2).NewClass("CHidden").Append(HiddenFields(CHidden("a")));
    list.U16(0x7FFF).U32(0x80000001u).Append(HiddenFields(CHidden("b")));
    CArchive archive(list.bytes);
    EXPECT_THAT(ReadHiddenList(archive), testing::ElementsAre(CHidden("a"), CHidden("b")));
}

TEST(ArchiveObjectLists, AReferenceToAnEarlierRecordOfTheListGivesAnEqualCopy) {
    CHidden first("first");
    first.m_delta = 0.5f;
    ByteBuilder list;
    list.U16(4).NewClass("CHidden").Append(HiddenFields(first));  // class 1, object 2
    list.U16(0x8001).Append(HiddenFields(CHidden("second")));     // object 3
    list.U16(0x0002);                                             // short reference
    list.U16(0x7FFF).U32(3);                                      // long reference
    CArchive archive(list.bytes);
    std::vector<CHidden> read = ReadHiddenList(archive);
    ASSERT_EQ(read.size(), 4u);
    EXPECT_EQ(read[2], first);
    EXPECT_EQ(read[3], CHidden("second"));
    read[2].m_name = "changed";  // a copy, not a shared record
    EXPECT_EQ(read[0].m_name, "first");
}

TEST(ArchiveObjectLists, TheNumberingGoesOnAcrossListsWhenReading) {
    ByteBuilder lists;
    lists.U16(1).NewClass("CHidden").Append(HiddenFields(CHidden("h")));  // 1, 2
    lists.U16(2).NewClass("CFood").Append(FoodFields(CFood("Tea")));      // 3, 4
    lists.U16(0x8003).Append(FoodFields(CFood("Rice")));                  // 5
    CArchive archive(lists.bytes);
    std::vector<CHidden> units;
    std::vector<CFood> foods;
    archive.SerializeObjectList(units);
    archive.SerializeObjectList(foods);
    EXPECT_THAT(foods, testing::ElementsAre(CFood("Tea"), CFood("Rice")));
}

// ---- object list refusals

struct RefusedList {
    const char* what;
    std::function<void(ByteBuilder&)> entries;  // after the first unit (class 1, object 2)
    Cause cause;
};

class ArchiveListRefusals : public testing::TestWithParam<RefusedList> {};

TEST_P(ArchiveListRefusals, AreRefusedWithTheirCause) {
    ByteBuilder list;
    list.U16(2).NewClass("CHidden").Append(HiddenFields(CHidden("0")));
    GetParam().entries(list);
    list.Append(ByteBuilder().Raw(std::string(64, 'x')));  // room enough for the count
    EXPECT_EQ(RefusalOf(list.bytes, ReadHiddenList), GetParam().cause) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, ArchiveListRefusals,
    testing::Values(
        RefusedList{"null entry", [](ByteBuilder& b) { b.U16(0x0000); }, Cause::BadIndex},
        RefusedList{"long null entry", [](ByteBuilder& b) { b.U16(0x7FFF).U32(0); },
                    Cause::BadIndex},
        RefusedList{"class 0", [](ByteBuilder& b) { b.U16(0x8000); }, Cause::BadIndex},
        RefusedList{"class not introduced", [](ByteBuilder& b) { b.U16(0x8003); }, Cause::BadIndex},
        RefusedList{"long class not introduced",
                    [](ByteBuilder& b) { b.U16(0x7FFF).U32(0x80009000u); }, Cause::BadIndex},
        RefusedList{"object not introduced", [](ByteBuilder& b) { b.U16(0x0003); },
                    Cause::BadIndex},
        RefusedList{"long object not introduced", [](ByteBuilder& b) { b.U16(0x7FFF).U32(7); },
                    Cause::BadIndex},
        RefusedList{"class number naming an object", [](ByteBuilder& b) { b.U16(0x8002); },
                    Cause::BadIndex},
        RefusedList{"object number naming a class", [](ByteBuilder& b) { b.U16(0x0001); },
                    Cause::BadIndex},
        RefusedList{"unknown class", [](ByteBuilder& b) { b.NewClass("CSnack"); }, Cause::BadClass},
        RefusedList{"class name in another case", [](ByteBuilder& b) { b.NewClass("Chidden"); },
                    Cause::BadClass},
        RefusedList{"record of another class",
                    [](ByteBuilder& b) { b.NewClass("CFood").Append(FoodFields(CFood("x"))); },
                    Cause::BadClass},
        RefusedList{"class name of 64 bytes",
                    [](ByteBuilder& b) { b.NewClass(std::string(64, 'C')); }, Cause::BadClass},
        RefusedList{"schema 2", [](ByteBuilder& b) { b.NewClass("CHidden", 2); }, Cause::BadSchema},
        RefusedList{"schema 0", [](ByteBuilder& b) { b.NewClass("CHidden", 0); },
                    Cause::BadSchema}));

TEST(ArchiveObjectListRefusals, AClassNameOf63BytesIsReadAndThenRefusedAsUnknown) {
    ByteBuilder list;
    list.U16(1).NewClass(std::string(63, 'C')).Raw(std::string(64, '\0'));
    CArchive archive(list.bytes);
    try {
        ReadHiddenList(archive);
        FAIL() << "an unknown class was accepted";
    } catch (const CArchiveException& refusal) {
        EXPECT_EQ(refusal.GetCause(), Cause::BadClass);
        EXPECT_EQ(archive.Remaining(), 64u);  // the whole name was taken, the next part not
    }
}

TEST(ArchiveObjectListRefusals, AReferenceToARecordOfAnotherListIsRefused) {
    ByteBuilder lists;
    lists.U16(1).NewClass("CHidden").Append(HiddenFields(CHidden("h")));  // 1, 2
    lists.U16(1).U16(0x0002).Raw(std::string(64, '\0'));
    CArchive archive(lists.bytes);
    std::vector<CHidden> first, second;
    archive.SerializeObjectList(first);
    EXPECT_THROW(archive.SerializeObjectList(second), CArchiveException);
}

TEST(ArchiveObjectListRefusals, AReferenceToARecordOfAnotherClassIsRefused) {
    ByteBuilder lists;
    lists.U16(1).NewClass("CHidden").Append(HiddenFields(CHidden("h")));  // 1, 2
    lists.U16(2).NewClass("CFood").Append(FoodFields(CFood("Tea")));      // 3, 4
    lists.U16(0x0002).Raw(std::string(64, '\0'));
    CArchive archive(lists.bytes);
    std::vector<CHidden> units;
    std::vector<CFood> foods;
    archive.SerializeObjectList(units);
    try {
        archive.SerializeObjectList(foods);
        FAIL() << "a unit was taken for a food";
    } catch (const CArchiveException& refusal) {
        EXPECT_EQ(refusal.GetCause(), Cause::BadClass);
    }
}

TEST(ArchiveObjectListRefusals, ARecordCutShortIsRefused) {
    ByteBuilder list;
    list.U16(1).NewClass("CHidden").Append(HiddenFields(CHidden("0")));
    for (std::size_t size = 0; size < list.bytes.size(); ++size) {
        const Bytes cut(list.bytes.begin(), list.bytes.begin() + static_cast<long>(size));
        EXPECT_EQ(RefusalOf(cut, ReadHiddenList), Cause::EndOfFile) << size << " bytes";
    }
}

}  // namespace
