#pragma once
// Where windows appear: every dialog and window on its parent's screen, centred on its parent
// and no larger than that screen's free area, so nothing opens at the screen's corner, behind
// the main window or partly off the screen.

#include <wx/modalhook.h>
#include <wx/toplevel.h>

// Shrinks the window to the free area of its parent's screen (the first screen without a
// parent), centres it on the parent (on that area without one) and keeps it inside the area.
void FitAndCentreOnParent(wxTopLevelWindow& window);

// Pumps events until the window is on the screen, for at most a second: a message box or
// dialog that names it as parent can only be centred on, and kept above, a window the window
// manager already shows.
void WaitUntilOnScreen(wxTopLevelWindow& window);

// While registered, every dialog of the program is fitted and centred on its parent as it runs
// modally. The toolkit's own dialogs (message boxes, file and print dialogs) place themselves.
class DialogPlacement : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}
};
