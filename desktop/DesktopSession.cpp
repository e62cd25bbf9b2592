#include "desktop/DesktopSession.h"

#include <wx/confbase.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include "desktop/DiaryDocument.h"
#include "desktop/GastrologDocManager.h"
#include "desktop/GastrologDocTemplate.h"
#include "desktop/MainFrame.h"
#include "desktop/PagePrintout.h"
#include "desktop/SpoolerPrint.h"
#include "desktop/WindowPlacement.h"
#include "desktop/dialogs/TipOfTheDayDlg.h"

DesktopSession::DesktopSession(SettingsStore& settings)
    : m_settings(settings), m_manager(new CGastrologDocManager) {}

DesktopSession::~DesktopSession() {
    // Closing the window closes the diary the way the user's closing does.
    if (m_frame) m_frame->Close(true);
    delete m_manager;
}

DiaryDocument* DesktopSession::Document() const {
    return dynamic_cast<DiaryDocument*>(m_manager->GetDiary());
}

DesktopSession::Outcome DesktopSession::Start(const DesktopCommandLine& commandLine) {
    using Action = DesktopCommandLine::Action;
    if (commandLine.action == Action::Invalid) {
        ReportProblem(commandLine.problem);
        return Outcome::Failed;
    }
    // main() answers these before the toolkit starts.
    if (commandLine.action == Action::ShowVersion || commandLine.action == Action::ShowHelp)
        return Outcome::Finished;
    if (commandLine.action == Action::UnknownSwitch) return Outcome::Failed;
    if (commandLine.action == Action::RemoveSettings)
        return RemoveSettings() ? Outcome::Finished : Outcome::Failed;

    m_frame = new CMainFrame(m_manager, m_settings);
    new CGastrologDocTemplate(m_manager, m_frame.get());  // owned by the manager
    m_manager->LoadRecentFiles(*wxConfigBase::Get());

    const bool printing =
        commandLine.action == Action::PrintDiary || commandLine.action == Action::PrintTo;
    // A diary being printed is never shown.
    if (!printing) {
        m_frame->Show();
        // The questions of opening and the Tip of the Day are centred on, and kept above, it.
        WaitUntilOnScreen(*m_frame);
    }
    if (!m_manager->CreateDocument(wxString(), wxDOC_NEW)) return Outcome::Failed;
    // The page shows the sections the user switched on last time.
    Document()->Core().LoadSectionSwitches();
    Document()->UpdateAllViews();
    if (commandLine.action == Action::NewDiary) return Outcome::Running;
    if (!printing) return OpenDiary(commandLine.file) ? Outcome::Running : Outcome::Failed;
    // Printing prints what is stored: it starts no day and asks nothing.
    if (!Document()->OpenToPrint(AbsolutePath(commandLine.file))) return Outcome::Failed;
    return PrintDiary(commandLine.printer) ? Outcome::Finished : Outcome::Failed;
}

wxString DesktopSession::AbsolutePath(const wxString& path) {
    wxFileName name(path);
    name.MakeAbsolute();
    return name.GetFullPath();
}

bool DesktopSession::OpenDiary(const wxString& path) {
    return m_manager->CreateDocument(AbsolutePath(path), wxDOC_SILENT) != nullptr;
}

bool DesktopSession::PrintDiary(const wxString& printer) {
    const DiaryDocument* document = Document();
    const CGastrologDoc& diary = document->Core();
    const wxString title = document->GetUserReadableName();
    const Result printed = m_printFile.empty() ? PrintThroughSpooler(diary, title, printer)
                                               : PrintToPostScriptFile(diary, diary.GetLineCount(),
                                                                       m_printFile, title);
    if (!printed.IsOk()) ReportProblem(wxString::FromUTF8(printed.Message()));
    return printed.IsOk();
}

bool DesktopSession::RemoveSettings() {
    wxConfigBase* config = wxConfigBase::Get();
    const bool removed = config && config->DeleteAll();
    wxMessageBox(removed ? "System registry entries have been removed and the INI file (if any) "
                           "was deleted."
                         : "Not all of the system registry entries (or INI file) were removed.",
                 "Gastrolog", wxOK | wxICON_INFORMATION);
    return removed;
}

void DesktopSession::OfferTipAtStartup() {
    CTipOfTheDayDlg tip(m_frame.get(), m_settings);
    if (tip.m_showAtStartup) tip.ShowModal();
}

void DesktopSession::ReportProblem(const wxString& text) {
    wxMessageBox(text, "Gastrolog", wxOK | wxICON_ERROR, m_frame.get());
}
