#pragma once
// What a diary file stores, in the file's order. This is the one place that order is written
// down: the file's reader and writer (DocSerialize.cpp) and the JSON export and import walk
// the members through ForEachStoredMember, and each record's fields through its own
// ForEachStoredField.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <type_traits>
#include <vector>

#include "diary/Food.h"
#include "diary/Hidden.h"
#include "diary/Ports.h"
#include "diary/Symptom.h"

struct StoredDiary {
    TimeValue lastUpdate = 0;  // start of the current day slot
    std::int32_t dayCount = 0;
    StringList foodNames;  // one name per food
    std::vector<CFood> foods;
    StringList symptomLines;  // name plus rating suffix
    std::vector<CSymptom> symptoms;
    std::vector<CHidden> hidden;  // five units, "0" to "4"
};

// The stored members of a document in place, by reference; `Const` for reading only.
template <bool Const>
struct StoredDiaryMembers {
    template <class T>
    using Ref = std::conditional_t<Const, const T&, T&>;
    Ref<TimeValue> lastUpdate;
    Ref<std::int32_t> dayCount;
    Ref<StringList> foodNames;
    Ref<std::vector<CFood>> foods;
    Ref<StringList> symptomLines;
    Ref<std::vector<CSymptom>> symptoms;
    Ref<std::vector<CHidden>> hidden;
};
using StoredDiaryView = StoredDiaryMembers<true>;

// Calls visit(name, member) for every stored member in the file's order. `Diary` is a
// StoredDiary or a StoredDiaryMembers, const or not.
template <class Diary, class Visitor>
void ForEachStoredMember(Diary& diary, Visitor&& visit) {
    visit("lastUpdate", diary.lastUpdate);
    visit("dayCount", diary.dayCount);
    visit("foodNames", diary.foodNames);
    visit("foods", diary.foods);
    visit("symptomLines", diary.symptomLines);
    visit("symptoms", diary.symptoms);
    visit("hidden", diary.hidden);
}

// The bytes the diary takes as a file, as the file writer writes it; nullopt when the format
// cannot hold it (a list or a text too long). The diary is not changed.
std::optional<std::size_t> StoredFileSize(StoredDiary& diary);
