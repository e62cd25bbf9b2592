#pragma once
// Local calendar arithmetic on time values. Diary days follow the user's wall clock, so every
// comparison of days goes through the local calendar date, never through raw seconds: a day
// in local time is not always 86400 seconds long.

#include <compare>
#include <string>
#include <string_view>

#include "diary/Ports.h"

namespace calendar {

// One date of the local calendar, ordered by year and then by day of the year.
struct LocalDay {
    int year = 1970;
    int dayOfYear = 0;  // 0 for January 1st

    auto operator<=>(const LocalDay&) const = default;
};

LocalDay DayOf(TimeValue time);

// The hour of the local clock, 0..23.
int HourOf(TimeValue time);

// Calendar days from the local date of `from` to the local date of `to`; negative when `to`
// lies on an earlier date.
long DaysBetween(TimeValue from, TimeValue to);

// The same local clock time `days` calendar dates earlier (later for a negative count).
TimeValue DaysEarlier(TimeValue time, long days);

// The one way a diary date is written: "Monday, March 07, 2005".
inline constexpr std::string_view DateFormat = "%A, %B %d, %Y";

// strftime in local time, with English day and month names whatever the user's locale.
std::string Format(TimeValue time, std::string_view format);

}  // namespace calendar
