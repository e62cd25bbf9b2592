#pragma once
// The main window's menus, toolbar buttons and accelerator keys, with the status bar prompt
// and tooltip of every command.

#include <wx/accel.h>
#include <wx/menu.h>
#include <wx/string.h>
#include <wx/toolbar.h>

#include <vector>

// Ids of the frame's own commands. The framework's standard commands use wx's stock ids;
// Exit keeps its old number because GTK would give the stock Exit the key Ctrl+Q.
namespace frame_command {
inline constexpr int Exit = 57665;
inline constexpr int NextPane = 57680;
inline constexpr int PreviousPane = 57681;
inline constexpr int SplitRows = 32901;
inline constexpr int SplitColumns = 32902;
inline constexpr int Unsplit = 32903;
inline constexpr int ExportData = 32950;
inline constexpr int ExportReport = 32951;
inline constexpr int ViewCharts = 32952;
inline constexpr int RestoreBackup = 32953;
inline constexpr int ToolBarId = 128;
}  // namespace frame_command

// wx takes menu ids below 0x7FFF only, and the commands' numbers are 0x8000 and above. The
// menus, the toolbar and the keys therefore carry each such command's number less 0x8000, and
// the main window hands every command on under its own number, so the handlers everywhere
// (document, views, main window) use the numbers the commands have always had.
inline constexpr int WidgetIdOffset = 0x8000;
constexpr int WidgetId(int commandId) {
    return commandId >= WidgetIdOffset ? commandId - WidgetIdOffset : commandId;
}
// The command a menu item, tool or key with this id stands for, or 0 for an id that is its
// own command (wx's stock ids).
int CommandForWidgetId(int widgetId);

// Help contexts of the help book's topics that are not a dialog's.
namespace help_context {
inline constexpr int MainWindow = 128;
inline constexpr int FileMenu = 57600;
inline constexpr int ViewMenu = 32798;
inline constexpr int TipOfTheDay = 32808;
}  // namespace help_context

// The command's string as the resources hold it: the status bar prompt, a line break, the
// tooltip. Empty for a command that has none.
wxString CommandString(int id);
// The part before the line break.
wxString StatusPrompt(int id);
// The part after the line break (empty when there is none).
wxString ToolTipText(int id);

// The help topic for a command clicked in context help mode.
int HelpContextForCommand(int id);

wxMenuBar* CreateMainMenuBar();

// The 22 toolbar entries (separators included), in order; 0 stands for a separator.
const std::vector<int>& ToolBarCommands();
void AddToolBarTools(wxToolBar* toolBar);

std::vector<wxAcceleratorEntry> MainAccelerators();

// The text of the recent-file item number (from 1) for a path.
wxString RecentFileLabel(int number, const wxString& path);
