#include "diary/Backups.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "diary/AtomicFile.h"
#include "diary/FileNames.h"
#include "diary/GastrologDoc.h"
#include "diary/HistoryFile.h"
#include "diary/LocalTime.h"

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

void RemoveOldCopies(const std::string& folder, TimeValue now, int keptDays, FileSystem& files) {
    const std::string oldestKept =
        calendar::Format(calendar::DaysEarlier(now, keptDays - 1), "%Y-%m-%d");
    std::vector<std::string> names;
    files.ListFolder(folder, names);
    for (const std::string& name : names)
        if (IsBackupName(name) && name.substr(0, DateLength) < oldestKept) {
            files.Remove(folder + "/" + name);
            files.Remove(history::PathFor(folder + "/" + name));  // the day's history goes too
        }
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

void AddCopiesIn(const std::string& folder, FileSystem& files, std::vector<Backup>& found) {
    std::vector<std::string> names;
    if (files.ListFolder(folder, names) != 0) return;
    std::sort(names.begin(), names.end(), std::greater<>());
    for (const std::string& name : names)
        if (IsBackupName(name)) found.push_back(Describe(folder, name, files));
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

std::vector<Backup> List(const std::string& root, const std::string& diaryPath, FileSystem& files) {
    std::vector<Backup> found;
    const std::string folder = FolderFor(root, diaryPath, files);
    if (!folder.empty()) AddCopiesIn(folder, files, found);
    return found;
}

std::vector<Backup> ListAll(const std::string& root, FileSystem& files) {
    std::vector<std::string> folders;
    std::vector<Backup> found;
    if (root.empty() || files.ListFolder(root, folders) != 0) return found;
    std::sort(folders.begin(), folders.end());
    for (const std::string& folder : folders) AddCopiesIn(root + "/" + folder, files, found);
    return found;
}

void KeepDailyCopy(const std::string& root, const std::string& diaryPath, TimeValue now,
                   int keptDays, FileSystem& files) {
    if (keptDays <= 0 || root.empty()) return;
    struct stat status {};
    if (files.Status(diaryPath, true, status) != 0 || !S_ISREG(status.st_mode)) return;
    const std::string folder = FolderFor(root, diaryPath, files);
    MakeFolders(folder, files);
    const std::string copy =
        folder + "/" + calendar::Format(now, "%Y-%m-%d") + std::string(Extension);
    struct stat existing {};
    if (files.Status(copy, false, existing) != 0) {
        const auto read = atomic_file::ReadWholeFile(diaryPath, MaximumDiaryFileSize, files);
        if (read.result.Succeeded()) {
            atomic_file::SaveOptions options;
            options.newFileMode = status.st_mode & 0777;
            if (atomic_file::ReplaceFile(copy, read.bytes, files, options).Succeeded())
                history::Copy(history::PathFor(diaryPath), history::PathFor(copy),
                              status.st_mode & 0777);
        }
    }
    RemoveOldCopies(folder, now, keptDays, files);
}

}  // namespace backups
