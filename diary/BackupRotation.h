#pragma once
// Which daily copies of a diary stay. Kept by count rather than by age, so that a diary
// replaced by a bad one and saved weeks later still has its good copies: the newest N copies
// (the daily ones), plus the newest copy of each of the last 8 weeks and of each of the last
// 12 months, so that a slip noticed a month later can still be undone.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace backups {

// Leaving: a copy the next save removes (kept more than the setting now asks for).
enum class CopyKind { Daily, Weekly, Monthly, Leaving };

inline constexpr int KeptWeeks = 8;
inline constexpr int KeptMonths = 12;

// "daily", "weekly", "monthly" or "goes at the next save".
std::string_view KindName(CopyKind kind);

// For each copy date (YYYY-MM-DD, any order) the kind it is kept as, or nothing when it goes.
// Weeks run Monday to Sunday and months are calendar months, the current one included. A
// copy dated after `today` (made while the clock was wrong) ranks as the oldest daily copy:
// it stays only until dailyCount copies of real days exist. 0 keeps none. A date that cannot
// be read is not a copy of ours and is left out of the reckoning (kept).
std::vector<std::optional<CopyKind>> KindsToKeep(const std::vector<std::string>& dates,
                                                 std::string_view today, int dailyCount);

}  // namespace backups
