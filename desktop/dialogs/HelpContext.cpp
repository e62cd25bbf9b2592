#include "desktop/dialogs/HelpContext.h"

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpwnd.h>
#include <wx/html/htmlwin.h>
#include <wx/msgdlg.h>

#include "desktop/dialogs/ResourcePaths.h"

namespace {

const char* const HelpBookName = "help/gastrolog.hhp";

wxHtmlHelpController* g_helpController = nullptr;
bool g_bookLoaded = false;

// The controller is made on first use, so a run that never asks for help never reads the book.
// A missing book is reported each time help is asked for, and looked for again.
wxHtmlHelpController* HelpController() {
    if (g_bookLoaded) return g_helpController;
    if (!g_helpController) {
        g_helpController = new wxHtmlHelpController(wxHF_DEFAULT_STYLE, wxTheApp->GetTopWindow());
        g_helpController->SetTitleFormat("Gastrolog Help: %s");
        // Closing the help window alone never ends the program.
        g_helpController->SetShouldPreventAppExit(false);
    }
    const wxString book = wxString::FromUTF8(ResourcePath(HelpBookName));
    g_bookLoaded = wxFileName::FileExists(book) && g_helpController->AddBook(wxFileName(book));
    if (!g_bookLoaded) {
        wxMessageBox(
            "The help book cannot be found, so help is not available.\n\n"
            "It is looked for as " +
                wxString(HelpBookName) +
                " in the folder named by GASTROLOG_RES, in the program's res folder and in "
                "../share/gastrolog beside the program.",
            "Gastrolog", wxOK | wxICON_EXCLAMATION, wxTheApp->GetTopWindow());
        return nullptr;
    }
    return g_helpController;
}

// A new help window gets a size the pages read well in.
void SizeNewHelpWindow(wxHtmlHelpController& controller, bool wasOpen) {
    wxFrame* frame = controller.GetFrame();
    if (wasOpen || !frame) return;
    frame->SetSize(frame->FromDIP(wxSize(900, 700)));
    frame->CentreOnScreen();
}

}  // namespace

void ShowHelpContext(int contextId) {
    wxHtmlHelpController* controller = HelpController();
    if (!controller) return;
    const bool wasOpen = controller->GetFrame() != nullptr;
    // A context without a topic of its own still opens the book.
    if (!controller->Display(contextId)) controller->DisplayContents();
    SizeNewHelpWindow(*controller, wasOpen);
}

void ShowHelpContents() {
    wxHtmlHelpController* controller = HelpController();
    if (!controller) return;
    const bool wasOpen = controller->GetFrame() != nullptr;
    controller->DisplayContents();
    SizeNewHelpWindow(*controller, wasOpen);
}

void CloseHelp() {
    // The help window reads the controller's book until it is really gone, and a closed frame
    // goes only at the next idle time: close it and let it go before the controller does. The
    // controller must go before the main window takes the help window down with it.
    if (g_helpController && g_helpController->GetFrame()) {
        g_helpController->GetFrame()->Close(true);
        if (wxTheApp) wxTheApp->ProcessIdle();
    }
    delete g_helpController;
    g_helpController = nullptr;
    g_bookLoaded = false;
}

void BindHelpKey(wxWindow* dialog, int contextId) {
    dialog->Bind(wxEVT_CHAR_HOOK, [contextId](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_F1 && !event.HasAnyModifiers())
            ShowHelpContext(contextId);
        else
            event.Skip();
    });
}

wxString CurrentHelpPage() {
    if (!g_helpController || !g_helpController->GetFrame()) return {};
    wxHtmlHelpWindow* window = g_helpController->GetHelpWindow();
    return window && window->GetHtmlWindow() ? window->GetHtmlWindow()->GetOpenedPage()
                                             : wxString();
}
