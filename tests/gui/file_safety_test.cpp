// The desktop program's care for a diary's file: a second window on a diary is told where it
// is open, a save over a file another program changed asks first, a save that would split hard
// links asks first, and a daily copy opens as a new diary.

#include <gtest/gtest.h>
#include <unistd.h>
#include <wx/filedlg.h>
#include <wx/statusbr.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "desktop/ConfigSettings.h"
#include "desktop/DesktopCommandLine.h"
#include "desktop/DesktopSession.h"
#include "desktop/DiaryDocument.h"
#include "desktop/GastrologDocManager.h"
#include "desktop/MainFrame.h"
#include "desktop/RestoreCommand.h"
#include "desktop/dialogs/RestoreBackupDlg.h"
#include "diary/DiaryLock.h"
#include "diary/Processes.h"
#include "tests/gui/support/ShellTestSupport.h"
#include "tests/support/FaultyFileSystem.h"

namespace {

namespace fs = std::filesystem;

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Host() {
    return PosixProcesses().HostName();
}

// Opens the copy the dialog shows first, as a user who clicks Open does.
class ChooseFirstCopy : public wxExpectModalBase<RestoreBackupDlg, ChooseFirstCopy> {
protected:
    int OnInvoked(RestoreBackupDlg* dialog) const override {
        EXPECT_TRUE(dialog->TransferDataFromWindow());
        return wxID_OK;
    }
};

class FileSafetyTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTodaysDiary(path);
        session = std::make_unique<DesktopSession>(settings);
        ASSERT_EQ(session->Start(ParseDesktopCommandLine(wxArrayString())),
                  DesktopSession::Outcome::Running);
        PumpEvents();
    }
    void TearDown() override {
        if (session->Document()) session->Document()->Modify(false);
        session.reset();
        PumpEvents();
    }

    bool Open(const std::string& file) {
        const bool opened = session->DocumentManager().CreateDocument(wxString::FromUTF8(file),
                                                                      wxDOC_SILENT) != nullptr;
        PumpEvents();
        return opened;
    }
    DiaryDocument& Document() { return *session->Document(); }
    wxString Title() { return session->Frame()->GetTitle(); }
    // Another program writes a diary of `foods` foods over the file.
    void ReplaceOnDisk(int foods) {
        CGastrologDoc other;
        other.OnNewDocument();
        for (int index = 0; index < foods; ++index)
            Members(other).m_foods.emplace_back("Other" + std::to_string(index));
        ASSERT_TRUE(other.WriteFile(path).Succeeded());
    }

    ScratchFolder folder;
    ScratchConfig config{folder};
    ConfigSettings settings;
    std::string path = folder.File("mine.glg");
    std::string lock = folder.File(".mine.glg.lock");
    std::unique_ptr<DesktopSession> session;
};

TEST_F(FileSafetyTest, AWindowOfItsOwnLocksTheDiaryWhileItIsOpen) {
    ASSERT_TRUE(Open(path));
    EXPECT_EQ(Contents(lock), std::to_string(getpid()) + " " + Host() + "\n");
    EXPECT_EQ(Title(), "mine.glg - Gastrolog");
    session->DocumentManager().CreateDocument(wxString(), wxDOC_NEW);
    PumpEvents();
    EXPECT_FALSE(fs::exists(lock)) << "a new diary lets the file go";
}

TEST_F(FileSafetyTest, ADiaryOpenElsewhereIsNamedAndEachAnswerIsKept) {
    const std::string question =
        path + " is already open in Gastrolog (process 1 on " + Host() +
        "). When two windows save one diary, the last save overwrites the other's "
        "changes.\n\nOpen it read-only, or open it anyway?\n\nIf you are sure no other "
        "Gastrolog has it open (that computer is off, or that process is no Gastrolog), remove "
        "its lock file " +
        lock + " and open it as usual.";
    std::ofstream(lock) << "1 " << Host() << "\n";

    wxTEST_DIALOG(EXPECT_FALSE(Open(path)), ExpectMessage(question, wxID_CANCEL));
    EXPECT_EQ(Title(), "Untitled - Gastrolog");

    wxTEST_DIALOG(EXPECT_TRUE(Open(path)), ExpectMessage(question, wxID_NO));  // anyway
    EXPECT_EQ(Title(), "mine.glg - Gastrolog");
    EXPECT_FALSE(Document().IsReadOnly());

    ASSERT_TRUE(session->Document()->OnNewDocument());
    wxTEST_DIALOG(EXPECT_TRUE(Open(path)), ExpectMessage(question, wxID_YES));  // read-only
    EXPECT_EQ(Title(), "mine.glg (read-only) - Gastrolog");
    EXPECT_TRUE(Document().IsReadOnly());
    const std::string before = Contents(path);
    wxTEST_DIALOG(EXPECT_FALSE(Document().OnSaveDocument(wxString::FromUTF8(path))),
                  ExpectMessage(path + " is open in another Gastrolog window (process 1 on " +
                                    Host() + "), so this window saves it only under another name.",
                                wxID_OK));
    EXPECT_EQ(Contents(path), before);
    EXPECT_EQ(Contents(lock), "1 " + Host() + "\n") << "the other window's lock stays";

    // Save asks for a new name (the file dialog's path cannot be scripted on GTK, so it is
    // cancelled here and the name given as the dialog would give it); the copy is this
    // window's own.
    wxTEST_DIALOG(EXPECT_FALSE(Document().Save()),
                  wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
    const std::string copy = folder.File("copy.glg");
    ASSERT_TRUE(Document().OnSaveDocument(wxString::FromUTF8(copy)));
    EXPECT_FALSE(Document().IsReadOnly());
    EXPECT_EQ(Title(), "copy.glg - Gastrolog");
    EXPECT_TRUE(fs::exists(folder.File(".copy.glg.lock")));

    // A lock that stays (the process number now another program's) goes when the user says.
    ASSERT_TRUE(session->Document()->OnNewDocument());
    wxTEST_DIALOG(EXPECT_TRUE(Open(path)), ExpectMessage(question, wxID_HELP));  // remove
    EXPECT_EQ(Title(), "mine.glg - Gastrolog");
    EXPECT_EQ(Contents(lock), std::to_string(getpid()) + " " + Host() + "\n");
}

TEST_F(FileSafetyTest, ADiaryWithoutALockAndACopyNotMadeAreTold) {
    fs::create_directory(lock);  // no lock can be taken
    ASSERT_TRUE(Open(path));
    EXPECT_EQ(Title(), "mine.glg (not protected against a second window) - Gastrolog");

    Document().Core().SetBackupFolder(path + "/no-folder-under-a-file");
    ASSERT_TRUE(Document().OnSaveDocument(wxString::FromUTF8(path)));
    const wxString told = session->Frame()->GetStatusBar()->GetStatusText(0);
    EXPECT_TRUE(told.StartsWith("No daily copy of " + wxString::FromUTF8(path) + " was made"))
        << told;
    session->Frame()->SetStatusText("Ready", 0);
    ASSERT_TRUE(Document().OnSaveDocument(wxString::FromUTF8(path)));
    EXPECT_FALSE(session->Frame()->GetStatusBar()->GetStatusText(0).StartsWith("No daily copy"))
        << "once per run";
}

TEST_F(FileSafetyTest, ASaveOverAFileChangedOnDiskAsksFirst) {
    const std::string question = path + " was changed by another program since you opened it.";
    ASSERT_TRUE(Open(path));
    Document().Modify(true);

    ReplaceOnDisk(5);
    const std::string theirs = Contents(path);
    wxTEST_DIALOG(EXPECT_FALSE(Document().Save()), ExpectMessage(question, wxID_CANCEL));
    EXPECT_EQ(Contents(path), theirs);
    EXPECT_TRUE(Document().IsModified());

    // Save As goes to the file dialog (cancelled: its path cannot be scripted on GTK).
    wxTEST_DIALOG(EXPECT_FALSE(Document().Save()), ExpectMessage(question, wxID_YES),
                  wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
    EXPECT_EQ(Contents(path), theirs) << "Save As leaves the changed file alone";
    EXPECT_EQ(Title(), "mine.glg - Gastrolog");

    wxTEST_DIALOG(EXPECT_TRUE(Document().Save()), ExpectMessage(question, wxID_NO));
    CGastrologDoc saved;
    ASSERT_TRUE(saved.ReadFile(path).Succeeded());
    EXPECT_EQ(saved.Foods().size(), 2u) << "Overwrite writes this window's diary";
}

TEST_F(FileSafetyTest, ASaveThatWouldSplitHardLinksAsksFirst) {
    ASSERT_TRUE(Open(path));
    const std::string other = folder.File("other-name.glg");
    fs::create_hard_link(path, other);
    const std::string question = path +
                                 " has other names (hard links). Saving writes a new file, and "
                                 "the other names keep the old diary.\n\nSave anyway?";
    wxTEST_DIALOG(EXPECT_FALSE(Document().Save()), ExpectMessage(question, wxID_NO));
    EXPECT_EQ(fs::hard_link_count(path), 2u);
    wxTEST_DIALOG(EXPECT_TRUE(Document().Save()), ExpectMessage(question, wxID_YES));
    EXPECT_EQ(fs::hard_link_count(path), 1u);
}

TEST_F(FileSafetyTest, ADailyCopyOpensAsANewUntitledDiary) {
    Document().Core().SetBackupFolder(folder.File("backups"));
    ASSERT_TRUE(Open(path));
    ASSERT_TRUE(Document().OnSaveDocument(wxString::FromUTF8(path)));  // today's copy: 2 foods
    Members(Document().Core()).m_foods.emplace_back("Cheese");
    ASSERT_TRUE(Document().OnSaveDocument(wxString::FromUTF8(path)));

    wxTEST_DIALOG(RestoreFromBackup(session->Frame(), Document()), ChooseFirstCopy());
    EXPECT_EQ(Title(), "Untitled - Gastrolog");
    EXPECT_TRUE(Document().IsModified());
    EXPECT_EQ(Document().Core().Foods().size(), 2u);
    CGastrologDoc onDisk;
    ASSERT_TRUE(onDisk.ReadFile(path).Succeeded());
    EXPECT_EQ(onDisk.Foods().size(), 3u) << "restoring replaces no file";
}

// A copy of a day a week back is shown as it was kept: no skipped days, no new day.
TEST_F(FileSafetyTest, ADailyCopyOfAnEarlierDayOpensAsStored) {
    WriteDiaryOfDaysAgo(path, 7);
    Document().Core().SetBackupFolder(folder.File("backups"));
    ASSERT_TRUE(Document().Core().WriteFile(path).Succeeded());  // the week-old diary is copied

    wxTEST_DIALOG(RestoreFromBackup(session->Frame(), Document()), ChooseFirstCopy());
    const CGastrologDoc& restored = Document().Core();
    EXPECT_EQ(Title(), "Untitled - Gastrolog");
    EXPECT_TRUE(Document().IsModified());
    EXPECT_TRUE(restored.IsRestoredCopy());
    EXPECT_EQ(restored.Foods().size(), 2u);
    EXPECT_EQ(restored.DayCount(), 3);
    EXPECT_EQ(restored.Foods()[0].m_history, CFood("Bread").m_history) << "no day rolled in";
}

// A folder that takes no new files: said at opening, and a refused save offers Save As.
TEST_F(FileSafetyTest, ADiaryInAFolderThatCannotBeWrittenIsSavedElsewhere) {
    FaultyFileSystem files(FileStep::CreateFile, EACCES);
    Document().SetFileSystem(&files);
    ASSERT_TRUE(Open(path));
    wxStatusBar* status = session->Frame()->GetStatusBar();
    EXPECT_EQ(status->GetStatusText(CMainFrame::MessageField), DiaryDocument::ReadOnlyFolderStatus);

    Document().Modify(true);
    const std::string refusal =
        "Access to " + path + " was denied.\n\n" + DiaryDocument::SaveElsewhereQuestion;
    wxTEST_DIALOG(EXPECT_FALSE(Document().Save()), ExpectMessage(refusal, wxID_NO));
    // Yes goes on to the file dialog (cancelled: its path cannot be scripted on GTK).
    wxTEST_DIALOG(EXPECT_FALSE(Document().Save()), ExpectMessage(refusal, wxID_YES),
                  wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
    EXPECT_TRUE(Document().IsModified());

    Document().Modify(false);
    files.Heal();
    const std::string writable = folder.File("writable.glg");
    fs::copy_file(path, writable);
    ASSERT_TRUE(Open(writable));
    EXPECT_EQ(status->GetStatusText(CMainFrame::MessageField), CMainFrame::IdleText);
    Document().SetFileSystem(nullptr);
}

}  // namespace
