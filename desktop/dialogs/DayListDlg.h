#pragma once
// "Create List of Foods & Drinks": the user records the foods and drinks taken on the day being
// entered. The dialog edits the two lists it is given and leaves marks in them ("~" new food in
// the day list, "0" taken off the day and ">" delete in the Master list); the document commits
// them when the dialog ends with OK.

#include <wx/dialog.h>
#include <wx/stattext.h>

#include <set>
#include <string>
#include <vector>

#include "diary/Ports.h"
#include "diary/Result.h"

class SortedListBox;
class wxSearchCtrl;

class CDayListDlg : public wxDialog {
public:
    explicit CDayListDlg(wxWindow* parent);

    StringList* m_pMasterList = nullptr;  // every known food; not owned
    StringList* m_pDayList = nullptr;     // the foods taken on the day; not owned
    wxString m_strDay;                    // "on Monday, March 07, 2005" or "yesterday"

    bool TransferDataToWindow() override;

private:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnCopy(wxCommandEvent& event);
    void OnNew(wxCommandEvent& event);
    // Refuses a typed name the small dialog cannot take, saying why.
    Result CheckNewFood(const wxString& typed) const;
    void OnDelete(wxCommandEvent& event);
    void OnClear(wxCommandEvent& event);
    void OnOkButton(wxCommandEvent& event);
    void OnHelpButton(wxCommandEvent& event);
    void OnMasterDoubleClick(wxCommandEvent& event);
    void OnSearchText(wxCommandEvent& event);

    void CreateControls();
    // Adds a known food (as the Master list spells it) to the Day list box and the day list.
    void PutOnDay(const wxString& name);
    // The first Master list entry equal to name, or nullptr.
    std::string* FindMasterEntry(const std::string& name) const;
    void MarkMasterEntry(const wxString& name, char mark);

    // The Master list box shows the known foods whose names hold the search text. Rows the
    // search hides keep their selection for when they show again, and count for "-->" and OK.
    void RefillMasterBox();
    std::vector<wxString> SelectedMasterNames() const;
    // The index in m_masterNames of the name, case ignored, or -1.
    int FindMasterName(const wxString& name) const;
    void AddMasterName(const wxString& name);
    void RemoveMasterName(const wxString& name);

    std::vector<wxString> m_masterNames;
    std::set<wxString> m_hiddenSelection;
    wxSearchCtrl* m_search = nullptr;
    SortedListBox* m_masterBox = nullptr;
    SortedListBox* m_dayBox = nullptr;
    wxStaticText* m_dayCaption = nullptr;
};
