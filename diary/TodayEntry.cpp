#include "diary/TodayEntry.h"

#include <algorithm>

#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"
#include "diary/SymptomLine.h"
#include "diary/Windows1252.h"

namespace today {

namespace {

// Letters fold to small ones: A-Z and the code page's accented capitals (0xC0-0xDE but the
// multiplication sign) to theirs.
unsigned char Fold(char character) {
    const auto byte = static_cast<unsigned char>(character);
    if (byte >= 'A' && byte <= 'Z') return static_cast<unsigned char>(byte - 'A' + 'a');
    if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)
        return static_cast<unsigned char>(byte + 0x20);
    return byte;
}

std::string Folded(std::string_view text) {
    std::string folded(text.size(), '\0');
    std::transform(text.begin(), text.end(), folded.begin(),
                   [](char character) { return static_cast<char>(Fold(character)); });
    return folded;
}

bool NameBefore(const std::string& one, const std::string& other) {
    const std::string foldedOne = Folded(one), foldedOther = Folded(other);
    return foldedOne != foldedOther ? foldedOne < foldedOther : one < other;
}

int EatenOnRecentDays(const std::string& history) {
    const std::size_t end = history.empty() ? 0 : history.size() - 1;  // the current day not
    const std::size_t begin = end > RecentDays ? end - RecentDays : 0;
    return static_cast<int>(std::count_if(history.begin() + static_cast<std::ptrdiff_t>(begin),
                                          history.begin() + static_cast<std::ptrdiff_t>(end),
                                          diary::IsEaten));
}

char RatingOfLine(const std::string& line, const CGastrologDoc& document) {
    if (const auto rated = symptom_line::Read(line)) return rated->rating;
    // A symptom added today shows its bare name until the diary is opened again.
    for (const CSymptom& symptom : document.Symptoms())
        if (symptom.m_name == line && !symptom.m_history.empty()) return symptom.m_history.back();
    return diary::NoChange;
}

}  // namespace

TodayEntry::TodayEntry(const CGastrologDoc& document) : m_dayLabel(document.GetDayLabel(0)) {
    for (const std::string& line : document.SymptomLines())
        m_symptoms.push_back(
            {std::string(symptom_line::NameOf(line)), RatingOfLine(line, document)});
    for (const CFood& food : document.Foods()) {
        const bool eaten = !food.m_history.empty() && diary::IsEaten(food.m_history.back());
        m_foods.push_back({food.m_name, eaten, false, EatenOnRecentDays(food.m_history)});
    }
    std::stable_sort(m_foods.begin(), m_foods.end(), [](const FoodRow& one, const FoodRow& other) {
        if (one.recentDays != other.recentDays) return one.recentDays > other.recentDays;
        return NameBefore(one.name, other.name);
    });
}

void TodayEntry::Rate(std::size_t symptom, char rating) {
    if (symptom < m_symptoms.size()) m_symptoms[symptom].rating = rating;
}

void TodayEntry::SetEaten(std::size_t food, bool eaten) {
    if (food < m_foods.size()) m_foods[food].eaten = eaten;
}

std::vector<std::size_t> TodayEntry::Matching(std::string_view typed) const {
    std::vector<std::size_t> rows;
    // Text the diary cannot hold matches no food.
    const std::optional<std::string> bytes = Utf8ToWindows1252(name_rules::Trim(typed));
    if (!bytes) return rows;
    const std::string wanted = Folded(*bytes);
    for (std::size_t row = 0; row < m_foods.size(); ++row)
        if (Folded(m_foods[row].name).find(wanted) != std::string::npos) rows.push_back(row);
    return rows;
}

std::optional<std::size_t> TodayEntry::FindIgnoringCase(std::string_view name) const {
    const std::string wanted = Folded(name);
    for (std::size_t row = 0; row < m_foods.size(); ++row)
        if (Folded(m_foods[row].name) == wanted) return row;
    return std::nullopt;
}

EnterOutcome TodayEntry::Enter(std::string_view typed) const {
    EnterOutcome outcome;
    if (name_rules::Trim(typed).empty()) return outcome;
    const name_rules::Checked checked = name_rules::Check(typed, name_rules::Kind::Food);
    if (checked.problem != name_rules::Problem::None) {
        outcome.kind = EnterOutcome::Kind::Refuse;
        outcome.message = name_rules::Message(checked, name_rules::Kind::Food);
        return outcome;
    }
    // A known food typed in another letter case is that food, as in the day-list dialog.
    if (const auto row = FindIgnoringCase(checked.name)) {
        outcome.kind = EnterOutcome::Kind::Tick;
        outcome.row = *row;
        return outcome;
    }
    outcome.kind = EnterOutcome::Kind::OfferNew;
    outcome.name = checked.name;
    return outcome;
}

std::size_t TodayEntry::AddNewFood(const std::string& name) {
    if (const auto row = FindIgnoringCase(name)) {
        m_foods[*row].eaten = true;
        return *row;
    }
    m_foods.push_back({name, true, true, 0});
    return m_foods.size() - 1;
}

void TodayEntry::ApplyRatings(StringList& symptomLines) const {
    for (std::string& line : symptomLines) {
        const std::string_view name = symptom_line::NameOf(line);
        const auto row =
            std::find_if(m_symptoms.begin(), m_symptoms.end(),
                         [&](const SymptomRow& symptom) { return symptom.name == name; });
        if (row != m_symptoms.end()) line = symptom_line::WithRating(line, row->rating);
    }
}

void TodayEntry::ApplyFoods(StringList& masterList, StringList& dayList) const {
    const auto onDay = [&dayList](const std::string& name) {
        return std::find(dayList.begin(), dayList.end(), name) != dayList.end();
    };
    // Decided against the day list as the document gave it, before anything is appended.
    std::vector<const FoodRow*> putOn;
    for (const FoodRow& food : m_foods) {
        if (food.isNew) {
            if (!food.eaten) continue;  // offered, then unticked: never made
            putOn.push_back(&food);
        } else if (food.eaten && !onDay(food.name)) {
            putOn.push_back(&food);
        } else if (!food.eaten && onDay(food.name)) {
            const auto entry = std::find(masterList.begin(), masterList.end(), food.name);
            if (entry != masterList.end()) entry->insert(entry->begin(), diary::MarkOffDay);
        }
    }
    for (const FoodRow* food : putOn) {
        if (food->isNew) {
            dayList.push_back(diary::MarkNew + food->name);
            masterList.push_back(food->name);
        } else {
            dayList.push_back(food->name);
        }
    }
}

}  // namespace today
