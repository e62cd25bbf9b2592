#include "cli/BackupsReport.h"

#include <ostream>

#include "cli/TextTable.h"
#include "diary/Backups.h"

void WriteBackupList(const std::string& root, const std::string& diaryPath, int keptDays,
                     std::ostream& out) {
    FileSystem& files = RealFileSystem();
    const std::string folder = backups::FolderFor(root, diaryPath, files);
    const std::vector<backups::Backup> found = backups::List(root, diaryPath, files, keptDays);
    if (found.empty()) {
        out << "No backups of " << diaryPath << " yet; they are kept in " << folder << ".\n";
        return;
    }
    out << "Backups of " << diaryPath << " in " << folder << ":\n";
    TextTable table;
    table.AddRow({"Date", "Kept as", "Days", "Foods", "Symptoms", "File"});
    for (const backups::Backup& backup : found) {
        const std::string kind(backups::KindName(backup.kind));
        if (!backup.readable) {
            table.AddRow({backup.date, kind, "-", "-", "-", backup.path + " (cannot be read)"});
            continue;
        }
        table.AddRow({backup.date, kind, std::to_string(backup.dayCount),
                      std::to_string(backup.foods), std::to_string(backup.symptoms), backup.path});
    }
    table.Write(out, "  ");
}
