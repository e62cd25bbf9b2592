#pragma once
// The Today window's day: every symptom with its rating and every food with a tick, entered in
// one place. The entry decides the order of the foods, what the search shows and what a typed
// name does; the window only shows it. Done hands the entry to the document, which commits it
// through the same operations as the symptom and day-list dialogs (CGastrologDoc::CommitToday).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diary/NameRules.h"
#include "diary/Ports.h"

class CGastrologDoc;

namespace today {

// How many day slots before the current one count for the order of the foods.
inline constexpr int RecentDays = 14;

struct SymptomRow {
    std::string name;  // as the diary stores it (Windows-1252)
    char rating;       // diary::Better, diary::NoChange or diary::Worse
};

struct FoodRow {
    std::string name;    // as the diary stores it (Windows-1252)
    bool eaten = false;  // ticked for the day being entered
    bool isNew = false;  // typed in this window, not yet in the diary
    int recentDays = 0;  // days eaten among the RecentDays before the current one
};

// What Enter in the search box does with the typed text.
struct EnterOutcome {
    enum class Kind {
        Nothing,   // nothing typed
        Tick,      // a food of that name (case ignored) is in the list: tick it
        OfferNew,  // a name no food has: ask whether to add it as a new food
        Refuse,    // not a name a food can have: show the message
    };
    Kind kind = Kind::Nothing;
    std::size_t row = 0;  // Tick: the food's row
    std::string name;     // OfferNew: the trimmed name (Windows-1252)
    std::string message;  // Refuse: why (UTF-8), under the caption "New Food"
};

class TodayEntry {
public:
    explicit TodayEntry(const CGastrologDoc& document);

    // The day being entered as the dialogs label it ("on Monday, March 07, 2005", "yesterday").
    const std::string& DayLabel() const { return m_dayLabel; }
    const std::vector<SymptomRow>& Symptoms() const { return m_symptoms; }
    // The foods eaten on most of the recent days first, then the rest, each part in name order.
    const std::vector<FoodRow>& Foods() const { return m_foods; }
    // Foods are entered once the diary follows a symptom, as with the two dialogs.
    bool CanEnterFoods() const { return !m_symptoms.empty(); }

    void Rate(std::size_t symptom, char rating);
    void SetEaten(std::size_t food, bool eaten);

    // The rows, in list order, whose names hold the typed text (UTF-8), case ignored.
    std::vector<std::size_t> Matching(std::string_view typed) const;
    EnterOutcome Enter(std::string_view typed) const;
    // Adds a name that Enter offered as a new food, ticked; returns its row.
    std::size_t AddNewFood(const std::string& name);

    // What the symptom dialog would hand back: each line with the row's rating.
    void ApplyRatings(StringList& symptomLines) const;
    // What the day-list dialog would hand back: foods put on the day appended to the day list,
    // foods taken off marked "0" in the master list, new foods in both with "~" on the day.
    void ApplyFoods(StringList& masterList, StringList& dayList) const;

private:
    std::optional<std::size_t> FindIgnoringCase(std::string_view name) const;

    std::string m_dayLabel;
    std::vector<SymptomRow> m_symptoms;
    std::vector<FoodRow> m_foods;
};

}  // namespace today
