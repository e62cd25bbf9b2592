#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "doc/AtomicFile.h"
#include "doc/GastrologDoc.h"
#include "doc/QuietPorts.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class Folder {
public:
    Folder() {
        static int counter = 0;
        m_path = fs::temp_directory_path() /
                 ("gastrolog-save-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path m_path;
};

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

TEST(ReplaceFile, WritesANewFileAndLeavesNothingElseBehind) {
    Folder folder;
    EXPECT_EQ(atomic_file::ReplaceFile(folder.File("diary.glg"), NewDiary), "");
    EXPECT_EQ(Contents(folder.File("diary.glg")), NewDiary);
    EXPECT_THAT(folder.Names(), testing::ElementsAre("diary.glg"));
}

TEST(ReplaceFile, ReplacesAnOldFileAndKeepsItsPermissions) {
    Folder folder;
    const std::string path = folder.File("diary.glg");
    Put(path, OldDiary);
    ::chmod(path.c_str(), 0640);
    EXPECT_EQ(atomic_file::ReplaceFile(path, NewDiary), "");
    EXPECT_EQ(Contents(path), NewDiary);
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_THAT(folder.Names(), testing::ElementsAre("diary.glg"));
}

TEST(ReplaceFile, FollowsASymbolicLinkSoTheLinkSurvives) {
    Folder folder;
    const std::string target = folder.File("real.glg"), link = folder.File("link.glg");
    Put(target, OldDiary);
    fs::create_symlink(target, link);
    EXPECT_EQ(atomic_file::ReplaceFile(link, NewDiary), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Contents(target), NewDiary);
}

TEST(ReplaceFile, AWriteProtectedFileIsKept) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write to any file";
    Folder folder;
    const std::string path = folder.File("diary.glg");
    Put(path, OldDiary);
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(atomic_file::ReplaceFile(path, NewDiary), "Access to " + path + " was denied.");
    EXPECT_EQ(Contents(path), OldDiary);
}

TEST(ReplaceFile, AFolderThatDoesNotExistIsReportedAsNotFound) {
    Folder folder;
    const std::string path = folder.File("missing/diary.glg");
    EXPECT_EQ(atomic_file::ReplaceFile(path, NewDiary), path + " was not found.");
    EXPECT_TRUE(folder.Names().empty());
}

TEST(ReplaceFile, ATargetThatIsAFolderIsLeftAloneAndReported) {
    Folder folder;
    const std::string path = folder.File("diary.glg");
    fs::create_directory(path);
    EXPECT_EQ(atomic_file::ReplaceFile(path, NewDiary), "Access to " + path + " was denied.");
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_THAT(folder.Names(), testing::ElementsAre("diary.glg"));
}

struct Interruption {
    atomic_file::WriteStep step;
    int error;
    const char* message;  // %1 stands for the path
};

class InterruptedSave : public testing::TestWithParam<Interruption> {};

TEST_P(InterruptedSave, LeavesTheOldFileExactlyAsItWas) {
    Folder folder;
    const std::string path = folder.File("diary.glg");
    Put(path, OldDiary);
    std::string expected = GetParam().message;
    if (const auto at = expected.find("%1"); at != std::string::npos) expected.replace(at, 2, path);
    {
        atomic_file::ScopedWriteFault fault(GetParam().step, GetParam().error);
        EXPECT_EQ(atomic_file::ReplaceFile(path, NewDiary), expected);
    }
    EXPECT_EQ(Contents(path), OldDiary);
    EXPECT_THAT(folder.Names(), testing::ElementsAre("diary.glg"));  // no temporary left
    // Once the fault is gone the same save goes through.
    EXPECT_EQ(atomic_file::ReplaceFile(path, NewDiary), "");
    EXPECT_EQ(Contents(path), NewDiary);
}

using atomic_file::WriteStep;
INSTANTIATE_TEST_SUITE_P(
    AtEveryStep, InterruptedSave,
    testing::Values(Interruption{WriteStep::CreateTemporary, EACCES, "Access to %1 was denied."},
                    Interruption{WriteStep::Write, ENOSPC, "Disk full while accessing %1."},
                    Interruption{WriteStep::Write, EIO, "Failed to save document."},
                    Interruption{WriteStep::Flush, EDQUOT, "Disk full while accessing %1."},
                    Interruption{WriteStep::Close, EIO, "Failed to save document."},
                    Interruption{WriteStep::Rename, EBUSY,
                                 "A sharing violation occurred while accessing %1."},
                    Interruption{WriteStep::Rename, EROFS, "Access to %1 was denied."}));

TEST(ReplaceFile, AFolderThatCannotBeFlushedIsReportedThoughTheFileIsReplaced) {
    Folder folder;
    const std::string path = folder.File("diary.glg");
    Put(path, OldDiary);
    atomic_file::ScopedWriteFault fault(WriteStep::FlushFolder, EIO);
    EXPECT_EQ(atomic_file::ReplaceFile(path, NewDiary), "Failed to save document.");
    EXPECT_EQ(Contents(path), NewDiary);
}

// ---- reading a file

TEST(ReadWholeFile, ReadsEveryByte) {
    Folder folder;
    Bytes bytes(100000);
    for (std::size_t index = 0; index < bytes.size(); ++index)
        bytes[index] = static_cast<std::uint8_t>(index * 7);
    Put(folder.File("diary.glg"), bytes);
    const auto result = atomic_file::ReadWholeFile(folder.File("diary.glg"), 1 << 20);
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(result.bytes, bytes);
}

TEST(ReadWholeFile, ReportsEachFailureWithItsMessage) {
    Folder folder;
    const std::string missing = folder.File("missing.glg");
    EXPECT_EQ(atomic_file::ReadWholeFile(missing, 100).error, missing + " was not found.");
    const std::string inMissingFolder = folder.File("none/diary.glg");
    EXPECT_EQ(atomic_file::ReadWholeFile(inMissingFolder, 100).error,
              inMissingFolder + " was not found.");
    const std::string directory = folder.File("folder.glg");
    fs::create_directory(directory);
    EXPECT_EQ(atomic_file::ReadWholeFile(directory, 100).error,
              "Access to " + directory + " was denied.");
}

TEST(ReadWholeFile, RefusesAFileAboveTheLimitWithoutReadingIt) {
    Folder folder;
    const std::string path = folder.File("big.glg");
    Put(path, Bytes(101, 'x'));
    EXPECT_EQ(atomic_file::ReadWholeFile(path, 100).error, "Failed to open document.");
    EXPECT_EQ(atomic_file::ReadWholeFile(path, 101).bytes.size(), 101u);
}

TEST(ReadWholeFile, ANamedPipeIsRefusedInsteadOfWaitedFor) {
    Folder folder;
    const std::string path = folder.File("pipe.glg");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(atomic_file::ReadWholeFile(path, 100).error, "Failed to open document.");
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
    CGastrologDoc doc{DocumentPorts{nullptr, &host, &ui}};

    SavedDiary() {
        doc.m_foods.emplace_back("Tea");
        doc.m_symptoms.emplace_back("Headache");
        for (int unit = 0; unit < 5; ++unit) doc.m_hidden.emplace_back(std::to_string(unit));
        doc.RebuildFoodNames();
        doc.RebuildSymptomLines();
        host.SetModifiedFlag(true);
    }
};

TEST(DiaryFiles, WriteFileStoresWhatReadFileReadsBack) {
    Folder folder;
    SavedDiary saved;
    const std::string path = folder.File("diary.glg");
    ASSERT_EQ(saved.doc.WriteFile(path), "");
    EXPECT_EQ(Contents(path), saved.doc.WriteBytes());

    CGastrologDoc read;
    ASSERT_EQ(read.ReadFile(path), "");
    EXPECT_EQ(read.m_foods, saved.doc.m_foods);
    EXPECT_EQ(read.m_symptomLines, saved.doc.m_symptomLines);
}

TEST(DiaryFiles, ReadFileLeavesTheHostAndTheUserAlone) {
    Folder folder;
    SavedDiary saved;
    const std::string path = folder.File("diary.glg");
    ASSERT_EQ(saved.doc.WriteFile(path), "");
    saved.host.SetPathName("/elsewhere/other.glg");
    for (const std::string& file : {path, folder.File("missing.glg")}) {
        saved.doc.ReadFile(file);
        EXPECT_EQ(saved.host.m_updateCount, 0);
        EXPECT_TRUE(saved.host.IsModified());
        EXPECT_EQ(saved.host.GetPathName(), "/elsewhere/other.glg");
        EXPECT_TRUE(saved.ui.errors.empty());
    }
}

TEST(DiaryFiles, AFileThatCannotBeReadLeavesTheDocumentCleared) {
    Folder folder;
    Put(folder.File("empty.glg"), {});
    Put(folder.File("text.glg"), Bytes{'h', 'e', 'l', 'l', 'o'});
    const std::pair<std::string, std::string> cases[] = {
        {folder.File("missing.glg"), folder.File("missing.glg") + " was not found."},
        {folder.File("empty.glg"), "Unexpected file format."},
        {folder.File("text.glg"), "Unexpected file format."},
    };
    for (const auto& [path, message] : cases) {
        SavedDiary diary;
        diary.doc.m_exclusions.emplace_back("Tea");
        EXPECT_EQ(diary.doc.ReadFile(path), message);
        EXPECT_TRUE(diary.doc.m_foods.empty() && diary.doc.m_symptoms.empty() &&
                    diary.doc.m_hidden.empty() && diary.doc.m_foodNames.empty() &&
                    diary.doc.m_symptomLines.empty() && diary.doc.m_exclusions.empty())
            << path;
    }
}

TEST(DiaryFiles, AFileFarLargerThanAnyDiaryIsNotRead) {
    Folder folder;
    const std::string path = folder.File("huge.glg");
    Put(path, {});
    fs::resize_file(path, 64u << 20);  // sparse: no disk is used
    SavedDiary diary;
    EXPECT_EQ(diary.doc.ReadFile(path), "Failed to open document.");
    EXPECT_TRUE(diary.doc.m_foods.empty());
}

TEST(DiaryFiles, OnSaveDocumentNamesTheDocumentAndClearsTheModifiedFlag) {
    Folder folder;
    SavedDiary saved;
    const std::string path = folder.File("diary.glg");
    EXPECT_TRUE(saved.doc.OnSaveDocument(path));
    EXPECT_EQ(saved.host.GetPathName(), path);
    EXPECT_FALSE(saved.host.IsModified());
    EXPECT_EQ(saved.host.m_updateCount, 1);
    EXPECT_TRUE(saved.ui.errors.empty());
    EXPECT_EQ(Contents(path), saved.doc.WriteBytes());
}

TEST(DiaryFiles, AFailedSaveIsReportedAndKeepsTheOldFileNameFlagAndBytes) {
    Folder folder;
    SavedDiary saved;
    const std::string path = folder.File("diary.glg");
    Put(path, OldDiary);
    saved.host.SetPathName(folder.File("before.glg"));
    {
        atomic_file::ScopedWriteFault fault(WriteStep::Write, ENOSPC);
        EXPECT_FALSE(saved.doc.OnSaveDocument(path));
    }
    EXPECT_THAT(saved.ui.errors, testing::ElementsAre("Disk full while accessing " + path + "."));
    EXPECT_EQ(saved.host.GetPathName(), folder.File("before.glg"));
    EXPECT_TRUE(saved.host.IsModified());
    EXPECT_EQ(Contents(path), OldDiary);
}

}  // namespace
