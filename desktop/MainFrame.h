#pragma once
// The main window: menus, toolbar, status bar (prompt, CAP, NUM, SCRL) and the panes of the
// page view. It handles the window's own commands (toolbar and status bar switches, panes,
// help) and the application's (About, Tip of the Day, Options); the document manager, the
// current view and the document get every other command first.

#include <wx/docview.h>
#include <wx/timer.h>

#include <memory>

#include "desktop/ContextHelpMode.h"
#include "desktop/PaneSplitter.h"
#include "diary/Ports.h"

class CGastrologDocManager;

class CMainFrame : public wxDocParentFrame {
public:
    static constexpr const char* IdleText = "For Help, press F1";
    static constexpr const char* ContextHelpText = "Select an object on which to get Help";
    enum StatusField { MessageField, CapsField, NumField, ScrollField, FieldCount };

    CMainFrame(CGastrologDocManager* manager, SettingsStore& settings);
    ~CMainFrame() override;

    // Puts the document's first view into the first pane.
    void AttachFirstView(wxView* view);
    bool HasFirstPane() const { return m_panes->HasFirstPane(); }
    CPaneSplitter& Panes() { return *m_panes; }

    // Rebuilds the recent-file items of the File menu.
    void RefreshRecentFiles();
    // Shows the keyboard's lock states in the status bar.
    void UpdateKeyIndicators();
    ContextHelpMode& ContextHelp() { return *m_contextHelp; }

protected:
    // Menu items, tools and keys carry shifted ids (see WidgetId); their events are handed on
    // under the commands' own numbers.
    bool TryBefore(wxEvent& event) override;

private:
    bool ProcessAsCommand(wxCommandEvent& event, int commandId);
    bool UpdateAsCommand(wxUpdateUIEvent& event, int commandId);
    bool IsCommandArea(const wxPoint& screenPoint) const;
    // The command of the toolbar button at the point, enabled or not; 0 when there is none.
    int CommandOfToolAt(const wxPoint& screenPoint) const;
    void CreateToolBarAndStatusBar();
    CPaneSplitter::Pane MakePane(wxWindow* parent);
    void ReleasePane(CPaneSplitter::Pane& pane);

    void OnViewToolbar(wxCommandEvent& event);
    void OnUpdateViewToolbar(wxUpdateUIEvent& event);
    void OnViewStatusBar(wxCommandEvent& event);
    void OnUpdateViewStatusBar(wxUpdateUIEvent& event);
    void OnNextPane(wxCommandEvent& event);
    void OnPreviousPane(wxCommandEvent& event);
    void OnSplitRows(wxCommandEvent& event);
    void OnSplitColumns(wxCommandEvent& event);
    void OnUnsplit(wxCommandEvent& event);
    void OnUpdateSplitRows(wxUpdateUIEvent& event);
    void OnUpdateSplitColumns(wxUpdateUIEvent& event);
    void OnUpdateUnsplit(wxUpdateUIEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnHelpTopics(wxCommandEvent& event);
    void OnContextHelp(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    void OnTipOfTheDay(wxCommandEvent& event);
    void OnOptions(wxCommandEvent& event);
    void OnUpdateAlwaysEnabled(wxUpdateUIEvent& event);
    void OnExit(wxCommandEvent& event);
    void OnExport(wxCommandEvent& event);
    void OnViewCharts(wxCommandEvent& event);
    void OnRestoreBackup(wxCommandEvent& event);
    void OnChildFocus(wxChildFocusEvent& event);
    void OnKeyStateTimer(wxTimerEvent& event);
    void OnCloseWindow(wxCloseEvent& event);

    CGastrologDocManager* m_manager;
    SettingsStore& m_settings;
    CPaneSplitter* m_panes = nullptr;
    std::unique_ptr<ContextHelpMode> m_contextHelp;
    wxTimer m_keyStateTimer;

    wxDECLARE_EVENT_TABLE();
};
