#pragma once
// "Evidence": the day-after tally of the open diary, read when the window opens. The
// explanation on top, a choice of symptom and of "strong and some only", the table, and the
// strip of the selected row's days.

#include <wx/dialog.h>

#include "engine/Evidence.h"
#include "engine/EvidenceWords.h"

class wxCheckBox;
class wxChoice;
class wxListEvent;
class wxStaticText;
class CGastrologDoc;
class EvidenceStripPanel;
class EvidenceTable;

class EvidenceWindow : public wxDialog {
public:
    static constexpr int SymptomChoiceId = 1301;
    static constexpr int StrongAndSomeOnlyId = 1302;
    static constexpr int TableId = 1303;
    static constexpr int StripId = 1304;
    static constexpr int HelpButtonId = 1305;

    EvidenceWindow(wxWindow* parent, const CGastrologDoc& document);

    EvidenceTable& Table() { return *m_table; }
    EvidenceStripPanel& Strip() { return *m_strip; }
    wxChoice& SymptomChoice() { return *m_symptomChoice; }
    wxCheckBox& StrongAndSomeOnly() { return *m_strongAndSomeOnly; }
    // "Showing 12 of 1,240 rows." under the table.
    wxString ShownText() const;

private:
    wxSizer* CreateChoices();
    void Refill();
    void ShowSelectedDays();
    void OnFilterChanged(wxCommandEvent& event);
    void OnSelectionChanged(wxListEvent& event);
    void OnHelpButton(wxCommandEvent& event);

    const CGastrologDoc& m_document;
    EvidenceReading m_reading;
    wxChoice* m_symptomChoice = nullptr;
    wxCheckBox* m_strongAndSomeOnly = nullptr;
    EvidenceTable* m_table = nullptr;
    wxStaticText* m_shown = nullptr;
    EvidenceStripPanel* m_strip = nullptr;
};
