#pragma once
// "Insert New Food or Drink": asks for the name of a food or drink to put on the day list.

#include "desktop/dialogs/NameEntryDlg.h"

class CNewFoodDlg : public CNameEntryDlg {
public:
    explicit CNewFoodDlg(wxWindow* parent);

protected:
    void OnInitDialog() override;
};
