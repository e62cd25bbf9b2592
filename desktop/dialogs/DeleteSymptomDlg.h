#pragma once
// "Delete Selected Symptom": confirms the deletion of a symptom (its row's text, read-only).

#include "desktop/dialogs/NameEntryDlg.h"

class CDeleteSymptomDlg : public CNameEntryDlg {
public:
    explicit CDeleteSymptomDlg(wxWindow* parent);
};
