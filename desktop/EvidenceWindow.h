#pragma once
// "Evidence": the evidence of the open diary, read when the window opens and again when the
// period, the delays or the rule change. The explanation on top, the choices, the table, the
// selected row in words with the groups and blocks behind it, and the strip of its days.

#include <wx/dialog.h>

#include "engine/Evidence.h"
#include "engine/EvidenceWords.h"

class wxCheckBox;
class wxChoice;
class wxListEvent;
class wxStaticText;
class wxTextCtrl;
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
    static constexpr int PeriodChoiceId = 1306;
    static constexpr int ComparePlainId = 1307;
    static constexpr int LaterSymptomsId = 1308;
    static constexpr int DetailsId = 1309;

    EvidenceWindow(wxWindow* parent, const CGastrologDoc& document);

    EvidenceTable& Table() { return *m_table; }
    EvidenceStripPanel& Strip() { return *m_strip; }
    wxChoice& SymptomChoice() { return *m_symptomChoice; }
    wxCheckBox& StrongAndSomeOnly() { return *m_strongAndSomeOnly; }
    wxChoice& PeriodChoice() { return *m_periodChoice; }
    wxCheckBox& ComparePlain() { return *m_comparePlain; }
    wxCheckBox& LaterSymptoms() { return *m_laterSymptoms; }
    const EvidenceReading& Reading() const { return m_reading; }
    // The selected row in words, with its groups and blocks; what to do when none is selected.
    wxString DetailsText() const;
    // "Showing 12 of 1,240 rows." under the table.
    wxString ShownText() const;

private:
    wxSizer* CreateChoices();
    wxSizer* CreateReadingChoices();
    EvidenceOptions ChosenOptions() const;
    void Reread();
    void OnReadingChanged(wxCommandEvent& event);
    void Refill();
    void ShowSelectedDays();
    void OnFilterChanged(wxCommandEvent& event);
    void OnSelectionChanged(wxListEvent& event);
    void OnHelpButton(wxCommandEvent& event);

    const CGastrologDoc& m_document;
    EvidenceReading m_reading;
    wxChoice* m_symptomChoice = nullptr;
    wxCheckBox* m_strongAndSomeOnly = nullptr;
    wxChoice* m_periodChoice = nullptr;
    wxCheckBox* m_comparePlain = nullptr;
    wxCheckBox* m_laterSymptoms = nullptr;
    wxStaticText* m_explanation = nullptr;
    wxStaticText* m_livedDays = nullptr;
    wxTextCtrl* m_details = nullptr;
    EvidenceTable* m_table = nullptr;
    wxStaticText* m_shown = nullptr;
    EvidenceStripPanel* m_strip = nullptr;
};
