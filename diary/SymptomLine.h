#pragma once
// A symptom line, as the symptom dialog shows and edits it: the symptom's name followed by one
// of the three 13-character rating suffixes ("  (worse)    " and so on). The dialog, the
// document's commit of the dialog's lines and the simulated user all read lines through here.

#include <optional>
#include <string>
#include <string_view>

namespace symptom_line {

struct Rated {
    std::string_view name;
    char rating;  // diary::Better, diary::Worse or diary::NoChange
};

// The name and rating of a line that ends in one of the three suffixes; nullopt otherwise.
// Only the whole suffix at the end counts, so a short line or a name that itself holds
// "(worse)" is never cut.
std::optional<Rated> Read(std::string_view line);
// The line without its rating suffix (the whole line when it has none).
std::string_view NameOf(std::string_view line);
// The suffix that shows a rating; any code other than better or worse shows "no change".
std::string_view SuffixFor(char rating);
// The line rated anew: its name with the suffix of the rating.
std::string WithRating(std::string_view line, char rating);

}  // namespace symptom_line
