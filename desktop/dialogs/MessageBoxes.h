#pragma once
// The two kinds of message box the dialogs show: the application's own (caption "Gastrolog",
// exclamation icon) and a dialog's own (a caption naming the action, no icon).

#include <wx/window.h>

// Returns wxOK or wxCANCEL, as wxMessageBox does.
int ShowApplicationMessage(wxWindow* parent, const wxString& text, long buttons = wxOK);

void ShowDialogMessage(wxWindow* dialog, const wxString& text, const wxString& caption);
