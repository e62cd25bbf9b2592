#pragma once
// The rules a typed food or symptom name must pass before it enters the diary: trimmed, it
// starts with an ASCII letter, and every character can be stored in the diary file's code page
// (Windows-1252). Nothing is altered to make a name fit: a name that does not fit is refused
// with a message that says why.

#include <string>
#include <string_view>

namespace name_rules {

enum class Problem {
    None,
    NoLeadingLetter,   // empty, or the first character is not A-Z or a-z
    NotInCodePage,     // a character the diary file cannot hold
    ControlCharacter,  // a tab, a line break or another control character inside the name
    RatingWord,        // a symptom name holding a word the rating suffixes are found by
};

enum class Kind { Food, Symptom };

struct Checked {
    std::string name;  // the trimmed name in Windows-1252 bytes (when there is no problem)
    Problem problem = Problem::None;
    std::string offending;  // UTF-8 text of the first character that cannot be stored
};

// Removes blanks, tabs and line breaks from both ends (UTF-8 in, UTF-8 out).
std::string Trim(std::string_view text);

// Trims the typed UTF-8 text and checks it against the rules for a name of the given kind.
Checked Check(std::string_view typed, Kind kind);

// The message that explains the problem to the user (UTF-8); empty for Problem::None.
std::string Message(const Checked& checked, Kind kind);

}  // namespace name_rules
