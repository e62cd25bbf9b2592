#pragma once
// "Day After Relationships": for each symptom, the food most consistently followed by a better
// day and the one most consistently followed by a worse day, in three parallel columns.

#include <wx/dialog.h>
#include <wx/listbox.h>

#include "diary/Ports.h"

class CRelationshipsDlg : public wxDialog {
public:
    // A null list leaves its column empty. The lists are read while the dialog is built.
    CRelationshipsDlg(wxWindow* parent, const StringList* symptoms, const StringList* bestFoods,
                      const StringList* worstFoods);

private:
    wxSizer* CreateColumn(int id, const wxString& heading, const StringList* entries);
    void OnHelpButton(wxCommandEvent& event);
    void OnRowSelected(wxCommandEvent& event);
};
