#include "desktop/DiaryDocument.h"

#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/msgout.h>

#include "desktop/ActionCommands.h"
#include "desktop/DiaryFileDialogs.h"
#include "desktop/EvidenceWindow.h"
#include "desktop/MainFrame.h"
#include "desktop/dialogs/DiaryText.h"
#include "desktop/dialogs/TodayDlg.h"
#include "desktop/dialogs/TrainingProgressDlg.h"
#include "diary/AtomicFile.h"
#include "diary/Backups.h"
#include "diary/DiaryConstants.h"
#include "diary/ReminderUnits.h"
#include "diary/TodayEntry.h"
#include "engine/EngineCommands.h"

std::string NativePath(const wxString& path) {
    const wxCharBuffer bytes = path.fn_str();
    return bytes.data() ? std::string(bytes.data(), bytes.length()) : std::string();
}

wxString PathFromNative(const std::string& path) {
    const wxString converted(path.c_str(), *wxConvFileName);
    // A name the file system's encoding cannot read still opens under its raw bytes.
    return converted.empty() && !path.empty() ? wxString::From8BitData(path.c_str()) : converted;
}

namespace {}  // namespace

// The diary's view of its wx document.
class DiaryDocument::HostPort : public DocumentHost {
public:
    explicit HostPort(DiaryDocument& document) : m_document(document) {}

    void SetModifiedFlag(bool modified) override { m_document.Modify(modified); }
    bool IsModified() const override { return m_document.IsModified(); }
    void UpdateAllViews() override { m_document.wxDocument::UpdateAllViews(); }
    void SetPathName(const std::string& path) override {
        if (path.empty())
            m_document.ShowAsUntitled();
        else
            m_document.ShowAsFile(PathFromNative(path));
    }
    std::string GetPathName() const override { return NativePath(m_document.GetFilename()); }
    std::string GetTitle() const override { return m_document.GetTitle().utf8_string(); }

private:
    DiaryDocument& m_document;
};

wxIMPLEMENT_DYNAMIC_CLASS(DiaryDocument, wxDocument);

DiaryDocument::DiaryDocument() : m_host(std::make_unique<HostPort>(*this)) {
    SetTitle(UntitledName);
    ApplyPorts();
    m_core.SetBackupFolder(backups::DefaultRootFolder());
    BindActionCommands();
}

DiaryDocument::~DiaryDocument() = default;

void DiaryDocument::ApplyPorts(ProgressIndicator* progress) {
    DocumentPorts ports;
    ports.settings = &m_settings;
    ports.host = m_host.get();
    ports.ui = m_uiOverride ? m_uiOverride : &m_ui;
    ports.progress = progress;
    ports.files = m_files;
    m_core.SetPorts(ports);
}

void DiaryDocument::SetUserInterface(UserInterface* ui) {
    m_uiOverride = ui;
    ApplyPorts();
}

// ---- the framework's part

void DiaryDocument::ShowAsUntitled() {
    SetTitle(UntitledName);
    SetDocumentSaved(false);
    SetFilename(wxEmptyString, true);
}

void DiaryDocument::ShowAsFile(const wxString& path) {
    SetTitle(wxFileName(path).GetFullName());
    SetDocumentSaved(true);
    SetFilename(path, true);
}

void DiaryDocument::Modify(bool modified) {
    wxDocument::Modify(modified);
    RefreshFrameTitle();
}

void DiaryDocument::OnChangeFilename(bool notifyViews) {
    wxDocument::OnChangeFilename(notifyViews);
    RefreshFrameTitle();
}

// The views would show the bare document name; the window title is the manager's.
void DiaryDocument::RefreshFrameTitle() {
    const wxView* view = GetFirstView();
    wxWindow* frame = view ? view->GetFrame() : nullptr;
    if (frame && GetDocumentManager()) frame->SetLabel(GetDocumentManager()->MakeFrameTitle(this));
}

// Once per run: a folder that takes no copies would otherwise speak up at every save.
void DiaryDocument::TellBackupProblem() {
    static bool told = false;
    const std::string& problem = m_core.BackupProblem();
    if (problem.empty() || told) return;
    told = true;
    const wxString text = PathFromNative(problem);
    wxMessageOutputStderr().Printf("Gastrolog: %s\n", text);
    const wxView* view = GetFirstView();
    if (auto* frame = wxDynamicCast(view ? view->GetFrame() : nullptr, wxFrame))
        if (frame->GetStatusBar()) frame->SetStatusText(text, 0);
}

bool DiaryDocument::OnNewDocument() {
    if (!m_core.OnNewDocument()) return false;
    m_access.Release();
    ShowStatus(CMainFrame::IdleText);
    return true;
}

bool DiaryDocument::OnOpenDocument(const wxString& path) {
    const std::string native = NativePath(path);
    const std::optional<DiaryAccess::Mode> mode = m_access.AskToOpen(native, Ui());
    if (!mode || !m_core.OnOpenDocument(native)) return false;
    m_access.Hold(native, *mode);
    RefreshFrameTitle();
    ShowStatus(atomic_file::FolderTakesSave(native, Files()) ? CMainFrame::IdleText
                                                             : ReadOnlyFolderStatus);
    // The Today window follows the new-day question's Yes when the user asked for it; after the
    // opening has finished, so the main window stands.
    if (m_core.DayStartedOnOpening() &&
        m_settings.GetInt(setting::Section, reminder_units::TodayOnNewDaySetting, 0) == 1)
        CallAfter([this] { ShowToday(); });
    return true;
}

void DiaryDocument::ShowStatus(const wxString& text) {
    if (auto* frame = dynamic_cast<wxFrame*>(GetDocumentWindow()); frame && frame->GetStatusBar())
        frame->SetStatusText(text, CMainFrame::MessageField);
}

void DiaryDocument::SetFileSystem(FileSystem* files) {
    m_files = files;
    ApplyPorts();
}

bool DiaryDocument::OpenAsUntitledCopy(const wxString& path) {
    if (!m_core.OpenStoredCopy(NativePath(path))) return false;
    m_access.Release();
    RefreshFrameTitle();
    ShowStatus(CMainFrame::IdleText);
    return true;
}

bool DiaryDocument::OpenToPrint(const wxString& path) {
    if (!m_core.OpenStored(NativePath(path))) return false;
    m_access.Release();
    return true;
}

bool DiaryDocument::OnSaveDocument(const wxString& path) {
    const std::string native = NativePath(path);
    if (const Result refusal = m_access.CheckSave(native); !refusal.IsOk()) {
        Ui().ReportError(refusal.Message());
        return false;
    }
    bool overwriteChanged = false;
    bool splitHardLinks = false;
    for (;;) {
        const FileResult result = m_core.SaveDocument(native, overwriteChanged, splitHardLinks);
        if (result.Succeeded()) {
            if (!result.Message().empty()) Ui().Notify(result.Message());  // saved, with a caveat
            m_access.Hold(native, DiaryAccess::Mode::Own);
            RefreshFrameTitle();
            ShowStatus(CMainFrame::IdleText);  // its folder took the file
            TellBackupProblem();
            return true;
        }
        if (result.GetCode() == FileResult::Code::ChangedOnDisk) {
            switch (Ui().AskChoice(result.Message(), "Save &As...", "&Overwrite")) {
                case UserInterface::Choice::First:
                    return SaveAs();
                case UserInterface::Choice::Second:
                    overwriteChanged = true;
                    continue;
                default:
                    return false;
            }
        }
        if (result.GetCode() == FileResult::Code::HardLinked &&
            Ui().AskYesNo(result.Message() + "\n\nSave anyway?")) {
            splitHardLinks = true;
            continue;
        }
        // A folder that takes no files: the diary can still be kept under another name.
        if (result.GetCode() == FileResult::Code::Access)
            return Ui().AskYesNo(result.Message() + "\n\n" + SaveElsewhereQuestion) && SaveAs();
        if (result.GetCode() != FileResult::Code::HardLinked) Ui().ReportError(result.Message());
        return false;
    }
}

bool DiaryDocument::OnCloseDocument() {
    m_access.Release();
    return wxDocument::OnCloseDocument();
}

bool DiaryDocument::DeleteContents() {
    m_core.DeleteContents();
    return true;
}

// Save writes even an unchanged diary, so the user can always make sure it is on disk.
bool DiaryDocument::Save() {
    if (GetFilename().empty() || !GetDocumentSaved() || m_access.IsReadOnly()) return SaveAs();
    return OnSaveDocument(GetFilename());
}

bool DiaryDocument::SaveAs() {
    const wxString proposed =
        GetFilename().empty() ? WithDiaryExtension(GetTitle()) : GetFilename();
    const wxString path = AskPathToSave(GetDocumentWindow(), proposed);
    if (path.empty() || !OnSaveDocument(path)) return false;
    if (wxDocManager* manager = GetDocumentManager()) manager->AddFileToHistory(path);
    return true;
}

wxString DiaryDocument::SaveChangesQuestion() const {
    const wxString name = GetFilename().empty() ? GetTitle() : GetFilename();
    return "Save changes to " + name + "?";
}

bool DiaryDocument::OnSaveModified() {
    if (!IsModified()) return true;
    switch (wxMessageBox(SaveChangesQuestion(), "Gastrolog", wxYES_NO | wxCANCEL | wxICON_QUESTION,
                         GetDocumentWindow())) {
        case wxYES:
            return Save();
        case wxNO:
            // The changes are given up: closing the views must not ask a second time.
            Modify(false);
            return true;
        default:
            return false;
    }
}

// ---- the Action commands

void DiaryDocument::BindActionCommands() {
    for (const ActionCommand& command : ActionCommands()) {
        Bind(
            wxEVT_MENU,
            [this, &command](wxCommandEvent&) {
                // A command is only carried out while the diary allows it, whatever sent it.
                if (command.hasEnableRule && !m_core.IsActionEnabled(command.id)) return;
                command.run(*this);
            },
            command.id);
        if (command.hasEnableRule)
            Bind(
                wxEVT_UPDATE_UI,
                [this, &command](wxUpdateUIEvent& event) {
                    event.Enable(m_core.IsActionEnabled(command.id));
                },
                command.id);
    }
}

void DiaryDocument::UpdateConnectionsWithProgress() {
    // The progress window lives for this one run, owned by the main window it disables.
    CTrainingProgressDlg progress(GetDocumentWindow());
    ApplyPorts(&progress);
    OnUpdateConnections(m_core);
    ApplyPorts();
}

// The Evidence window reads the diary as it stands; it changes nothing.
void DiaryDocument::ShowEvidence() {
    EvidenceWindow window(GetDocumentWindow(), m_core);
    window.ShowModal();
}

void DiaryDocument::ShowToday() {
    today::TodayEntry entry(m_core);
    CTodayDlg dialog(GetDocumentWindow(), entry);
    if (dialog.ShowModal() != wxID_OK) return;
    m_core.CommitToday(entry);
}

// Save is always there, as it was: saving an unchanged diary writes it again.
void DiaryDocument::OnUpdateSave(wxUpdateUIEvent& event) {
    event.Enable(true);
}

// The event table stays as written; the formatter cannot lay out its macros.
// clang-format off
wxBEGIN_EVENT_TABLE(DiaryDocument, wxDocument)
    EVT_UPDATE_UI(wxID_SAVE, DiaryDocument::OnUpdateSave)
wxEND_EVENT_TABLE()
