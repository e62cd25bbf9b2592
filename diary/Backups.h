#pragma once
// Daily copies of a diary. Before the first save of each day the file as it was is copied to
// ROOT/NAME-HASH/YYYY-MM-DD.glg (one folder per diary, HASH from the diary's full path), with
// the diary's own mode; copies older than the kept number of days are removed. ROOT is
// $XDG_DATA_HOME/gastrolog/backups for the programs; tests give a folder of their own.

#include <string>
#include <vector>

#include "diary/FileSystem.h"
#include "diary/Ports.h"

namespace backups {

// How many days of copies are kept unless the user chose otherwise; 0 keeps none.
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
};

// The copies of one diary, newest first.
std::vector<Backup> List(const std::string& root, const std::string& diaryPath, FileSystem& files);
// The copies of every diary, by diary name, each diary's newest first.
std::vector<Backup> ListAll(const std::string& root, FileSystem& files);

// Before a save replaces `diaryPath`: copies the file as it is now, unless today's copy
// exists, and removes the copies that are too old. A failure here never stops the save.
void KeepDailyCopy(const std::string& root, const std::string& diaryPath, TimeValue now,
                   int keptDays, FileSystem& files);

}  // namespace backups
