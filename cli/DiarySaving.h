#pragma once
// How the commands that save a diary (train, import -o, simulate -o) keep its daily copies
// and honour the lock of a Gastrolog window that has it open.

#include <iosfwd>
#include <optional>
#include <string>

#include "diary/Result.h"

class CGastrologDoc;

struct DiarySaving {
    // --backup-days: how many daily copies to keep; the desktop's Daily Backups setting
    // (its settings file) when absent.
    std::optional<int> backupDays;
    // --force: write even while a Gastrolog has the diary open.
    bool force = false;
};

// The number of daily copies a save keeps: --backup-days, else the settings file's.
int KeptBackupDays(const DiarySaving& saving);

// Refuses to write a diary another live Gastrolog has open. Checked before long work too, so
// that no one waits for nothing.
Result MayWriteDiary(const std::string& path, const DiarySaving& saving);

// Saves the diary to `path` holding its lock meanwhile, after its daily copy; a copy that
// could not be made is told on `err` and costs nothing else. False when nothing was saved.
bool SaveDiaryHoldingLock(CGastrologDoc& doc, const std::string& path, const DiarySaving& saving,
                          std::ostream& err);
