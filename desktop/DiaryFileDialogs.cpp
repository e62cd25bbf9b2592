#include "desktop/DiaryFileDialogs.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

namespace {

const char* const DiaryFilter = "Gastrolog  Files (*.glg)|*.glg|All Files (*.*)|*";
const char* const DiaryExtension = "glg";

}  // namespace

wxString AskPathToOpen(wxWindow* parent, const wxString& folder) {
    wxFileDialog dialog(parent, "Open", folder, wxEmptyString, DiaryFilter,
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

wxString AskPathToSave(wxWindow* parent, const wxString& proposedPath) {
    const wxFileName proposed(proposedPath);
    wxFileDialog dialog(parent, "Save As", proposed.GetPath(), proposed.GetFullName(), DiaryFilter,
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK) return wxString();
    const wxString chosen = WithDiaryExtension(dialog.GetPath());
    // The dialog asked about replacing the name as typed; ask again for the name with the
    // extension added, so no file is replaced unasked.
    if (chosen != dialog.GetPath() && wxFileName::FileExists(chosen) &&
        wxMessageBox(
            wxFileName(chosen).GetFullName() + " already exists.\nDo you want to replace it?",
            "Save As", wxYES_NO | wxICON_EXCLAMATION, parent) != wxYES)
        return wxString();
    return chosen;
}

wxString WithDiaryExtension(const wxString& path) {
    wxFileName name(path);
    if (name.HasExt() || name.GetFullName().empty()) return path;
    name.SetExt(DiaryExtension);
    return name.GetFullPath();
}
