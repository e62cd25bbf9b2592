#include "diary/BackupRotation.h"

#include <algorithm>
#include <chrono>
#include <map>

namespace backups {

namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

std::optional<sys_days> DayOf(std::string_view date) {
    if (date.size() != 10 || date[4] != '-' || date[7] != '-') return std::nullopt;
    const auto number = [&date](std::size_t from, std::size_t length) {
        int value = 0;
        for (std::size_t index = from; index < from + length; ++index) {
            if (date[index] < '0' || date[index] > '9') return -1;
            value = value * 10 + (date[index] - '0');
        }
        return value;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (year < 0 || month < 0 || day < 0) return std::nullopt;
    const year_month_day calendarDay{std::chrono::year(year),
                                     std::chrono::month(static_cast<unsigned>(month)),
                                     std::chrono::day(static_cast<unsigned>(day))};
    if (!calendarDay.ok()) return std::nullopt;
    return sys_days(calendarDay);
}

// Weeks counted from a Monday: 1970-01-01 was a Thursday, three days after one.
long WeekOf(sys_days day) {
    const long number = day.time_since_epoch().count() + 3;
    return number >= 0 ? number / 7 : (number - 6) / 7;
}

long MonthOf(sys_days day) {
    const year_month_day calendarDay(day);
    return static_cast<long>(static_cast<int>(calendarDay.year())) * 12 +
           static_cast<long>(static_cast<unsigned>(calendarDay.month())) - 1;
}

// Marks the newest copy of each period within the last `count` periods, where not yet kept.
template <typename PeriodOf>
void KeepNewestOfPeriods(const std::vector<std::size_t>& newestFirst,
                         const std::vector<sys_days>& dayOf, sys_days today, long count,
                         CopyKind kind, PeriodOf periodOf,
                         std::vector<std::optional<CopyKind>>& kinds) {
    const long current = periodOf(today);
    std::map<long, bool> covered;
    for (std::size_t index : newestFirst) {
        const long period = periodOf(dayOf[index]);
        if (period > current || period <= current - count || covered[period]) continue;
        covered[period] = true;
        if (!kinds[index]) kinds[index] = kind;
    }
}

}  // namespace

std::string_view KindName(CopyKind kind) {
    switch (kind) {
        case CopyKind::Weekly:
            return "weekly";
        case CopyKind::Monthly:
            return "monthly";
        case CopyKind::Leaving:
            return "goes at the next save";
        default:
            return "daily";
    }
}

std::vector<std::optional<CopyKind>> KindsToKeep(const std::vector<std::string>& dates,
                                                 std::string_view today, int dailyCount) {
    std::vector<std::optional<CopyKind>> kinds(dates.size());
    const std::optional<sys_days> now = DayOf(today);
    std::vector<sys_days> dayOf(dates.size());
    std::vector<std::size_t> past, future;
    for (std::size_t index = 0; index < dates.size(); ++index) {
        const auto day = DayOf(dates[index]);
        if (!day || !now) {
            kinds[index] = CopyKind::Daily;  // not ours to judge
            continue;
        }
        dayOf[index] = *day;
        (*day > *now ? future : past).push_back(index);
    }
    if (dailyCount <= 0) {
        for (std::size_t index : past) kinds[index].reset();
        for (std::size_t index : future) kinds[index].reset();
        return kinds;
    }
    const auto newer = [&dayOf](std::size_t left, std::size_t right) {
        return dayOf[left] > dayOf[right];
    };
    std::sort(past.begin(), past.end(), newer);
    std::sort(future.begin(), future.end(), newer);
    // The daily ranking: real days newest first, then the future ones as the oldest.
    std::vector<std::size_t> ranking = past;
    ranking.insert(ranking.end(), future.begin(), future.end());
    for (std::size_t rank = 0; rank < ranking.size(); ++rank)
        kinds[ranking[rank]] = rank < static_cast<std::size_t>(dailyCount)
                                   ? std::optional<CopyKind>(CopyKind::Daily)
                                   : std::nullopt;
    KeepNewestOfPeriods(past, dayOf, *now, KeptWeeks, CopyKind::Weekly, WeekOf, kinds);
    KeepNewestOfPeriods(past, dayOf, *now, KeptMonths, CopyKind::Monthly, MonthOf, kinds);
    return kinds;
}

}  // namespace backups
