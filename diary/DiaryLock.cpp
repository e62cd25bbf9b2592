#include "diary/DiaryLock.h"

#include <fcntl.h>

#include <sstream>

#include "diary/FileNames.h"

namespace diary_lock {

namespace {

constexpr std::size_t LongestLockFile = 512;

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

bool IsOurs(const Holder& holder, FileSystem& files) {
    return holder.process == files.ProcessId() && holder.host == files.HostName();
}

// A lock without a readable owner was cut short by a crash, as no writer leaves it so.
bool IsStale(const Holder& holder, FileSystem& files) {
    if (holder.process <= 0) return true;
    return holder.host == files.HostName() && !files.ProcessExists(holder.process);
}

}  // namespace

std::string LockPath(const std::string& diaryPath, FileSystem& files) {
    const std::string folder = file_names::FolderOf(diaryPath);
    return folder + "/" +
           file_names::HiddenCompanion(file_names::NameOf(diaryPath), ".lock",
                                       files.LongestName(folder));
}

std::optional<Holder> OtherHolder(const std::string& diaryPath, FileSystem& files) {
    const std::string lockPath = LockPath(diaryPath, files);
    const std::optional<Holder> holder = ReadHolder(lockPath, files);
    if (!holder || IsOurs(*holder, files)) return std::nullopt;
    if (IsStale(*holder, files)) {
        files.Remove(lockPath);
        return std::nullopt;
    }
    return holder;
}

bool Acquire(const std::string& diaryPath, FileSystem& files) {
    const std::string lockPath = LockPath(diaryPath, files);
    if (const auto holder = ReadHolder(lockPath, files)) {
        if (IsOurs(*holder, files)) return true;
        if (!IsStale(*holder, files)) return false;
        files.Remove(lockPath);
    }
    int descriptor = -1;
    if (files.Open(lockPath, O_WRONLY | O_CREAT | O_EXCL, 0644, descriptor) != 0) return false;
    const std::string text = std::to_string(files.ProcessId()) + " " + files.HostName() + "\n";
    const int error = files.WriteAll(descriptor, text.data(), text.size());
    files.Close(descriptor);
    if (error != 0) files.Remove(lockPath);
    return error == 0;
}

void Release(const std::string& diaryPath, FileSystem& files) {
    const std::string lockPath = LockPath(diaryPath, files);
    if (const auto holder = ReadHolder(lockPath, files); holder && IsOurs(*holder, files))
        files.Remove(lockPath);
}

std::string Describe(const Holder& holder) {
    return "process " + std::to_string(holder.process) + " on " + holder.host;
}

}  // namespace diary_lock
