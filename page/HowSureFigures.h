#pragma once
// The figures of the help page "How sure can I be?" on the inclusion and exclusion lists, as
// measured with `gastrolog-cli assess --seeds 100 --days 60`. The report quotes them and a test
// checks that the help page states the same, so the two say one thing.

#include <string_view>

namespace how_sure {

inline constexpr int SimulatedDiaries = 100;
inline constexpr int FoodsPerDiary = 30;
// Of the foods that really made a symptom worse, the share the exclusion list held...
inline constexpr int HarmfulFoodsExcludedPercent = 71;
// ...and the share those foods made of everything it listed.
inline constexpr int ExcludedFoodsHarmfulPercent = 10;
inline constexpr int HarmlessFoodsExcludedPerDiary = 18;
// Of the foods that really made a symptom worse, the share the inclusion list held.
inline constexpr int HarmfulFoodsIncludedPercent = 29;
// Foods the exclusion list still named per diary when no food had anything to do with the
// symptoms.
inline constexpr std::string_view ExcludedWithoutLinksPerDiary = "18.5";

}  // namespace how_sure
