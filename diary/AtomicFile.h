#pragma once
// Whole-file reading and writing for the diary. Reading takes the file into memory at once,
// so decoding never touches the disk. Writing never destroys the previous file: the new
// bytes go to a temporary file in the same folder, are flushed to the disk and only then
// renamed over the old file.
//
// Every call works through the file system it is given, so tests can make any step fail.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "diary/FileResult.h"
#include "diary/FileSystem.h"

namespace atomic_file {

inline constexpr const char* OpenFailedMessage = "Failed to open document.";
inline constexpr const char* SaveFailedMessage = "Failed to save document.";

struct ReadResult {
    std::vector<std::uint8_t> bytes;
    FileResult result;
};

// Reads a regular file whole. A file larger than maximumSize is refused rather than read.
ReadResult ReadWholeFile(const std::string& path, std::size_t maximumSize,
                         FileSystem& files = RealFileSystem());

// Replaces the file's contents, or leaves the old file exactly as it was. A symbolic link is
// followed, so the link stays and its target receives the bytes.
FileResult ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes,
                       FileSystem& files = RealFileSystem());

// The result for an operating-system error while opening (reading) or saving a file.
FileResult ResultForError(int error, const std::string& path, bool saving);

}  // namespace atomic_file
