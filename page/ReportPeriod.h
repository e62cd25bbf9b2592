#pragma once
// The days a report or the charts cover: every lived day by default, the last so many days, or
// from one date to another; and those days as one rating or eaten code a calendar day, so the
// day charts draw a gap where a day was not lived.

#include <optional>
#include <string>
#include <vector>

#include "diary/LivedDays.h"

class CGastrologDoc;

struct ReportPeriod {
    int lastDays = 0;  // > 0: the newest lived day and the days before it, this many in all
    std::optional<lived::Date> from;  // the oldest day taken, else from the first
    std::optional<lived::Date> to;    // the newest day taken, else to the last
};

// The lived days of `days` (oldest first) the period takes.
lived::LivedDays DaysOfPeriod(const lived::LivedDays& days, const ReportPeriod& period);

// The code a day not lived has in PeriodHistories.
inline constexpr char NotLived = ' ';
// The code of a lived day a symptom has no rating for (it did not exist yet): drawn blank like
// a day not lived, as the CSV export leaves its cell empty, and counted by no running sum.
inline constexpr char NotRated = '-';

// One code a calendar day from `first` to the newest taken day, for each of the diary's foods
// ('y' eaten, 'n' not) and symptoms ('b', 'w', 'n', NotRated); NotLived on days not lived.
struct PeriodHistories {
    lived::Date first = 0;
    int days = 0;   // calendar days, gaps included
    int lived = 0;  // lived days among them
    std::vector<std::string> foods;
    std::vector<std::string> symptoms;
};

PeriodHistories HistoriesOf(const CGastrologDoc& doc, const lived::LivedDays& days);

// The diary's lived days the period takes, as histories.
PeriodHistories HistoriesOfPeriod(const CGastrologDoc& doc, const ReportPeriod& period);
