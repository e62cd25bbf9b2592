#include "desktop/dialogs/MessageBoxes.h"

#include <wx/msgdlg.h>

int ShowApplicationMessage(wxWindow* parent, const wxString& text, long buttons) {
    return wxMessageBox(text, "Gastrolog", buttons | wxICON_EXCLAMATION, parent);
}

void ShowDialogMessage(wxWindow* dialog, const wxString& text, const wxString& caption) {
    wxMessageBox(text, caption, wxOK | wxICON_NONE, dialog);
}
