#include "desktop/GastrologApp.h"

#include <wx/image.h>
#include <wx/msgdlg.h>

#include "desktop/DesktopSession.h"
#include "desktop/dialogs/HelpContext.h"

CGastrologApp::CGastrologApp() = default;

CGastrologApp::~CGastrologApp() = default;

bool CGastrologApp::OnInit() {
    SetAppName("Gastrolog");
    SetAppDisplayName("Gastrolog");
    SetVendorName("Gastrolog");
    m_messageIcons.Register();
    m_dialogPlacement.Register();
    if (!ConfigSettings::InstallApplicationConfig())
        wxMessageBox("The folder for your settings cannot be created; settings will not be kept.",
                     "Gastrolog", wxOK | wxICON_EXCLAMATION);
    wxInitAllImageHandlers();

    wxArrayString arguments;
    for (int index = 1; index < argc; ++index) arguments.push_back(argv[index]);

    m_session = std::make_unique<DesktopSession>(m_settings);
    switch (m_session->Start(ParseDesktopCommandLine(arguments))) {
        case DesktopSession::Outcome::Running:
            m_session->OfferTipAtStartup();
            return true;
        case DesktopSession::Outcome::Finished:
            m_session.reset();
            m_workDone = true;
            return true;
        case DesktopSession::Outcome::Failed:
            break;
    }
    m_session.reset();
    return false;  // wx ends the program with a non-zero status
}

int CGastrologApp::OnRun() {
    return m_workDone ? 0 : wxApp::OnRun();
}

int CGastrologApp::OnExit() {
    m_session.reset();
    CloseHelp();
    return wxApp::OnExit();
}
