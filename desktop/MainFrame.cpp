#include "desktop/MainFrame.h"

#include <wx/confbase.h>
#include <wx/filehistory.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include <algorithm>

#include "desktop/AboutBox.h"
#include "desktop/ChartsWindow.h"
#include "desktop/DiaryDocument.h"
#include "desktop/ExportCommands.h"
#include "desktop/GastrologDocManager.h"
#include "desktop/GastrologView.h"
#include "desktop/MainMenu.h"
#include "desktop/RestoreCommand.h"
#include "desktop/ToolbarArt.h"
#include "desktop/ToolbarHitTest.h"
#include "desktop/WindowMemory.h"
#include "desktop/WindowPlacement.h"
#include "desktop/dialogs/HelpContext.h"
#include "desktop/dialogs/OptionsDlg.h"
#include "desktop/dialogs/TipOfTheDayDlg.h"
#include "diary/DiaryConstants.h"

namespace {

const int KeyStateInterval = 250;  // milliseconds

}  // namespace

CMainFrame::CMainFrame(CGastrologDocManager* manager, SettingsStore& settings)
    : wxDocParentFrame(manager, nullptr, wxID_ANY, "Gastrolog", wxDefaultPosition, wxDefaultSize),
      m_manager(manager),
      m_settings(settings),
      m_keyStateTimer(this) {
    SetIcons(DrawMainIcons());
    SetMenuBar(CreateMainMenuBar());
    CreateToolBarAndStatusBar();
    // Wide enough at first for every toolbar button to show.
    SetSize(std::max(FromDIP(880), GetToolBar()->GetBestSize().x + FromDIP(16)), FromDIP(680));
    CentreOnScreen();
    RestoreWindowPlacement(*this, m_settings);
    m_panes = new CPaneSplitter(
        this, [this](wxWindow* parent) { return MakePane(parent); },
        [this](CPaneSplitter::Pane& pane) { ReleasePane(pane); });

    const std::vector<wxAcceleratorEntry> accelerators = MainAccelerators();
    SetAcceleratorTable(
        wxAcceleratorTable(static_cast<int>(accelerators.size()), accelerators.data()));

    m_contextHelp = std::make_unique<ContextHelpMode>(
        [](int context) { ShowHelpContext(context); },
        [this](bool active) {
            SetStatusText(active ? ContextHelpText : IdleText, MessageField);
            if (GetToolBar()) GetToolBar()->UpdateWindowUI();
        },
        [this](const wxPoint& point) { return IsCommandArea(point); });
    m_contextHelp->SetToolFinder([this](const wxPoint& point) { return CommandOfToolAt(point); });

    m_manager->SetRecentFilesListener([this] {
        RefreshRecentFiles();
        if (wxConfigBase* config = wxConfigBase::Get(false)) m_manager->SaveRecentFiles(*config);
    });
    RefreshRecentFiles();

    Bind(wxEVT_TIMER, &CMainFrame::OnKeyStateTimer, this, m_keyStateTimer.GetId());
    m_keyStateTimer.Start(KeyStateInterval);
    UpdateKeyIndicators();
}

// The document manager may already be gone here; the window let go of it when it closed.
CMainFrame::~CMainFrame() {
    m_keyStateTimer.Stop();
    m_contextHelp.reset();
}

void CMainFrame::CreateToolBarAndStatusBar() {
    wxToolBar* toolBar =
        CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT | wxBORDER_NONE, frame_command::ToolBarId);
    AddToolBarTools(toolBar);

    wxStatusBar* statusBar =
        CreateStatusBar(FieldCount, wxSTB_DEFAULT_STYLE, WidgetId(command::ViewStatusBar));
    // Each indicator is as wide as its text needs.
    const int padding = FromDIP(16);
    const int widths[FieldCount] = {-1, statusBar->GetTextExtent("CAP").x + padding,
                                    statusBar->GetTextExtent("NUM").x + padding,
                                    statusBar->GetTextExtent("SCRL").x + padding};
    SetStatusWidths(FieldCount, widths);
    SetStatusText(IdleText, MessageField);
}

// ---- command ids

bool CMainFrame::TryBefore(wxEvent& event) {
    const int shiftedCommand = CommandForWidgetId(event.GetId());
    // In context help mode the command chosen shows its help instead of being carried out.
    if (event.GetEventType() == wxEVT_MENU && m_contextHelp && m_contextHelp->IsActive())
        return m_contextHelp->TakeCommand(shiftedCommand ? shiftedCommand : event.GetId());
    // While a topic is being chosen every toolbar button takes a click, so a disabled one shows
    // its topic too: GTK passes a click on a disabled button to no one.
    if (event.GetEventType() == wxEVT_UPDATE_UI && m_contextHelp && m_contextHelp->IsActive() &&
        GetToolBar() && event.GetEventObject() == GetToolBar()) {
        static_cast<wxUpdateUIEvent&>(event).Enable(true);
        return true;
    }
    if (const int commandId = shiftedCommand) {
        if (event.GetEventType() == wxEVT_MENU)
            return ProcessAsCommand(static_cast<wxCommandEvent&>(event), commandId);
        if (event.GetEventType() == wxEVT_UPDATE_UI)
            return UpdateAsCommand(static_cast<wxUpdateUIEvent&>(event), commandId);
    }
    return wxDocParentFrame::TryBefore(event);
}

bool CMainFrame::ProcessAsCommand(wxCommandEvent& event, int commandId) {
    wxCommandEvent command(event);
    command.SetId(commandId);
    return ProcessWindowEvent(command);
}

bool CMainFrame::UpdateAsCommand(wxUpdateUIEvent& event, int commandId) {
    wxUpdateUIEvent update(commandId);
    update.SetEventObject(event.GetEventObject());
    const bool handled = ProcessWindowEvent(update);
    if (update.GetSetEnabled()) event.Enable(update.GetEnabled());
    if (update.GetSetChecked()) event.Check(update.GetChecked());
    if (update.GetSetText()) event.SetText(update.GetText());
    if (update.GetSetShown()) event.Show(update.GetShown());
    return handled;
}

// ---- panes

void CMainFrame::AttachFirstView(wxView* view) {
    view->SetFrame(this);
    auto* pageView = static_cast<CGastrologView*>(view);
    m_panes->SetFirstPane({view, pageView->CreateCanvas(m_panes->FirstRow())});
    RestorePaneSplit(*m_panes, m_settings);
}

CPaneSplitter::Pane CMainFrame::MakePane(wxWindow* parent) {
    wxDocument* document = m_manager->GetDiary();
    if (!document || !document->GetDocumentTemplate()) return {};
    wxView* view = document->GetDocumentTemplate()->CreateView(document, 0);
    if (!view) return {};
    view->SetFrame(this);
    wxWindow* canvas = static_cast<CGastrologView*>(view)->CreateCanvas(parent);
    return {view, canvas};
}

void CMainFrame::ReleasePane(CPaneSplitter::Pane& pane) {
    wxWeakRef<wxWindow> window = pane.window;
    delete pane.view;
    pane.view = nullptr;
    if (window) window->Destroy();
}

void CMainFrame::OnNextPane(wxCommandEvent&) {
    m_panes->FocusNextPane(1);
}

void CMainFrame::OnPreviousPane(wxCommandEvent&) {
    m_panes->FocusNextPane(-1);
}

void CMainFrame::OnSplitRows(wxCommandEvent&) {
    m_panes->SplitRows();
}

void CMainFrame::OnSplitColumns(wxCommandEvent&) {
    m_panes->SplitColumns();
}

void CMainFrame::OnUnsplit(wxCommandEvent&) {
    m_panes->UnsplitAll();
}

void CMainFrame::OnUpdateSplitRows(wxUpdateUIEvent& event) {
    event.Enable(HasFirstPane() && m_panes->GetRowCount() < CPaneSplitter::MaximumRows);
}

void CMainFrame::OnUpdateSplitColumns(wxUpdateUIEvent& event) {
    event.Enable(HasFirstPane() && m_panes->GetColumnCount() < CPaneSplitter::MaximumColumns);
}

void CMainFrame::OnUpdateUnsplit(wxUpdateUIEvent& event) {
    event.Enable(m_panes->GetRowCount() > 1 || m_panes->GetColumnCount() > 1);
}

void CMainFrame::OnChildFocus(wxChildFocusEvent& event) {
    // The pane with the focus holds the view that prints and previews.
    if (const CPaneSplitter::Pane* pane = m_panes->FindPane(event.GetWindow()))
        if (pane->view) pane->view->Activate(true);
    event.Skip();
}

// ---- toolbar and status bar

void CMainFrame::OnViewToolbar(wxCommandEvent&) {
    if (wxToolBar* toolBar = GetToolBar()) {
        toolBar->Show(!toolBar->IsShown());
        SendSizeEvent();
    }
}

void CMainFrame::OnUpdateViewToolbar(wxUpdateUIEvent& event) {
    event.Check(GetToolBar() && GetToolBar()->IsShown());
}

void CMainFrame::OnViewStatusBar(wxCommandEvent&) {
    if (wxStatusBar* statusBar = GetStatusBar()) {
        statusBar->Show(!statusBar->IsShown());
        SendSizeEvent();
    }
}

void CMainFrame::OnUpdateViewStatusBar(wxUpdateUIEvent& event) {
    event.Check(GetStatusBar() && GetStatusBar()->IsShown());
}

void CMainFrame::UpdateKeyIndicators() {
    wxStatusBar* statusBar = GetStatusBar();
    if (!statusBar) return;
    const struct {
        StatusField field;
        wxKeyCode key;
        const char* text;
    } indicators[] = {{CapsField, WXK_CAPITAL, "CAP"},
                      {NumField, WXK_NUMLOCK, "NUM"},
                      {ScrollField, WXK_SCROLL, "SCRL"}};
    for (const auto& indicator : indicators) {
        const wxString text = wxGetKeyState(indicator.key) ? indicator.text : "";
        if (statusBar->GetStatusText(indicator.field) != text)
            statusBar->SetStatusText(text, indicator.field);
    }
}

void CMainFrame::OnKeyStateTimer(wxTimerEvent&) {
    UpdateKeyIndicators();
}

// ---- recent files

void CMainFrame::RefreshRecentFiles() {
    wxMenuBar* menuBar = GetMenuBar();
    wxMenu* fileMenu = menuBar ? menuBar->GetMenu(0) : nullptr;
    if (!fileMenu) return;
    const wxFileHistory* history = m_manager->GetFileHistory();
    for (int number = 0; number < CGastrologDocManager::RecentFileCount; ++number)
        if (fileMenu->FindChildItem(wxID_FILE1 + number)) fileMenu->Delete(wxID_FILE1 + number);

    // The list sits between the two separators after Print Setup.
    size_t position = 0;
    fileMenu->FindChildItem(wxID_PRINT_SETUP, &position);
    position += 2;
    const size_t count = history ? history->GetCount() : 0;
    if (count == 0) {
        fileMenu->Insert(position, wxID_FILE1, "Recent File", StatusPrompt(wxID_FILE1));
        fileMenu->Enable(wxID_FILE1, false);
    }
    for (size_t index = 0; index < count; ++index)
        fileMenu->Insert(
            position + index, wxID_FILE1 + static_cast<int>(index),
            RecentFileLabel(static_cast<int>(index) + 1, history->GetHistoryFile(index)),
            StatusPrompt(wxID_FILE1));
}

// ---- export

void CMainFrame::OnExport(wxCommandEvent& event) {
    auto* document = dynamic_cast<DiaryDocument*>(m_manager->GetCurrentDocument());
    if (!document) return;
    const wxString name = document->GetUserReadableName();
    if (event.GetId() == frame_command::ExportData)
        ExportDiaryData(this, document->Core(), name);
    else
        ExportReport(this, document->Core(), name,
                     m_manager->GetPageSetupDialogData().GetPrintData());
}

void CMainFrame::OnRestoreBackup(wxCommandEvent&) {
    if (auto* document = dynamic_cast<DiaryDocument*>(m_manager->GetCurrentDocument()))
        RestoreFromBackup(this, *document);
}

void CMainFrame::OnViewCharts(wxCommandEvent&) {
    // One Charts window: asking again brings it to the front.
    for (wxWindow* child : GetChildren())
        if (auto* open = dynamic_cast<ChartsWindow*>(child)) {
            open->Raise();
            return;
        }
    CGastrologDocManager* manager = m_manager;
    auto* charts = new ChartsWindow(this, [manager]() -> const CGastrologDoc* {
        auto* document = dynamic_cast<DiaryDocument*>(manager->GetCurrentDocument());
        return document ? &document->Core() : nullptr;
    });
    // The one diary document stays for the program's life; what it holds changes.
    if (wxDocument* document = m_manager->GetCurrentDocument()) charts->FollowChangesOf(*document);
    FitAndCentreOnParent(*charts);
    charts->Show();
}

// ---- help

void CMainFrame::OnHelp(wxCommandEvent&) {
    ShowHelpContext(help_context::MainWindow);
}

void CMainFrame::OnHelpTopics(wxCommandEvent&) {
    ShowHelpContents();
}

void CMainFrame::OnContextHelp(wxCommandEvent&) {
    m_contextHelp->Begin();
}

int CMainFrame::CommandOfToolAt(const wxPoint& screenPoint) const {
    const wxToolBar* toolBar = GetToolBar();
    if (!toolBar || !toolBar->IsShown()) return 0;
    const wxPoint point = toolBar->ScreenToClient(screenPoint);
    const wxToolBarToolBase* tool = ToolAtPoint(*toolBar, point);
    if (!tool) return 0;
    const int shifted = CommandForWidgetId(tool->GetId());
    return shifted ? shifted : tool->GetId();
}

bool CMainFrame::IsCommandArea(const wxPoint& screenPoint) const {
    const wxToolBar* toolBar = GetToolBar();
    const wxMenuBar* menuBar = GetMenuBar();
    return (toolBar && toolBar->IsShown() && toolBar->GetScreenRect().Contains(screenPoint)) ||
           (menuBar && menuBar->GetScreenRect().Contains(screenPoint));
}

// ---- the application's commands

void CMainFrame::OnAbout(wxCommandEvent&) {
    CAboutBox about(this);
    about.ShowModal();
}

void CMainFrame::OnTipOfTheDay(wxCommandEvent&) {
    CTipOfTheDayDlg tip(this, m_settings);
    tip.ShowModal();
}

void CMainFrame::OnOptions(wxCommandEvent&) {
    RunOptionsCommand(this, m_settings);
    // The sort order and the day-change hour show all over the page: repaint it whole.
    for (const CPaneSplitter::Pane& pane : m_panes->GetPanes())
        if (pane.window) pane.window->Refresh(true);
}

void CMainFrame::OnUpdateAlwaysEnabled(wxUpdateUIEvent& event) {
    event.Enable(true);
}

void CMainFrame::OnExit(wxCommandEvent&) {
    Close();
}

void CMainFrame::OnCloseWindow(wxCloseEvent& event) {
    // Only reached when the document manager has closed the diary: its views are gone, so
    // the panes must not be drawn or released again.
    SaveWindowPlacement(*this, m_settings);
    SavePaneSplit(*m_panes, m_settings);
    m_panes->ForgetPanes();
    m_panes->Hide();
    m_keyStateTimer.Stop();
    m_contextHelp->End();
    if (wxConfigBase* config = wxConfigBase::Get(false)) m_manager->SaveRecentFiles(*config);
    m_manager->SetRecentFilesListener({});
    // The window is destroyed later, perhaps after the manager: from now on its events stay
    // its own.
    m_docManager = nullptr;
    CloseHelp();
    event.Skip();
}

// The event table stays as written; the formatter cannot lay out its macros.
// clang-format off
wxBEGIN_EVENT_TABLE(CMainFrame, wxDocParentFrame)
    EVT_MENU(command::ViewToolbar, CMainFrame::OnViewToolbar)
    EVT_UPDATE_UI(command::ViewToolbar, CMainFrame::OnUpdateViewToolbar)
    EVT_MENU(command::ViewStatusBar, CMainFrame::OnViewStatusBar)
    EVT_UPDATE_UI(command::ViewStatusBar, CMainFrame::OnUpdateViewStatusBar)
    EVT_MENU(frame_command::NextPane, CMainFrame::OnNextPane)
    EVT_MENU(frame_command::PreviousPane, CMainFrame::OnPreviousPane)
    EVT_MENU(frame_command::SplitRows, CMainFrame::OnSplitRows)
    EVT_MENU(frame_command::SplitColumns, CMainFrame::OnSplitColumns)
    EVT_MENU(frame_command::Unsplit, CMainFrame::OnUnsplit)
    EVT_UPDATE_UI(frame_command::SplitRows, CMainFrame::OnUpdateSplitRows)
    EVT_UPDATE_UI(frame_command::SplitColumns, CMainFrame::OnUpdateSplitColumns)
    EVT_UPDATE_UI(frame_command::Unsplit, CMainFrame::OnUpdateUnsplit)
    EVT_MENU(wxID_HELP, CMainFrame::OnHelp)
    EVT_MENU(wxID_HELP_CONTENTS, CMainFrame::OnHelpTopics)
    EVT_MENU(wxID_CONTEXT_HELP, CMainFrame::OnContextHelp)
    EVT_MENU(wxID_ABOUT, CMainFrame::OnAbout)
    EVT_MENU(command::TipOfTheDay, CMainFrame::OnTipOfTheDay)
    EVT_MENU(command::ChangeOptions, CMainFrame::OnOptions)
    EVT_UPDATE_UI(command::ChangeOptions, CMainFrame::OnUpdateAlwaysEnabled)
    EVT_MENU(frame_command::Exit, CMainFrame::OnExit)
    EVT_MENU(frame_command::ExportData, CMainFrame::OnExport)
    EVT_MENU(frame_command::ExportReport, CMainFrame::OnExport)
    EVT_MENU(frame_command::ViewCharts, CMainFrame::OnViewCharts)
    EVT_MENU(frame_command::RestoreBackup, CMainFrame::OnRestoreBackup)
    EVT_CHILD_FOCUS(CMainFrame::OnChildFocus)
    EVT_CLOSE(CMainFrame::OnCloseWindow)
wxEND_EVENT_TABLE()
