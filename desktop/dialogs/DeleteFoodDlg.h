#pragma once
// "Delete Selected Foods and Drinks": confirms taking a food off the day list and says, by its
// check box, whether the food is to leave the Master list (and the diary) as well.

#include "desktop/dialogs/NameEntryDlg.h"

class CDeleteFoodDlg : public CNameEntryDlg {
public:
    explicit CDeleteFoodDlg(wxWindow* parent);

    int m_bMaster = 0;  // 1: delete from the Master list too

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

protected:
    void OnInitDialog() override;

private:
    void OnMasterClicked(wxCommandEvent& event);
};
