#pragma once
// "Restore from Backup": the daily copies kept of every diary, the current diary's first, with
// the day each copy was made and what it holds. The chosen copy opens as a new, untitled
// diary, so restoring never replaces a file by itself.

#include <wx/dialog.h>
#include <wx/listctrl.h>

#include <string>
#include <vector>

#include "diary/Backups.h"

class RestoreBackupDlg : public wxDialog {
public:
    // The help book's page on files, where backups are explained.
    static constexpr int HelpContextId = 57600;

    RestoreBackupDlg(wxWindow* parent, std::vector<backups::Backup> copies);

    // The chosen copy's path, once the dialog ended with Open.
    std::string ChosenPath() const { return m_chosen; }

    bool TransferDataFromWindow() override;

private:
    void FillList();
    void OnActivated(wxListEvent& event);

    std::vector<backups::Backup> m_copies;
    wxListView* m_list = nullptr;
    std::string m_chosen;
};

// The copies of every diary under `root`, those of `currentDiary` (may be empty) first.
std::vector<backups::Backup> BackupsForRestore(const std::string& root,
                                               const std::string& currentDiary,
                                               int keptDays = backups::DefaultKeptDays);
