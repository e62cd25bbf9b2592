#include "diary/Windows1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Windows1252, EveryByteSurvivesTheWayThroughUtf8) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
    const std::string utf8 = Windows1252ToUtf8(all);
    EXPECT_EQ(Utf8ToWindows1252(utf8), all);
}

TEST(Windows1252, TheUpperControlRangeHoldsTheTypographicCharacters) {
    EXPECT_EQ(Windows1252ToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(Windows1252ToUtf8("\x93quoted\x94"), "\u201Cquoted\u201D");
    EXPECT_EQ(Windows1252ToUtf8("\x9F"), "\u0178");
    EXPECT_EQ(Windows1252ToUtf8("Caf\xE9"), "Caf\u00E9");
    EXPECT_EQ(Utf8ToWindows1252("\u2122 \u0161 \u2026"), "\x99 \x9A \x85");
}

TEST(Windows1252, TheFiveUndefinedBytesMapToTheirControlCodes) {
    for (const unsigned char byte : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(windows1252::ToUnicode(byte), static_cast<char32_t>(byte));
        EXPECT_EQ(windows1252::FromUnicode(byte), byte);
    }
}

TEST(Windows1252, CharactersTheCodePageCannotHoldAreRefused) {
    EXPECT_EQ(Utf8ToWindows1252("\u4E2D"), std::nullopt);
    EXPECT_EQ(Utf8ToWindows1252("tea \U0001F375"), std::nullopt);
    EXPECT_EQ(Utf8ToWindows1252("\u0100"), std::nullopt);
    // U+0080 is a control code that the code page replaced by the euro sign.
    EXPECT_EQ(Utf8ToWindows1252("\xC2\x80"), std::nullopt);
}

TEST(Windows1252, MalformedUtf8IsRefused) {
    for (const char* bad : {"\xC3", "\xC3(", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                            "\xF4\x90\x80\x80", "\xFF", "\x80"})
        EXPECT_EQ(Utf8ToWindows1252(bad), std::nullopt) << bad;
}

TEST(Windows1252, Utf16TextUsesOneReplacementPerCharacter) {
    EXPECT_EQ(windows1252::FromUtf16(u"Caf\u00E9 \u20AC"), "Caf\xE9 \x80");
    EXPECT_EQ(windows1252::FromUtf16(u"a\U0001F375b"), "a?b");
    const char16_t loneSurrogates[] = {0xD800, u'x', 0xDC00, 0};
    EXPECT_EQ(windows1252::FromUtf16(loneSurrogates), "?x?");
    EXPECT_EQ(windows1252::FromUtf16(u"\u4E2D", '_'), "_");
}

}  // namespace
