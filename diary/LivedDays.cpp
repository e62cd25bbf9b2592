#include "diary/LivedDays.h"

#include <algorithm>
#include <cstdio>

#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"
#include "diary/HistoryFile.h"

namespace lived {

namespace {

// Howard Hinnant's days-from-civil: exact for every Gregorian date, integers only.
Date DaysFromCivil(int year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<Date>(era * 146097 + static_cast<int>(dayOfEra) - 719468);
}

struct Civil {
    int year;
    unsigned month;
    unsigned day;
};

Civil CivilFromDays(Date date) {
    const int z = date + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(z - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shifted = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    const unsigned month = shifted < 10 ? shifted + 3 : shifted - 9;
    return {static_cast<int>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

using diary::CodeAt;

}  // namespace

Date DateOf(calendar::LocalDay day) {
    return DaysFromCivil(day.year, 1, 1) + day.dayOfYear;
}

Date DateFromCivil(int year, int month, int dayOfMonth) {
    return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(dayOfMonth));
}

std::string DateText(Date date) {
    const Civil civil = CivilFromDays(date);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", civil.year, civil.month, civil.day);
    return text;
}

bool ParseDate(std::string_view text, Date& date) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    int parts[3] = {0, 0, 0};
    const std::size_t starts[3] = {0, 5, 8};
    const std::size_t lengths[3] = {4, 2, 2};
    for (int part = 0; part < 3; ++part)
        for (std::size_t i = 0; i < lengths[part]; ++i) {
            const char digit = text[starts[part] + i];
            if (digit < '0' || digit > '9') return false;
            parts[part] = parts[part] * 10 + (digit - '0');
        }
    if (parts[1] < 1 || parts[1] > 12 || parts[2] < 1 || parts[2] > 31) return false;
    const Date candidate = DateFromCivil(parts[0], parts[1], parts[2]);
    const Civil back = CivilFromDays(candidate);
    if (back.month != static_cast<unsigned>(parts[1]) ||
        back.day != static_cast<unsigned>(parts[2]))
        return false;  // 31 April and the like
    date = candidate;
    return true;
}

namespace {

LivedDay DayAt(const CGastrologDoc& document, const DiaryHistory::DatedSlots& slots,
               std::size_t slot) {
    LivedDay day;
    day.date = slots.dates[slot];
    day.estimated = slots.estimated[slot];
    for (const CFood& food : document.Foods())
        if (diary::IsEaten(CodeAt(food.m_history, slot))) day.eaten.push_back(food.m_name);
    for (const CSymptom& symptom : document.Symptoms())
        day.ratings.emplace_back(symptom.m_name, CodeAt(symptom.m_history, slot));
    return day;
}

// A new symptom's slots hold "no change" for the days before it existed. A past day the history
// recorded without the symptom was lived before it: that day leaves it out (not rated), unless
// it holds a real rating. The current day always shows every symptom.
void LeaveOutLaterSymptoms(LivedDay& day, const DiaryHistory& history) {
    const LivedDay* known = history.KnownDay(day.date);
    if (!known) return;
    std::erase_if(day.ratings, [&](const std::pair<std::string, char>& rating) {
        if (rating.second == diary::Better || rating.second == diary::Worse) return false;
        return std::none_of(known->ratings.begin(), known->ratings.end(),
                            [&](const auto& recorded) { return recorded.first == rating.first; });
    });
}

DiaryHistory::DatedSlots SlotsOf(const CGastrologDoc& document) {
    return document.History().Slots(document.LastUpdate(), document.DayCount());
}

}  // namespace

LivedDay DayOfSlot(const CGastrologDoc& document, std::size_t slot) {
    return DayAt(document, SlotsOf(document), slot);
}

LivedDays DaysOfDiary(const CGastrologDoc& document) {
    const DiaryHistory::DatedSlots slots = SlotsOf(document);
    LivedDays days;
    for (std::size_t slot = 0; slot < diary::HistoryLength; ++slot) {
        if (slots.dates[slot] == history::NoDate) continue;
        days.push_back(DayAt(document, slots, slot));
        if (slot + 1 < diary::HistoryLength) LeaveOutLaterSymptoms(days.back(), document.History());
    }
    // Slots whose dates do not rise (a clock set back far) keep the newest of each date.
    return Merge(std::move(days), {});
}

LivedDays EveryLivedDay(const CGastrologDoc& document) {
    return Merge(document.History().KnownDays(), DaysOfDiary(document));
}

LivedDays Merge(LivedDays older, LivedDays newer) {
    const auto byDate = [](const LivedDay& a, const LivedDay& b) { return a.date < b.date; };
    std::stable_sort(older.begin(), older.end(), byDate);
    std::stable_sort(newer.begin(), newer.end(), byDate);
    LivedDays merged;
    merged.reserve(older.size() + newer.size());
    bool lastFromNewer = false;
    auto left = older.begin(), right = newer.begin();
    while (left != older.end() || right != newer.end()) {
        // On equal dates the older list's day comes first, so the newer one replaces it.
        const bool takeNewer =
            left == older.end() || (right != newer.end() && right->date < left->date);
        LivedDay& day = takeNewer ? *right++ : *left++;
        if (!merged.empty() && merged.back().date == day.date) {
            if (takeNewer || !lastFromNewer) merged.back() = std::move(day);
        } else {
            merged.push_back(std::move(day));
        }
        lastFromNewer = takeNewer;
    }
    return merged;
}

LivedDays Between(const LivedDays& days, Date first, Date last) {
    LivedDays chosen;
    for (const LivedDay& day : days)
        if (day.date >= first && day.date <= last) chosen.push_back(day);
    return chosen;
}

}  // namespace lived
