#pragma once
// Every lived day of a diary with its date: what the evidence, the charts, the report and the
// export read beyond the diary file's 50 day slots. The history file beside the diary keeps
// the days that have left the slots; this is the shape both are read into.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "diary/LocalTime.h"

class CGastrologDoc;

namespace lived {

// A calendar date as whole days since 1970-01-01 (proleptic Gregorian), so that the days
// between two dates are a subtraction and a gap is visible at once.
using Date = std::int32_t;

Date DateOf(calendar::LocalDay day);
Date DateFromCivil(int year, int month, int dayOfMonth);
// "YYYY-MM-DD"
std::string DateText(Date date);
// Reads "YYYY-MM-DD"; false for anything else, including dates that do not exist.
bool ParseDate(std::string_view text, Date& date);

struct LivedDay {
    Date date = 0;                   // the diary day, by the new-day hour
    bool estimated = false;          // dated backwards from the last update, not remembered
    std::vector<std::string> eaten;  // food names as the diary stores them (Windows-1252)
    // symptom name (as stored) and its rating code (diary::Better, Worse or NoChange), for
    // the symptoms that existed that day
    std::vector<std::pair<std::string, char>> ratings;

    bool operator==(const LivedDay&) const = default;
};

// Oldest first, at most one entry a date; a date missing between two entries was not lived.
using LivedDays = std::vector<LivedDay>;

// The diary's own kept slots that were lived, oldest first, each with its date: the date
// remembered by the history file, or for a diary without one, dated backwards from the last
// update over the last min(day count, 50) slots and marked estimated. A past day the history
// recorded before a symptom existed has no rating for it (the slot's "no change" is filler).
LivedDays DaysOfDiary(const CGastrologDoc& document);

// One day slot (0 oldest, 49 current) as a lived day, dated as DaysOfDiary dates it.
LivedDay DayOfSlot(const CGastrologDoc& document, std::size_t slot);

// Every lived day: the history's days and the diary's own, oldest first; where both hold a
// date, the diary's day is the one given.
LivedDays EveryLivedDay(const CGastrologDoc& document);

// Both lists in one, oldest first, one entry a date; `newer` wins where both hold a date.
LivedDays Merge(LivedDays older, LivedDays newer);

// The days from `first` to `last`, both included.
LivedDays Between(const LivedDays& days, Date first, Date last);

}  // namespace lived
