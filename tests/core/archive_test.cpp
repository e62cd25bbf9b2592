#include "diary/Archive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

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

TEST(ArchiveNumbers, AreLittleEndianAndReadBackWithTimesAsUnsigned32BitsHeldAtTheEnds) {
    const Bytes bytes = Stored([](CArchive& archive) {
        archive.WriteU16(0x1234);
        archive.WriteU32(0xA1B2C3D4);
        archive.WriteI32(-2);
        archive.WriteF32(1.5f);
        archive.WriteTime(0xFFFFFFF0);
        archive.WriteTime(-5);
        archive.WriteTime(TimeValue{1} << 40);
    });
    EXPECT_EQ(bytes, (Bytes{0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1, 0xFE, 0xFF, 0xFF,
                            0xFF, 0x00, 0x00, 0xC0, 0x3F, 0xF0, 0xFF, 0xFF, 0xFF,
                            0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
    CArchive archive(bytes);
    EXPECT_EQ(archive.ReadU16(), 0x1234);
    EXPECT_EQ(archive.ReadU32(), 0xA1B2C3D4u);
    EXPECT_EQ(archive.ReadI32(), -2);
    EXPECT_EQ(archive.ReadF32(), 1.5f);
    EXPECT_EQ(archive.ReadTime(), TimeValue{0xFFFFFFF0});  // after 2038, not negative
    EXPECT_EQ(archive.ReadTime(), 0);
    EXPECT_EQ(archive.ReadTime(), TimeValue{0xFFFFFFFF});
    EXPECT_EQ(archive.Remaining(), 0u);
}

// ---- counts

TEST(ArchiveCounts, UseTheShortFormBelow0xFFFFAndTheLongFormFromIt) {
    const std::pair<std::size_t, Bytes> cases[] = {{0, {0x00, 0x00}},
                                                   {1, {0x01, 0x00}},
                                                   {0xFFFE, {0xFE, 0xFF}},
                                                   {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
                                                   {0x10000, {0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}}};
    for (const auto& [count, prefix] : cases) {
        SCOPED_TRACE(count);
        const Bytes bytes =
            Stored([count = count](CArchive& archive) { archive.WriteCount(count); });
        EXPECT_EQ(bytes, prefix);
        // The reader checks the count against what follows, so give it that much.
        const Bytes withEntries = Concat(bytes, Bytes(count, 0));
        CArchive archive(withEntries);
        EXPECT_EQ(archive.ReadCount(1), count);
    }
}

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

TEST(ArchiveStrings, UseTheLengthPrefixOfTheirSize) {
    const std::pair<std::size_t, Bytes> cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}};
    for (const auto& [length, prefix] : cases) {
        SCOPED_TRACE(length);
        const std::string text(length, 'a');
        const Bytes bytes = Stored([&](CArchive& archive) { archive.WriteString(text); });
        EXPECT_EQ(bytes, Concat(prefix, Bytes(text.begin(), text.end())));
        CArchive archive(bytes);
        EXPECT_EQ(archive.ReadString(), text);
        EXPECT_EQ(archive.Remaining(), 0u);
    }
}

TEST(ArchiveStringReading, AcceptsLongerPrefixesThanNeeded) {
    const Bytes bytes{0xFF, 0x03, 0x00, 'T', 'e', 'a', 0xFF, 0xFF, 0xFF, 0x02, 0, 0, 0, 'o', 'k'};
    CArchive archive(bytes);
    EXPECT_EQ(archive.ReadString(), "Tea");
    EXPECT_EQ(archive.ReadString(), "ok");
}

TEST(ArchiveStringReading, TheWideFormIsConvertedToWindows1252AtEveryLength) {
    ByteBuilder one, two, four;
    // U+20AC and U+00E9 are in the code page; U+4E2D, a surrogate pair (one character) and a
    // lone low surrogate are not.
    one.U8(0xFF).U16(0xFFFE).U8(8).U16(u'T').U16(0x20AC).U16(0x00E9).U16(u'!');
    one.U16(0x4E2D).U16(0xD83D).U16(0xDE00).U16(0xDC00);
    two.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(300);
    four.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(70000);
    for (int i = 0; i < 300; ++i) two.U16(u'a');
    for (int i = 0; i < 70000; ++i) four.U16(u'b');
    CArchive oneArchive(one.bytes), twoArchive(two.bytes), fourArchive(four.bytes);
    EXPECT_EQ(oneArchive.ReadString(), "T\x80\xE9!???");
    EXPECT_EQ(twoArchive.ReadString(), std::string(300, 'a'));
    EXPECT_EQ(fourArchive.ReadString(), std::string(70000, 'b'));
}

TEST(ArchiveReading, AValueOrTextLongerThanTheRestIsRefused) {
    const auto u8 = [](CArchive& a) { a.ReadU8(); };
    const auto u16 = [](CArchive& a) { a.ReadU16(); };
    const auto u32 = [](CArchive& a) { a.ReadU32(); };
    const auto text = [](CArchive& a) { a.ReadString(); };
    const std::pair<Bytes, std::function<void(CArchive&)>> cases[] = {
        {{}, u8},
        {{0x01}, u16},
        {{1, 2, 3}, u32},
        {{0x05, 'a', 'b'}, text},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, text},
        {{0xFF, 0xFE, 0xFF, 0x03, 'a', 0, 'b', 0, 'c'}, text},  // three UTF-16 units in five bytes
        {{0xFF, 0xFE}, text}};
    for (std::size_t index = 0; index < std::size(cases); ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(RefusalOf(cases[index].first, cases[index].second), Cause::EndOfFile);
    }
}

// ---- object lists

TEST(ArchiveObjectLists, ClassesAndObjectsShareOneNumberingAcrossLists) {
    std::vector<CHidden> units = {CHidden("0"), CHidden("1")};
    units[1].m_bias = 1.25f;
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

    CArchive archive(bytes);
    std::vector<CFood> readFoods;
    EXPECT_EQ(ReadHiddenList(archive), units);
    archive.SerializeObjectList(readFoods);
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

TEST(ArchiveObjectLists, LongFormsAndReferencesToEarlierRecordsGiveEqualCopies) {
    CHidden first("first");
    first.m_delta = 0.5f;
    ByteBuilder list;
    list.U16(4).NewClass("CHidden").Append(HiddenFields(first));                // class 1, object 2
    list.U16(0x7FFF).U32(0x80000001u).Append(HiddenFields(CHidden("second")));  // long class, 3
    list.U16(0x0002);                                                           // short reference
    list.U16(0x7FFF).U32(3);                                                    // long reference
    CArchive archive(list.bytes);
    std::vector<CHidden> read = ReadHiddenList(archive);
    EXPECT_THAT(read, testing::ElementsAre(first, CHidden("second"), first, CHidden("second")));
    read[2].m_name = "changed";  // a copy, not a shared record
    EXPECT_EQ(read[0].m_name, "first");
}

// ---- object list refusals

TEST(ArchiveListRefusals, AreRefusedWithTheirCause) {
    using B = ByteBuilder;
    // Entries after the first unit (class 1, object 2).
    const std::tuple<const char*, ByteBuilder, Cause> cases[] = {
        {"null entry", B().U16(0x0000), Cause::BadIndex},
        {"long null entry", B().U16(0x7FFF).U32(0), Cause::BadIndex},
        {"class 0", B().U16(0x8000), Cause::BadIndex},
        {"class not introduced", B().U16(0x8003), Cause::BadIndex},
        {"long class not introduced", B().U16(0x7FFF).U32(0x80009000u), Cause::BadIndex},
        {"object not introduced", B().U16(0x0003), Cause::BadIndex},
        {"long object not introduced", B().U16(0x7FFF).U32(7), Cause::BadIndex},
        {"class number naming an object", B().U16(0x8002), Cause::BadIndex},
        {"object number naming a class", B().U16(0x0001), Cause::BadIndex},
        {"unknown class", B().NewClass("CSnack"), Cause::BadClass},
        {"class name in another case", B().NewClass("Chidden"), Cause::BadClass},
        {"record of another class", B().NewClass("CFood").Append(FoodFields(CFood("x"))),
         Cause::BadClass},
        {"class name of 64 bytes", B().NewClass(std::string(64, 'C')), Cause::BadClass},
        {"schema 2", B().NewClass("CHidden", 2), Cause::BadSchema},
        {"schema 0", B().NewClass("CHidden", 0), Cause::BadSchema}};
    for (const auto& [what, entry, cause] : cases) {
        SCOPED_TRACE(what);
        ByteBuilder list;
        list.U16(2).NewClass("CHidden").Append(HiddenFields(CHidden("0"))).Append(entry);
        list.Raw(std::string(64, 'x'));  // room enough for the count
        EXPECT_EQ(RefusalOf(list.bytes, ReadHiddenList), cause);
    }
}

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
    // A unit list (class 1, object 2), then a list naming object 2 as a unit or as a food.
    ByteBuilder units, food;
    units.U16(1).NewClass("CHidden").Append(HiddenFields(CHidden("h")));
    food.Append(units).U16(2).NewClass("CFood").Append(FoodFields(CFood("Tea")));  // 3, 4
    units.U16(1).U16(0x0002).Raw(std::string(64, '\0'));
    food.U16(0x0002).Raw(std::string(64, '\0'));
    EXPECT_NE(RefusalOf(units.bytes,
                        [](CArchive& a) {
                            ReadHiddenList(a);
                            ReadHiddenList(a);
                        }),
              std::nullopt);
    EXPECT_EQ(RefusalOf(food.bytes,
                        [](CArchive& a) {
                            std::vector<CFood> foods;
                            ReadHiddenList(a);
                            a.SerializeObjectList(foods);
                        }),
              Cause::BadClass);
}

}  // namespace
