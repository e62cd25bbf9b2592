#pragma once
// The person behind a simulated diary, as the document sees them through its user interface:
// every question is answered Yes, notices are read, and the two data-entry dialogs are filled
// in by editing the lists exactly as the real dialogs do (a new symptom or food as "~" and its
// name, a rating as the name with its 13-character suffix, a known food copied from the master
// list to the day list).

#include <string>
#include <vector>

#include "diary/Ports.h"

class SimulatedUser : public UserInterface {
public:
    // What to enter in the next symptom dialog: symptoms to add (New), then a rating ('b', 'w'
    // or 'n') for each named symptom.
    void PlanSymptoms(std::vector<std::string> newSymptoms, std::vector<std::string> rated,
                      std::vector<char> ratings);
    // The foods to put on the next day list.
    void PlanFoods(std::vector<std::string> foods);

    bool AskYesNo(std::string_view question) override;
    void Notify(std::string_view message) override;
    void ReportError(std::string_view message) override;
    bool ShowSymptomDialog(const std::string& dayLabel, StringList& symptomLines) override;
    bool ShowDayListDialog(const std::string& dayLabel, StringList& masterList,
                           StringList& dayList) override;
    void ShowRelationships(const StringList&, const StringList&, const StringList&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}

    int QuestionsAnswered() const { return m_questions; }
    const std::vector<std::string>& Notices() const { return m_notices; }
    const std::vector<std::string>& Errors() const { return m_errors; }

private:
    int m_questions = 0;
    std::vector<std::string> m_notices;
    std::vector<std::string> m_errors;
    std::vector<std::string> m_newSymptoms;
    std::vector<std::string> m_rated;
    std::vector<char> m_ratings;
    std::vector<std::string> m_foods;
};
