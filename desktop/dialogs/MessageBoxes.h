#pragma once
// The two kinds of message box the dialogs show: the application's own (caption "Gastrolog",
// the exclamation icon unless another kind is given) and a dialog's own refusal of what was
// typed (a caption naming the action, the warning icon).

#include <wx/window.h>

// Returns wxOK or wxCANCEL, as wxMessageBox does.
int ShowApplicationMessage(wxWindow* parent, const wxString& text, long buttons = wxOK,
                           long icon = wxICON_EXCLAMATION);

void ShowDialogMessage(wxWindow* dialog, const wxString& text, const wxString& caption);
