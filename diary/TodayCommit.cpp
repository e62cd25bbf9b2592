// The Today window's day goes through the two dialogs' document operations: the entry answers
// the dialogs in their place, every question and notice still reaches the user, and so every
// rule, mark and message of the two operations holds.

#include "diary/GastrologDoc.h"
#include "diary/TodayEntry.h"

namespace {

class EntryAnswers : public UserInterface {
public:
    EntryAnswers(UserInterface& user, const today::TodayEntry& entry)
        : m_user(user), m_entry(entry) {}

    bool AskYesNo(std::string_view question) override { return m_user.AskYesNo(question); }
    void Notify(std::string_view message) override { m_user.Notify(message); }
    void Inform(std::string_view message) override { m_user.Inform(message); }
    void ReportError(std::string_view message) override { m_user.ReportError(message); }
    Choice AskChoice(std::string_view question, std::string_view first,
                     std::string_view second) override {
        return m_user.AskChoice(question, first, second);
    }
    bool ShowSymptomDialog(const std::string&, StringList& symptomLines) override {
        m_entry.ApplyRatings(symptomLines);
        return true;
    }
    bool ShowDayListDialog(const std::string&, StringList& masterList,
                           StringList& dayList) override {
        m_entry.ApplyFoods(masterList, dayList);
        return true;
    }
    void ShowRelationships(const StringList& symptoms, const StringList& bestFoods,
                           const StringList& worstFoods) override {
        m_user.ShowRelationships(symptoms, bestFoods, worstFoods);
    }
    void BeginWaitCursor() override { m_user.BeginWaitCursor(); }
    void EndWaitCursor() override { m_user.EndWaitCursor(); }

private:
    UserInterface& m_user;
    const today::TodayEntry& m_entry;
};

}  // namespace

bool CGastrologDoc::CommitToday(const today::TodayEntry& entry) {
    if (!OnUpdateUpdateSymptoms()) return false;
    EntryAnswers answers(Ui(), entry);
    UserInterface* const user = m_ports.ui;
    m_ports.ui = &answers;
    struct Restore {
        UserInterface*& port;
        UserInterface* user;
        ~Restore() { port = user; }
    } restore{m_ports.ui, user};
    UpdateSymptoms(true, 0);
    if (entry.CanEnterFoods() && OnUpdateCreateDayList()) CreateDayList(0);
    return true;
}
