#pragma once
// A lock file beside the diary, ".NAME.lock", that says which process on which machine has the
// diary open, so that a second window on the same diary (or the command line) can warn before
// both save over each other. A lock left by a process that no longer runs on this machine is
// stale and removed. The lock appears whole (written first, then linked into place) and is
// readable by its user only.

#include <optional>
#include <string>

#include "diary/FileSystem.h"
#include "diary/Processes.h"

namespace diary_lock {

struct Holder {
    long process = 0;
    std::string host;
};

// The lock file's path beside the diary, within the file system's name limit.
std::string LockPath(const std::string& diaryPath, FileSystem& files);

// The process that holds the diary open, when it is another one that still runs (or runs on
// another machine, where this one cannot tell). A stale lock is removed on the way.
std::optional<Holder> OtherHolder(const std::string& diaryPath, FileSystem& files,
                                  Processes& processes = RealProcesses());

// Takes the lock for this process. False when the lock cannot be written (a read-only folder,
// a folder of the lock's name) or another process holds it.
bool Acquire(const std::string& diaryPath, FileSystem& files,
             Processes& processes = RealProcesses());

// Removes the lock whoever holds it: for a lock that stays when the user is sure no other
// Gastrolog has the diary open (a process on another machine, a process number reused).
void RemoveLock(const std::string& diaryPath, FileSystem& files);

// Removes the lock if this process holds it.
void Release(const std::string& diaryPath, FileSystem& files,
             Processes& processes = RealProcesses());

// "process 1234 on HOST", for the question that names the other window.
std::string Describe(const Holder& holder);

}  // namespace diary_lock
