#pragma once
// The rules every food and symptom name passes before it enters the diary, whichever way it
// comes in: typed in a dialog, imported from JSON or read from a diary file. A name starts with
// a letter (any letter Windows-1252 holds: "Äpfel" and "Übelkeit" are names), holds no control
// character and only characters the diary file can hold, and a symptom name holds no rating
// word. A name that breaks a rule could be misread when the dialogs' lists are committed: the
// edit marks "~", "0" and ">" are not letters, so ">Coffee" can never be a name. Nothing is
// altered to make a name fit: a name that does not fit is refused with a message that says why.

#include <string>
#include <string_view>

namespace name_rules {

enum class Problem {
    None,
    Empty,             // nothing but blanks
    NoLeadingLetter,   // the first character is not a letter
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

// Whether a Windows-1252 byte stands for a letter (A-Z, a-z and the accented and other
// letters of the code page, such as "Ä", "ß", "Œ" or "ž").
bool IsLetter(unsigned char byte);

// Trims the typed UTF-8 text and checks it against the rules for a name of the given kind.
Checked Check(std::string_view typed, Kind kind);

// Checks a name as the diary holds it (Windows-1252 bytes, not trimmed): what a file or an
// import brings in must pass the same rules as a typed name.
Problem CheckStored(std::string_view bytes, Kind kind);

// The message that explains the problem to the user (UTF-8); empty for Problem::None.
std::string Message(const Checked& checked, Kind kind);

// The message for a name the list already holds (UTF-8 in and out).
std::string DuplicateMessage(std::string_view name);

// Whether two names (Windows-1252 bytes) are the same name: equal when the case of every
// letter the code page holds in both cases is ignored ("Übelkeit" and "übelkeit", "Œuf" and
// "œuf"). The one rule for the dialogs, the command line and the simulation.
bool SameName(std::string_view one, std::string_view other);

// The byte of the small letter for a capital one of the code page; other bytes as they are.
unsigned char FoldCase(unsigned char byte);

}  // namespace name_rules
