#pragma once
// Context help (Shift+F1): the cursor turns into a question mark and the status bar asks the
// user to pick something. The next command chosen (a menu item, a toolbar button, a key) is
// not carried out: its help topic is shown instead. A click elsewhere in the window shows the
// main window's topic; Esc leaves the mode without help.

#include <wx/eventfilter.h>
#include <wx/gdicmn.h>

#include <functional>
#include <utility>

class ContextHelpMode : public wxEventFilter {
public:
    using ShowTopic = std::function<void(int context)>;
    using ModeChanged = std::function<void(bool active)>;
    // Whether a click at this screen point is meant for a command (toolbar, menu bar).
    using IsCommandArea = std::function<bool(const wxPoint& screenPoint)>;
    // The command of the toolbar button at this screen point, or 0.
    using ToolFinder = std::function<int(const wxPoint& screenPoint)>;

    ContextHelpMode(ShowTopic showTopic, ModeChanged modeChanged, IsCommandArea isCommandArea);
    ~ContextHelpMode() override;
    ContextHelpMode(const ContextHelpMode&) = delete;
    ContextHelpMode& operator=(const ContextHelpMode&) = delete;

    // A click on a toolbar button then shows the button's topic even while the button is
    // disabled (a disabled button sends no command).
    void SetToolFinder(ToolFinder findTool) { m_findTool = std::move(findTool); }

    void Begin();
    void End();
    bool IsActive() const { return m_active; }

    // A command chosen while the mode is active: shows its topic and ends the mode. Returns
    // true when the command was taken (it must then not be carried out).
    bool TakeCommand(int commandId);

    int FilterEvent(wxEvent& event) override;

private:
    ShowTopic m_showTopic;
    ModeChanged m_modeChanged;
    IsCommandArea m_isCommandArea;
    ToolFinder m_findTool;
    bool m_active = false;
};
