#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <tuple>

#include "diary/AtomicFile.h"
#include "diary/GastrologDoc.h"
#include "diary/QuietPorts.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/PretendProcesses.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// The names in a folder, sorted.
std::vector<std::string> NamesIn(const TemporaryFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

Bytes Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void Put(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
}

const Bytes OldDiary{'o', 'l', 'd', 0, 1, 2};
const Bytes NewDiary{'n', 'e', 'w', 3, 4, 5, 6};

// ---- replacing a file

TEST(ReplaceFile, WritesANewFileThenReplacesItKeepingItsPermissionsAndNothingElse) {
    TemporaryFolder folder;
    const std::string path = folder.File("diary.glg");
    EXPECT_EQ(atomic_file::ReplaceFile(path, OldDiary).Message(), "");
    EXPECT_EQ(Contents(path), OldDiary);
    ::chmod(path.c_str(), 0640);
    EXPECT_EQ(atomic_file::ReplaceFile(path, NewDiary).Message(), "");
    EXPECT_EQ(Contents(path), NewDiary);
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_THAT(NamesIn(folder), testing::ElementsAre("diary.glg"));
}

TEST(ReplaceFile, FollowsASymbolicLinkSoTheLinkSurvives) {
    TemporaryFolder folder;
    const std::string target = folder.File("real.glg"), link = folder.File("link.glg");
    Put(target, OldDiary);
    fs::create_symlink(target, link);
    EXPECT_EQ(atomic_file::ReplaceFile(link, NewDiary).Message(), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Contents(target), NewDiary);
}

TEST(ReplaceFile, AWriteProtectedFileIsKept) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write to any file";
    TemporaryFolder folder;
    const std::string path = folder.File("diary.glg");
    Put(path, OldDiary);
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(atomic_file::ReplaceFile(path, NewDiary).Message(),
              "Access to " + path + " was denied.");
    EXPECT_EQ(Contents(path), OldDiary);
}

TEST(ReplaceFile, AMissingFolderOrATargetThatIsAFolderIsReportedAndLeftAlone) {
    TemporaryFolder folder;
    const std::string missing = folder.File("missing/diary.glg"), path = folder.File("diary.glg");
    EXPECT_EQ(atomic_file::ReplaceFile(missing, NewDiary).Message(),
              "The folder " + folder.File("missing") + " was not found.");
    EXPECT_TRUE(NamesIn(folder).empty());
    fs::create_directory(path);
    EXPECT_EQ(atomic_file::ReplaceFile(path, NewDiary).Message(),
              "Access to " + path + " was denied.");
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_THAT(NamesIn(folder), testing::ElementsAre("diary.glg"));
}

TEST(ReplaceFile, AnInterruptedSaveAtAnyStepLeavesTheOldFileExactlyAsItWas) {
    TemporaryFolder folder;
    const std::string path = folder.File("diary.glg");
    const std::string denied = "Access to " + path + " was denied.",
                      full = "Disk full while accessing " + path + ".",
                      failed = "Failed to save document.";
    const std::tuple<FileStep, int, std::string> cases[] = {
        {FileStep::CreateFile, EACCES, denied},
        {FileStep::Write, ENOSPC, full},
        {FileStep::Write, EIO, failed},
        {FileStep::Flush, EDQUOT, full},
        {FileStep::Close, EIO, failed},
        {FileStep::Rename, EBUSY, "A sharing violation occurred while accessing " + path + "."},
        {FileStep::Rename, EROFS, denied}};
    for (const auto& [step, error, message] : cases) {
        SCOPED_TRACE(static_cast<int>(step));
        SCOPED_TRACE(error);
        Put(path, OldDiary);
        FaultyFileSystem files(step, error);
        EXPECT_EQ(atomic_file::ReplaceFile(path, NewDiary, files).Message(), message);
        EXPECT_EQ(Contents(path), OldDiary);
        EXPECT_THAT(NamesIn(folder), testing::ElementsAre("diary.glg"));  // no temporary left
        // Once the fault is gone the same save goes through.
        EXPECT_EQ(atomic_file::ReplaceFile(path, NewDiary).Message(), "");
        EXPECT_EQ(Contents(path), NewDiary);
    }
}

// Each situation prepares the folder and says what the save must answer, what the diary's
// path must hold afterwards, and which names the folder must hold.
struct SaveSituation {
    const char* what;
    std::function<void(const TemporaryFolder&, FaultyFileSystem&, atomic_file::SaveOptions&)>
        prepare;
    FileResult::Code code;
    std::string message;  // %1 is the diary's path
    Bytes afterwards;     // empty: the path is not a regular file afterwards
    std::vector<std::string> names;
};

using Options = atomic_file::SaveOptions;

const SaveSituation SaveSituations[] = {
    {"a folder that cannot be flushed",
     [](const TemporaryFolder& f, FaultyFileSystem& files, Options&) {
         Put(f.File("diary.glg"), OldDiary);
         files.Fail(FileStep::FlushFolder, EIO);
     },
     FileResult::Code::SavedNotFlushed,
     "%1 was saved, but its folder could not be flushed to the disk.",
     NewDiary,
     {"diary.glg"}},
    {"a named pipe",
     [](const TemporaryFolder& f, FaultyFileSystem&, Options&) {
         ::mkfifo(f.File("diary.glg").c_str(), 0600);
     },
     FileResult::Code::NotRegular,
     "%1 is not a regular file; a diary is saved only as a regular file, so nothing was saved.",
     {},
     {"diary.glg"}},
    {"a link into a missing folder",
     [](const TemporaryFolder& f, FaultyFileSystem&, Options&) {
         fs::create_symlink(f.File("gone/x.glg"), f.File("diary.glg"));
     },
     FileResult::Code::NotRegular,
     "%1 is a link to a file that does not exist; nothing was saved.",
     {},
     {"diary.glg"}},
    {"a file changed since it was read",
     [](const TemporaryFolder& f, FaultyFileSystem&, Options& options) {
         Put(f.File("diary.glg"), OldDiary);
         struct stat status {};
         ::stat(f.File("diary.glg").c_str(), &status);
         options.expected = atomic_file::IdentityOf(status);
         Put(f.File("diary.glg"), Bytes{'o', 't', 'h', 'e', 'r'});
     },
     FileResult::Code::ChangedOnDisk,
     "%1 was changed by another program since you opened it.",
     Bytes{'o', 't', 'h', 'e', 'r'},
     {"diary.glg"}},
    {"a file with a second hard link",
     [](const TemporaryFolder& f, FaultyFileSystem&, Options&) {
         Put(f.File("diary.glg"), OldDiary);
         fs::create_hard_link(f.File("diary.glg"), f.File("other.glg"));
     },
     FileResult::Code::HardLinked,
     "%1 has other names (hard links). Saving writes a new file, and the other names keep the "
     "old diary.",
     OldDiary,
     {"diary.glg", "other.glg"}},
    {"a stale temporary file of a process that is gone",
     [](const TemporaryFolder& f, FaultyFileSystem&, Options& options) {
         Put(f.File("diary.glg"), OldDiary);
         Put(f.File(".diary.glg.999999-3.tmp"), OldDiary);
         Put(f.File(".diary.glg.x-3.tmp"), OldDiary);  // not one of ours: kept
         static PretendProcesses othersGone;
         othersGone.PretendOtherProcessesGone();
         options.processes = &othersGone;
     },
     FileResult::Code::Ok,
     "",
     NewDiary,
     {".diary.glg.x-3.tmp", "diary.glg"}},
};

TEST(ReplaceFile, EverySaveSituationGivesItsResultAndLeavesTheFolderClean) {
    for (const SaveSituation& situation : SaveSituations) {
        SCOPED_TRACE(situation.what);
        TemporaryFolder folder;
        FaultyFileSystem files;
        Options options;
        situation.prepare(folder, files, options);
        const std::string path = folder.File("diary.glg");
        const FileResult result = atomic_file::ReplaceFile(path, NewDiary, files, options);
        EXPECT_EQ(result.GetCode(), situation.code);
        std::string message = situation.message;
        if (const auto at = message.find("%1"); at != std::string::npos)
            message.replace(at, 2, path);
        EXPECT_EQ(result.Message(), message);
        if (situation.afterwards.empty())
            EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(path)));
        else
            EXPECT_EQ(Contents(path), situation.afterwards);
        EXPECT_EQ(NamesIn(folder), situation.names);
    }
}

// Records the mode every new file is created with.
// Another program replaces (or creates) the file while the new bytes are written and flushed:
// the check just before the rename refuses the save and keeps the other program's file.
TEST(ReplaceFile, AFileReplacedWhileTheNewBytesAreFlushedIsKept) {
    const Bytes theirs{'t', 'h', 'e', 'i', 'r', 's'};
    for (const bool existed : {true, false}) {
        TemporaryFolder folder;
        const std::string path = folder.File("diary.glg");
        if (existed) Put(path, OldDiary);
        atomic_file::SaveOptions options;
        if (existed) options.expected = atomic_file::ReadWholeFile(path, 100).identity;
        FaultyFileSystem files;
        files.Before(FileStep::Flush, [&] {
            Put(folder.File("theirs"), theirs);
            fs::rename(folder.File("theirs"), path);
        });
        const FileResult result = atomic_file::ReplaceFile(path, NewDiary, files, options);
        EXPECT_EQ(result.GetCode(), FileResult::Code::ChangedOnDisk) << existed;
        EXPECT_EQ(Contents(path), theirs);
        EXPECT_EQ(NamesIn(folder), std::vector<std::string>{"diary.glg"});
    }
}

class ModeSpy : public FaultyFileSystem {
public:
    int Open(const std::string& file, int flags, mode_t mode, int& descriptor) override {
        if (flags & O_CREAT) createdModes.push_back(mode);
        return FaultyFileSystem::Open(file, flags, mode, descriptor);
    }
    std::vector<mode_t> createdModes;
};

TEST(ReplaceFile, ATemporaryFileIsPrivateFromTheStartAndItsNameFitsWhateverTheDiarysName) {
    TemporaryFolder folder;
    // The second name is as long as a file system allows: the temporary name must shrink.
    for (const std::string& name : {std::string("diary.glg"), std::string(251, 'd') + ".glg"}) {
        SCOPED_TRACE(name.size());
        const std::string path = folder.File(name);
        ModeSpy files;
        ASSERT_EQ(atomic_file::ReplaceFile(path, OldDiary, files).Message(), "");
        struct stat status {};
        ASSERT_EQ(::stat(path.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0600u);  // a new diary is the user's alone
        ::chmod(path.c_str(), 0640);
        ASSERT_EQ(atomic_file::ReplaceFile(path, NewDiary, files).Message(), "");
        EXPECT_THAT(files.createdModes, testing::ElementsAre(0600u, 0640u));
        EXPECT_EQ(Contents(path), NewDiary);
        fs::remove(path);
    }
}

// ---- reading a file

TEST(ReadWholeFile, ReadsEveryByteOfAFileUpToTheLimit) {
    TemporaryFolder folder;
    const std::string path = folder.File("diary.glg");
    Bytes bytes(100000);
    for (std::size_t index = 0; index < bytes.size(); ++index)
        bytes[index] = static_cast<std::uint8_t>(index * 7);
    Put(path, bytes);
    const auto result = atomic_file::ReadWholeFile(path, 100000);
    EXPECT_EQ(result.result.Message(), "");
    EXPECT_EQ(result.bytes, bytes);
    // Above the limit the file is refused without being read.
    EXPECT_EQ(atomic_file::ReadWholeFile(path, 99999).result.Message(), "Failed to open document.");
}

TEST(ReadWholeFile, ReportsEachFailureWithItsMessage) {
    TemporaryFolder folder;
    const std::string directory = folder.File("folder.glg"), pipe = folder.File("pipe.glg");
    fs::create_directory(directory);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);  // refused instead of waited for
    const std::pair<std::string, std::string> cases[] = {
        {folder.File("missing.glg"), folder.File("missing.glg") + " was not found."},
        {folder.File("none/diary.glg"), folder.File("none/diary.glg") + " was not found."},
        {directory, "Access to " + directory + " was denied."},
        {pipe, "Failed to open document."}};
    for (const auto& [path, message] : cases)
        EXPECT_EQ(atomic_file::ReadWholeFile(path, 100).result.Message(), message) << path;
}

// ---- the document's files

class RecordingUserInterface : public DecliningUserInterface {
public:
    void ReportError(std::string_view message) override { errors.emplace_back(message); }
    std::vector<std::string> errors;
};

struct SavedDiary {
    PlainHost host;
    RecordingUserInterface ui;
    FaultyFileSystem files;
    CGastrologDoc doc{DocumentPorts{nullptr, &host, &ui, nullptr, nullptr, &files}};

    SavedDiary() {
        Members(doc).m_foods.emplace_back("Tea");
        Members(doc).m_symptoms.emplace_back("Headache");
        for (int unit = 0; unit < 5; ++unit)
            Members(doc).m_hidden.emplace_back(std::to_string(unit));
        doc.RebuildFoodNames();
        doc.RebuildSymptomLines();
        host.SetModifiedFlag(true);
    }
};

TEST(DiaryFiles, WriteFileStoresWhatReadFileReadsBack) {
    TemporaryFolder folder;
    SavedDiary saved;
    const std::string path = folder.File("diary.glg");
    ASSERT_EQ(saved.doc.WriteFile(path).Message(), "");
    EXPECT_EQ(Contents(path), saved.doc.WriteBytes());
    CGastrologDoc read;
    ASSERT_EQ(read.ReadFile(path).Message(), "");
    EXPECT_EQ(read.Foods(), saved.doc.Foods());
    EXPECT_EQ(read.SymptomLines(), saved.doc.SymptomLines());

    // Reading, well or not, leaves the host and the user alone.
    saved.host.SetPathName("/elsewhere/other.glg");
    for (const std::string& file : {path, folder.File("missing.glg")}) {
        SCOPED_TRACE(file);
        saved.doc.ReadFile(file).Message();
        EXPECT_EQ(saved.host.m_updateCount, 0);
        EXPECT_TRUE(saved.host.IsModified());
        EXPECT_EQ(saved.host.GetPathName(), "/elsewhere/other.glg");
        EXPECT_TRUE(saved.ui.errors.empty());
    }
}

TEST(DiaryFiles, ADiaryChangedOnDiskSinceItWasReadIsNotOverwrittenUnlessAskedTo) {
    TemporaryFolder folder;
    SavedDiary saved;
    const std::string path = folder.File("diary.glg");
    ASSERT_EQ(saved.doc.WriteFile(path).Message(), "");
    CGastrologDoc read;
    ASSERT_EQ(read.ReadFile(path).Message(), "");
    ASSERT_EQ(saved.doc.WriteFile(path).Message(), "");  // our own save is no change
    ASSERT_EQ(saved.doc.WriteFile(path).Message(), "");
    const Bytes other = Contents(path);
    const FileResult refused = read.WriteFile(path);  // another program saved meanwhile
    EXPECT_EQ(refused.GetCode(), FileResult::Code::ChangedOnDisk);
    EXPECT_EQ(refused.Message(), path + " was changed by another program since you opened it.");
    EXPECT_EQ(Contents(path), other);
    EXPECT_EQ(read.WriteFile(path, true).Message(), "");
    EXPECT_EQ(Contents(path), read.WriteBytes());
}

TEST(DiaryFiles, AFileThatCannotBeReadLeavesTheDocumentCleared) {
    TemporaryFolder folder;
    Put(folder.File("empty.glg"), {});
    Put(folder.File("text.glg"), Bytes{'h', 'e', 'l', 'l', 'o'});
    Put(folder.File("huge.glg"), {});
    // A picture and a document renamed: their first bytes say so, whatever would follow.
    const std::string picture("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0",
                              29);
    const std::string document("PK\x03\x04\x14\0\x08\0\x08\0\0\0!\0mimetypeapplication", 33);
    Put(folder.File("picture.glg"), Bytes(picture.begin(), picture.end()));
    Put(folder.File("document.glg"), Bytes(document.begin(), document.end()));
    SavedDiary whole;
    Bytes damaged = whole.doc.WriteBytes();
    damaged.resize(60);  // the food's float at bytes 59..62 runs past the end
    Put(folder.File("damaged.glg"), damaged);
    fs::resize_file(folder.File("huge.glg"), 64u << 20);  // sparse: no disk is used
    const std::pair<std::string, std::string> cases[] = {
        {folder.File("missing.glg"), folder.File("missing.glg") + " was not found."},
        {folder.File("empty.glg"),
         "Unexpected file format.\n" + folder.File("empty.glg") + " is empty."},
        {folder.File("text.glg"),
         "Unexpected file format.\n" + folder.File("text.glg") + " is not a Gastrolog diary."},
        {folder.File("picture.glg"),
         "Unexpected file format.\n" + folder.File("picture.glg") + " is not a Gastrolog diary."},
        {folder.File("document.glg"),
         "Unexpected file format.\n" + folder.File("document.glg") + " is not a Gastrolog diary."},
        {folder.File("damaged.glg"),
         "Unexpected file format.\n" + folder.File("damaged.glg") + " is damaged at byte 59."},
        {folder.File("huge.glg"),  // far larger than any diary
         "Failed to open document.\n" + folder.File("huge.glg") +
             " is too large for a diary (more than 16 MiB)."}};
    for (const auto& [path, message] : cases) {
        SCOPED_TRACE(path);
        SavedDiary diary;
        Members(diary.doc).m_exclusions.emplace_back("Tea");
        EXPECT_EQ(diary.doc.ReadFile(path).Message(), message);
        EXPECT_TRUE(diary.doc.Foods().empty() && diary.doc.Symptoms().empty() &&
                    diary.doc.HiddenUnits().empty() && diary.doc.FoodNames().empty() &&
                    diary.doc.SymptomLines().empty() && diary.doc.Exclusions().empty());
    }
}

TEST(DiaryFiles, AFailedSaveIsReportedAndKeepsTheOldNameFlagAndBytesWhereASaveReplacesThem) {
    TemporaryFolder folder;
    SavedDiary saved;
    const std::string path = folder.File("diary.glg");
    Put(path, OldDiary);
    saved.host.SetPathName(folder.File("before.glg"));
    saved.files.Fail(FileStep::Write, ENOSPC);
    EXPECT_FALSE(saved.doc.OnSaveDocument(path));
    saved.files.Heal();
    EXPECT_THAT(saved.ui.errors, testing::ElementsAre("Disk full while accessing " + path + "."));
    EXPECT_EQ(saved.host.GetPathName(), folder.File("before.glg"));
    EXPECT_TRUE(saved.host.IsModified());
    EXPECT_EQ(Contents(path), OldDiary);

    EXPECT_TRUE(saved.doc.OnSaveDocument(path));
    EXPECT_EQ(saved.host.GetPathName(), path);
    EXPECT_FALSE(saved.host.IsModified());
    EXPECT_EQ(saved.host.m_updateCount, 1);
    EXPECT_EQ(saved.ui.errors.size(), 1u);  // nothing new to report
    EXPECT_EQ(Contents(path), saved.doc.WriteBytes());
}

}  // namespace
