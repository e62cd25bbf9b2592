#include "desktop/dialogs/DeleteFoodDlg.h"

#include "desktop/dialogs/ControlIds.h"

namespace {

CNameEntryDlg::Layout DeleteFoodLayout() {
    CNameEntryDlg::Layout layout;
    layout.title = "Delete Selected Foods and Drinks";
    layout.label = "&Delete ";
    layout.editId = control::FoodName;
    layout.editWidth = 100;
    layout.labelBesideEdit = true;
    layout.checkBoxId = control::DeleteFromMaster;
    layout.checkBoxLabel = "Delete from &Master list";
    layout.helpId = control::DeleteFoodHelp;
    layout.helpLabel = "&Help";
    return layout;
}

}  // namespace

CDeleteFoodDlg::CDeleteFoodDlg(wxWindow* parent) : CNameEntryDlg(parent, DeleteFoodLayout()) {
    Bind(wxEVT_CHECKBOX, &CDeleteFoodDlg::OnMasterClicked, this, control::DeleteFromMaster);
}

void CDeleteFoodDlg::OnInitDialog() {
    // Deleting from the Master list is never the default.
    m_bMaster = 0;
    CNameEntryDlg::OnInitDialog();
}

bool CDeleteFoodDlg::TransferDataToWindow() {
    CheckBox()->SetValue(m_bMaster != 0);
    return CNameEntryDlg::TransferDataToWindow();
}

bool CDeleteFoodDlg::TransferDataFromWindow() {
    m_bMaster = CheckBox()->GetValue() ? 1 : 0;
    return CNameEntryDlg::TransferDataFromWindow();
}

void CDeleteFoodDlg::OnMasterClicked(wxCommandEvent&) {
    m_bMaster = 1;
}
