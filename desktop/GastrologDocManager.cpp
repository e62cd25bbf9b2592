#include "desktop/GastrologDocManager.h"

#include <wx/app.h>
#include <wx/filehistory.h>
#include <wx/filename.h>

#include "desktop/DiaryDocument.h"
#include "desktop/DiaryFileDialogs.h"

namespace {

wxString RecentFileKey(int number) {
    return wxString::Format("File%d", number);
}

}  // namespace

CGastrologDocManager::CGastrologDocManager() : wxDocManager(0, false) {
    // Initialize() here rather than in the base constructor, so it calls our
    // OnCreateFileHistory.
    Initialize();
    SetMaxDocsOpen(1);
}

wxDocument* CGastrologDocManager::GetDiary() const {
    const wxList& documents = const_cast<CGastrologDocManager*>(this)->GetDocuments();
    return documents.empty() ? nullptr : static_cast<wxDocument*>(documents.GetFirst()->GetData());
}

wxDocument* CGastrologDocManager::CreateDocument(const wxString& path, long flags) {
    wxString chosen = path;
    if (chosen.empty() && !(flags & wxDOC_NEW)) {
        chosen = AskPathToOpen(wxTheApp->GetTopWindow(), GetLastDirectory());
        if (chosen.empty()) return nullptr;
        SetLastDirectory(wxFileName(chosen).GetPath());
    }
    if (wxDocument* diary = GetDiary()) return ReuseDocument(diary, chosen, flags);
    return CreateFirstDocument(chosen, flags);
}

// As the base class does it, but without bringing the window to the front: the main window
// is shown when the program decides (a diary printed from the command line is never shown).
wxDocument* CGastrologDocManager::CreateFirstDocument(const wxString& path, long flags) {
    if (GetTemplates().empty()) return nullptr;
    auto* diaryTemplate = static_cast<wxDocTemplate*>(GetTemplates().GetFirst()->GetData());
    wxDocument* document = diaryTemplate->CreateDocument(path, flags);
    if (!document) return nullptr;
    document->SetDocumentName(diaryTemplate->GetDocumentName());
    const bool ready =
        (flags & wxDOC_NEW) ? document->OnNewDocument() : document->OnOpenDocument(path);
    if (!ready) {
        document->DeleteAllViews();
        return nullptr;
    }
    if (!(flags & wxDOC_NEW)) AddFileToHistory(path);
    return document;
}

wxDocument* CGastrologDocManager::ReuseDocument(wxDocument* document, const wxString& path,
                                                long flags) {
    if (flags & wxDOC_NEW) {
        if (!document->OnSaveModified()) return nullptr;
        return document->OnNewDocument() ? document : nullptr;
    }
    // The diary asked for is the one open: it stays as it is, unread.
    if (!document->GetFilename().empty() && wxFileName(path).SameAs(document->GetFilename()))
        return document;
    if (!document->OnSaveModified()) return nullptr;
    // On failure the diary has reported why and still holds what it held.
    if (!document->OnOpenDocument(path)) return nullptr;
    AddFileToHistory(path);
    return document;
}

wxString CGastrologDocManager::MakeNewDocumentName() {
    return DiaryDocument::UntitledName;
}

wxString CGastrologDocManager::MakeFrameTitle(wxDocument* doc) {
    if (!doc) return "Gastrolog";
    const auto* diary = dynamic_cast<const DiaryDocument*>(doc);
    wxString state;
    if (diary && diary->IsReadOnly()) state = " (read-only)";
    if (diary && diary->IsUnprotected()) state = " (not protected against a second window)";
    return doc->GetUserReadableName() + state + " - Gastrolog";
}

wxFileHistory* CGastrologDocManager::OnCreateFileHistory() {
    return new wxFileHistory(RecentFileCount, wxID_FILE1);
}

void CGastrologDocManager::AddFileToHistory(const wxString& file) {
    wxDocManager::AddFileToHistory(file);
    RecentFilesChanged();
}

void CGastrologDocManager::RemoveFileFromHistory(size_t index) {
    wxDocManager::RemoveFileFromHistory(index);
    RecentFilesChanged();
}

void CGastrologDocManager::LoadRecentFiles(wxConfigBase& config) {
    const wxString previousPath = config.GetPath();
    config.SetPath(RecentFileGroup);
    // Added from the oldest, so File1 ends up first.
    for (int number = RecentFileCount; number >= 1; --number) {
        wxString file;
        if (config.Read(RecentFileKey(number), &file) && !file.empty())
            GetFileHistory()->AddFileToHistory(file);
    }
    config.SetPath(previousPath);
    RecentFilesChanged();
}

void CGastrologDocManager::SaveRecentFiles(wxConfigBase& config) const {
    const wxString previousPath = config.GetPath();
    config.SetPath(RecentFileGroup);
    const wxFileHistory* history = GetFileHistory();
    for (int number = 1; number <= RecentFileCount; ++number) {
        const size_t index = static_cast<size_t>(number - 1);
        if (index < history->GetCount())
            config.Write(RecentFileKey(number), history->GetHistoryFile(index));
        else
            config.DeleteEntry(RecentFileKey(number), false);
    }
    config.SetPath(previousPath);
    config.Flush();
}

void CGastrologDocManager::RecentFilesChanged() {
    if (m_recentFilesListener) m_recentFilesListener();
}
