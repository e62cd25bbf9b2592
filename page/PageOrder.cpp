#include "page/PageOrder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/NameOrder.h"

namespace {

template <typename Record>
std::vector<const Record*> Pointers(const std::vector<Record>& records) {
    std::vector<const Record*> pointers;
    pointers.reserve(records.size());
    for (const Record& record : records) pointers.push_back(&record);
    return pointers;
}

template <typename Record>
std::vector<const Record*> ByName(const std::vector<Record>& records) {
    auto sorted = Pointers(records);
    std::stable_sort(sorted.begin(), sorted.end(), [](const Record* a, const Record* b) {
        return name_order::Before(a->m_name, b->m_name);
    });
    return sorted;
}

// Scores that differ only beyond the eighth decimal count as equal.
std::int64_t ScoreKey(float score) {
    const double scaled = static_cast<double>(score) * 100000000.0;
    if (std::isnan(scaled)) return 0;
    constexpr double limit = 9.0e18;
    return static_cast<std::int64_t>(std::clamp(scaled, -limit, limit));
}

}  // namespace

std::vector<const CSymptom*> SymptomsByName(const std::vector<CSymptom>& symptoms) {
    return ByName(symptoms);
}

std::vector<const CFood*> FoodsInPageOrder(const std::vector<CFood>& foods, int sortOrder) {
    if (sortOrder != SortFoodsByScore) return ByName(foods);
    auto sorted = Pointers(foods);
    std::stable_sort(sorted.begin(), sorted.end(), [](const CFood* a, const CFood* b) {
        return ScoreKey(a->m_score) < ScoreKey(b->m_score);
    });
    return sorted;
}
