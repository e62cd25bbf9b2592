#pragma once
// The wx document of the desktop program. It owns the diary (CGastrologDoc) and gives it the
// desktop's ports: this document as its host (modified flag, views, path and title), the
// message boxes and dialogs, the progress window and the per-user settings. The Action
// commands (ActionCommands.h) arrive here, bound from their table.

#include <wx/docview.h>

#include <memory>

#include "desktop/ConfigSettings.h"
#include "desktop/WxUserInterface.h"
#include "diary/DiaryAccess.h"
#include "diary/GastrologDoc.h"

class DiaryDocument : public wxDocument {
public:
    DiaryDocument();
    ~DiaryDocument() override;

    CGastrologDoc& Core() { return m_core; }
    const CGastrologDoc& Core() const { return m_core; }

    // The document's title for a diary that has no file yet.
    static constexpr const char* UntitledName = "Untitled";
    // The status bar's word on a diary whose folder takes no files, and the question after a
    // save refused for the same reason.
    static constexpr const char* ReadOnlyFolderStatus =
        "This diary's folder cannot be written: save your changes elsewhere (File - Save As).";
    static constexpr const char* SaveElsewhereQuestion =
        "Changes to this diary must be saved elsewhere. Save it under another name?";

    bool OnNewDocument() override;
    // Asks first when another Gastrolog has the diary open (read-only, anyway or cancel).
    bool OnOpenDocument(const wxString& path) override;
    // Asks before writing over a diary another program changed since it was read (Save As,
    // Overwrite or Cancel) and before a save would split the file's hard links.
    bool OnSaveDocument(const wxString& path) override;
    bool OnCloseDocument() override;
    // Opens a copy (a backup) as a new, untitled diary, so saving it replaces nothing unasked.
    // The copy is shown as it was stored: no skipped days, no new day.
    bool OpenAsUntitledCopy(const wxString& path);
    // Opens the diary as it is stored, for printing: no question, nothing changed, no lock.
    bool OpenToPrint(const wxString& path);
    // Opened read-only because another Gastrolog has the diary open: Save asks for a new name.
    bool IsReadOnly() const { return m_access.IsReadOnly(); }
    // This window's diary has no lock (none could be taken), so a second window is not warned.
    bool IsUnprotected() const { return m_access.IsUnprotected(); }
    bool DeleteContents() override;
    bool Save() override;
    bool SaveAs() override;
    // "Save changes to NAME?" with Yes, No and Cancel; true when it is safe to go on.
    bool OnSaveModified() override;
    // Both change what the main window's title shows.
    void Modify(bool modified) override;
    void OnChangeFilename(bool notifyViews) override;

    // The question OnSaveModified asks.
    wxString SaveChangesQuestion() const;

    // Replaces the user interface port (tests script it; null restores the message boxes).
    void SetUserInterface(UserInterface* ui);
    // Replaces the file system the diary is read and saved through (tests make steps fail;
    // null restores the real one).
    void SetFileSystem(FileSystem* files);

    // Update Connections, with the progress window for the length of the run.
    void UpdateConnectionsWithProgress();
    // The Evidence window over the diary as it stands.
    void ShowEvidence();
    // The Today window; Done commits its day through the diary, Cancel changes nothing.
    void ShowToday();

private:
    class HostPort;

    // The document's own part of a new or re-read diary: the title and saved state wx keeps.
    void ShowAsUntitled();
    void ShowAsFile(const wxString& path);
    // The progress port is set only while a training run shows its window.
    void ApplyPorts(ProgressIndicator* progress = nullptr);
    // "NAME - Gastrolog" on the window of the views.
    void RefreshFrameTitle();
    // A daily copy the save could not make, in the status bar and the log, once per run.
    void TellBackupProblem();

    void BindActionCommands();
    void OnUpdateSave(wxUpdateUIEvent& event);

    UserInterface& Ui() { return m_uiOverride ? *m_uiOverride : m_ui; }
    FileSystem& Files() { return m_files ? *m_files : RealFileSystem(); }
    // Text in the main window's status bar, where the window has one.
    void ShowStatus(const wxString& text);

    std::unique_ptr<HostPort> m_host;
    DiaryAccess m_access;
    ConfigSettings m_settings;
    WxUserInterface m_ui;
    UserInterface* m_uiOverride = nullptr;
    FileSystem* m_files = nullptr;
    CGastrologDoc m_core;

    wxDECLARE_DYNAMIC_CLASS(DiaryDocument);
    wxDECLARE_EVENT_TABLE();
};

// Converts between the paths wx shows and the bytes the file system takes.
std::string NativePath(const wxString& path);
wxString PathFromNative(const std::string& path);
