#pragma once
// "Update Symptoms": the user rates each symptom better, worse or unchanged for the day being
// entered, and adds or deletes symptoms. The dialog edits the symptom lines it is given (name
// plus a 13-character rating suffix) and leaves marks ("~" new, ">" delete) for the document
// to commit when the dialog ends with OK.

#include <wx/dialog.h>
#include <wx/stattext.h>

#include <string>
#include <string_view>

#include "diary/Ports.h"
#include "diary/Result.h"

class SortedListBox;

class CUpdateSymptomsDlg : public wxDialog {
public:
    explicit CUpdateSymptomsDlg(wxWindow* parent);

    StringList* m_pSymptomList = nullptr;  // the symptom lines; not owned
    wxString m_strDay;                     // "on Monday, March 07, 2005" or "yesterday"

    bool TransferDataToWindow() override;

private:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnBetter(wxCommandEvent& event);
    void OnWorse(wxCommandEvent& event);
    void OnNoChange(wxCommandEvent& event);
    void OnAllNoChange(wxCommandEvent& event);
    void OnNew(wxCommandEvent& event);
    void OnDelete(wxCommandEvent& event);
    void OnHelpButton(wxCommandEvent& event);

    void CreateControls();
    void RateSelectedRow(std::string_view suffix);
    // Gives the row's symptom the rating; a row whose line is not found stays as it is.
    void RateRow(int row, std::string_view suffix);
    bool HoldsSymptom(const wxString& name) const;
    // Refuses a typed name the small dialog cannot take, saying why.
    Result CheckNewSymptom(const wxString& typed) const;
    // The first symptom line equal to text, or nullptr.
    std::string* FindLine(const std::string& text) const;

    SortedListBox* m_symptomBox = nullptr;
    wxStaticText* m_dayCaption = nullptr;
};
