#pragma once
// Files the programs make from a diary (reports, page pictures, CSV and JSON exports). They are
// written the way a diary is saved (a temporary file beside the target, flushed, renamed over
// it), with the diary's own permissions, and never over a diary: a slip of the name after -o
// must not turn the diary into a PDF.

#include <sys/types.h>

#include <cstdint>
#include <span>
#include <string>

#include "diary/FileResult.h"
#include "diary/FileSystem.h"

namespace output_file {

// Whether the bytes begin as a stored diary does: its time, day count and food names, then the
// introduction of the first record class its lists hold. A damaged diary still counts.
bool BeginsAsDiary(std::span<const std::uint8_t> bytes);

// Whether the file at `path` reads as a diary (false when it cannot be read at all).
bool IsDiaryFile(const std::string& path, FileSystem& files = RealFileSystem());

// The permissions an output made from the diary at `diaryPath` is created with: the diary's
// own, or those of a new diary (0600) when it has no file.
mode_t ModeForOutputOf(const std::string& diaryPath, FileSystem& files = RealFileSystem());

// Refuses an output path that is the diary it is made from (the same file under any name) or
// that holds a diary. `diaryPath` may be empty.
FileResult CheckTarget(const std::string& path, const std::string& diaryPath,
                       FileSystem& files = RealFileSystem());

// CheckTarget, then writes the bytes safely; an existing output keeps its permissions, a new one
// gets those of ModeForOutputOf.
FileResult Write(const std::string& path, std::span<const std::uint8_t> bytes,
                 const std::string& diaryPath, FileSystem& files = RealFileSystem());
FileResult Write(const std::string& path, const std::string& bytes, const std::string& diaryPath,
                 FileSystem& files = RealFileSystem());

}  // namespace output_file
