#pragma once
// "Add New Symptom": asks for the name of a symptom to follow.

#include "desktop/dialogs/NameEntryDlg.h"

class CNewSymptomDlg : public CNameEntryDlg {
public:
    explicit CNewSymptomDlg(wxWindow* parent);
};
