#pragma once
// The daily copies kept of a diary, as `gastrolog-cli backups` lists them.

#include <iosfwd>
#include <string>

// Lists the copies of the diary at `diaryPath` kept under `root`, newest first, with the
// folder that holds them and the kind each is kept as (daily, weekly, monthly) when
// `keptDays` daily copies are kept; says so when there are none.
void WriteBackupList(const std::string& root, const std::string& diaryPath, int keptDays,
                     std::ostream& out);
