#pragma once
// Opens the program's help book at a context number (a Help button's own id, or a command's).
void ShowHelpContext(int contextId);

// The help book's contents page (Help > Help Topics).
void ShowHelpContents();

// Closes the help window and releases the help book; called once when the program ends.
void CloseHelp();
