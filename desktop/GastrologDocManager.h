#pragma once
// The document manager of a program with one diary open at a time. As the original framework
// did for a single-document program, File New and File Open clear and refill the one document
// instead of making another, so its views, its panes and its section switches stay. The
// recent-file list holds four diaries and is kept in the settings group "Recent File List".

#include <wx/confbase.h>
#include <wx/docview.h>

#include <functional>

class CGastrologDocManager : public wxDocManager {
public:
    static constexpr int RecentFileCount = 4;
    static constexpr const char* RecentFileGroup = "/Recent File List";

    CGastrologDocManager();

    // Makes the first document, or reuses the one there is: New and Open then clear and refill
    // it (after offering to save it). An empty path without wxDOC_NEW asks for the file.
    wxDocument* CreateDocument(const wxString& path, long flags = 0) override;

    wxString MakeNewDocumentName() override;
    // "NAME - Gastrolog", whatever the running program is called.
    wxString MakeFrameTitle(wxDocument* doc) override;
    wxFileHistory* OnCreateFileHistory() override;

    void AddFileToHistory(const wxString& file) override;
    void RemoveFileFromHistory(size_t index) override;
    // The list under "File1" to "File4" in the group "Recent File List".
    void LoadRecentFiles(wxConfigBase& config);
    void SaveRecentFiles(wxConfigBase& config) const;

    // Called whenever the recent-file list changes (the main window rebuilds its File menu).
    void SetRecentFilesListener(std::function<void()> listener) {
        m_recentFilesListener = std::move(listener);
    }

    wxDocument* GetDiary() const;

private:
    wxDocument* CreateFirstDocument(const wxString& path, long flags);
    wxDocument* ReuseDocument(wxDocument* document, const wxString& path, long flags);
    void RecentFilesChanged();

    std::function<void()> m_recentFilesListener;
};
