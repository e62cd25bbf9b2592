#pragma once
// One run of the desktop program: the document manager with its template, the main window and
// the diary, set up as the program starts (command line, Tip of the Day) and taken down as it
// ends. The application object holds one; the desktop tests make their own.

// clang-format off
#include <wx/window.h>  // first: wx/weakref.h needs what it brings in
#include <wx/weakref.h>
// clang-format on

#include "desktop/DesktopCommandLine.h"
#include "diary/Ports.h"

class CGastrologDocManager;
class CMainFrame;
class DiaryDocument;

class DesktopSession {
public:
    enum class Outcome {
        Running,   // the main window is open: run the event loop
        Finished,  // the command line's work is done: end with status 0
        Failed,    // the reason has been shown: end with a non-zero status
    };

    explicit DesktopSession(SettingsStore& settings);
    // Closes the main window if it is still open (offering to save a changed diary) and
    // releases the document manager.
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // Makes the diary the command line asks for: a new one, a file opened, or a file printed.
    Outcome Start(const DesktopCommandLine& commandLine);
    // Shows the Tip of the Day when the user has not switched it off; every start moves the
    // stored tip position on, shown or not.
    void OfferTipAtStartup();

    // Print requests go into this PostScript file instead of to a printer (for tests).
    void SetPrintFile(const wxString& path) { m_printFile = path; }

    CMainFrame* Frame() const { return m_frame.get(); }
    DiaryDocument* Document() const;
    CGastrologDocManager& DocumentManager() { return *m_manager; }

private:
    static wxString AbsolutePath(const wxString& path);
    bool OpenDiary(const wxString& path);
    bool PrintDiary(const wxString& printer);
    bool RemoveSettings();
    void ReportProblem(const wxString& text);

    SettingsStore& m_settings;
    CGastrologDocManager* m_manager;
    wxWeakRef<CMainFrame> m_frame;
    wxString m_printFile;
};
