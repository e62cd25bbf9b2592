#pragma once
// Whole-file reading and writing for the diary. Reading takes the file into memory at once,
// so decoding never touches the disk. Writing never destroys the previous file: the new
// bytes go to a temporary file in the same folder, are flushed to the disk and only then
// renamed over the old file.
//
// Every call works through the file system it is given, so tests can make any step fail.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "diary/FileResult.h"
#include "diary/FileSystem.h"
#include "diary/Processes.h"

namespace atomic_file {

inline constexpr const char* OpenFailedMessage = "Failed to open document.";
inline constexpr const char* SaveFailedMessage = "Failed to save document.";

// What tells one version of a file from another: a save replaces the file (a new inode), and
// an editor writing in place changes its size or time.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modifiedSeconds = 0;
    long modifiedNanoseconds = 0;

    bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentityOf(const struct stat& status);

struct ReadResult {
    std::vector<std::uint8_t> bytes;
    FileResult result;
    FileIdentity identity;
};

struct SaveOptions {
    // The file as it was read; any other file at the path is not replaced.
    std::optional<FileIdentity> expected;
    // A file with several hard links is replaced all the same (the other names keep the old
    // bytes); otherwise the save is refused so that the user can be asked first.
    bool splitHardLinks = false;
    // The mode of a file that does not exist yet.
    mode_t newFileMode = 0600;
    // Runs once every check has passed, just before the temporary file is made.
    std::function<void(const std::string& target)> beforeReplace;
    // Whose temporary files these are: ours get our process number, and those of processes
    // that are gone are cleared away.
    Processes* processes = &RealProcesses();
};

// Reads a regular file whole. A file larger than maximumSize is refused rather than read.
ReadResult ReadWholeFile(const std::string& path, std::size_t maximumSize,
                         FileSystem& files = RealFileSystem());

// Replaces the file's contents, or leaves the old file exactly as it was. A symbolic link is
// followed, so the link stays and its target receives the bytes.
// Writes only over a regular file or a link to one. `written` receives the new file's identity.
FileResult ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes,
                       FileSystem& files = RealFileSystem(), const SaveOptions& options = {},
                       FileIdentity* written = nullptr);

// Whether a save could make its new file beside the diary; false only when the folder refuses
// new files (permissions, a read-only file system). Leaves nothing behind.
bool FolderTakesSave(const std::string& path, FileSystem& files = RealFileSystem(),
                     Processes& processes = RealProcesses());

// Removes the temporary files that saves of this diary by processes now gone left behind.
void RemoveStaleTemporaries(const std::string& path, FileSystem& files = RealFileSystem(),
                            Processes& processes = RealProcesses());

// The result for an operating-system error while opening (reading) or saving a file.
FileResult ResultForError(int error, const std::string& path, bool saving);

}  // namespace atomic_file
