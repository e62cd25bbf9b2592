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

// A file name is the file system's bytes: shown as it is where it is valid UTF-8, with U+FFFD
// (or, on a canvas of the code page, "?") where it is not.
TEST(Windows1252, FileNamesAreShownWhateverTheirBytes) {
    const struct {
        const char* bytes;
        const char* valid;
        const char* inCodePage;
    } cases[] = {
        {"Tagebuch \u00DCbelkeit.glg", "Tagebuch \u00DCbelkeit.glg", "Tagebuch \334belkeit.glg"},
        {"\u65E5\u8A18.glg", "\u65E5\u8A18.glg", "??.glg"},
        {"caf\xE9.glg", "caf\uFFFD.glg", "caf?.glg"},  // Latin-1 bytes, not UTF-8
        {"a\xC3", "a\uFFFD", "a?"},
        {"\xF0\x9F\x8D\xB5", "\U0001F375", "?"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ValidUtf8(c.bytes), c.valid) << c.bytes;
        EXPECT_EQ(windows1252::FromUtf8Shown(c.bytes), c.inCodePage) << c.bytes;
    }
}

}  // namespace
