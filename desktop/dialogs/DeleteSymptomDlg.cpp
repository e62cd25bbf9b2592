#include "desktop/dialogs/DeleteSymptomDlg.h"

#include "desktop/dialogs/ControlIds.h"

namespace {

CNameEntryDlg::Layout DeleteSymptomLayout() {
    CNameEntryDlg::Layout layout;
    layout.title = "Delete Selected Symptom";
    layout.label = "&Delete";
    layout.editId = control::DeleteSymptomName;
    layout.editWidth = 145;
    layout.labelBesideEdit = true;
    layout.readOnly = true;  // only what was selected can be deleted
    layout.helpId = control::DeleteSymptomHelp;
    layout.helpLabel = "Help";
    return layout;
}

}  // namespace

CDeleteSymptomDlg::CDeleteSymptomDlg(wxWindow* parent)
    : CNameEntryDlg(parent, DeleteSymptomLayout()) {}
