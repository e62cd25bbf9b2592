#include "desktop/ContextHelpMode.h"

#include <wx/cursor.h>
#include <wx/event.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "desktop/MainMenu.h"

ContextHelpMode::ContextHelpMode(ShowTopic showTopic, ModeChanged modeChanged,
                                 IsCommandArea isCommandArea)
    : m_showTopic(std::move(showTopic)),
      m_modeChanged(std::move(modeChanged)),
      m_isCommandArea(std::move(isCommandArea)) {}

ContextHelpMode::~ContextHelpMode() {
    if (m_active) wxEvtHandler::RemoveFilter(this);
}

void ContextHelpMode::Begin() {
    if (m_active) return;
    m_active = true;
    wxEvtHandler::AddFilter(this);
    wxSetCursor(wxCursor(wxCURSOR_QUESTION_ARROW));
    m_modeChanged(true);
}

void ContextHelpMode::End() {
    if (!m_active) return;
    m_active = false;
    wxEvtHandler::RemoveFilter(this);
    wxSetCursor(wxNullCursor);
    m_modeChanged(false);
}

bool ContextHelpMode::TakeCommand(int commandId) {
    if (!m_active) return false;
    End();
    m_showTopic(HelpContextForCommand(commandId));
    return true;
}

int ContextHelpMode::FilterEvent(wxEvent& event) {
    if (!m_active) return Event_Skip;
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_KEY_DOWN && static_cast<wxKeyEvent&>(event).GetKeyCode() == WXK_ESCAPE) {
        End();
        return Event_Processed;
    }
    if (type != wxEVT_LEFT_DOWN && type != wxEVT_RIGHT_DOWN) return Event_Skip;
    const wxPoint point = wxGetMousePosition();
    if (const int tool = m_findTool ? m_findTool(point) : 0)
        return TakeCommand(tool) ? Event_Processed : Event_Skip;
    // Clicks on the menus become commands, which TakeCommand receives.
    if (m_isCommandArea(point)) return Event_Skip;
    End();
    m_showTopic(help_context::MainWindow);
    return Event_Processed;
}
