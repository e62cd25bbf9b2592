#include "desktop/dialogs/RelationshipsDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/DiaryText.h"
#include "desktop/dialogs/HelpContext.h"
#include "desktop/dialogs/PlainButton.h"

namespace {

// Each column's list box in dialog units, as the dialog has always been laid out.
const wxSize ColumnSizeInDialogUnits(74, 146);

}  // namespace

CRelationshipsDlg::CRelationshipsDlg(wxWindow* parent, const StringList* symptoms,
                                     const StringList* bestFoods, const StringList* worstFoods)
    : wxDialog(parent, wxID_ANY, "Day After Relationships") {
    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    columns->Add(CreateColumn(control::RelationshipsSymptoms, "Symptom", symptoms), 1, wxEXPAND);
    columns->Add(CreateColumn(control::RelationshipsBestFoods, "Best food", bestFoods), 1,
                 wxEXPAND);
    columns->Add(CreateColumn(control::RelationshipsWorstFoods, "Worst food", worstFoods), 1,
                 wxEXPAND);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = NewPlainButton(this, wxID_OK, "OK");
    ok->SetDefault();
    buttons->Add(ok, 0, wxRIGHT, FromDIP(40));
    buttons->Add(new wxButton(this, control::RelationshipsHelp, "&Help"));

    auto* dialog = new wxBoxSizer(wxVERTICAL);
    dialog->Add(columns, 1, wxEXPAND | wxALL, FromDIP(10));
    dialog->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(10));
    SetSizerAndFit(dialog);

    // OK and Esc both just close the box.
    SetEscapeId(wxID_OK);
    Bind(wxEVT_BUTTON, &CRelationshipsDlg::OnHelpButton, this, control::RelationshipsHelp);
    BindHelpKey(this, control::RelationshipsHelp);
    // Selecting a row in any column selects the same row in the others: the symptom with its
    // best and its worst food stand out together.
    Bind(wxEVT_LISTBOX, &CRelationshipsDlg::OnRowSelected, this);
    CentreOnParent();
}

wxSizer* CRelationshipsDlg::CreateColumn(int id, const wxString& heading,
                                         const StringList* entries) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(this, wxID_ANY, heading), 0, wxBOTTOM, FromDIP(2));
    // Not sorted: row i of every column belongs to the i-th symptom.
    auto* list =
        new wxListBox(this, id, wxDefaultPosition, ConvertDialogToPixels(ColumnSizeInDialogUnits),
                      0, nullptr, wxLB_SINGLE | wxLB_NEEDED_SB);
    if (entries)
        for (const std::string& entry : *entries) list->Append(FromDiaryText(entry));
    column->Add(list, 1, wxEXPAND);
    return column;
}

void CRelationshipsDlg::OnRowSelected(wxCommandEvent& event) {
    const int row = event.GetSelection();
    for (int id : {control::RelationshipsSymptoms, control::RelationshipsBestFoods,
                   control::RelationshipsWorstFoods}) {
        auto* list = dynamic_cast<wxListBox*>(FindWindow(id));
        if (list && row >= 0 && static_cast<unsigned int>(row) < list->GetCount() &&
            list->GetSelection() != row)
            list->SetSelection(row);
    }
}

void CRelationshipsDlg::OnHelpButton(wxCommandEvent&) {
    ShowHelpContext(control::RelationshipsHelp);
}
