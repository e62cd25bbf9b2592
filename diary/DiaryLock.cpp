#include "diary/DiaryLock.h"

#include <fcntl.h>

#include <cerrno>
#include <sstream>

#include "diary/FileNames.h"

namespace diary_lock {

namespace {

constexpr std::size_t LongestLockFile = 512;
// Only the user may read which process and machine have the diary open.
constexpr mode_t LockMode = 0600;

std::optional<Holder> ReadHolder(const std::string& lockPath, FileSystem& files) {
    int descriptor = -1;
    if (files.Open(lockPath, O_RDONLY | O_NONBLOCK, 0, descriptor) != 0) return std::nullopt;
    char buffer[LongestLockFile] = {};
    std::size_t count = 0;
    const int error = files.Read(descriptor, buffer, sizeof buffer - 1, count);
    files.Close(descriptor);
    if (error != 0) return std::nullopt;
    std::istringstream text(std::string(buffer, count));
    Holder holder;
    if (!(text >> holder.process >> holder.host)) holder = Holder{};
    return holder;
}

bool IsOurs(const Holder& holder, Processes& processes) {
    return holder.process == processes.ProcessId() && holder.host == processes.HostName();
}

// A lock without a readable owner was cut short by a crash, as no writer leaves it so.
bool IsStale(const Holder& holder, Processes& processes) {
    if (holder.process <= 0) return true;
    return holder.host == processes.HostName() && !processes.ProcessExists(holder.process);
}

std::string HolderLine(Processes& processes) {
    return std::to_string(processes.ProcessId()) + " " + processes.HostName() + "\n";
}

// Creates `path` (which must not exist) holding our holder line; the errno value of a failure.
int WriteNewFile(const std::string& path, FileSystem& files, Processes& processes) {
    int descriptor = -1;
    if (const int error = files.Open(path, O_WRONLY | O_CREAT | O_EXCL, LockMode, descriptor))
        return error;
    files.SetMode(descriptor, LockMode);
    const std::string text = HolderLine(processes);
    int error = files.WriteAll(descriptor, text.data(), text.size());
    if (const int closed = files.Close(descriptor); error == 0) error = closed;
    if (error != 0) files.Remove(path);
    return error;
}

// Puts the lock in place whole: a temporary lock with its content, then a second name that
// fails when a lock exists. A reader never sees the lock empty or half written.
int PlaceLock(const std::string& diaryPath, const std::string& lockPath, FileSystem& files,
              Processes& processes) {
    const std::string folder = file_names::FolderOf(diaryPath);
    const std::string temporary =
        folder + "/" +
        file_names::HiddenCompanion(file_names::NameOf(diaryPath),
                                    ".lock." + std::to_string(processes.ProcessId()) + ".tmp",
                                    files.LongestName(folder));
    files.Remove(temporary);  // left by an earlier process of our number that crashed here
    if (const int error = WriteNewFile(temporary, files, processes)) return error;
    int error = files.Link(temporary, lockPath);
    files.Remove(temporary);
    // A file system without hard links: the lock is made in place, as well as it allows.
    if (error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS)
        error = WriteNewFile(lockPath, files, processes);
    return error;
}

// Removes a stale lock only while it still says what was judged stale: another starter may
// have replaced it with its own meanwhile.
void RemoveStale(const std::string& lockPath, const Holder& stale, FileSystem& files) {
    const auto again = ReadHolder(lockPath, files);
    if (again && again->process == stale.process && again->host == stale.host)
        files.Remove(lockPath);
}

}  // namespace

std::string LockPath(const std::string& diaryPath, FileSystem& files) {
    const std::string folder = file_names::FolderOf(diaryPath);
    return folder + "/" +
           file_names::HiddenCompanion(file_names::NameOf(diaryPath), ".lock",
                                       files.LongestName(folder));
}

std::optional<Holder> OtherHolder(const std::string& diaryPath, FileSystem& files,
                                  Processes& processes) {
    const std::string lockPath = LockPath(diaryPath, files);
    const std::optional<Holder> holder = ReadHolder(lockPath, files);
    if (!holder || IsOurs(*holder, processes)) return std::nullopt;
    if (IsStale(*holder, processes)) {
        RemoveStale(lockPath, *holder, files);
        return std::nullopt;
    }
    return holder;
}

bool Acquire(const std::string& diaryPath, FileSystem& files, Processes& processes) {
    const std::string lockPath = LockPath(diaryPath, files);
    // Twice: a stale lock removed on the first round leaves the place to the second.
    for (int round = 0; round < 2; ++round) {
        if (const auto holder = ReadHolder(lockPath, files)) {
            if (IsOurs(*holder, processes)) return true;
            if (!IsStale(*holder, processes)) return false;
            RemoveStale(lockPath, *holder, files);
        }
        const int error = PlaceLock(diaryPath, lockPath, files, processes);
        if (error != EEXIST) return error == 0;
    }
    return false;
}

void RemoveLock(const std::string& diaryPath, FileSystem& files) {
    files.Remove(LockPath(diaryPath, files));
}

void Release(const std::string& diaryPath, FileSystem& files, Processes& processes) {
    const std::string lockPath = LockPath(diaryPath, files);
    if (const auto holder = ReadHolder(lockPath, files); holder && IsOurs(*holder, processes))
        files.Remove(lockPath);
}

std::string Describe(const Holder& holder) {
    return "process " + std::to_string(holder.process) + " on " + holder.host;
}

}  // namespace diary_lock
