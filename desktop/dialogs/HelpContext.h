#pragma once

#include <wx/string.h>

class wxWindow;

// Opens the program's help book at a context number (a Help button's own id, or a command's).
void ShowHelpContext(int contextId);

// The help book's contents page (Help > Help Topics).
void ShowHelpContents();

// Closes the help window and releases the help book; called once when the program ends.
void CloseHelp();

// F1 anywhere in the dialog shows this topic, as the dialog's Help button does.
void BindHelpKey(wxWindow* dialog, int contextId);

// The page the help window shows ("page.html#part"), or an empty string when it is closed.
wxString CurrentHelpPage();
