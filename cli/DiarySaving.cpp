#include "cli/DiarySaving.h"

#include <ostream>

#include "diary/Backups.h"
#include "diary/DiaryLock.h"
#include "diary/GastrologDoc.h"
#include "diary/SettingsFile.h"

namespace {

// The lock taken for the time of one save, and given back after it.
class HeldLock {
public:
    explicit HeldLock(const std::string& path) : m_path(path) {
        m_held = diary_lock::Acquire(path, RealFileSystem());
    }
    ~HeldLock() {
        if (m_held) diary_lock::Release(m_path, RealFileSystem());
    }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
    bool Held() const { return m_held; }

private:
    std::string m_path;
    bool m_held = false;
};

void ReportFileProblem(const std::string& path, const FileResult& result, std::ostream& err) {
    if (!result.NamesFile()) err << path << ": ";
    err << result.Message() << '\n';
}

}  // namespace

int KeptBackupDays(const DiarySaving& saving) {
    if (saving.backupDays) return *saving.backupDays;
    const MemorySettings settings = settings_file::Read(settings_file::DefaultPath());
    return backups::KeptDaysOrDefault(
        settings.GetInt("Settings", backups::KeptDaysSetting, backups::DefaultKeptDays));
}

Result MayWriteDiary(const std::string& path, const DiarySaving& saving) {
    if (saving.force) return Result::Success();
    const auto holder = diary_lock::OtherHolder(path, RealFileSystem());
    if (!holder) return Result::Success();
    return {Result::Code::HeldElsewhere,
            path + " is open in Gastrolog (" + diary_lock::Describe(*holder) +
                "); close it there first, or add --force.",
            true};
}

bool SaveDiaryHoldingLock(CGastrologDoc& doc, const std::string& path, const DiarySaving& saving,
                          std::ostream& err) {
    const HeldLock lock(path);
    // A lock another process took meanwhile refuses the save as one found before would.
    if (const Result may = lock.Held() ? Result::Success() : MayWriteDiary(path, saving);
        !may.IsOk()) {
        err << may.Message() << '\n';
        return false;
    }
    // The diary replaced, if any, keeps its daily copy as when the desktop saves it.
    doc.SetBackupFolder(backups::DefaultRootFolder());
    doc.SetBackupDays(KeptBackupDays(saving));
    const FileResult result = doc.WriteFile(path);
    if (!doc.BackupProblem().empty()) err << doc.BackupProblem() << '\n';
    if (!result.Message().empty()) ReportFileProblem(path, result, err);
    return result.Succeeded();
}
