#include "diary/Windows1252.h"

#include <array>
#include <cstddef>

namespace {

// Bytes 0x80 to 0x9F; every other byte is the code point of the same value.
constexpr std::array<char32_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        // Windows-1252 holds nothing above the Basic Multilingual Plane.
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

// Decodes one UTF-8 sequence starting at `position`, advancing it; nullopt when the sequence
// is malformed, overlong, a surrogate or beyond U+10FFFF.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& position) {
    const auto lead = static_cast<unsigned char>(text[position++]);
    if (lead < 0x80) return lead;
    int continuation = 0;
    char32_t codePoint = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        continuation = 1, codePoint = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        continuation = 2, codePoint = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        continuation = 3, codePoint = lead & 0x07, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    for (int i = 0; i < continuation; ++i) {
        if (position >= text.size()) return std::nullopt;
        const auto next = static_cast<unsigned char>(text[position++]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF) return std::nullopt;
    if (IsHighSurrogate(codePoint) || IsLowSurrogate(codePoint)) return std::nullopt;
    return codePoint;
}

}  // namespace

namespace windows1252 {

char32_t ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return HighControlRange[byte - 0x80];
    return byte;
}

std::optional<unsigned char> FromUnicode(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<unsigned char>(codePoint);
    for (std::size_t index = 0; index < HighControlRange.size(); ++index)
        if (HighControlRange[index] == codePoint) return static_cast<unsigned char>(0x80 + index);
    return std::nullopt;
}

std::string FromUtf16(std::u16string_view text, char replacement) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t index = 0; index < text.size(); ++index) {
        const char32_t unit = text[index];
        if (IsHighSurrogate(unit) && index + 1 < text.size() && IsLowSurrogate(text[index + 1])) {
            ++index;  // a pair is one character, and none beyond U+FFFF is in the code page
            out.push_back(replacement);
            continue;
        }
        const auto byte = FromUnicode(unit);
        out.push_back(byte ? static_cast<char>(*byte) : replacement);
    }
    return out;
}

std::string FromUtf8Shown(std::string_view text, char replacement) {
    std::string out;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t start = position;
        const auto codePoint = DecodeUtf8(text, position);
        if (!codePoint) position = start + 1;  // resume after the byte that broke the sequence
        const auto byte = codePoint ? FromUnicode(*codePoint) : std::nullopt;
        out.push_back(byte ? static_cast<char>(*byte) : replacement);
    }
    return out;
}

}  // namespace windows1252

std::optional<std::string> Utf8ToWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t position = 0;
    while (position < text.size()) {
        const auto codePoint = DecodeUtf8(text, position);
        if (!codePoint) return std::nullopt;
        const auto byte = windows1252::FromUnicode(*codePoint);
        if (!byte) return std::nullopt;
        out.push_back(static_cast<char>(*byte));
    }
    return out;
}

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (const char byte : text)
        AppendUtf8(out, windows1252::ToUnicode(static_cast<unsigned char>(byte)));
    return out;
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t start = position;
        if (DecodeUtf8(text, position)) {
            out.append(text.substr(start, position - start));
        } else {
            position = start + 1;  // resume after the byte that broke the sequence
            AppendUtf8(out, 0xFFFD);
        }
    }
    return out;
}
