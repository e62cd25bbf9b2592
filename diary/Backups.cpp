#include "diary/Backups.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "diary/AtomicFile.h"
#include "diary/FileNames.h"
#include "diary/GastrologDoc.h"
#include "diary/HistoryFile.h"
#include "diary/LocalTime.h"
#include "diary/QuietPorts.h"

namespace backups {

namespace {

constexpr std::string_view Extension = ".glg";
constexpr std::size_t DateLength = 10;  // YYYY-MM-DD
constexpr std::size_t HashLength = 16;
// Short enough that NAME-HASH stays far within any file system's name limit.
constexpr std::size_t LongestStem = 100;

std::uint64_t PathHash(const std::string& path) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char byte : path) hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

std::string Hex(std::uint64_t value) {
    static constexpr char Digits[] = "0123456789abcdef";
    std::string text(HashLength, '0');
    for (std::size_t index = HashLength; index-- > 0; value >>= 4) text[index] = Digits[value & 15];
    return text;
}

bool IsDigit(char character) {
    return character >= '0' && character <= '9';
}

bool IsBackupName(const std::string& name) {
    if (name.size() != DateLength + Extension.size() || !name.ends_with(Extension)) return false;
    for (std::size_t index = 0; index < DateLength; ++index)
        if (index == 4 || index == 7 ? name[index] != '-' : !IsDigit(name[index])) return false;
    return true;
}

// The diary's name from its folder's "NAME-HASH".
std::string DiaryNameOf(const std::string& folderName) {
    if (folderName.size() <= HashLength + 1) return folderName;
    return folderName.substr(0, folderName.size() - HashLength - 1);
}

// The name cut to LongestStem bytes, never inside a UTF-8 character.
std::string Stem(const std::string& name) {
    std::size_t length = std::min(name.size(), LongestStem);
    while (length < name.size() && length > 0 && (name[length] & 0xC0) == 0x80) --length;
    return name.substr(0, length);
}

// Creates every missing folder of the path, private to the user.
void MakeFolders(const std::string& path, FileSystem& files) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        files.MakeFolder(path.substr(0, slash), 0700);
    files.MakeFolder(path, 0700);
}

std::vector<std::string> CopyNames(const std::string& folder, FileSystem& files) {
    std::vector<std::string> names, copies;
    files.ListFolder(folder, names);
    for (const std::string& name : names)
        if (IsBackupName(name)) copies.push_back(name);
    std::sort(copies.begin(), copies.end(), std::greater<>());
    return copies;
}

std::vector<std::string> DatesOf(const std::vector<std::string>& names) {
    std::vector<std::string> dates;
    for (const std::string& name : names) dates.push_back(name.substr(0, DateLength));
    return dates;
}

std::string DayOf(std::optional<TimeValue> now) {
    return calendar::Format(now ? *now : SystemClock().Now(), "%Y-%m-%d");
}

void Rotate(const std::string& folder, const std::string& today, int keptDays, FileSystem& files) {
    const std::vector<std::string> names = CopyNames(folder, files);
    const auto kinds = KindsToKeep(DatesOf(names), today, keptDays);
    for (std::size_t index = 0; index < names.size(); ++index)
        if (!kinds[index]) {
            files.Remove(folder + "/" + names[index]);
            files.Remove(history::PathFor(folder + "/" + names[index]));  // its history too
        }
}

bool SameBytes(const std::string& first, const std::string& second, FileSystem& files) {
    const auto one = atomic_file::ReadWholeFile(first, MaximumDiaryFileSize, files);
    const auto other = atomic_file::ReadWholeFile(second, MaximumDiaryFileSize, files);
    return one.result.Succeeded() && other.result.Succeeded() && one.bytes == other.bytes;
}

bool IsFolder(const std::string& path, FileSystem& files) {
    struct stat status {};
    return files.Status(path, true, status) == 0 && S_ISDIR(status.st_mode);
}

std::string NoCopy(const std::string& diaryPath, const std::string& why) {
    return "No daily copy of " + diaryPath + " was made: " + why;
}

Backup Describe(const std::string& folder, const std::string& name, FileSystem& files) {
    Backup backup{folder + "/" + name, DiaryNameOf(file_names::NameOf(folder)),
                  name.substr(0, DateLength)};
    DocumentPorts ports;
    ports.files = &files;
    CGastrologDoc copy(ports);
    backup.readable = copy.ReadFile(backup.path).Succeeded();
    backup.dayCount = copy.DayCount();
    backup.foods = copy.Foods().size();
    backup.symptoms = copy.Symptoms().size();
    return backup;
}

void AddCopiesIn(const std::string& folder, FileSystem& files, int keptDays,
                 const std::string& today, std::vector<Backup>& found) {
    const std::vector<std::string> names = CopyNames(folder, files);
    const auto kinds = KindsToKeep(DatesOf(names), today, keptDays);
    for (std::size_t index = 0; index < names.size(); ++index) {
        found.push_back(Describe(folder, names[index], files));
        found.back().kind = kinds[index].value_or(CopyKind::Leaving);
    }
}

}  // namespace

std::string DefaultRootFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/') return std::string(data) + "/gastrolog/backups";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/share/gastrolog/backups";
    return {};
}

std::string FolderFor(const std::string& root, const std::string& diaryPath, FileSystem& files) {
    if (root.empty()) return {};
    // The folder's canonical path, not the file's: a missing diary keeps its copies' folder.
    std::string folder;
    if (files.RealPath(file_names::FolderOf(diaryPath), folder) != 0)
        folder = file_names::FolderOf(diaryPath);
    const std::string name = file_names::NameOf(diaryPath);
    return root + "/" + Stem(name) + "-" + Hex(PathHash(folder + "/" + name));
}

std::vector<Backup> List(const std::string& root, const std::string& diaryPath, FileSystem& files,
                         int keptDays, std::optional<TimeValue> now) {
    std::vector<Backup> found;
    const std::string folder = FolderFor(root, diaryPath, files);
    if (!folder.empty()) AddCopiesIn(folder, files, keptDays, DayOf(now), found);
    return found;
}

std::vector<Backup> ListAll(const std::string& root, FileSystem& files, int keptDays,
                            std::optional<TimeValue> now) {
    std::vector<std::string> folders;
    std::vector<Backup> found;
    if (root.empty() || files.ListFolder(root, folders) != 0) return found;
    std::sort(folders.begin(), folders.end());
    for (const std::string& folder : folders)
        AddCopiesIn(root + "/" + folder, files, keptDays, DayOf(now), found);
    return found;
}

FileResult CopyOneFile(const std::string& from, const std::string& to, FileSystem& files) {
    const auto read = atomic_file::ReadWholeFile(from, MaximumDiaryFileSize, files);
    if (!read.result.Succeeded()) return FileResult(read.result).AboutFile(from);
    struct stat status {};
    atomic_file::SaveOptions options;
    if (files.Status(from, true, status) == 0) options.newFileMode = status.st_mode & 0777;
    return atomic_file::ReplaceFile(to, read.bytes, files, options);
}

namespace {

// Today's copy, unless it exists or the newest copy holds the same bytes.
CopyOutcome MakeTodaysCopy(const std::string& folder, const std::string& diaryPath,
                           const std::string& today, FileSystem& files) {
    const std::string copy = folder + "/" + today + std::string(Extension);
    struct stat existing {};
    if (files.Status(copy, false, existing) == 0) return {};
    const std::vector<std::string> names = CopyNames(folder, files);
    if (!names.empty() && SameBytes(diaryPath, folder + "/" + names[0], files)) return {};
    const FileResult result = CopyOneFile(diaryPath, copy, files);
    if (!result.Succeeded()) return {{}, NoCopy(diaryPath, result.Message())};
    struct stat status {};
    const mode_t mode = files.Status(copy, true, status) == 0 ? (status.st_mode & 0777) : 0600;
    // The diary's copy is what matters; a history that cannot be copied is left out.
    history::Copy(history::PathFor(diaryPath), history::PathFor(copy), mode);
    return {copy, {}};
}

}  // namespace

CopyOutcome KeepDailyCopy(const std::string& root, const std::string& diaryPath, TimeValue now,
                          int keptDays, FileSystem& files) {
    if (root.empty()) return {};
    const std::string folder = FolderFor(root, diaryPath, files);
    const std::string today = calendar::Format(now, "%Y-%m-%d");
    if (keptDays <= 0) {
        if (IsFolder(folder, files)) Rotate(folder, today, 0, files);
        return {};
    }
    struct stat status {};
    if (files.Status(diaryPath, true, status) != 0 || !S_ISREG(status.st_mode)) return {};
    MakeFolders(folder, files);
    if (!IsFolder(folder, files))
        return {{}, NoCopy(diaryPath, "the folder " + folder + " cannot be made.")};
    const CopyOutcome outcome = MakeTodaysCopy(folder, diaryPath, today, files);
    Rotate(folder, today, keptDays, files);
    return outcome;
}

}  // namespace backups
