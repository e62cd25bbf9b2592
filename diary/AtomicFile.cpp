#include "diary/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "diary/FileNames.h"

namespace atomic_file {

namespace {

using Code = FileResult::Code;

std::string ReplacePlaceholder(std::string text, const std::string& path) {
    const auto placeholder = text.find("%1");
    if (placeholder != std::string::npos) text.replace(placeholder, 2, path);
    return text;
}

FileResult NamingResult(Code code, const char* text, const std::string& path) {
    return FileResult(code, ReplacePlaceholder(text, path), true);
}

FileResult ChangedResult(const std::string& path) {
    return NamingResult(Code::ChangedOnDisk,
                        "%1 was changed by another program since you opened it.", path);
}

// Closes a descriptor once, whatever path the function takes.
class Descriptor {
public:
    explicit Descriptor(FileSystem& files) : m_files(files) {}
    ~Descriptor() {
        if (m_descriptor >= 0) m_files.Close(m_descriptor);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Open(const std::string& path, int flags, mode_t mode) {
        return m_files.Open(path, flags, mode, m_descriptor);
    }
    int Get() const { return m_descriptor; }
    // Closes now and reports the result, as a failed close can mean lost data.
    int Close() {
        const int error = m_files.Close(m_descriptor);
        m_descriptor = -1;
        return error;
    }

private:
    FileSystem& m_files;
    int m_descriptor = -1;
};

using file_names::FolderOf;
using file_names::NameOf;

// ".NAME.PID-N.tmp", with NAME shortened so the whole stays within the name limit.
std::string TemporaryName(FileSystem& files, Processes& processes, const std::string& target,
                          unsigned sequence) {
    const std::string suffix =
        "." + std::to_string(processes.ProcessId()) + "-" + std::to_string(sequence) + ".tmp";
    return file_names::HiddenCompanion(NameOf(target), suffix, files.LongestName(FolderOf(target)));
}

// The process number in a temporary name left by a save of `name`, or 0 for another file.
long TemporaryOwner(const std::string& candidate, const std::string& name, std::size_t longest) {
    if (candidate.size() < 8 || candidate[0] != '.' || !candidate.ends_with(".tmp")) return 0;
    const std::string body = candidate.substr(1, candidate.size() - 5);  // NAME.PID-N
    const auto dash = body.find_last_of('-');
    const auto dot = body.find_last_of('.', dash);
    if (dash == std::string::npos || dot == std::string::npos || dot == 0) return 0;
    const std::string stem = body.substr(0, dot), process = body.substr(dot + 1, dash - dot - 1),
                      sequence = body.substr(dash + 1);
    const auto digits = [](const std::string& text) {
        return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    };
    if (!digits(process) || !digits(sequence) || process.size() > 9) return 0;
    const bool shortened = candidate.size() == longest && name.starts_with(stem);
    return stem == name || shortened ? std::stol(process) : 0;
}

// The file that really receives the bytes: a symbolic link is followed so that it survives.
std::string ResolveTarget(FileSystem& files, const std::string& path) {
    struct stat status {};
    if (files.Status(path, false, status) != 0 || !S_ISLNK(status.st_mode)) return path;
    std::string resolved;
    if (files.RealPath(path, resolved) != 0) return path;  // a dangling link
    return resolved;
}

// Creates a new temporary file beside the target, never reusing an existing name. It is
// created with the diary's own mode, so that no one else can read it meanwhile.
int CreateTemporary(FileSystem& files, Processes& processes, Descriptor& descriptor,
                    const std::string& target, mode_t mode, std::string& temporaryPath) {
    static unsigned sequence = 0;
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        temporaryPath =
            file_names::Join(FolderOf(target), TemporaryName(files, processes, target, ++sequence));
        error = descriptor.Open(temporaryPath, O_WRONLY | O_CREAT | O_EXCL, mode & 0777);
    }
    return error;
}

// The new file keeps the old one's permissions and, where allowed, its owner.
void CopyPermissions(FileSystem& files, int descriptor, const std::string& target,
                     mode_t newFileMode) {
    struct stat status {};
    if (files.Status(target, true, status) != 0) {
        files.SetMode(descriptor, newFileMode);
        return;
    }
    files.SetMode(descriptor, status.st_mode & 07777);
    // Only a privileged process may give the file away; otherwise the new file stays ours.
    files.SetOwner(descriptor, status.st_uid, status.st_gid);
}

// Refuses what must not be replaced: a device, a pipe, a dangling link, another file than the
// one read, a file whose other names a save would leave behind.
FileResult CheckTarget(FileSystem& files, const std::string& path, const std::string& target,
                       const SaveOptions& options, mode_t& mode,
                       std::optional<FileIdentity>& seen) {
    mode = options.newFileMode;
    struct stat link {};
    if (files.Status(path, false, link) == 0 && S_ISLNK(link.st_mode) && target == path)
        return NamingResult(Code::NotRegular,
                            "%1 is a link to a file that does not exist; nothing was saved.", path);
    struct stat status {};
    const int error = files.Status(target, false, status);
    if (error == ENOENT) return FileResult::Success();  // a new file
    if (error != 0) return ResultForError(error, path, true);
    if (S_ISDIR(status.st_mode)) return ResultForError(EISDIR, path, true);
    if (!S_ISREG(status.st_mode))
        return NamingResult(Code::NotRegular,
                            "%1 is not a regular file; a diary is saved only as a regular file, "
                            "so nothing was saved.",
                            path);
    mode = status.st_mode & 0777;
    seen = IdentityOf(status);
    if (options.expected && !(IdentityOf(status) == *options.expected)) return ChangedResult(path);
    if (status.st_nlink > 1 && !options.splitHardLinks)
        return NamingResult(Code::HardLinked,
                            "%1 has other names (hard links). Saving writes a new file, and the "
                            "other names keep the old diary.",
                            path);
    return FileResult::Success();
}

// The target is still the file the checks passed (or still absent): another program may have
// replaced it while the new bytes were written and flushed.
bool StillTheSame(FileSystem& files, const std::string& target,
                  const std::optional<FileIdentity>& seen) {
    struct stat status {};
    const int error = files.Status(target, false, status);
    if (!seen) return error == ENOENT;
    return error == 0 && IdentityOf(status) == *seen;
}

// Writes, flushes and closes the temporary file; returns the errno value of a failure.
int FillTemporary(FileSystem& files, Descriptor& descriptor, const std::string& target,
                  std::span<const std::uint8_t> bytes, mode_t newFileMode, FileIdentity* written) {
    CopyPermissions(files, descriptor.Get(), target, newFileMode);
    if (const int error = files.WriteAll(descriptor.Get(), bytes.data(), bytes.size()))
        return error;
    if (const int error = files.Flush(descriptor.Get())) return error;
    struct stat status {};
    if (written && files.StatusOf(descriptor.Get(), status) == 0) *written = IdentityOf(status);
    return descriptor.Close();
}

// Reads until the end, allowing one byte more than the limit to notice a larger file.
FileResult ReadAll(FileSystem& files, const Descriptor& descriptor, const std::string& path,
                   std::size_t statedSize, std::size_t maximumSize,
                   std::vector<std::uint8_t>& bytes) {
    bytes.resize(statedSize + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > maximumSize) return FileResult(Code::TooLarge, OpenFailedMessage);
            bytes.resize(std::min(2 * filled, maximumSize + 1));
        }
        std::size_t count = 0;
        if (const int error =
                files.Read(descriptor.Get(), bytes.data() + filled, bytes.size() - filled, count))
            return ResultForError(error, path, false);
        if (count == 0) break;
        filled += count;
    }
    bytes.resize(filled);
    return FileResult::Success();
}

}  // namespace

FileIdentity IdentityOf(const struct stat& status) {
    return {status.st_dev, status.st_ino, status.st_size, status.st_mtim.tv_sec,
            status.st_mtim.tv_nsec};
}

void RemoveStaleTemporaries(const std::string& path, FileSystem& files, Processes& processes) {
    const std::string target = ResolveTarget(files, path), folder = FolderOf(target);
    const std::size_t longest = files.LongestName(folder);
    std::vector<std::string> names;
    if (files.ListFolder(folder, names) != 0) return;
    for (const std::string& name : names) {
        const long owner = TemporaryOwner(name, NameOf(target), longest);
        struct stat status {};
        if (owner == 0 || processes.ProcessExists(owner)) continue;
        const std::string stale = file_names::Join(folder, name);
        if (files.Status(stale, false, status) == 0 && S_ISREG(status.st_mode)) files.Remove(stale);
    }
}

bool FolderTakesSave(const std::string& path, FileSystem& files, Processes& processes) {
    const std::string target = ResolveTarget(files, path);
    std::string temporaryPath;
    int error = 0;
    {
        Descriptor descriptor(files);
        error = CreateTemporary(files, processes, descriptor, target, 0600, temporaryPath);
    }
    if (error == 0) files.Remove(temporaryPath);
    return error != EACCES && error != EPERM && error != EROFS;
}

FileResult ResultForError(int error, const std::string& path, bool saving) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            // A file being written is missing only when its folder is.
            if (saving)
                return NamingResult(Code::Missing, "The folder %1 was not found.", FolderOf(path));
            return NamingResult(Code::Missing, "%1 was not found.", path);
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return NamingResult(Code::Access, "Access to %1 was denied.", path);
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return NamingResult(Code::Full, "Disk full while accessing %1.", path);
        case EBUSY:
        case ETXTBSY:
            return NamingResult(Code::Sharing, "A sharing violation occurred while accessing %1.",
                                path);
        default:
            return FileResult(Code::Failed, saving ? SaveFailedMessage : OpenFailedMessage);
    }
}

ReadResult ReadWholeFile(const std::string& path, std::size_t maximumSize, FileSystem& files) {
    ReadResult read;
    Descriptor descriptor(files);
    // Non-blocking, so that a named pipe cannot hang the open; it is refused just below.
    if (const int error = descriptor.Open(path, O_RDONLY | O_NONBLOCK, 0))
        return {{}, ResultForError(error, path, false), {}};
    struct stat status {};
    if (const int error = files.StatusOf(descriptor.Get(), status))
        return {{}, ResultForError(error, path, false), {}};
    if (S_ISDIR(status.st_mode)) return {{}, ResultForError(EISDIR, path, false), {}};
    if (!S_ISREG(status.st_mode)) return {{}, FileResult(Code::NotRegular, OpenFailedMessage), {}};
    const auto statedSize = static_cast<std::size_t>(std::max<off_t>(status.st_size, 0));
    if (statedSize > maximumSize) return {{}, FileResult(Code::TooLarge, OpenFailedMessage), {}};
    read.identity = IdentityOf(status);
    read.result = ReadAll(files, descriptor, path, statedSize, maximumSize, read.bytes);
    if (!read.result.Succeeded()) read.bytes.clear();
    return read;
}

FileResult ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes,
                       FileSystem& files, const SaveOptions& options, FileIdentity* written) {
    const std::string target = ResolveTarget(files, path);
    mode_t mode = options.newFileMode;
    std::optional<FileIdentity> seen;
    if (FileResult check = CheckTarget(files, path, target, options, mode, seen); !check.IsOk())
        return check;
    // A rename would replace a write-protected file too; its owner asked for it to be kept.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0)
        return ResultForError(errno, path, true);
    RemoveStaleTemporaries(target, files, *options.processes);
    if (options.beforeReplace) options.beforeReplace(target);
    std::string temporaryPath;
    Descriptor descriptor(files);
    if (const int error =
            CreateTemporary(files, *options.processes, descriptor, target, mode, temporaryPath))
        return ResultForError(error, path, true);

    int error = FillTemporary(files, descriptor, target, bytes, options.newFileMode, written);
    if (error == 0 && !StillTheSame(files, target, seen)) {
        files.Remove(temporaryPath);
        return ChangedResult(path);
    }
    if (error == 0) error = files.Rename(temporaryPath, target);
    if (error != 0) {
        files.Remove(temporaryPath);  // the old file was never touched
        return ResultForError(error, path, true);
    }
    // The file already holds the new diary; only its name may not survive a power failure.
    if (files.FlushFolder(FolderOf(target)) != 0)
        return NamingResult(Code::SavedNotFlushed,
                            "%1 was saved, but its folder could not be flushed to the disk.", path);
    return FileResult::Success();
}

}  // namespace atomic_file
