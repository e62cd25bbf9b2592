#pragma once
// The file dialogs for diaries: "Gastrolog  Files (*.glg)" first, all files second.

#include <wx/string.h>
#include <wx/window.h>

// The path chosen to open, or an empty string when the dialog was cancelled.
wxString AskPathToOpen(wxWindow* parent, const wxString& folder);

// The path chosen to save to (with ".glg" added when no extension was typed), or an empty
// string when the dialog was cancelled. An existing file is only chosen after the user agreed
// to replace it.
wxString AskPathToSave(wxWindow* parent, const wxString& proposedPath);

// The path with ".glg" added when its file name has no extension.
wxString WithDiaryExtension(const wxString& path);
