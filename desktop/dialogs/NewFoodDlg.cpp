#include "desktop/dialogs/NewFoodDlg.h"

#include "desktop/dialogs/ControlIds.h"

namespace {

CNameEntryDlg::Layout NewFoodLayout() {
    CNameEntryDlg::Layout layout;
    layout.title = "Insert New Food or Drink";
    layout.label = "&New Food or Drink";
    layout.editId = control::FoodName;
    layout.editWidth = 145;
    layout.helpId = control::NewFoodHelp;
    layout.helpLabel = "Help";
    return layout;
}

}  // namespace

CNewFoodDlg::CNewFoodDlg(wxWindow* parent) : CNameEntryDlg(parent, NewFoodLayout()) {}

void CNewFoodDlg::OnInitDialog() {
    // The box always opens holding one blank, selected, so typing replaces it.
    m_strName = " ";
    CNameEntryDlg::OnInitDialog();
}
