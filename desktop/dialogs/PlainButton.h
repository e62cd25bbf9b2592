#pragma once
// A push button that shows exactly the label it is given. GTK gives a button whose id is a
// stock one (OK, Cancel) the stock label with a mnemonic of its own ("_Cancel" takes Alt+C),
// which would clash with the dialog's own mnemonics; this button keeps the id, so the dialog
// still treats it as its OK or Cancel button, but not the stock label.

#include <wx/button.h>

wxButton* NewPlainButton(wxWindow* parent, wxWindowID id, const wxString& label);
