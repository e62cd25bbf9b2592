#include "desktop/dialogs/DeleteFoodDlg.h"

#include <wx/sizer.h>

#include "desktop/dialogs/ControlIds.h"

namespace {

CNameEntryDlg::Layout DeleteFoodLayout() {
    CNameEntryDlg::Layout layout;
    layout.title = "Delete Selected Foods and Drinks";
    layout.label = "&Delete ";
    layout.editId = control::FoodName;
    layout.editWidth = 100;
    layout.labelBesideEdit = true;
    layout.readOnly = true;  // only what was selected can be deleted
    layout.checkBoxId = control::DeleteFromMaster;
    layout.checkBoxLabel = "Delete from &Master list";
    layout.helpId = control::DeleteFoodHelp;
    layout.helpLabel = "&Help";
    return layout;
}

}  // namespace

CDeleteFoodDlg::CDeleteFoodDlg(wxWindow* parent) : CNameEntryDlg(parent, DeleteFoodLayout()) {
    // The warning's room is kept while it is hidden, so ticking the box moves nothing.
    m_warning = new wxStaticText(this, wxID_ANY, ForGoodText);
    m_warning->SetForegroundColour(*wxRED);
    m_warning->SetMinSize(m_warning->GetBestSize());
    const int gap = ConvertDialogToPixels(wxSize(8, 0)).x;
    GetSizer()->Insert(1, m_warning, wxSizerFlags().Border(wxLEFT | wxRIGHT, gap));
    GetSizer()->SetSizeHints(this);
    ShowWarning(false);
    Bind(wxEVT_CHECKBOX, &CDeleteFoodDlg::OnMasterClicked, this, control::DeleteFromMaster);
}

wxString CDeleteFoodDlg::WarningText() const {
    return m_warning->GetLabelText();
}

void CDeleteFoodDlg::ShowWarning(bool shown) {
    m_warning->SetLabelText(shown ? ForGoodText : "");
}

void CDeleteFoodDlg::OnInitDialog() {
    // Deleting from the Master list is never the default.
    m_bMaster = 0;
    CNameEntryDlg::OnInitDialog();
}

bool CDeleteFoodDlg::TransferDataToWindow() {
    CheckBox()->SetValue(m_bMaster != 0);
    ShowWarning(m_bMaster != 0);
    return CNameEntryDlg::TransferDataToWindow();
}

bool CDeleteFoodDlg::TransferDataFromWindow() {
    m_bMaster = CheckBox()->GetValue() ? 1 : 0;
    return CNameEntryDlg::TransferDataFromWindow();
}

void CDeleteFoodDlg::OnMasterClicked(wxCommandEvent& event) {
    m_bMaster = 1;
    ShowWarning(event.IsChecked());
}
