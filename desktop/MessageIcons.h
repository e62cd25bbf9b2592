#pragma once
// Message boxes with the picture of their kind. GTK's message dialog shows no picture for its
// kind any more, so the question, warning, error and information boxes would all look alike;
// while registered, this hook gives every message box the picture its wx style names.

#include <wx/artprov.h>
#include <wx/modalhook.h>

class MessageIcons : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}
};

// The art of the message box style's icon; empty for a box without one.
wxArtID MessageIconArt(long style);
