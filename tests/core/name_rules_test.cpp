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

// Every typed name, judged as a food's and as a symptom's: an accepted name is trimmed and in
// the diary's code page with no message; a refused one keeps no name, and a character the
// diary cannot hold is named in the refusal.
TEST(NameRules, TypedNamesAreJudgedForFoodsAndSymptoms) {
    constexpr Problem None = Problem::None;
    constexpr Problem Empty = Problem::Empty;
    constexpr Problem NoLetter = Problem::NoLeadingLetter;
    constexpr Problem Control = Problem::ControlCharacter;
    const struct {
        const char* typed;
        Problem food, symptom;
        const char* stored = "";     // an accepted name's Windows-1252 bytes, octal escapes
        const char* offending = "";  // the character the code page lacks
    } cases[] = {
        {"", Empty, Empty},
        {"   ", Empty, Empty},
        {" \t ", Empty, Empty},
        {"7up", NoLetter, NoLetter},
        {"-salt", NoLetter, NoLetter},
        {"(pain)", NoLetter, NoLetter},
        {">Coffee", NoLetter, NoLetter},
        {"~Milk", NoLetter, NoLetter},
        {"0Tea", NoLetter, NoLetter},
        {"\u20ACuro", NoLetter, NoLetter},  // the code page holds the euro sign; no letter
        // A first letter the code page lacks is named as such, not called "no letter".
        {"\xE5\x91\xB3 soup", Problem::NotInCodePage, Problem::NotInCodePage, "", "\xE5\x91\xB3"},
        {"\u5BFF\u53F8", Problem::NotInCodePage, Problem::NotInCodePage, "", "\u5BFF"},
        {"\u00C4pfel", None, None, "\304pfel"},
        {"\u00DCbelkeit", None, None, "\334belkeit"},
        {"\u00C9clair", None, None, "\311clair"},
        {"\u0152uf", None, None, "\214uf"},
        {"\u00DF", None, None, "\337"},
        {"  Tea ", None, None, "Tea"},
        {"  Cr\u00E8me br\u00FBl\u00E9e \u20AC ", None, None, "Cr\350me br\373l\351e \200"},
        {"Miso \xE5\x91\xB3\xE5\x99\x8C", Problem::NotInCodePage, Problem::NotInCodePage, "",
         "\xE5\x91\xB3"},
        {"Bad\tname", Control, Control},
        {"Two\nlines", Control, Control},
        {"Odd\u0081byte", Control, Control},
        {"Del\x7F", Control, Control},
        // Only a symptom's name may not hold a rating word, looked for in small letters only.
        {"Pain (better)", None, Problem::RatingWord, "Pain (better)"},
        {"Pain (worse) at night", None, Problem::RatingWord, "Pain (worse) at night"},
        {"Itch(no change)", None, Problem::RatingWord, "Itch(no change)"},
        {"Pain (Worse)", None, None, "Pain (Worse)"},
    };
    for (const auto& c : cases)
        for (const Kind kind : {Kind::Food, Kind::Symptom}) {
            SCOPED_TRACE(std::string(c.typed) + (kind == Kind::Food ? " as food" : " as symptom"));
            const auto checked = name_rules::Check(c.typed, kind);
            const Problem problem = kind == Kind::Food ? c.food : c.symptom;
            EXPECT_EQ(checked.problem, problem);
            EXPECT_EQ(checked.name, problem == None ? c.stored : "");
            const std::string message = name_rules::Message(checked, kind);
            EXPECT_EQ(message.empty(), problem == None) << message;
            if (problem == Problem::NotInCodePage) {
                EXPECT_EQ(checked.offending, c.offending);
                EXPECT_NE(message.find("\"" + std::string(c.offending) + "\""), std::string::npos);
            }
        }
}

TEST(NameRules, EachProblemHasItsOwnMessage) {
    const auto message = [](const char* typed, Kind kind) {
        return name_rules::Message(name_rules::Check(typed, kind), kind);
    };
    EXPECT_EQ(message(" ", Kind::Food), "Please type a name.");
    EXPECT_EQ(message("", Kind::Symptom), "Please type a name.");
    EXPECT_EQ(message("7up", Kind::Food), "Food names must start with a letter.");
    EXPECT_EQ(message("7", Kind::Symptom), "Symptom names must start with a letter.");
    EXPECT_EQ(message("Tea", Kind::Food), "");
    EXPECT_EQ(name_rules::DuplicateMessage("Tea"), "\"Tea\" is already in the list.");
}

// One rule for "the same name" wherever names are compared: the case of every letter the code
// page holds in both cases is ignored, nothing else.
TEST(NameRules, SameNameIgnoresTheCaseOfTheCodePagesLetters) {
    const struct {
        const char* one;
        const char* other;
        bool same;
    } cases[] = {
        {"Bloating", "bLOATING", true},
        {"\334belkeit", "\374belkeit", true},  // Übelkeit, übelkeit
        {"\304pfel", "\344PFEL", true},        // Äpfel, äPFEL
        {"\214uf", "\234uf", true},            // Œuf, œuf
        {"\212ar\216", "\232ar\236", true},    // Šarž, šarž
        {"\237", "\377", true},                // Ÿ, ÿ
        {"\300\336", "\340\376", true},        // ÀÞ, àþ
        {"Stra\337e", "STRA\337E", true},      // ß has no capital in the code page
        {"\327", "\367", false},               // the multiplication and division signs
        {"Tea", "Tea ", false},
        {"Tea", "Tee", false},
        {"\334belkeit", "Ubelkeit", false},
        {"[", "{", false},  // not letters, though 0x20 apart
        {"", "", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(name_rules::SameName(c.one, c.other), c.same) << c.one << " / " << c.other;
        EXPECT_EQ(name_rules::SameName(c.other, c.one), c.same) << c.other << " / " << c.one;
    }
}

TEST(NameRules, StoredBytesPassTheSameRulesUntrimmed) {
    const struct {
        std::string bytes;
        Kind kind;
        Problem problem;
    } cases[] = {
        {"Tea", Kind::Food, Problem::None},
        {"\xC4pfel", Kind::Food, Problem::None},
        {"\334belkeit", Kind::Symptom, Problem::None},
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
    Members(doc).m_symptoms.emplace_back("\334belkeit");
    for (const char* unit : {"0", "1", "2", "3", "4"}) Members(doc).m_hidden.emplace_back(unit);
    CGastrologDoc read;
    ASSERT_EQ(read.ReadBytes(doc.WriteBytes()).Message(), "");
    EXPECT_EQ(read.Foods()[0].m_name, "\xC4pfel");
    EXPECT_EQ(read.Symptoms()[0].m_name, "\334belkeit");
}

}  // namespace
