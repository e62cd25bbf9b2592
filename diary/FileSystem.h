#pragma once
// The file-system calls the diary's file layer makes, behind an interface so that tests can
// make any one of them fail. Every call returns 0 or the errno value that describes its
// failure; nothing is reported through the global errno.

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual int Open(const std::string& path, int flags, mode_t mode, int& descriptor) = 0;
    // Writes every byte, resuming after interruptions.
    virtual int WriteAll(int descriptor, const void* data, std::size_t size) = 0;
    // Reads up to `size` bytes; `count` is 0 at the end of the file.
    virtual int Read(int descriptor, void* data, std::size_t size, std::size_t& count) = 0;
    virtual int Flush(int descriptor) = 0;
    virtual int Close(int descriptor) = 0;
    virtual int SetMode(int descriptor, mode_t mode) = 0;
    virtual int SetOwner(int descriptor, uid_t owner, gid_t group) = 0;
    virtual int Rename(const std::string& from, const std::string& to) = 0;
    virtual int Remove(const std::string& path) = 0;
    // A second name for an existing file; EEXIST when `to` exists, which it never replaces.
    virtual int Link(const std::string& from, const std::string& to) = 0;
    virtual int MakeFolder(const std::string& path, mode_t mode) = 0;
    // The status of the file a path names; a symbolic link itself when followLinks is false.
    virtual int Status(const std::string& path, bool followLinks, struct stat& status) = 0;
    virtual int StatusOf(int descriptor, struct stat& status) = 0;
    // Makes the names in a folder durable (after a rename).
    virtual int FlushFolder(const std::string& folder) = 0;
    virtual int ListFolder(const std::string& folder, std::vector<std::string>& names) = 0;
    // The canonical path of an existing file, every link followed.
    virtual int RealPath(const std::string& path, std::string& resolved) = 0;
    // The longest file name the folder's file system takes.
    virtual std::size_t LongestName(const std::string& folder) = 0;
};

// The operating system's file system.
class PosixFileSystem : public FileSystem {
public:
    int Open(const std::string& path, int flags, mode_t mode, int& descriptor) override;
    int WriteAll(int descriptor, const void* data, std::size_t size) override;
    int Read(int descriptor, void* data, std::size_t size, std::size_t& count) override;
    int Flush(int descriptor) override;
    int Close(int descriptor) override;
    int SetMode(int descriptor, mode_t mode) override;
    int SetOwner(int descriptor, uid_t owner, gid_t group) override;
    int Rename(const std::string& from, const std::string& to) override;
    int Remove(const std::string& path) override;
    int Link(const std::string& from, const std::string& to) override;
    int MakeFolder(const std::string& path, mode_t mode) override;
    int Status(const std::string& path, bool followLinks, struct stat& status) override;
    int StatusOf(int descriptor, struct stat& status) override;
    int FlushFolder(const std::string& folder) override;
    int ListFolder(const std::string& folder, std::vector<std::string>& names) override;
    int RealPath(const std::string& path, std::string& resolved) override;
    std::size_t LongestName(const std::string& folder) override;
};

// The one real file system, for callers that are given none.
FileSystem& RealFileSystem();
