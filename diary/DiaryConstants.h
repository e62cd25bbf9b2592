#pragma once
// Codes, suffixes, marks and command ids shared by the diary, the engine, the page and the shell.

#include <cstddef>
#include <string_view>

namespace diary {

// Every food and symptom keeps one character per day slot; the last one is the current day.
inline constexpr std::size_t HistoryLength = 50;

inline constexpr char Eaten = 'y';
inline constexpr char EatenUpperCase = 'Y';  // also read as eaten
inline constexpr char NotEaten = 'n';
inline constexpr char Better = 'b';
inline constexpr char Worse = 'w';
inline constexpr char NoChange = 'n';

inline constexpr bool IsEaten(char code) {
    return code == Eaten || code == EatenUpperCase;
}

// The code at a history position; a position outside the history reads as "n" (not eaten, no
// change).
inline constexpr char CodeAt(std::string_view history, std::ptrdiff_t position) {
    if (position < 0 || static_cast<std::size_t>(position) >= history.size()) return NotEaten;
    return history[static_cast<std::size_t>(position)];
}

// The rating a symptom's history code stands for, in words; any other code is no change.
inline constexpr const char* RatingWord(char code) {
    return code == Worse ? "worse" : code == Better ? "better" : "no change";
}
// The rating of the current day, in words.
inline constexpr const char* LatestRatingWord(std::string_view history) {
    return RatingWord(history.empty() ? NoChange : history.back());
}

// A new food was eaten on the day it was created; a new symptom has no ratings yet.
inline constexpr std::string_view NewFoodHistory =
    "nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnny";
inline constexpr std::string_view NewSymptomHistory =
    "nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn";

// The 13-character tails that follow a symptom's name in the symptom lines.
inline constexpr std::size_t RatingSuffixLength = 13;
inline constexpr std::string_view SuffixBetter = "  (better)   ";
inline constexpr std::string_view SuffixWorse = "  (worse)    ";
inline constexpr std::string_view SuffixNoChange = "  (no change)";
// The rating words, which no symptom name may hold.
inline constexpr std::string_view WordBetter = "(better)";
inline constexpr std::string_view WordWorse = "(worse)";
inline constexpr std::string_view WordNoChange = "(no change)";

// One-character marks the data-entry dialogs leave for the document to commit.
inline constexpr char MarkNew = '~';
inline constexpr char MarkOffDay = '0';
inline constexpr char MarkDelete = '>';

inline constexpr int HiddenUnitCount = 5;
inline constexpr int MaximumSymptoms = 20;
inline constexpr int RecommendedSymptoms = 10;

}  // namespace diary

// Command and control ids; the Action ids double as the state of the daily cycle.
namespace command {
inline constexpr int UpdateSymptoms = 32780;
inline constexpr int CreateDayList = 32771;
inline constexpr int UpdateConnections = 32772;
inline constexpr int GenerateTomorrowsLists = 32779;
inline constexpr int GenerateCurrentLists = 32801;
inline constexpr int RelateFoodsToSymptoms = 32814;
inline constexpr int ShowEvidence = 32815;  // the Evidence window; not a step of the cycle
// The Today window: the first two steps of the cycle in one window.
inline constexpr int Today = 32816;
inline constexpr int ChangeOptions = 32804;
inline constexpr int TipOfTheDay = 32808;

inline constexpr int ViewInclusions = 32798;
inline constexpr int ViewUnclassified = 32806;
inline constexpr int ViewExclusions = 32791;
inline constexpr int ViewSymptoms = 32790;
inline constexpr int ViewFoods = 32794;
inline constexpr int ViewHistory = 32813;
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;
}  // namespace command

// Names of the per-user settings the core reads.
namespace setting {
inline constexpr std::string_view Section = "Settings";
inline constexpr std::string_view NewDayTime = "NewDayTime";
inline constexpr std::string_view SortOrder = "SortOrder";
inline constexpr std::string_view UnclassifiedAction = "50DayAction";
// 1: the evidence judges each food on the same day and up to three days later.
inline constexpr std::string_view SymptomsMayComeLater = "SymptomsMayComeLater";
inline constexpr int DefaultNewDayHour = 4;
// The one new-day-hour rule: a stored hour outside 0-23 counts as the default.
inline constexpr int NewDayHourOrDefault(long hour) {
    return hour < 0 || hour > 23 ? DefaultNewDayHour : static_cast<int>(hour);
}
}  // namespace setting
