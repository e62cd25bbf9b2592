#include "desktop/MainMenu.h"

#include <wx/utils.h>

#include <map>
#include <set>

#include "desktop/ActionCommands.h"
#include "desktop/ToolbarArt.h"
#include "desktop/ViewCommands.h"
#include "diary/DiaryConstants.h"

namespace {

const std::map<int, const char*>& CommandStrings() {
    static const std::map<int, const char*> strings = {
        {wxID_NEW, "Create a new document\nNew"},
        {wxID_OPEN, "Open an existing document\nOpen"},
        {wxID_SAVE, "Save the active document\nSave"},
        {wxID_SAVEAS, "Save the active document with a new name\nSave As"},
        {frame_command::ExportData,
         "Write the diary as a CSV table or as JSON, as gastrolog-cli export does\nExport"},
        {frame_command::ExportReport,
         "Write a PDF report of the diary to take to your doctor\nExport Report"},
        {frame_command::RestoreBackup,
         "Open a daily copy of a diary, kept before the first save of a day, as a new diary\n"
         "Restore from Backup"},
        {frame_command::ViewCharts,
         "Show the symptoms over time and what was eaten as charts\nCharts"},
        {wxID_PRINT, "Print the active document\nPrint"},
        {wxID_PREVIEW, "Display full pages\nPrint Preview"},
        {wxID_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
        {wxID_FILE1, "Open this document"},
        {frame_command::Exit, "Quit the application; prompts to save documents\nExit"},
        {command::ViewToolbar, "Show or hide the toolbar\nToggle ToolBar"},
        {command::ViewStatusBar, "Show or hide the status bar\nToggle StatusBar"},
        {frame_command::SplitRows, "Split the window into two rows of panes\nSplit horizontally"},
        {frame_command::SplitColumns,
         "Split the window into two columns of panes\nSplit vertically"},
        {frame_command::Unsplit, "Show the first pane alone\nUnsplit"},
        {command::ChangeOptions, "Change options "},
        {wxID_HELP_CONTENTS, "List Help topics\nHelp Topics"},
        {wxID_ABOUT, "Display program information, version number and copyright\nAbout"},
        {wxID_CONTEXT_HELP, "Display help for clicked on buttons, menus and windows\nHelp"},
    };
    return strings;
}

void Append(wxMenu* menu, int id, const wxString& text, wxItemKind kind = wxITEM_NORMAL) {
    menu->Append(WidgetId(id), text, StatusPrompt(id), kind);
}

wxMenu* CreateFileMenu() {
    auto* menu = new wxMenu;
    Append(menu, wxID_NEW, "&New\tCtrl+N");
    Append(menu, wxID_OPEN, "&Open...\tCtrl+O");
    Append(menu, wxID_SAVE, "&Save\tCtrl+S");
    Append(menu, wxID_SAVEAS, "Save &As...");
    Append(menu, frame_command::ExportData, "&Export...");
    Append(menu, frame_command::ExportReport, "Export &Report...");
    Append(menu, frame_command::RestoreBackup, "Restore from &Backup...");
    menu->AppendSeparator();
    Append(menu, wxID_PRINT, "&Print...\tCtrl+P");
    Append(menu, wxID_PREVIEW, "Print Pre&view");
    Append(menu, wxID_PRINT_SETUP, "P&rint Setup...");
    menu->AppendSeparator();
    // The place of the recent-file list; the main window fills it in.
    Append(menu, wxID_FILE1, "Recent File");
    menu->Enable(wxID_FILE1, false);
    menu->AppendSeparator();
    Append(menu, frame_command::Exit, "E&xit");
    return menu;
}

wxMenu* CreateViewMenu() {
    auto* menu = new wxMenu;
    for (const ViewCommand& view : ViewCommands())
        Append(menu, view.id, view.menuText, wxITEM_CHECK);
    Append(menu, frame_command::ViewCharts, "&Charts");
    menu->AppendSeparator();
    Append(menu, command::ViewToolbar, "&Toolbar", wxITEM_CHECK);
    Append(menu, command::ViewStatusBar, "&Status Bar", wxITEM_CHECK);
    menu->AppendSeparator();
    Append(menu, frame_command::SplitRows, "Split Hori&zontally");
    Append(menu, frame_command::SplitColumns, "Split &Vertically");
    Append(menu, frame_command::Unsplit, "U&nsplit");
    return menu;
}

wxMenu* CreateActionMenu() {
    auto* menu = new wxMenu;
    for (const ActionCommand& action : ActionCommands()) {
        if (action.startsMenuGroup) menu->AppendSeparator();
        Append(menu, action.id, action.menuText);
    }
    menu->AppendSeparator();
    Append(menu, command::ChangeOptions, "Change &Options");
    return menu;
}

wxMenu* CreateHelpMenu() {
    auto* menu = new wxMenu;
    Append(menu, wxID_HELP_CONTENTS, "&Help Topics");
    Append(menu, command::TipOfTheDay, "&Tip of the Day");
    menu->AppendSeparator();
    Append(menu, wxID_ABOUT, "&About Gastrolog...");
    return menu;
}

ToolbarImage ImageFor(int id) {
    if (const ActionCommand* action = FindActionCommand(id)) return action->toolbarImage;
    if (const ViewCommand* view = FindViewCommand(id)) return view->toolbarImage;
    static const std::map<int, ToolbarImage> images = {
        {wxID_NEW, ToolbarImage::New},
        {wxID_OPEN, ToolbarImage::Open},
        {wxID_SAVE, ToolbarImage::Save},
        {frame_command::ViewCharts, ToolbarImage::Charts},
        {wxID_PRINT, ToolbarImage::Print},
        {wxID_ABOUT, ToolbarImage::About},
        {wxID_CONTEXT_HELP, ToolbarImage::ContextHelp},
    };
    return images.at(id);
}

}  // namespace

int CommandForWidgetId(int widgetId) {
    static const std::set<int> shiftedCommands = {
        command::ChangeOptions,      command::TipOfTheDay,         command::ViewToolbar,
        command::ViewStatusBar,      frame_command::Exit,          frame_command::NextPane,
        frame_command::PreviousPane, frame_command::SplitRows,     frame_command::SplitColumns,
        frame_command::Unsplit,      frame_command::ExportData,    frame_command::ExportReport,
        frame_command::ViewCharts,   frame_command::RestoreBackup,
    };
    if (widgetId < 0 || widgetId >= WidgetIdOffset) return 0;
    const int commandId = widgetId + WidgetIdOffset;
    return FindActionCommand(commandId) || FindViewCommand(commandId) ||
                   shiftedCommands.count(commandId)
               ? commandId
               : 0;
}

wxString CommandString(int id) {
    if (const ActionCommand* action = FindActionCommand(id)) return action->commandString;
    if (const ViewCommand* view = FindViewCommand(id)) return view->commandString;
    const auto& strings = CommandStrings();
    const auto found = strings.find(id);
    return found == strings.end() ? wxString() : wxString(found->second);
}

wxString StatusPrompt(int id) {
    return CommandString(id).BeforeFirst('\n');
}

wxString ToolTipText(int id) {
    return CommandString(id).AfterFirst('\n');
}

int HelpContextForCommand(int id) {
    // Each Action command has a help topic of its own number.
    if (FindActionCommand(id)) return id;
    switch (id) {
        case command::TipOfTheDay:
            return id;
        case command::ChangeOptions:
            return 1062;  // the options dialog's topic
        case wxID_NEW:
        case wxID_OPEN:
        case wxID_SAVE:
        case wxID_SAVEAS:
        case wxID_PRINT:
        case wxID_PREVIEW:
        case wxID_PRINT_SETUP:
            return help_context::FileMenu;
        case frame_command::ViewCharts:
            return help_context::ViewMenu;
        default:
            return FindViewCommand(id) ? help_context::ViewMenu : help_context::MainWindow;
    }
}

wxMenuBar* CreateMainMenuBar() {
    auto* bar = new wxMenuBar;
    bar->Append(CreateFileMenu(), "&File");
    bar->Append(CreateViewMenu(), "&View");
    bar->Append(CreateActionMenu(), "&Action");
    bar->Append(CreateHelpMenu(), "&Help");
    return bar;
}

const std::vector<int>& ToolBarCommands() {
    static const std::vector<int> commands = [] {
        std::vector<int> ids = {
            wxID_NEW,
            wxID_OPEN,
            wxID_SAVE,
            0,
            command::Today,
            command::UpdateSymptoms,
            command::CreateDayList,
            command::UpdateConnections,
            command::GenerateTomorrowsLists,
            0,
        };
        for (const ViewCommand& view : ViewCommands()) ids.push_back(view.id);
        ids.insert(ids.end(), {
                                  frame_command::ViewCharts,
                                  0,
                                  command::GenerateCurrentLists,
                                  command::RelateFoodsToSymptoms,
                                  command::ShowEvidence,
                                  0,
                                  wxID_PRINT,
                                  wxID_ABOUT,
                                  wxID_CONTEXT_HELP,
                              });
        return ids;
    }();
    return commands;
}

void AddToolBarTools(wxToolBar* toolBar) {
    const int size = toolBar->FromDIP(ToolbarImageSize);
    toolBar->SetToolBitmapSize(wxSize(size, size));
    for (int id : ToolBarCommands()) {
        if (id == 0) {
            toolBar->AddSeparator();
            continue;
        }
        const wxItemKind kind = FindViewCommand(id) ? wxITEM_CHECK : wxITEM_NORMAL;
        toolBar->AddTool(WidgetId(id), ToolTipText(id), DrawToolbarImage(ImageFor(id), size),
                         wxNullBitmap, kind, ToolTipText(id), StatusPrompt(id));
    }
    toolBar->Realize();
}

std::vector<wxAcceleratorEntry> MainAccelerators() {
    return {
        {wxACCEL_CTRL, 'N', wxID_NEW},
        {wxACCEL_CTRL, 'O', wxID_OPEN},
        {wxACCEL_CTRL, 'S', wxID_SAVE},
        {wxACCEL_CTRL, 'P', wxID_PRINT},
        {wxACCEL_CTRL, 'Z', wxID_UNDO},
        {wxACCEL_ALT, WXK_BACK, wxID_UNDO},
        {wxACCEL_CTRL, 'X', wxID_CUT},
        {wxACCEL_SHIFT, WXK_DELETE, wxID_CUT},
        {wxACCEL_CTRL, 'C', wxID_COPY},
        {wxACCEL_CTRL, WXK_INSERT, wxID_COPY},
        {wxACCEL_CTRL, 'V', wxID_PASTE},
        {wxACCEL_SHIFT, WXK_INSERT, wxID_PASTE},
        {wxACCEL_NORMAL, WXK_F6, WidgetId(frame_command::NextPane)},
        {wxACCEL_SHIFT, WXK_F6, WidgetId(frame_command::PreviousPane)},
        {wxACCEL_NORMAL, WXK_F1, wxID_HELP},
        {wxACCEL_SHIFT, WXK_F1, wxID_CONTEXT_HELP},
    };
}

wxString RecentFileLabel(int number, const wxString& path) {
    wxString shown = path;
    const wxString home = wxGetHomeDir();
    if (!home.empty() && home != "/" && shown.StartsWith(home + "/"))
        shown = "~" + shown.Mid(home.length());
    // "&" marks a mnemonic in a menu item; a file name's own "&" must show as itself.
    shown.Replace("&", "&&");
    return wxString::Format("&%d %s", number, shown);
}
