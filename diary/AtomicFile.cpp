#include "diary/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

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

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file that really receives the bytes: a symbolic link is followed so that it survives.
std::string ResolveTarget(FileSystem& files, const std::string& path) {
    struct stat status {};
    if (files.Status(path, false, status) != 0 || !S_ISLNK(status.st_mode)) return path;
    std::string resolved;
    if (files.RealPath(path, resolved) != 0) return path;  // a dangling link
    return resolved;
}

// Creates a new temporary file beside the target, never reusing an existing name.
int CreateTemporary(FileSystem& files, Descriptor& descriptor, const std::string& target,
                    std::string& temporaryPath) {
    static unsigned sequence = 0;
    const std::string stem =
        FolderOf(target) + "/." + NameOf(target) + "." + std::to_string(files.ProcessId()) + "-";
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        temporaryPath = stem + std::to_string(++sequence) + ".tmp";
        error = descriptor.Open(temporaryPath, O_WRONLY | O_CREAT | O_EXCL, 0666);
    }
    return error;
}

// The new file keeps the old one's permissions and, where allowed, its owner.
void CopyPermissions(FileSystem& files, int descriptor, const std::string& target) {
    struct stat status {};
    if (files.Status(target, true, status) != 0) return;  // a new file: the umask decides
    files.SetMode(descriptor, status.st_mode & 07777);
    // Only a privileged process may give the file away; otherwise the new file stays ours.
    files.SetOwner(descriptor, status.st_uid, status.st_gid);
}

// Writes, flushes and closes the temporary file; returns the errno value of a failure.
int FillTemporary(FileSystem& files, Descriptor& descriptor, const std::string& target,
                  std::span<const std::uint8_t> bytes) {
    CopyPermissions(files, descriptor.Get(), target);
    if (const int error = files.WriteAll(descriptor.Get(), bytes.data(), bytes.size()))
        return error;
    if (const int error = files.Flush(descriptor.Get())) return error;
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

FileResult ResultForError(int error, const std::string& path, bool saving) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
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
        return {{}, ResultForError(error, path, false)};
    struct stat status {};
    if (const int error = files.StatusOf(descriptor.Get(), status))
        return {{}, ResultForError(error, path, false)};
    if (S_ISDIR(status.st_mode)) return {{}, ResultForError(EISDIR, path, false)};
    if (!S_ISREG(status.st_mode)) return {{}, FileResult(Code::NotRegular, OpenFailedMessage)};
    const auto statedSize = static_cast<std::size_t>(std::max<off_t>(status.st_size, 0));
    if (statedSize > maximumSize) return {{}, FileResult(Code::TooLarge, OpenFailedMessage)};
    read.result = ReadAll(files, descriptor, path, statedSize, maximumSize, read.bytes);
    if (!read.result.Succeeded()) read.bytes.clear();
    return read;
}

FileResult ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes,
                       FileSystem& files) {
    const std::string target = ResolveTarget(files, path);
    // A rename would replace a write-protected file too; its owner asked for it to be kept.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0)
        return ResultForError(errno, path, true);
    std::string temporaryPath;
    Descriptor descriptor(files);
    if (const int error = CreateTemporary(files, descriptor, target, temporaryPath))
        return ResultForError(error, path, true);

    int error = FillTemporary(files, descriptor, target, bytes);
    if (error == 0) error = files.Rename(temporaryPath, target);
    if (error != 0) {
        files.Remove(temporaryPath);  // the old file was never touched
        return ResultForError(error, path, true);
    }
    if (const int flushError = files.FlushFolder(FolderOf(target)))
        return ResultForError(flushError, path, true);
    return FileResult::Success();
}

}  // namespace atomic_file
