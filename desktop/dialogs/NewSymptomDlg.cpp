#include "desktop/dialogs/NewSymptomDlg.h"

#include "desktop/dialogs/ControlIds.h"

namespace {

CNameEntryDlg::Layout NewSymptomLayout() {
    CNameEntryDlg::Layout layout;
    layout.title = "Add New Symptom";
    layout.label = "&New Symptom";
    layout.editId = control::NewSymptomName;
    layout.editWidth = 155;
    layout.helpId = control::NewSymptomHelp;
    layout.helpLabel = "Help";
    return layout;
}

}  // namespace

CNewSymptomDlg::CNewSymptomDlg(wxWindow* parent) : CNameEntryDlg(parent, NewSymptomLayout()) {}
