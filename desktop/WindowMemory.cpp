#include "desktop/WindowMemory.h"

#include <wx/display.h>

#include "desktop/PaneSplitter.h"

namespace {

constexpr std::string_view Section = "Window";
constexpr int Absent = -1;

int Read(const SettingsStore& settings, std::string_view name) {
    return settings.GetInt(Section, name, Absent);
}

// A window the user can reach: a useful size, and its top left corner on a screen.
bool IsReachable(const wxRect& rect) {
    return rect.width >= 200 && rect.height >= 150 &&
           wxDisplay::GetFromPoint(rect.GetTopLeft() + wxPoint(20, 20)) != wxNOT_FOUND;
}

}  // namespace

void RestoreWindowPlacement(wxFrame& frame, const SettingsStore& settings) {
    const wxRect stored(Read(settings, "Left"), Read(settings, "Top"), Read(settings, "Width"),
                        Read(settings, "Height"));
    if (IsReachable(stored)) frame.SetSize(stored);
    if (Read(settings, "Maximized") == 1) frame.Maximize();
}

void SaveWindowPlacement(const wxFrame& frame, SettingsStore& settings) {
    const bool maximized = frame.IsMaximized();
    settings.WriteInt(Section, "Maximized", maximized ? 1 : 0);
    // A maximised window keeps the place it will return to.
    if (maximized || frame.IsIconized()) return;
    const wxRect rect = frame.GetRect();
    settings.WriteInt(Section, "Left", rect.x);
    settings.WriteInt(Section, "Top", rect.y);
    settings.WriteInt(Section, "Width", rect.width);
    settings.WriteInt(Section, "Height", rect.height);
}

void RestorePaneSplit(CPaneSplitter& panes, const SettingsStore& settings) {
    if (Read(settings, "Rows") == 2 && panes.SplitRows())
        panes.SetRowSash(Read(settings, "RowSash"));
    if (Read(settings, "Columns") == 2 && panes.SplitColumns())
        panes.SetColumnSash(Read(settings, "ColumnSash"));
}

void SavePaneSplit(const CPaneSplitter& panes, SettingsStore& settings) {
    settings.WriteInt(Section, "Rows", panes.GetRowCount());
    settings.WriteInt(Section, "Columns", panes.GetColumnCount());
    settings.WriteInt(Section, "RowSash", panes.GetRowSash());
    settings.WriteInt(Section, "ColumnSash", panes.GetColumnSash());
}
