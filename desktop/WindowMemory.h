#pragma once
// The main window as the user left it: its size, position, maximised state and split panes,
// kept in the settings section "Window" between runs. Without stored values, or with values
// that would put the window off every screen, the window keeps the starting size it has.

#include <wx/frame.h>

#include "diary/Ports.h"

class CPaneSplitter;

void RestoreWindowPlacement(wxFrame& frame, const SettingsStore& settings);
void SaveWindowPlacement(const wxFrame& frame, SettingsStore& settings);

// Splits the panes and sets the sashes as they were left; the first pane must be there.
void RestorePaneSplit(CPaneSplitter& panes, const SettingsStore& settings);
void SavePaneSplit(const CPaneSplitter& panes, SettingsStore& settings);
