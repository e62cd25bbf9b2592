#pragma once
// The desktop program's application object: names the settings store, then lets a
// DesktopSession make the main window and the diary the command line asks for.

#include <wx/app.h>

#include <memory>

#include "desktop/ConfigSettings.h"
#include "desktop/MessageIcons.h"
#include "desktop/WindowPlacement.h"

class DesktopSession;

class CGastrologApp : public wxApp {
public:
    CGastrologApp();
    ~CGastrologApp() override;

    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;

private:
    ConfigSettings m_settings;
    MessageIcons m_messageIcons;
    DialogPlacement m_dialogPlacement;
    std::unique_ptr<DesktopSession> m_session;
    bool m_workDone = false;  // the command line's work is done: no event loop
};

wxDECLARE_APP(CGastrologApp);
