#include "cli/SimulatedUser.h"

#include <algorithm>

#include "diary/DiaryConstants.h"
#include "diary/NameRules.h"
#include "diary/SymptomLine.h"

namespace {

bool IsMarked(const std::string& entry) {
    return !entry.empty() && (entry[0] == diary::MarkNew || entry[0] == diary::MarkDelete ||
                              entry[0] == diary::MarkOffDay);
}

// The list box shows a new entry without its "~".
std::string ShownText(const std::string& entry) {
    return !entry.empty() && entry[0] == diary::MarkNew ? entry.substr(1) : entry;
}

bool ListShows(const StringList& list, const std::string& text) {
    return std::any_of(list.begin(), list.end(), [&](const std::string& entry) {
        return name_rules::SameName(ShownText(entry), text);
    });
}

// New in the symptom dialog: refused at 20 rows, ignored for a name already listed.
void AddSymptom(StringList& lines, const std::string& name) {
    if (lines.size() >= static_cast<std::size_t>(diary::MaximumSymptoms)) return;
    const bool listed = std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return name_rules::SameName(symptom_line::NameOf(ShownText(line)), name);
    });
    if (!listed) lines.push_back(diary::MarkNew + name);
}

// A rating button on the row of the named symptom: the suffix is replaced or added. A symptom
// added in this same dialog carries its "~" and cannot be rated yet, as in the real dialog.
void RateSymptom(StringList& lines, const std::string& name, char rating) {
    for (std::string& line : lines) {
        if (IsMarked(line) || symptom_line::NameOf(line) != name) continue;
        line = symptom_line::WithRating(line, rating);
        return;
    }
}

}  // namespace

void SimulatedUser::PlanSymptoms(std::vector<std::string> newSymptoms,
                                 std::vector<std::string> rated, std::vector<char> ratings) {
    m_newSymptoms = std::move(newSymptoms);
    m_rated = std::move(rated);
    m_ratings = std::move(ratings);
}

void SimulatedUser::PlanFoods(std::vector<std::string> foods) {
    m_foods = std::move(foods);
}

bool SimulatedUser::AskYesNo(std::string_view) {
    ++m_questions;
    return true;
}

void SimulatedUser::Notify(std::string_view message) {
    m_notices.emplace_back(message);
}

void SimulatedUser::ReportError(std::string_view message) {
    m_errors.emplace_back(message);
}

bool SimulatedUser::ShowSymptomDialog(const std::string&, StringList& symptomLines) {
    for (const std::string& name : m_newSymptoms) AddSymptom(symptomLines, name);
    for (std::size_t i = 0; i < m_rated.size() && i < m_ratings.size(); ++i)
        RateSymptom(symptomLines, m_rated[i], m_ratings[i]);
    m_newSymptoms.clear();
    m_rated.clear();
    m_ratings.clear();
    return true;
}

bool SimulatedUser::ShowDayListDialog(const std::string&, StringList& masterList,
                                      StringList& dayList) {
    for (const std::string& food : m_foods) {
        if (ListShows(dayList, food)) continue;  // already on the day list
        const auto known = std::find_if(
            masterList.begin(), masterList.end(),
            [&](const std::string& entry) { return name_rules::SameName(entry, food); });
        if (known != masterList.end()) {
            dayList.push_back(*known);  // "-->" copies the master list's text
        } else {
            dayList.push_back(diary::MarkNew + food);  // New
            masterList.push_back(food);
        }
    }
    m_foods.clear();
    return true;
}
