#include "diary/NameRules.h"

#include <array>

#include "diary/DiaryConstants.h"
#include "diary/Windows1252.h"

namespace name_rules {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
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

// The document recognises a rating suffix by these words anywhere in a symptom line, so a name
// holding one would lose its end when the line is read back.
bool HasRatingWord(std::string_view name) {
    return name.find(diary::WordBetter) != std::string_view::npos ||
           name.find(diary::WordWorse) != std::string_view::npos ||
           name.find(diary::WordNoChange) != std::string_view::npos;
}

}  // namespace

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
    if (trimmed.empty() || !IsAsciiLetter(trimmed.front())) {
        result.problem = Problem::NoLeadingLetter;
        return result;
    }
    const auto bytes = Utf8ToWindows1252(trimmed);
    if (!bytes) {
        result.problem = Problem::NotInCodePage;
        result.offending = FirstUnstorableCharacter(trimmed);
        return result;
    }
    if (HasControlCharacter(*bytes)) {
        result.problem = Problem::ControlCharacter;
        return result;
    }
    if (kind == Kind::Symptom && HasRatingWord(*bytes)) {
        result.problem = Problem::RatingWord;
        return result;
    }
    result.name = *bytes;
    return result;
}

std::string Message(const Checked& checked, Kind kind) {
    const bool food = kind == Kind::Food;
    switch (checked.problem) {
        case Problem::None:
            return {};
        case Problem::NoLeadingLetter:
            return food ? "Food names must start with a letter"
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

}  // namespace name_rules
