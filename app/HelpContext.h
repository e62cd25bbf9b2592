#pragma once
// Opens the program's help book at a context number (a Help button's own id, or a command's).
void ShowHelpContext(int contextId);
