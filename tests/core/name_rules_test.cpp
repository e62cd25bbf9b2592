// The rules for food and symptom names, as typed (UTF-8) and as stored (Windows-1252 bytes),
// and the reader that applies them to a diary file.

#include <gtest/gtest.h>

#include <string>

#include "diary/GastrologDoc.h"
#include "diary/NameRules.h"
#include "tests/support/DocumentTestAccess.h"

namespace {

using name_rules::Kind;
using name_rules::Problem;

TEST(NameRules, TrimRemovesBlanksTabsAndLineBreaksAtBothEnds) {
    EXPECT_EQ(name_rules::Trim(" \t Rye  bread \r\n"), "Rye  bread");
    EXPECT_EQ(name_rules::Trim(" \t\n"), "");
    EXPECT_EQ(name_rules::Trim("Tea"), "Tea");
}

TEST(NameRules, TypedNamesAreJudgedAlikeForFoodsAndSymptoms) {
    const struct {
        const char* typed;
        Problem problem;
        const char* stored;  // the Windows-1252 bytes of an accepted name
    } cases[] = {
        {"", Problem::Empty, ""},
        {"   ", Problem::Empty, ""},
        {" \t ", Problem::Empty, ""},
        {"7up", Problem::NoLeadingLetter, ""},
        {"-salt", Problem::NoLeadingLetter, ""},
        {"(pain)", Problem::NoLeadingLetter, ""},
        {">Coffee", Problem::NoLeadingLetter, ""},
        {"~Milk", Problem::NoLeadingLetter, ""},
        {"0Tea", Problem::NoLeadingLetter, ""},
        {"\xE2\x82\xAC"  // a euro sign, which the code page holds but is no letter
         "uro",
         Problem::NoLeadingLetter, ""},
        {"\xE5\x91\xB3 soup", Problem::NoLeadingLetter, ""},
        {"\xC3\x84pfel", Problem::None, "\xC4pfel"},
        {"\xC3\x9C"
         "belkeit",
         Problem::None,
         "\xDC"
         "belkeit"},
        {"\xC3\x89"
         "clair",
         Problem::None,
         "\xC9"
         "clair"},
        {"\xC5\x92uf", Problem::None,
         "\x8C"
         "uf"},
        {"\xC3\x9F", Problem::None, "\xDF"},
        {"  Tea ", Problem::None, "Tea"},
    };
    for (const auto& c : cases)
        for (const Kind kind : {Kind::Food, Kind::Symptom}) {
            const auto checked = name_rules::Check(c.typed, kind);
            EXPECT_EQ(checked.problem, c.problem) << c.typed;
            EXPECT_EQ(checked.name, c.stored) << c.typed;
        }
}

TEST(NameRules, EachProblemHasItsOwnMessage) {
    const auto message = [](const char* typed, Kind kind) {
        return name_rules::Message(name_rules::Check(typed, kind), kind);
    };
    EXPECT_EQ(message(" ", Kind::Food), "Please type a name.");
    EXPECT_EQ(message("", Kind::Symptom), "Please type a name.");
    EXPECT_EQ(message("7up", Kind::Food), "Food names must start with a letter");
    EXPECT_EQ(message("7", Kind::Symptom), "Symptom names must start with a letter.");
    EXPECT_EQ(message("Tea", Kind::Food), "");
    EXPECT_EQ(name_rules::DuplicateMessage("Tea"), "\"Tea\" is already in the list.");
}

TEST(NameRules, AnAcceptedNameIsTrimmedAndInTheDiarysCodePage) {
    const auto checked = name_rules::Check(
        "  Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
        "e \xE2\x82\xAC ",
        Kind::Food);
    EXPECT_EQ(checked.problem, Problem::None);
    EXPECT_EQ(checked.name,
              "Cr\xE8me br\xFBl\xE9"
              "e \x80");
    EXPECT_EQ(name_rules::Message(checked, Kind::Food), "");
}

TEST(NameRules, ACharacterTheDiaryCannotHoldIsNamedInTheRefusal) {
    const auto checked = name_rules::Check("Miso \xE5\x91\xB3\xE5\x99\x8C", Kind::Food);
    EXPECT_EQ(checked.problem, Problem::NotInCodePage);
    EXPECT_EQ(checked.offending, "\xE5\x91\xB3");
    EXPECT_EQ(checked.name, "");
    EXPECT_NE(name_rules::Message(checked, Kind::Food).find("\"\xE5\x91\xB3\""), std::string::npos);
}

TEST(NameRules, ControlCharactersInsideANameAreRefused) {
    for (const char* typed : {"Bad\tname", "Two\nlines",
                              "Odd\xC2\x81"
                              "byte",
                              "Del\x7F"})
        EXPECT_EQ(name_rules::Check(typed, Kind::Symptom).problem, Problem::ControlCharacter)
            << typed;
}

TEST(NameRules, OnlySymptomNamesMayNotHoldARatingWord) {
    for (const char* typed : {"Pain (better)", "Pain (worse) at night", "Itch(no change)"}) {
        EXPECT_EQ(name_rules::Check(typed, Kind::Symptom).problem, Problem::RatingWord) << typed;
        EXPECT_EQ(name_rules::Check(typed, Kind::Food).problem, Problem::None) << typed;
    }
    // The words are looked for in small letters only.
    EXPECT_EQ(name_rules::Check("Pain (Worse)", Kind::Symptom).problem, Problem::None);
}

TEST(NameRules, StoredBytesPassTheSameRulesUntrimmed) {
    const struct {
        std::string bytes;
        Kind kind;
        Problem problem;
    } cases[] = {
        {"Tea", Kind::Food, Problem::None},
        {"\xC4pfel", Kind::Food, Problem::None},
        {"\xDC"
         "belkeit",
         Kind::Symptom, Problem::None},
        {"\xFFz", Kind::Food, Problem::None},  // y with diaeresis
        {"", Kind::Food, Problem::Empty},
        {" Tea", Kind::Food, Problem::NoLeadingLetter},
        {">Coffee", Kind::Food, Problem::NoLeadingLetter},
        {"\x80uro", Kind::Food, Problem::NoLeadingLetter},
        {"\xD7x", Kind::Food, Problem::NoLeadingLetter},  // the multiplication sign
        {"Tea\x81", Kind::Food, Problem::ControlCharacter},
        {std::string("Te\0a", 4), Kind::Food, Problem::ControlCharacter},
        {"Pain (worse)", Kind::Symptom, Problem::RatingWord},
        {"Pain (worse)", Kind::Food, Problem::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(name_rules::CheckStored(c.bytes, c.kind), c.problem) << c.bytes;
}

TEST(NameRules, LettersOfTheCodePageStartANameOthersDoNot) {
    int letters = 0;
    for (int byte = 0; byte < 256; ++byte) letters += name_rules::IsLetter(byte) ? 1 : 0;
    // 52 ASCII letters, 11 among 0x80-0xBF, and 0xC0-0xFF but for the two signs.
    EXPECT_EQ(letters, 52 + 11 + 62);
}

TEST(NameRules, ADiaryWithAccentedNamesIsReadBack) {
    CGastrologDoc doc;
    Members(doc).m_foods.emplace_back("\xC4pfel");
    Members(doc).m_symptoms.emplace_back(
        "\xDC"
        "belkeit");
    for (const char* unit : {"0", "1", "2", "3", "4"}) Members(doc).m_hidden.emplace_back(unit);
    CGastrologDoc read;
    ASSERT_EQ(read.ReadBytes(doc.WriteBytes()).Message(), "");
    EXPECT_EQ(read.Foods()[0].m_name, "\xC4pfel");
    EXPECT_EQ(read.Symptoms()[0].m_name,
              "\xDC"
              "belkeit");
}

}  // namespace
