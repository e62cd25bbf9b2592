#pragma once
// The document's questions, notices and dialogs as the desktop shows them: message boxes with
// the caption "Gastrolog" and the data-entry dialogs, all over the main window.

// clang-format off
#include <wx/window.h>  // first: wx/weakref.h needs what it brings in
#include <wx/weakref.h>
// clang-format on

#include "diary/Ports.h"

class WxUserInterface : public UserInterface {
public:
    // parent: the window the boxes and dialogs belong to; the application's top window when
    // none is given or it has gone.
    explicit WxUserInterface(wxWindow* parent = nullptr) : m_parent(parent) {}
    void SetParent(wxWindow* parent) { m_parent = parent; }

    bool AskYesNo(std::string_view question) override;
    void Notify(std::string_view message) override;
    void Inform(std::string_view message) override;
    void ReportError(std::string_view message) override;
    Choice AskChoice(std::string_view question, std::string_view first,
                     std::string_view second) override;
    Choice AskChoiceOfThree(std::string_view question, std::string_view first,
                            std::string_view second, std::string_view third) override;

    bool ShowSymptomDialog(const std::string& dayLabel, StringList& symptomLines) override;
    bool ShowDayListDialog(const std::string& dayLabel, StringList& masterList,
                           StringList& dayList) override;
    void ShowRelationships(const StringList& symptoms, const StringList& bestFoods,
                           const StringList& worstFoods) override;

    void BeginWaitCursor() override;
    void EndWaitCursor() override;

private:
    wxWindow* Parent() const;

    wxWeakRef<wxWindow> m_parent;
};
