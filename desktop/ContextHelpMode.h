#pragma once
// Context help (Shift+F1): the cursor turns into a question mark and the status bar asks the
// user to pick something. The next command chosen (a menu item, a toolbar button, a key) is
// not carried out: its help topic is shown instead. A click elsewhere in the window shows the
// main window's topic; Esc leaves the mode without help.

#include <wx/eventfilter.h>
#include <wx/gdicmn.h>

#include <functional>

class ContextHelpMode : public wxEventFilter {
public:
    using ShowTopic = std::function<void(int context)>;
    using ModeChanged = std::function<void(bool active)>;
    // Whether a click at this screen point is meant for a command (toolbar, menu bar).
    using IsCommandArea = std::function<bool(const wxPoint& screenPoint)>;

    ContextHelpMode(ShowTopic showTopic, ModeChanged modeChanged, IsCommandArea isCommandArea);
    ~ContextHelpMode() override;
    ContextHelpMode(const ContextHelpMode&) = delete;
    ContextHelpMode& operator=(const ContextHelpMode&) = delete;

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
    bool m_active = false;
};
