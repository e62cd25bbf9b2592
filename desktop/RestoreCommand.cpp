#include "desktop/RestoreCommand.h"

#include "desktop/DiaryDocument.h"
#include "desktop/dialogs/MessageBoxes.h"
#include "desktop/dialogs/RestoreBackupDlg.h"

void RestoreFromBackup(wxWindow* parent, DiaryDocument& document) {
    const std::string root = document.Core().BackupFolder();
    std::vector<backups::Backup> copies = BackupsForRestore(
        root, NativePath(document.GetFilename()), document.Core().KeptBackupDays());
    if (copies.empty()) {
        ShowApplicationMessage(parent,
                               "No backups have been kept yet. Gastrolog keeps a copy of a "
                               "diary before the first save of each day, in " +
                                   PathFromNative(root.empty() ? "(no folder)" : root) + ".",
                               wxOK, wxICON_INFORMATION);
        return;
    }
    RestoreBackupDlg dialog(parent, std::move(copies));
    if (dialog.ShowModal() != wxID_OK || !document.OnSaveModified()) return;
    document.OpenAsUntitledCopy(PathFromNative(dialog.ChosenPath()));
}
