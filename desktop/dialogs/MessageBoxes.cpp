#include "desktop/dialogs/MessageBoxes.h"

#include <wx/msgdlg.h>

int ShowApplicationMessage(wxWindow* parent, const wxString& text, long buttons, long icon) {
    return wxMessageBox(text, "Gastrolog", buttons | icon, parent);
}

void ShowDialogMessage(wxWindow* dialog, const wxString& text, const wxString& caption) {
    wxMessageBox(text, caption, wxOK | wxICON_WARNING, dialog);
}
