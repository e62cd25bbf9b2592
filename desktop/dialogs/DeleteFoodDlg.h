#pragma once
// "Delete Selected Foods and Drinks": confirms taking a food off the day list and says, by its
// check box, whether the food is to leave the Master list (and the diary) as well. The name is
// shown read-only; while the box is ticked the dialog says that the food's history goes too.

#include <wx/stattext.h>

#include "desktop/dialogs/NameEntryDlg.h"

class CDeleteFoodDlg : public CNameEntryDlg {
public:
    explicit CDeleteFoodDlg(wxWindow* parent);

    static constexpr const char* ForGoodText =
        "The food and its whole history will be deleted for good.";

    int m_bMaster = 0;  // 1: delete from the Master list too

    // The warning shown while "Delete from Master list" is ticked; empty otherwise.
    wxString WarningText() const;

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

protected:
    void OnInitDialog() override;

private:
    void OnMasterClicked(wxCommandEvent& event);
    void ShowWarning(bool shown);

    wxStaticText* m_warning = nullptr;
};
