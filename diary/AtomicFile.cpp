#include "diary/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

namespace atomic_file {

namespace {

struct InjectedFault {
    WriteStep step;
    int error;
};
std::optional<InjectedFault> injectedFault;

// True (with errno set) when a test asked this step to fail.
bool FaultInjected(WriteStep step) {
    if (!injectedFault || injectedFault->step != step) return false;
    errno = injectedFault->error;
    return true;
}

std::string ReplacePlaceholder(std::string text, const std::string& path) {
    const auto placeholder = text.find("%1");
    if (placeholder != std::string::npos) text.replace(placeholder, 2, path);
    return text;
}

// Closes a descriptor once, whatever path the function takes.
class Descriptor {
public:
    explicit Descriptor(int descriptor = -1) : m_descriptor(descriptor) {}
    ~Descriptor() {
        if (m_descriptor >= 0) ::close(m_descriptor);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_descriptor; }
    bool IsOpen() const { return m_descriptor >= 0; }
    // Closes now and reports the result, as a failed close can mean lost data.
    int Close() {
        const int result = ::close(m_descriptor);
        m_descriptor = -1;
        return result;
    }

private:
    int m_descriptor;
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
std::string ResolveTarget(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path;  // a dangling link
    return resolved;
}

// Creates a new temporary file beside the target, never reusing an existing name.
int CreateTemporary(const std::string& target, std::string& temporaryPath) {
    if (FaultInjected(WriteStep::CreateTemporary)) return -1;
    static unsigned sequence = 0;
    const std::string stem =
        FolderOf(target) + "/." + NameOf(target) + "." + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = stem + std::to_string(++sequence) + ".tmp";
        const int descriptor =
            ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) return descriptor;
    }
    return -1;
}

// The new file keeps the old one's permissions and, where allowed, its owner.
void CopyPermissions(int descriptor, const std::string& target) {
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0) return;  // a new file: the umask decides
    ::fchmod(descriptor, status.st_mode & 07777);
    if (::fchown(descriptor, status.st_uid, status.st_gid) != 0) {
        // Only a privileged process may give the file away; the new file stays ours.
    }
}

bool WriteAll(int descriptor, std::span<const std::uint8_t> bytes) {
    if (FaultInjected(WriteStep::Write)) return false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t result = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (result < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        written += static_cast<std::size_t>(result);
    }
    return true;
}

bool FlushFolder(const std::string& folder) {
    if (FaultInjected(WriteStep::FlushFolder)) return false;
    Descriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!descriptor.IsOpen()) return false;
    // Some file systems cannot flush a folder; the rename is then as durable as they allow.
    return ::fsync(descriptor.Get()) == 0 || errno == EINVAL || errno == ENOTSUP;
}

// Writes, flushes and closes the temporary file; on failure errno tells why.
bool FillTemporary(Descriptor& descriptor, const std::string& target,
                   std::span<const std::uint8_t> bytes) {
    CopyPermissions(descriptor.Get(), target);
    if (!WriteAll(descriptor.Get(), bytes)) return false;
    if (FaultInjected(WriteStep::Flush) || ::fsync(descriptor.Get()) != 0) return false;
    if (FaultInjected(WriteStep::Close)) return false;
    return descriptor.Close() == 0;
}

std::string ReadFailure(int error, const std::string& path) {
    return MessageForError(error, path, false);
}

}  // namespace

std::string MessageForError(int error, const std::string& path, bool saving) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return ReplacePlaceholder("%1 was not found.", path);
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return ReplacePlaceholder("Access to %1 was denied.", path);
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return ReplacePlaceholder("Disk full while accessing %1.", path);
        case EBUSY:
        case ETXTBSY:
            return ReplacePlaceholder("A sharing violation occurred while accessing %1.", path);
        default:
            return saving ? SaveFailedMessage : OpenFailedMessage;
    }
}

ReadResult ReadWholeFile(const std::string& path, std::size_t maximumSize) {
    ReadResult result;
    // Non-blocking, so that a named pipe cannot hang the open; it is refused just below.
    Descriptor descriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!descriptor.IsOpen()) return {{}, ReadFailure(errno, path)};
    struct stat status {};
    if (::fstat(descriptor.Get(), &status) != 0) return {{}, ReadFailure(errno, path)};
    if (S_ISDIR(status.st_mode)) return {{}, ReadFailure(EISDIR, path)};
    if (!S_ISREG(status.st_mode)) return {{}, OpenFailedMessage};
    const auto statedSize = static_cast<std::size_t>(std::max<off_t>(status.st_size, 0));
    if (statedSize > maximumSize) return {{}, OpenFailedMessage};

    // One byte more than stated, to see the end (or a file that grew meanwhile).
    result.bytes.resize(statedSize + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == result.bytes.size()) {
            if (filled > maximumSize) return {{}, OpenFailedMessage};
            result.bytes.resize(std::min(2 * filled, maximumSize + 1));
        }
        const ssize_t count =
            ::read(descriptor.Get(), result.bytes.data() + filled, result.bytes.size() - filled);
        if (count < 0) {
            if (errno == EINTR) continue;
            return {{}, ReadFailure(errno, path)};
        }
        if (count == 0) break;
        filled += static_cast<std::size_t>(count);
    }
    result.bytes.resize(filled);
    return result;
}

std::string ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string target = ResolveTarget(path);
    // A rename would replace a write-protected file too; its owner asked for it to be kept.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0)
        return MessageForError(errno, path, true);
    std::string temporaryPath;
    Descriptor descriptor(CreateTemporary(target, temporaryPath));
    if (!descriptor.IsOpen()) return MessageForError(errno, path, true);

    bool renamed = false;
    if (FillTemporary(descriptor, target, bytes)) {
        renamed = !FaultInjected(WriteStep::Rename) &&
                  ::rename(temporaryPath.c_str(), target.c_str()) == 0;
    }
    if (!renamed) {
        const int error = errno;
        ::unlink(temporaryPath.c_str());  // the old file was never touched
        return MessageForError(error, path, true);
    }
    if (!FlushFolder(FolderOf(target))) return MessageForError(errno, path, true);
    return {};
}

ScopedWriteFault::ScopedWriteFault(WriteStep step, int error) {
    injectedFault = InjectedFault{step, error};
}

ScopedWriteFault::~ScopedWriteFault() {
    injectedFault.reset();
}

}  // namespace atomic_file
