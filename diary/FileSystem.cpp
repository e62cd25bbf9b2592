#include "diary/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

int Result(int returned) {
    return returned == 0 ? 0 : errno;
}

}  // namespace

int PosixFileSystem::Open(const std::string& path, int flags, mode_t mode, int& descriptor) {
    descriptor = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    return descriptor >= 0 ? 0 : errno;
}

int PosixFileSystem::WriteAll(int descriptor, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    std::size_t written = 0;
    while (written < size) {
        const ssize_t result = ::write(descriptor, bytes + written, size - written);
        if (result < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        written += static_cast<std::size_t>(result);
    }
    return 0;
}

int PosixFileSystem::Read(int descriptor, void* data, std::size_t size, std::size_t& count) {
    for (;;) {
        const ssize_t result = ::read(descriptor, data, size);
        if (result >= 0) {
            count = static_cast<std::size_t>(result);
            return 0;
        }
        if (errno != EINTR) return errno;
    }
}

int PosixFileSystem::Flush(int descriptor) {
    return Result(::fsync(descriptor));
}

int PosixFileSystem::Close(int descriptor) {
    return Result(::close(descriptor));
}

int PosixFileSystem::SetMode(int descriptor, mode_t mode) {
    return Result(::fchmod(descriptor, mode));
}

int PosixFileSystem::SetOwner(int descriptor, uid_t owner, gid_t group) {
    return Result(::fchown(descriptor, owner, group));
}

int PosixFileSystem::Rename(const std::string& from, const std::string& to) {
    return Result(::rename(from.c_str(), to.c_str()));
}

int PosixFileSystem::Remove(const std::string& path) {
    return Result(::unlink(path.c_str()));
}

int PosixFileSystem::Link(const std::string& from, const std::string& to) {
    return Result(::link(from.c_str(), to.c_str()));
}

int PosixFileSystem::MakeFolder(const std::string& path, mode_t mode) {
    return Result(::mkdir(path.c_str(), mode));
}

int PosixFileSystem::Status(const std::string& path, bool followLinks, struct stat& status) {
    return Result(followLinks ? ::stat(path.c_str(), &status) : ::lstat(path.c_str(), &status));
}

int PosixFileSystem::StatusOf(int descriptor, struct stat& status) {
    return Result(::fstat(descriptor, &status));
}

int PosixFileSystem::FlushFolder(const std::string& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return errno;
    int error = Result(::fsync(descriptor));
    // Some file systems cannot flush a folder; the rename is then as durable as they allow.
    if (error == EINVAL || error == ENOTSUP) error = 0;
    ::close(descriptor);
    return error;
}

int PosixFileSystem::ListFolder(const std::string& folder, std::vector<std::string>& names) {
    DIR* directory = ::opendir(folder.c_str());
    if (directory == nullptr) return errno;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(directory);
    return 0;
}

int PosixFileSystem::RealPath(const std::string& path, std::string& resolved) {
    char buffer[PATH_MAX];
    if (::realpath(path.c_str(), buffer) == nullptr) return errno;
    resolved = buffer;
    return 0;
}

std::size_t PosixFileSystem::LongestName(const std::string& folder) {
    const long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return longest > 0 ? static_cast<std::size_t>(longest) : NAME_MAX;
}

FileSystem& RealFileSystem() {
    static PosixFileSystem system;
    return system;
}
