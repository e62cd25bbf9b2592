#pragma once
// Diary names are stored as single bytes in the Windows-1252 code page. These conversions sit
// at the edges: the file's wide-string form, the command line and the desktop shell.
//
// The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the
// control characters U+0081, U+008D, U+008F, U+0090 and U+009D, as Windows maps them, so every
// byte survives a round trip through Unicode.

#include <optional>
#include <string>
#include <string_view>

namespace windows1252 {

// The code point a byte stands for.
char32_t ToUnicode(unsigned char byte);

// The byte for a code point, or nullopt when the code page has no such character.
std::optional<unsigned char> FromUnicode(char32_t codePoint);

// UTF-16 text (as the file's wide form holds it) to Windows-1252. A character the code page
// cannot hold, and a lone surrogate, becomes the replacement byte: one per character.
std::string FromUtf16(std::u16string_view text, char replacement = '?');

// UTF-8 text to Windows-1252 for showing it: a character the code page cannot hold, and a
// malformed sequence, becomes the replacement byte.
std::string FromUtf8Shown(std::string_view text, char replacement = '?');

}  // namespace windows1252

// UTF-8 to Windows-1252; nullopt when the text is not valid UTF-8 or holds a character the
// code page cannot hold, so that nothing is altered silently on its way into a diary.
std::optional<std::string> Utf8ToWindows1252(std::string_view text);

// Windows-1252 to UTF-8; every byte has a character, so this never fails.
std::string Windows1252ToUtf8(std::string_view text);

// Text that should be UTF-8 (a file name is whatever bytes the file system holds) made valid
// for drawing: each malformed sequence becomes U+FFFD.
std::string ValidUtf8(std::string_view text);
