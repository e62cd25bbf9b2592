#include "diary/NameRules.h"

#include <array>

#include "diary/DiaryConstants.h"
#include "diary/Windows1252.h"

namespace name_rules {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The first character (as UTF-8) that the code page cannot hold; empty when there is none.
std::string FirstUnstorableCharacter(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start + 1;
        while (end < text.size() && IsUtf8Continuation(text[end])) ++end;
        const std::string_view character = text.substr(start, end - start);
        if (!Utf8ToWindows1252(character)) return std::string(character);
        start = end;
    }
    return {};
}

// C0 and C1 control characters, and DEL, as Windows-1252 bytes (the five bytes the code page
// leaves undefined stand for C1 controls).
bool HasControlCharacter(std::string_view bytes) {
    constexpr std::array<unsigned char, 5> undefinedBytes = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return true;
        for (const unsigned char undefined : undefinedBytes)
            if (byte == undefined) return true;
    }
    return false;
}

// The symptom dialog recognises a rated row by these words, so a name holding one would lose
// its end when a rating is set.
bool HasRatingWord(std::string_view name) {
    return name.find(diary::WordBetter) != std::string_view::npos ||
           name.find(diary::WordWorse) != std::string_view::npos ||
           name.find(diary::WordNoChange) != std::string_view::npos;
}

// The checks that apply to the bytes of a name, whichever way it came in.
Problem CheckBytes(std::string_view bytes, Kind kind) {
    if (bytes.empty()) return Problem::Empty;
    if (!IsLetter(static_cast<unsigned char>(bytes.front()))) return Problem::NoLeadingLetter;
    if (HasControlCharacter(bytes)) return Problem::ControlCharacter;
    if (kind == Kind::Symptom && HasRatingWord(bytes)) return Problem::RatingWord;
    return Problem::None;
}

}  // namespace

bool IsLetter(unsigned char byte) {
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')) return true;
    // ƒ Š Œ Ž š œ ž Ÿ ª µ º, then À-Ö, Ø-ö and ø-ÿ.
    constexpr std::array<unsigned char, 11> otherLetters = {0x83, 0x8A, 0x8C, 0x8E, 0x9A, 0x9C,
                                                            0x9E, 0x9F, 0xAA, 0xB5, 0xBA};
    for (const unsigned char letter : otherLetters)
        if (byte == letter) return true;
    return byte >= 0xC0 && byte != 0xD7 && byte != 0xF7;
}

std::string Trim(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return std::string(text.substr(first, last - first));
}

Checked Check(std::string_view typed, Kind kind) {
    Checked result;
    const std::string trimmed = Trim(typed);
    const auto bytes = Utf8ToWindows1252(trimmed);
    if (!bytes) {
        // Even a first character: "寿司" starts with a letter, one the diary cannot store.
        result.problem = Problem::NotInCodePage;
        result.offending = FirstUnstorableCharacter(trimmed);
        return result;
    }
    result.problem = CheckBytes(*bytes, kind);
    if (result.problem == Problem::None) result.name = *bytes;
    return result;
}

Problem CheckStored(std::string_view bytes, Kind kind) {
    return CheckBytes(bytes, kind);
}

std::string Message(const Checked& checked, Kind kind) {
    const bool food = kind == Kind::Food;
    switch (checked.problem) {
        case Problem::None:
            return {};
        case Problem::Empty:
            return "Please type a name.";
        case Problem::NoLeadingLetter:
            return food ? "Food names must start with a letter."
                        : "Symptom names must start with a letter.";
        case Problem::NotInCodePage:
            return "The name cannot be stored because it holds \"" + checked.offending +
                   "\".\nA diary file holds only the letters, digits and signs of Western "
                   "European languages (Windows-1252).";
        case Problem::ControlCharacter:
            return std::string(food ? "Food" : "Symptom") +
                   " names cannot hold tabs, line breaks or other control characters.";
        case Problem::RatingWord:
            return "Symptom names cannot contain \"(better)\", \"(worse)\" or \"(no change)\".";
    }
    return {};
}

std::string DuplicateMessage(std::string_view name) {
    return "\"" + std::string(name) + "\" is already in the list.";
}

unsigned char FoldCase(unsigned char byte) {
    if (byte >= 'A' && byte <= 'Z') return static_cast<unsigned char>(byte + ('a' - 'A'));
    // À-Þ but the multiplication sign; Š Œ Ž sit 0x10 below š œ ž; Ÿ pairs with ÿ.
    if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)
        return static_cast<unsigned char>(byte + 0x20);
    if (byte == 0x8A || byte == 0x8C || byte == 0x8E)
        return static_cast<unsigned char>(byte + 0x10);
    if (byte == 0x9F) return 0xFF;
    return byte;
}

bool SameName(std::string_view one, std::string_view other) {
    if (one.size() != other.size()) return false;
    for (std::size_t index = 0; index < one.size(); ++index)
        if (FoldCase(static_cast<unsigned char>(one[index])) !=
            FoldCase(static_cast<unsigned char>(other[index])))
            return false;
    return true;
}

}  // namespace name_rules
