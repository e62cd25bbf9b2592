#pragma once
// Whole-file reading and writing for the diary. Reading takes the file into memory at once,
// so decoding never touches the disk. Writing never destroys the previous file: the new
// bytes go to a temporary file in the same folder, are flushed to the disk and only then
// renamed over the old file.
//
// Failures come back as the messages the user sees, with %1 already replaced by the path.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace atomic_file {

inline constexpr const char* OpenFailedMessage = "Failed to open document.";
inline constexpr const char* SaveFailedMessage = "Failed to save document.";

struct ReadResult {
    std::vector<std::uint8_t> bytes;
    std::string error;  // empty on success
};

// Reads a regular file whole. A file larger than maximumSize is refused with the open
// failure message rather than read.
ReadResult ReadWholeFile(const std::string& path, std::size_t maximumSize);

// Replaces the file's contents, or leaves the old file exactly as it was. A symbolic link is
// followed, so the link stays and its target receives the bytes. Returns the failure message,
// or an empty string on success.
std::string ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes);

// The user's message for an operating-system error while opening (reading) or saving.
std::string MessageForError(int error, const std::string& path, bool saving);

// The steps of ReplaceFile, so that tests can make one of them fail.
enum class WriteStep { CreateTemporary, Write, Flush, Close, Rename, FlushFolder };

// While alive, the given step of every ReplaceFile fails with the given errno value.
class ScopedWriteFault {
public:
    ScopedWriteFault(WriteStep step, int error);
    ~ScopedWriteFault();
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

}  // namespace atomic_file
