// The commands that save a diary keep the copies the user chose in the desktop's Options,
// date them by the real clock, and leave alone a diary a live Gastrolog has open.

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

#include "diary/Backups.h"
#include "diary/LocalTime.h"
#include "diary/Processes.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

namespace fs = std::filesystem;

std::string Today() {
    return calendar::Format(std::time(nullptr), "%Y-%m-%d");
}

class SavingCommands : public ::testing::Test {
protected:
    void SetUp() override {
        CGastrologDoc doc;
        doc.OnNewDocument();
        Members(doc).m_foods.emplace_back("Bread");
        Members(doc).m_symptoms.emplace_back("Headache");
        doc.RebuildFoodNames();
        doc.RebuildSymptomLines();
        SaveDiary(doc, path);
        fs::create_directories(folder.File("config"));
    }
    void SetBackupDays(int days) {
        WriteText(folder.File("config/Gastrolog.conf"),
                  "[Recent File List]\nfile1=" + path +
                      "\n[Settings]\nBackupDays=" + std::to_string(days) + "\n");
    }
    std::vector<std::string> CopyDates() {
        std::vector<std::string> dates;
        for (const auto& copy : backups::List(root, path, RealFileSystem()))
            dates.push_back(copy.date);
        return dates;
    }
    std::string CopyFolder() { return backups::FolderFor(root, path, RealFileSystem()); }

    ScratchFolder folder;
    ScopedEnvironment data{"XDG_DATA_HOME", folder.File("data")};
    ScopedEnvironment config{"XDG_CONFIG_HOME", folder.File("config")};
    std::string root = folder.File("data") + "/gastrolog/backups";
    std::string path = folder.File("diary.glg");
};

TEST_F(SavingCommands, ReadTheDesktopsDailyBackupsUnlessTheCommandLineSaysOtherwise) {
    SetBackupDays(0);
    ASSERT_EQ(RunCli({"train", path}).status, 0);
    EXPECT_TRUE(CopyDates().empty()) << "0 keeps none";

    ASSERT_EQ(RunCli({"train", "--backup-days", "1", path}).status, 0);
    EXPECT_EQ(CopyDates(), std::vector<std::string>{Today()});
    EXPECT_EQ(RunCli({"train", "--backup-days", "366", path}).status, 2);

    ASSERT_EQ(RunCli({"train", path}).status, 0);
    EXPECT_TRUE(CopyDates().empty()) << "0 removes the copies kept before";
}

TEST_F(SavingCommands, DateCopiesByTheRealClockWhateverClockTheySimulate) {
    SetBackupDays(14);
    fs::create_directories(CopyFolder());
    std::vector<std::string> earlier;
    for (int day = 1; day <= 5; ++day) {
        earlier.push_back(
            calendar::Format(calendar::DaysEarlier(std::time(nullptr), day), "%Y-%m-%d"));
        WriteText(CopyFolder() + "/" + earlier.back() + ".glg", "an earlier diary");
    }
    const CliRun run = RunCli(
        {"simulate", "--days", "3", "--seed", "1", "--start", "2090-01-01", "--force", "-o", path});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> expected{Today()};
    expected.insert(expected.end(), earlier.begin(), earlier.end());
    EXPECT_EQ(CopyDates(), expected);
}

TEST_F(SavingCommands, TellOnStandardErrorWhenNoCopyCouldBeMadeAndSaveAllTheSame) {
    WriteText(folder.File("data"), "a file where the data folder should be");
    const CliRun run = RunCli({"train", path});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "No daily copy of " + path + " was made: the folder " + CopyFolder() +
                           " cannot be made.\n");
    EXPECT_NE(run.out.find("saved " + path), std::string::npos) << run.out;
}

TEST_F(SavingCommands, RefuseADiaryOpenInALiveGastrologUnlessForced) {
    const std::string lock = folder.File(".diary.glg.lock");
    const std::string holder = "1 " + PosixProcesses().HostName() + "\n";  // init: always runs
    WriteText(lock, holder);
    const std::string before = FileText(path);
    const std::string refusal = path + " is open in Gastrolog (process 1 on " +
                                PosixProcesses().HostName() +
                                "); close it there first, or add --force.\n";
    const std::string json = folder.File("diary.json");
    WriteText(json, RunCli({"export", path}).out);

    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"train", path},
          std::vector<std::string>{"import", json, "-o", path},
          std::vector<std::string>{"simulate", "--days", "2", "--seed", "1", "-o", path}}) {
        const CliRun run = RunCli(command);
        EXPECT_EQ(run.status, 1) << command[0];
        EXPECT_EQ(run.err, refusal) << command[0];
        EXPECT_EQ(FileText(path), before) << command[0];
    }
    EXPECT_EQ(RunCli({"train", "--force", path}).status, 0);
    EXPECT_EQ(FileText(lock), holder) << "the window's lock stays";

    fs::remove(lock);
    ASSERT_EQ(RunCli({"train", path}).status, 0);
    EXPECT_FALSE(fs::exists(lock)) << "the lock held while writing is given back";
}

}  // namespace
