#pragma once
// Daily copies of a diary. Before the first save of each day the file as it was is copied to
// ROOT/NAME-HASH/YYYY-MM-DD.glg (one folder per diary, HASH from the diary's full path), with
// the diary's own mode, dated by the real clock on the day it is made. Which copies stay is
// decided in BackupRotation.h. ROOT is $XDG_DATA_HOME/gastrolog/backups for the programs;
// tests give a folder of their own.

#include <optional>
#include <string>
#include <vector>

#include "diary/BackupRotation.h"
#include "diary/FileResult.h"
#include "diary/FileSystem.h"
#include "diary/Ports.h"

namespace backups {

// How many daily copies are kept unless the user chose otherwise; 0 keeps none.
inline constexpr int DefaultKeptDays = 14;
inline constexpr int MostKeptDays = 365;
// The setting in the "Settings" section that holds the number.
inline constexpr std::string_view KeptDaysSetting = "BackupDays";
// A stored number outside 0 to MostKeptDays counts as the default.
inline constexpr int KeptDaysOrDefault(int days) {
    return days < 0 || days > MostKeptDays ? DefaultKeptDays : days;
}

// $XDG_DATA_HOME/gastrolog/backups, or ~/.local/share/gastrolog/backups; empty if neither is
// known.
std::string DefaultRootFolder();

// The folder under `root` that holds the copies of one diary. The diary itself need not
// exist (it may be the damaged or lost one the copies are wanted for).
std::string FolderFor(const std::string& root, const std::string& diaryPath, FileSystem& files);

struct Backup {
    std::string path;
    std::string diaryName;  // the name of the diary the copy was made of
    std::string date;       // YYYY-MM-DD, the day the copy was made
    bool readable = false;
    int dayCount = 0;
    std::size_t foods = 0;
    std::size_t symptoms = 0;
    CopyKind kind = CopyKind::Daily;  // why the rotation keeps it
};

// The copies of one diary, newest first, each with the kind it is kept as when `keptDays`
// daily copies are kept on the day of `now` (the real clock's when not given).
std::vector<Backup> List(const std::string& root, const std::string& diaryPath, FileSystem& files,
                         int keptDays = DefaultKeptDays,
                         std::optional<TimeValue> now = std::nullopt);
// The copies of every diary, by diary name, each diary's newest first.
std::vector<Backup> ListAll(const std::string& root, FileSystem& files,
                            int keptDays = DefaultKeptDays,
                            std::optional<TimeValue> now = std::nullopt);

// Copies one file with its mode, through the safe writer; the one place a copy is made.
FileResult CopyOneFile(const std::string& from, const std::string& to, FileSystem& files);

struct CopyOutcome {
    std::string made;     // the copy this call made; empty when none was needed or possible
    std::string problem;  // why no copy could be made, for the user; empty when none
};

// Before a save replaces `diaryPath`: copies the file as it is now, unless today's copy
// exists or the newest copy holds the same bytes, then applies the rotation. `now` is the
// real time. 0 kept days makes no copy and removes the diary's copies. A failure here never
// stops the save; it is described in the outcome.
CopyOutcome KeepDailyCopy(const std::string& root, const std::string& diaryPath, TimeValue now,
                          int keptDays, FileSystem& files);

}  // namespace backups
