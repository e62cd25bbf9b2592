// Two windows on one diary and the daily copies: the lock beside the diary, the question a
// second window asks, and the backups a save keeps.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "diary/Backups.h"
#include "diary/DiaryAccess.h"
#include "diary/DiaryLock.h"
#include "diary/LocalTime.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/PretendProcesses.h"

namespace {

namespace fs = std::filesystem;

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Host() {
    return PosixProcesses().HostName();
}

// ---- the lock

struct LockCase {
    const char* name;
    std::string lockText;  // empty: no lock file at all
    bool othersGone;       // every process but this one counts as ended
    std::optional<long> holder;
    bool lockKept;
};

class LockFile : public ::testing::TestWithParam<LockCase> {};

TEST_P(LockFile, NamesALiveHolderOnlyAndClearsWhatACrashLeft) {
    const LockCase& row = GetParam();
    TemporaryFolder folder;
    FaultyFileSystem files;
    PretendProcesses processes;
    if (row.othersGone) processes.PretendOtherProcessesGone();
    const std::string diary = folder.File("mine.glg");
    const std::string lock = diary_lock::LockPath(diary, files);
    EXPECT_EQ(lock, folder.File(".mine.glg.lock"));
    if (row.lockText != "none") Put(lock, row.lockText);

    const auto holder = diary_lock::OtherHolder(diary, files, processes);
    EXPECT_EQ(holder ? std::optional<long>(holder->process) : std::nullopt, row.holder);
    EXPECT_EQ(fs::exists(lock), row.lockKept);
}

INSTANTIATE_TEST_SUITE_P(
    Situations, LockFile,
    ::testing::Values(LockCase{"NoLock", "none", false, std::nullopt, false},
                      LockCase{"LiveProcessHere", "1 " + Host() + "\n", false, 1, true},
                      LockCase{"EndedProcessHere", "1 " + Host() + "\n", true, std::nullopt, false},
                      LockCase{"ThisProcess", std::to_string(getpid()) + " " + Host() + "\n", true,
                               std::nullopt, true},
                      // Whether a process on another machine still runs cannot be told from here.
                      LockCase{"OtherMachine", "1 elsewhere.example\n", true, 1, true},
                      LockCase{"EmptyAfterACrash", "", false, std::nullopt, false},
                      LockCase{"Garbage", "not a lock", false, std::nullopt, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LockRace, AStarterReadingWhileTheFirstWritesNeverSharesTheLock) {
    TemporaryFolder folder;
    const std::string diary = folder.File("mine.glg");
    const std::string lock = folder.File(".mine.glg.lock");
    FaultyFileSystem first;  // another program, held up while it writes its lock
    PretendProcesses firstProcess;
    firstProcess.PretendProcessId(1);
    PosixFileSystem second;
    bool secondHolds = false;
    std::optional<diary_lock::Holder> secondSaw;
    first.Before(FileStep::Write, [&] {
        secondSaw = diary_lock::OtherHolder(diary, second);
        secondHolds = diary_lock::Acquire(diary, second);
    });
    const mode_t previous = ::umask(0);  // the lock is private whatever the umask
    const bool firstHolds = diary_lock::Acquire(diary, first, firstProcess);
    ::umask(previous);

    EXPECT_FALSE(secondSaw) << "no lock is seen before it is whole";
    EXPECT_NE(firstHolds, secondHolds) << "exactly one of the two holds the diary";
    EXPECT_EQ(Contents(lock), std::to_string(getpid()) + " " + Host() + "\n");
    struct stat status {};
    ASSERT_EQ(::stat(lock.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1)
        << "no temporary lock stays";
}

TEST(LockThatStays, IsNamedInTheQuestionAndRemovedWhenTheUserSaysSo) {
    TemporaryFolder folder;
    const std::string diary = folder.File("mine.glg");
    const std::string lock = folder.File(".mine.glg.lock");
    Put(lock, "1 elsewhere.example\n");
    ScriptedUserInterface ui;
    ui.ExpectChoice(diary +
                        " is already open in Gastrolog (process 1 on elsewhere.example). When "
                        "two windows save one diary, the last save overwrites the other's "
                        "changes.\n\nOpen it read-only, or open it anyway?\n\nIf you are sure "
                        "no other Gastrolog has it open (that computer is off, or that process "
                        "is no Gastrolog), remove its lock file " +
                        lock +
                        " and open it as usual.\nOpen &Read-Only\nOpen &Anyway\n&Remove Lock",
                    UserInterface::Choice::Third);
    DiaryAccess access;
    EXPECT_EQ(access.AskToOpen(diary, ui), DiaryAccess::Mode::Own);
    access.Hold(diary, DiaryAccess::Mode::Own);
    EXPECT_EQ(Contents(lock), std::to_string(getpid()) + " " + Host() + "\n");
}

// ---- a second window's question and its claim

// The question a second window asks, with each answer, is tested through the desktop
// program (tests/gui/file_safety_test.cpp).

TEST(DiaryAccess, AWindowOfItsOwnHoldsTheLockUntilItLetsGo) {
    TemporaryFolder folder;
    const std::string first = folder.File("first.glg");
    const std::string second = folder.File("second.glg");
    ScriptedUserInterface quiet;
    {
        DiaryAccess access;
        ASSERT_EQ(access.AskToOpen(first, quiet), DiaryAccess::Mode::Own) << "nothing asked";
        access.Hold(first, DiaryAccess::Mode::Own);
        EXPECT_EQ(Contents(folder.File(".first.glg.lock")),
                  std::to_string(getpid()) + " " + Host() + "\n");
        access.Hold(second, DiaryAccess::Mode::Own);
        EXPECT_FALSE(fs::exists(folder.File(".first.glg.lock"))) << "the diary before is free";
        EXPECT_TRUE(fs::exists(folder.File(".second.glg.lock")));
    }
    EXPECT_FALSE(fs::exists(folder.File(".second.glg.lock"))) << "a closed window holds nothing";
}

TEST(DiaryAccess, AReadOnlyWindowSavesOverTheDiaryOnlyOnceTheOtherWindowHasLetGo) {
    TemporaryFolder folder;
    const std::string diary = folder.File("mine.glg");
    const std::string lock = folder.File(".mine.glg.lock");
    Put(lock, "1 " + Host() + "\n");
    DiaryAccess access;
    access.Hold(diary, DiaryAccess::Mode::ReadOnly);
    EXPECT_TRUE(access.IsReadOnly());
    EXPECT_EQ(access.CheckSave(diary).Message(),
              diary + " is open in another Gastrolog window (process 1 on " + Host() +
                  "), so this window saves it only under another name.");
    EXPECT_TRUE(access.CheckSave(folder.File("copy.glg")).IsOk());
    fs::remove(lock);
    EXPECT_TRUE(access.CheckSave(diary).IsOk());
    access.Hold(diary, DiaryAccess::Mode::Own);
    EXPECT_FALSE(access.IsReadOnly());
    EXPECT_TRUE(fs::exists(lock));
    access.Release();
    EXPECT_FALSE(fs::exists(lock));
}

// ---- daily copies

class DailyCopies : public ::testing::Test {
protected:
    DailyCopies() {
        diary.doc.OnNewDocument();
        diary.doc.SetBackupFolder(root);
        diary.doc.SetBackupClock(&diary.clock);
        diary.clock.Set(LocalTime(2026, 3, 1));
    }

    // Saves the diary with `foods` foods.
    void SaveWith(std::size_t foods) {
        Members(diary.doc).m_foods.clear();
        for (std::size_t index = 0; index < foods; ++index)
            Members(diary.doc).m_foods.emplace_back("Food" + std::to_string(index));
        ASSERT_TRUE(diary.doc.WriteFile(path).Succeeded());
    }
    std::vector<backups::Backup> Copies() {
        return backups::List(root, path, RealFileSystem(), diary.doc.KeptBackupDays(),
                             diary.clock.Now());
    }

    TemporaryFolder folder;
    std::string root = folder.File("data/gastrolog/backups");
    std::string path = folder.File("mine.glg");
    FakeDiary diary;
};

TEST_F(DailyCopies, TheFirstSaveOfADayKeepsTheDiaryAsItWasWithItsPermissions) {
    SaveWith(1);
    EXPECT_TRUE(Copies().empty()) << "a new file has no earlier version";
    ::chmod(path.c_str(), 0640);
    const std::string firstVersion = Contents(path);
    SaveWith(2);
    SaveWith(3);  // later saves of the day keep the day's first copy
    const auto copies = Copies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].date, "2026-03-01");
    EXPECT_EQ(copies[0].diaryName, "mine.glg");
    EXPECT_EQ(Contents(copies[0].path), firstVersion);
    EXPECT_TRUE(copies[0].readable);
    EXPECT_EQ(copies[0].foods, 1u);
    struct stat status {};
    ASSERT_EQ(::stat(copies[0].path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    ASSERT_EQ(::stat(fs::path(copies[0].path).parent_path().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u) << "the copies' folder is private";
    EXPECT_EQ(fs::path(copies[0].path).parent_path().filename().string().size(),
              std::string("mine.glg-").size() + 16)
        << "NAME-HASH";
}

TEST(DailyCopyFolder, KeepsDiariesOfOneNameApartAndCutsALongNameBetweenCharacters) {
    TemporaryFolder folder;
    fs::create_directories(folder.Path() / "a");
    fs::create_directories(folder.Path() / "b");
    FileSystem& files = RealFileSystem();
    const std::string first = backups::FolderFor("/root", folder.File("a/mine.glg"), files);
    EXPECT_NE(first, backups::FolderFor("/root", folder.File("b/mine.glg"), files));
    EXPECT_EQ(first, backups::FolderFor("/root", folder.File("a/../a/mine.glg"), files));
    std::string longName(99, 'x');
    longName += "\xC3\xA4.glg";  // 100 bytes would end inside "ä"
    const std::string cut = fs::path(backups::FolderFor("/root", longName, files)).filename();
    EXPECT_EQ(cut.substr(0, cut.size() - 17), std::string(99, 'x'));
}

TEST_F(DailyCopies, TheKeptNumberStaysNewestFirstAndZeroRemovesThem) {
    for (int day = 1; day <= 20; ++day) {
        diary.clock.Set(LocalTime(2026, 3, day));
        SaveWith(static_cast<std::size_t>(day));
    }
    auto copies = Copies();
    ASSERT_EQ(copies.size(), static_cast<std::size_t>(backups::DefaultKeptDays));
    EXPECT_EQ(copies.front().date, "2026-03-20");
    EXPECT_EQ(copies.front().foods, 19u) << "the version the day's first save replaced";
    EXPECT_EQ(copies.back().date, "2026-03-07");

    diary.doc.SetBackupDays(3);  // the command line's choice wins over the setting
    diary.clock.Set(LocalTime(2026, 3, 21));
    SaveWith(1);
    copies = Copies();
    ASSERT_EQ(copies.size(), 3u + 2u) << "3 daily, the newest of 2 earlier weeks";
    EXPECT_EQ(copies[2].kind, backups::CopyKind::Daily);
    EXPECT_EQ(copies[3].date, "2026-03-15");
    EXPECT_EQ(copies[3].kind, backups::CopyKind::Weekly);
    diary.doc.SetBackupDays(std::nullopt);
    diary.settings.WriteInt("Settings", backups::KeptDaysSetting, 0);
    diary.clock.Set(LocalTime(2026, 3, 22));
    SaveWith(1);
    EXPECT_TRUE(Copies().empty()) << "0 keeps no copy and removes ours";
}

TEST_F(DailyCopies, AreDatedByTheRealClockNotTheDocumentsAndNotRepeatedUnchanged) {
    diary.doc.SetBackupClock(nullptr);
    diary.clock.Set(LocalTime(2090, 1, 1));  // a simulation's clock
    SaveWith(1);
    SaveWith(2);
    const auto copies = Copies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].date, calendar::Format(std::time(nullptr), "%Y-%m-%d"));
}

TEST_F(DailyCopies, AreNotMadeAgainOfAnUnchangedDiary) {
    SaveWith(1);
    diary.clock.Set(LocalTime(2026, 3, 2));
    SaveWith(1);
    diary.clock.Set(LocalTime(2026, 3, 3));
    SaveWith(1);
    SaveWith(2);  // the day's first save found the file as the newest copy holds it
    EXPECT_EQ(Copies().size(), 1u);
    diary.clock.Set(LocalTime(2026, 3, 4));
    SaveWith(2);
    EXPECT_EQ(Copies().size(), 2u);
}

TEST_F(DailyCopies, ACopyWithoutRoomIsRemovedAndTheSaveGoesOn) {
    FaultyFileSystem files;
    diary.doc.SetPorts(DocumentPorts{&diary.settings, &diary.host, &diary.ui, &diary.progress,
                                     &diary.clock, &files});
    SaveWith(1);
    diary.clock.Set(LocalTime(2026, 3, 2));
    // The copy fits, the diary then does not: the copy gives its room back.
    files.FailOnce(FileStep::Write, ENOSPC, 2);
    SaveWith(2);
    EXPECT_TRUE(Copies().empty());
    EXPECT_EQ(diary.doc.BackupProblem(), "No daily copy of " + path +
                                             " was kept: the disk has no room for both the "
                                             "copy and the diary.");

    // The copy itself does not fit: nothing of it stays, and the save goes on.
    diary.clock.Set(LocalTime(2026, 3, 3));
    files.FailOnce(FileStep::Write, ENOSPC, 1);
    SaveWith(3);
    EXPECT_TRUE(Copies().empty());
    EXPECT_TRUE(fs::is_empty(backups::FolderFor(root, path, files))) << "no temporary stays";
    EXPECT_TRUE(diary.doc.BackupProblem().starts_with("No daily copy of " + path +
                                                      " was made: Disk full while accessing "))
        << diary.doc.BackupProblem();
    CGastrologDoc saved;
    ASSERT_TRUE(saved.ReadFile(path).Succeeded());
    EXPECT_EQ(saved.Foods().size(), 3u);
}

TEST_F(DailyCopies, ACopyIsFoundForAMissingOrDamagedDiaryAndNeverStopsASave) {
    SaveWith(1);
    diary.clock.Set(LocalTime(2026, 3, 2));
    SaveWith(2);
    const std::string folderOfCopies = backups::FolderFor(root, path, RealFileSystem());
    Put(folderOfCopies + "/2026-02-27.glg", "damaged");
    Put(folderOfCopies + "/notes.txt", "not a copy");
    fs::remove(path);
    const auto copies = Copies();
    ASSERT_EQ(copies.size(), 2u) << "a missing diary keeps its copies' folder";
    EXPECT_FALSE(copies[1].readable);
    EXPECT_EQ(backups::ListAll(root, RealFileSystem()).size(), 2u);

    // A backup folder that cannot be made costs the copy, not the save.
    diary.doc.SetBackupFolder(path + "/no-folder-under-a-file");
    SaveWith(3);
    diary.clock.Set(LocalTime(2026, 3, 3));
    SaveWith(4);
    EXPECT_TRUE(diary.doc.BackupProblem().starts_with("No daily copy of " + path +
                                                      " was made: the folder "));
    CGastrologDoc saved;
    ASSERT_TRUE(saved.ReadFile(path).Succeeded());
    EXPECT_EQ(saved.Foods().size(), 4u);
}

}  // namespace
