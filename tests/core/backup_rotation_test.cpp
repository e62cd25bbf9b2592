// Which daily copies stay: by count, with the newest of recent weeks and months, whatever gap
// lies between the good copies and today's.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "diary/BackupRotation.h"

namespace {

using backups::CopyKind;

// YYYY-MM-DD of the day `offset` days after `from`.
std::string DayAfter(const std::string& from, int offset) {
    using namespace std::chrono;
    const year_month_day start{year(std::stoi(from.substr(0, 4))),
                               month(static_cast<unsigned>(std::stoi(from.substr(5, 2)))),
                               day(static_cast<unsigned>(std::stoi(from.substr(8, 2))))};
    const year_month_day day{sys_days(start) + days(offset)};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
}

// Twenty good copies, Tuesday 2026-02-10 to Sunday 2026-03-01, then `gap` days on one more
// copy (of a diary a slip replaced) made today.
std::vector<std::string> GoodDaysThenAGap(int gap) {
    std::vector<std::string> dates;
    for (int day = 0; day < 20; ++day) dates.push_back(DayAfter("2026-02-10", day));
    if (gap > 0) dates.push_back(DayAfter("2026-03-01", gap));
    return dates;
}

struct RotationCase {
    const char* name;
    std::vector<std::string> dates;  // oldest first
    std::string today;
    int dailyCount;
    // One letter per date: d daily, w weekly, m monthly, - removed.
    std::string expected;
};

std::string Letters(const std::vector<std::optional<CopyKind>>& kinds) {
    std::string letters;
    for (const auto& kind : kinds) {
        if (!kind)
            letters += '-';
        else
            letters += backups::KindName(*kind)[0];  // daily, weekly, monthly
    }
    return letters;
}

class Rotation : public ::testing::TestWithParam<RotationCase> {};

TEST_P(Rotation, KeepsTheNewestByCountAndOnePerRecentWeekAndMonth) {
    const RotationCase& row = GetParam();
    EXPECT_EQ(Letters(backups::KindsToKeep(row.dates, row.today, row.dailyCount)), row.expected);
}

const std::string Fourteen(14, 'd');
const std::string Thirteen(13, 'd');

INSTANTIATE_TEST_SUITE_P(
    Table, Rotation,
    ::testing::Values(
        // The week of 9 February keeps its Sunday; the rest of it goes.
        RotationCase{"Gap0", GoodDaysThenAGap(0), "2026-03-01", 14, "-----w" + Fourteen},
        RotationCase{"Gap13", GoodDaysThenAGap(13), "2026-03-14", 14, "-----w-" + Thirteen + "d"},
        RotationCase{"Gap14", GoodDaysThenAGap(14), "2026-03-15", 14, "-----w-" + Thirteen + "d"},
        // Eight weeks back from the week of 6 April reach only to 16 February.
        RotationCase{"Gap40", GoodDaysThenAGap(40), "2026-04-10", 14, "-------" + Thirteen + "d"},
        // However long the gap, the good copies are the newest after today's.
        RotationCase{"Gap400", GoodDaysThenAGap(400), "2027-04-05", 14, "-------" + Thirteen + "d"},
        RotationCase{"NoneKept", GoodDaysThenAGap(3), "2026-03-04", 0, std::string(21, '-')},
        // Two daily; 15 and 31 January are their weeks' newest; 20 December is December's,
        // 5 December is not; March 2025 is beyond twelve months.
        RotationCase{"WeeksAndMonths",
                     {"2025-03-03", "2025-12-05", "2025-12-20", "2026-01-15", "2026-01-31",
                      "2026-02-10", "2026-03-01"},
                     "2026-03-01",
                     2,
                     "--mwwdd"},
        // A copy dated after today ranks as the oldest daily one.
        RotationCase{
            "FutureWithRoom", {"2026-02-28", "2026-03-01", "2090-01-01"}, "2026-03-01", 3, "ddd"},
        RotationCase{"FutureOldestGoes",
                     {"2026-02-27", "2026-02-28", "2026-03-01", "2090-01-01"},
                     "2026-03-01",
                     3,
                     "ddd-"},
        RotationCase{"FutureAlone", {"2090-01-01"}, "2026-03-01", 1, "d"},
        // A name that is no real date is not judged at all.
        RotationCase{"NoRealDate", {"2026-02-31", "2026-03-01"}, "2026-03-01", 1, "dd"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
