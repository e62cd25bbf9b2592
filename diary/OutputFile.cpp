#include "diary/OutputFile.h"

#include <sys/stat.h>

#include "diary/Archive.h"
#include "diary/AtomicFile.h"
#include "diary/Food.h"
#include "diary/GastrologDoc.h"
#include "diary/Hidden.h"
#include "diary/Symptom.h"

namespace output_file {

namespace {

constexpr mode_t NewDiaryMode = 0600;

// The introduction of a record class as the writer puts it before a list's first record.
bool IntroducesClass(CArchive& archive, std::string_view className) {
    if (archive.ReadU16() != CArchive::NewClassTag || archive.ReadU16() != CArchive::Schema)
        return false;
    const std::size_t length = archive.ReadU16();
    if (length != className.size() || archive.Remaining() < length) return false;
    std::string name;
    for (std::size_t index = 0; index < length; ++index)
        name.push_back(static_cast<char>(archive.ReadU8()));
    return name == className;
}

// A list of records, empty or starting with the class's introduction.
enum class ListStart { Empty, Records, Other };
ListStart ReadListStart(CArchive& archive, std::string_view className) {
    if (archive.ReadCount(sizeof(std::uint16_t)) == 0) return ListStart::Empty;
    return IntroducesClass(archive, className) ? ListStart::Records : ListStart::Other;
}

FileResult DiaryRefusal(const std::string& path) {
    return FileResult(FileResult::Code::IsDiary,
                      path + " is a Gastrolog diary; choose another name for the report.", true);
}

}  // namespace

bool BeginsAsDiary(std::span<const std::uint8_t> bytes) {
    CArchive archive(bytes);
    try {
        archive.ReadTime();
        archive.ReadI32();
        archive.ReadStringList();
        if (const ListStart foods = ReadListStart(archive, CFood::ClassName);
            foods != ListStart::Empty)
            return foods == ListStart::Records;
        archive.ReadStringList();
        if (const ListStart symptoms = ReadListStart(archive, CSymptom::ClassName);
            symptoms != ListStart::Empty)
            return symptoms == ListStart::Records;
        return ReadListStart(archive, CHidden::ClassName) == ListStart::Records;
    } catch (const CArchiveException&) {
        return false;
    }
}

bool IsDiaryFile(const std::string& path, FileSystem& files) {
    // A file larger than any diary the reader takes is no diary.
    const atomic_file::ReadResult read =
        atomic_file::ReadWholeFile(path, MaximumDiaryFileSize, files);
    return read.result.Succeeded() && BeginsAsDiary(read.bytes);
}

mode_t ModeForOutputOf(const std::string& diaryPath, FileSystem& files) {
    struct stat status {};
    if (diaryPath.empty() || files.Status(diaryPath, true, status) != 0 || !S_ISREG(status.st_mode))
        return NewDiaryMode;
    return status.st_mode & 0777;
}

FileResult CheckTarget(const std::string& path, const std::string& diaryPath, FileSystem& files) {
    struct stat target {};
    if (files.Status(path, true, target) != 0) return FileResult::Success();  // a new file
    if (S_ISDIR(target.st_mode)) return atomic_file::ResultForError(EISDIR, path, true);
    if (!S_ISREG(target.st_mode))
        return FileResult(FileResult::Code::NotRegular,
                          path +
                              " is not a regular file (a device or a pipe); nothing was "
                              "written.",
                          true);
    struct stat diary {};
    if (!diaryPath.empty() && files.Status(diaryPath, true, diary) == 0 &&
        diary.st_dev == target.st_dev && diary.st_ino == target.st_ino)
        return DiaryRefusal(path);
    if (IsDiaryFile(path, files)) return DiaryRefusal(path);
    return FileResult::Success();
}

FileResult Write(const std::string& path, std::span<const std::uint8_t> bytes,
                 const std::string& diaryPath, FileSystem& files) {
    if (FileResult check = CheckTarget(path, diaryPath, files); !check.IsOk()) return check;
    atomic_file::SaveOptions options;
    options.newFileMode = ModeForOutputOf(diaryPath, files);
    // Another name of an old report keeps the old report.
    options.splitHardLinks = true;
    return atomic_file::ReplaceFile(path, bytes, files, options);
}

FileResult Write(const std::string& path, const std::string& bytes, const std::string& diaryPath,
                 FileSystem& files) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return Write(path, std::span<const std::uint8_t>(data, bytes.size()), diaryPath, files);
}

}  // namespace output_file
