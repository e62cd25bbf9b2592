// "Gastrolog Options" with the Options command, and the Tip of the Day with its tips file.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>

#include "DialogTestSupport.h"
#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/OptionsDlg.h"
#include "desktop/dialogs/TipOfTheDayDlg.h"
#include "desktop/dialogs/TipReader.h"
#include "desktop/dialogs/TipSession.h"

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// ---- the options

void ClickRadio(wxWindow* dialog, int id) {
    auto* button = ControlOf<wxRadioButton>(dialog, id);
    button->SetValue(true);
    wxCommandEvent click(wxEVT_RADIOBUTTON, id);
    click.SetEventObject(button);
    click.SetInt(1);
    button->ProcessWindowEvent(click);
}

wxTextCtrl* HourBox(wxWindow* dialog) {
    return ControlOf<wxTextCtrl>(dialog, control::Hour);
}

bool IsOn(wxWindow* dialog, int id) {
    return ControlOf<wxRadioButton>(dialog, id)->GetValue();
}

// Presses an arrow key in the hour box.
void Arrow(wxWindow* dialog, int key) {
    wxKeyEvent press(wxEVT_KEY_DOWN);
    press.m_keyCode = key;
    press.SetEventObject(HourBox(dialog));
    HourBox(dialog)->ProcessWindowEvent(press);
}

const Strings NoWrites;

TEST(OptionsCommand, OpensWithTheDefaultsAndOkWritesAllFiveInOrder) {
    RecordingSettings settings;
    wxTEST_DIALOG(
        RunOptionsCommand(nullptr, settings), ScriptedDialog<COptionsDlg>([](COptionsDlg& dialog) {
            EXPECT_EQ(HourBox(&dialog)->GetValue(), "4");
            EXPECT_TRUE(IsOn(&dialog, control::Alphabetic));
            EXPECT_TRUE(IsOn(&dialog, control::PutInInclusions));
            EXPECT_EQ(ControlOf<wxTextCtrl>(&dialog, control::BackupDays)->GetValue(), "14");
            EXPECT_EQ(dialog.GetTitle(), "Gastrolog Options");
            return Press(dialog, wxID_OK, wxID_OK);
        }));
    EXPECT_EQ(settings.writes,
              (Strings{"Settings/NewDayTime=4", "Settings/SortOrder=0", "Settings/50DayAction=0",
                       "Settings/BackupDays=14", "Settings/SymptomsMayComeLater=0",
                       "Settings/TodayOnNewDay=0"}));
}

TEST(OptionsCommand, OkWritesTheChoicesMade) {
    RecordingSettings settings;
    wxTEST_DIALOG(RunOptionsCommand(nullptr, settings),
                  ScriptedDialog<COptionsDlg>([](COptionsDlg& dialog) {
                      HourBox(&dialog)->SetValue("6");
                      ClickRadio(&dialog, control::ByScore);
                      ClickRadio(&dialog, control::ListSeparately);
                      ControlOf<wxTextCtrl>(&dialog, control::BackupDays)->SetValue("30");
                      ControlOf<wxCheckBox>(&dialog, control::SymptomsMayComeLater)->SetValue(true);
                      EXPECT_EQ(dialog.m_nSortOrder, 1);  // a click takes effect at once
                      EXPECT_EQ(dialog.m_nUnclassified, 2);
                      return Press(dialog, wxID_OK, wxID_OK);
                  }));
    EXPECT_EQ(settings.writes,
              (Strings{"Settings/NewDayTime=6", "Settings/SortOrder=1", "Settings/50DayAction=2",
                       "Settings/BackupDays=30", "Settings/SymptomsMayComeLater=1",
                       "Settings/TodayOnNewDay=0"}));
}

TEST(OptionsCommand, CancelWritesNothingEvenAfterChanges) {
    RecordingSettings settings;
    wxTEST_DIALOG(RunOptionsCommand(nullptr, settings),
                  ScriptedDialog<COptionsDlg>([](COptionsDlg& dialog) {
                      HourBox(&dialog)->SetValue("11");
                      ClickRadio(&dialog, control::PutInExclusions);
                      return Press(dialog, wxID_CANCEL, wxID_CANCEL);
                  }));
    EXPECT_EQ(settings.writes, NoWrites);
}

TEST(OptionsCommand, StoredValuesAreShownAndUnexpectedOnesActAsTheFirstButton) {
    RecordingSettings settings;
    settings.WriteInt("Settings", "NewDayTime", 22);
    settings.WriteInt("Settings", "SortOrder", 1);
    settings.WriteInt("Settings", "50DayAction", 5);
    settings.WriteInt("Settings", "BackupDays", 400);
    settings.WriteInt("Settings", "SymptomsMayComeLater", 1);
    settings.writes.clear();
    wxTEST_DIALOG(
        RunOptionsCommand(nullptr, settings), ScriptedDialog<COptionsDlg>([](COptionsDlg& dialog) {
            EXPECT_EQ(HourBox(&dialog)->GetValue(), "22");
            EXPECT_TRUE(IsOn(&dialog, control::ByScore));
            EXPECT_TRUE(IsOn(&dialog, control::PutInInclusions));
            EXPECT_EQ(ControlOf<wxTextCtrl>(&dialog, control::BackupDays)->GetValue(), "14")
                << "more days than the most kept count as the default";
            EXPECT_TRUE(ControlOf<wxCheckBox>(&dialog, control::SymptomsMayComeLater)->GetValue());
            return Press(dialog, wxID_OK, wxID_OK);
        }));
    EXPECT_EQ(settings.writes,
              (Strings{"Settings/NewDayTime=22", "Settings/SortOrder=1", "Settings/50DayAction=0",
                       "Settings/BackupDays=14", "Settings/SymptomsMayComeLater=1",
                       "Settings/TodayOnNewDay=0"}));
}

TEST(OptionsCommand, AStoredHourOutsideTheDayIsShownAsTheHourInUse) {
    RecordingSettings settings;
    settings.WriteInt("Settings", "NewDayTime", 31);
    wxTEST_DIALOG(RunOptionsCommand(nullptr, settings),
                  ScriptedDialog<COptionsDlg>([](COptionsDlg& dialog) {
                      EXPECT_EQ(HourBox(&dialog)->GetValue(), "4");
                      return Press(dialog, wxID_CANCEL, wxID_CANCEL);
                  }));
}

class OptionsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = std::make_unique<COptionsDlg>(nullptr, settings);
        dialog->Show();
    }
    // Types into the box (the hour unless told) and presses OK: the dialog must refuse it with
    // the message.
    void ExpectRefused(const char* typed, const std::string& message, int box = control::Hour) {
        ControlOf<wxTextCtrl>(dialog.get(), box)->SetValue(typed);
        wxTEST_DIALOG(Click(dialog.get(), wxID_OK), ExpectMessage::Application(message));
        EXPECT_TRUE(dialog->IsShown()) << typed;
        EXPECT_EQ(ControlOf<wxTextCtrl>(dialog.get(), box)->GetValue(), typed);
    }

    RecordingSettings settings;
    std::unique_ptr<COptionsDlg> dialog;
};

TEST_F(OptionsDialogTest, OkRefusesAnHourThatIsNotAWholeNumber) {
    for (const char* typed : {"", "  ", "abc", "7a", "1.5", "99999999999999999999"})
        ExpectRefused(typed, "Please enter an integer.");
}

TEST_F(OptionsDialogTest, OkRefusesAnHourOutsideTheDay) {
    for (const char* typed : {"24", "-1", "100"})
        ExpectRefused(typed, "Please enter an integer between 0 and 23.");
    HourBox(dialog.get())->SetValue(" 23 ");
    Click(dialog.get(), wxID_OK);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_EQ(dialog->m_nHour, 23);
}

// What GTK's spin control made of "abc" (0, backups off) and 1000 (365) is refused instead.
TEST_F(OptionsDialogTest, OkRefusesBackupDaysThatAreNotAWholeNumberFrom0To365) {
    const struct {
        const char* typed;
        const char* message;
    } refused[] = {
        {"abc", "Please enter an integer."},
        {"", "Please enter an integer."},
        {"1.5", "Please enter an integer."},
        {"1000", "Please enter an integer between 0 and 365."},
        {"366", "Please enter an integer between 0 and 365."},
        {"-1", "Please enter an integer between 0 and 365."},
    };
    for (const auto& c : refused) ExpectRefused(c.typed, c.message, control::BackupDays);
    for (const auto& [typed, days] : {std::pair{" 365 ", 365}, std::pair{"0", 0}}) {
        dialog->Show();
        ControlOf<wxTextCtrl>(dialog.get(), control::BackupDays)->SetValue(typed);
        EXPECT_EQ(ControlOf<wxSpinButton>(dialog.get(), control::BackupDaysSpin)->GetValue(), days);
        Click(dialog.get(), wxID_OK);
        EXPECT_FALSE(dialog->IsShown()) << typed;
        EXPECT_EQ(dialog->m_nBackupDays, days);
    }
}

TEST_F(OptionsDialogTest, ArrowsStepTheHourAndWrapAtBothEnds) {
    HourBox(dialog.get())->SetValue("22");
    Arrow(dialog.get(), WXK_UP);
    EXPECT_EQ(HourBox(dialog.get())->GetValue(), "23");
    Arrow(dialog.get(), WXK_UP);
    EXPECT_EQ(HourBox(dialog.get())->GetValue(), "0");
    Arrow(dialog.get(), WXK_DOWN);
    EXPECT_EQ(HourBox(dialog.get())->GetValue(), "23");
    EXPECT_EQ(ControlOf<wxSpinButton>(dialog.get(), control::HourSpin)->GetValue(), 23);

    HourBox(dialog.get())->SetValue("0");
    Arrow(dialog.get(), WXK_DOWN);
    EXPECT_EQ(HourBox(dialog.get())->GetValue(), "23");
}

TEST_F(OptionsDialogTest, TheSpinControlFollowsTheTypedHourAndWritesItsOwn) {
    auto* spin = ControlOf<wxSpinButton>(dialog.get(), control::HourSpin);
    EXPECT_EQ(spin->GetMin(), 0);
    EXPECT_EQ(spin->GetMax(), 23);
    EXPECT_TRUE(spin->HasFlag(wxSP_WRAP));
    HourBox(dialog.get())->SetValue("9");
    EXPECT_EQ(spin->GetValue(), 9);
    Arrow(dialog.get(), WXK_UP);
    EXPECT_EQ(HourBox(dialog.get())->GetValue(), "10");

    spin->SetValue(17);
    wxSpinEvent moved(wxEVT_SPIN, control::HourSpin);
    moved.SetEventObject(spin);
    moved.SetPosition(17);
    spin->ProcessWindowEvent(moved);
    EXPECT_EQ(HourBox(dialog.get())->GetValue(), "17");
}

TEST_F(OptionsDialogTest, TheHourBoxTakesDigitsOnly) {
    auto typed = [this](wxChar key) {
        wxKeyEvent character(wxEVT_CHAR);
        character.m_keyCode = key;
        character.m_uniChar = key;
        character.SetEventObject(HourBox(dialog.get()));
        // Handled means stopped: a key the box refuses is handled by the dialog's filter.
        return !HourBox(dialog.get())->ProcessWindowEvent(character);
    };
    EXPECT_TRUE(typed('7'));
    EXPECT_TRUE(typed(WXK_BACK));
    EXPECT_FALSE(typed('a'));
    EXPECT_FALSE(typed('-'));
    EXPECT_FALSE(typed(' '));
}

// The spin control's own arrows, clicked with the mouse.
TEST(OptionsSpinControl, ItsArrowsStepTheHourAndWrap) {
    MemorySettings settings;
    settings.WriteInt("Settings", "NewDayTime", 23);
    COptionsDlg dialog(nullptr, settings);
    dialog.Show();
    PumpEvents();
    auto* spin = ControlOf<wxSpinButton>(&dialog, control::HourSpin);
    const wxRect area(spin->GetScreenPosition(), spin->GetSize());
    wxUIActionSimulator simulator;
    // GTK draws the spin button as "-" then "+", side by side.
    simulator.MouseMove(area.GetRight() - area.width / 4, area.y + area.height / 2);
    PumpEvents();
    simulator.MouseClick();
    PumpEvents();
    EXPECT_EQ(HourBox(&dialog)->GetValue(), "0");
    simulator.MouseMove(area.x + area.width / 4, area.y + area.height / 2);
    PumpEvents();
    simulator.MouseClick();
    PumpEvents();
    EXPECT_EQ(HourBox(&dialog)->GetValue(), "23");
}

// ---- the tips file

class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "gastrolog-tips-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path& Path() const { return m_path; }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(m_path / name, std::ios::binary) << text;
        return (m_path / name).string();
    }

private:
    fs::path m_path;
};

const std::string Tips =
    "; comment\n"
    "\n"
    " indented: skipped\n"
    "\tso is this\n"
    "First tip.\n"
    "Second tip.\n"
    ";\n"
    "Third tip.\n";

class TipFileTest : public ::testing::Test {
protected:
    // One start of the program: a session that reads a tip and ends.
    std::string Session() {
        TipSession session(settings, {file},
                           [this](const std::string& message) { troubles.push_back(message); });
        return session.Tip();
    }

    TemporaryFolder folder;
    std::string file = folder.Write("tips.txt", Tips);
    MemorySettings settings;
    Strings troubles;
};

TEST_F(TipFileTest, FirstRunStoresTheTimeStampAndShowsTheFirstTip) {
    EXPECT_EQ(Session(), "First tip.\n");
    EXPECT_TRUE(settings.Contains("Tip", "TimeStamp"));
    EXPECT_FALSE(settings.Contains("Tip", "StartUp"));
    EXPECT_EQ(troubles, Strings{});
}

TEST_F(TipFileTest, EverySessionMovesOnByOneTipAndWrapsAfterTheLast) {
    Strings shown;
    for (int start = 0; start < 5; ++start) shown.push_back(Session());
    EXPECT_EQ(shown, (Strings{"First tip.\n", "Second tip.\n", "Third tip.\n", "First tip.\n",
                              "Second tip.\n"}));
}

TEST_F(TipFileTest, APositionAtOrBeyondTheEndWrapsToTheFirstTip) {
    Session();
    settings.WriteInt("Tip", "FilePos", 100000);
    EXPECT_EQ(Session(), "First tip.\n");
    EXPECT_EQ(troubles, Strings{});
}

TEST_F(TipFileTest, AChangedTimeStampStartsAgainFromTheFirstTip) {
    Session();
    Session();
    settings.WriteString("Tip", "TimeStamp", "Mon Jan  1 00:00:00 2001");
    EXPECT_EQ(Session(), "First tip.\n");
}

TEST_F(TipFileTest, TheTimeStampIsTheCLibrarysDateTextOfTheStatusChange) {
    TipReader reader;
    ASSERT_TRUE(reader.Open(file));
    const std::string stamp = reader.TimeStampText();
    EXPECT_TRUE(std::regex_match(stamp, std::regex(R"([A-Z][a-z]{2} [A-Z][a-z]{2} [ 123]\d )"
                                                   R"(\d\d:\d\d:\d\d \d{4})")))
        << stamp;
    struct stat status {};
    ASSERT_EQ(stat(file.c_str(), &status), 0);
    std::string expected = std::ctime(&status.st_ctime);
    expected.pop_back();  // its line break
    EXPECT_EQ(stamp, expected);
}

TEST_F(TipFileTest, AnUnreachablePositionIsReportedAndTheNextStartRecovers) {
    Session();
    settings.WriteInt("Tip", "FilePos", -20);
    EXPECT_EQ(Session(), "");
    EXPECT_EQ(troubles, Strings{"Trouble reading the tips file"});
    EXPECT_EQ(Session(), "First tip.\n");
}

TEST_F(TipFileTest, AFileWithoutATipEndsTheReadWithoutATip) {
    for (const std::string& text :
         {std::string(), std::string("; only\n\n \n\t\n"), std::string("; no final line break")}) {
        file = folder.Write("empty.txt", text);
        settings = MemorySettings();
        EXPECT_EQ(Session(), "");
        EXPECT_EQ(troubles, Strings{});
        TipSession session(settings, {file}, [](const std::string&) {});
        EXPECT_EQ(session.NextTip(), "");
    }
}

TEST_F(TipFileTest, LongLinesAreReadInPiecesOf999Characters) {
    const std::string longLine = std::string(999, 'a') + std::string(501, 'b') + "\n";
    file = folder.Write("long.txt", longLine + "Short.\n");
    EXPECT_EQ(Session(), std::string(999, 'a'));
    EXPECT_EQ(Session(), std::string(501, 'b') + "\n");
    EXPECT_EQ(Session(), "Short.\n");
}

TEST_F(TipFileTest, WithoutATipsFileNothingIsStored) {
    file = (folder.Path() / "missing.txt").string();
    EXPECT_EQ(Session(), "Tips file does not exist in the prescribed directory");
    TipSession session(settings, {file}, [](const std::string&) {});
    EXPECT_FALSE(session.IsFileOpen());
    EXPECT_FALSE(settings.Contains("Tip", "FilePos"));
    EXPECT_FALSE(settings.Contains("Tip", "TimeStamp"));
}

TEST_F(TipFileTest, TheFirstCandidateThatOpensIsRead) {
    const std::string other = folder.Write("other.txt", "Other tip.\n");
    TipSession session(settings, {(folder.Path() / "missing.txt").string(), other, file},
                       [](const std::string&) {});
    EXPECT_EQ(session.Tip(), "Other tip.\n");
}

// ---- the dialog

// Runs the test in a folder of its own, where the dialog looks for "tips.txt" first.
class TipDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.Write("tips.txt", Tips);
        m_previous = fs::current_path();
        fs::current_path(folder.Path());
    }
    void TearDown() override { fs::current_path(m_previous); }

    std::string ShownTip(wxWindow* dialog) {
        return ControlOf<wxStaticText>(dialog, control::TipText)->GetLabelText().utf8_string();
    }
    wxCheckBox* ShowCheck(wxWindow* dialog) {
        return ControlOf<wxCheckBox>(dialog, control::ShowTipsAtStartup);
    }

    TemporaryFolder folder;
    RecordingSettings settings;

private:
    fs::path m_previous;
};

TEST_F(TipDialogTest, EveryConstructionMovesThePositionOnEvenWhenNotShown) {
    int previous = -1;
    for (int start = 0; start < 3; ++start) {
        { CTipOfTheDayDlg notShown(nullptr, settings); }
        const int position = settings.GetInt("Tip", "FilePos", -1);
        EXPECT_GT(position, previous);
        previous = position;
    }
    CTipOfTheDayDlg fourth(nullptr, settings);
    EXPECT_EQ(fourth.m_tipText, "First tip.");
    EXPECT_FALSE(settings.Contains("Tip", "StartUp"));
}

TEST_F(TipDialogTest, NextTipShowsTheFollowingTipsAndKeepsTheCheckBox) {
    auto dialog = std::make_unique<CTipOfTheDayDlg>(nullptr, settings);
    dialog->Show();
    EXPECT_EQ(dialog->GetTitle(), "Tip of the Day");
    EXPECT_EQ(ShownTip(dialog.get()), "First tip.");
    EXPECT_TRUE(ShowCheck(dialog.get())->GetValue());
    ShowCheck(dialog.get())->SetValue(false);
    Click(dialog.get(), control::NextTip);
    EXPECT_EQ(ShownTip(dialog.get()), "Second tip.");
    Click(dialog.get(), control::NextTip);
    Click(dialog.get(), control::NextTip);
    EXPECT_EQ(ShownTip(dialog.get()), "First tip.");
    EXPECT_FALSE(ShowCheck(dialog.get())->GetValue());

    Click(dialog.get(), wxID_OK);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_EQ(settings.GetInt("Tip", "StartUp", -1), 1);
    dialog.reset();
    // The next showing continues after the tip shown last.
    CTipOfTheDayDlg next(nullptr, settings);
    EXPECT_EQ(next.m_tipText, "Second tip.");
    EXPECT_FALSE(next.m_showAtStartup);
}

TEST_F(TipDialogTest, CloseWithTheBoxTickedStoresZero) {
    settings.WriteInt("Tip", "StartUp", 1);
    CTipOfTheDayDlg dialog(nullptr, settings);
    dialog.Show();
    EXPECT_FALSE(ShowCheck(&dialog)->GetValue());
    ShowCheck(&dialog)->SetValue(true);
    Click(&dialog, wxID_OK);
    EXPECT_EQ(settings.GetInt("Tip", "StartUp", -1), 0);
    EXPECT_EQ(dialog.GetReturnCode(), wxID_OK);
}

TEST_F(TipDialogTest, EscapeAndTheCloseBoxForgetTheCheckBox) {
    for (bool escape : {true, false}) {
        CTipOfTheDayDlg dialog(nullptr, settings);
        dialog.Show();
        ShowCheck(&dialog)->SetValue(false);
        if (escape) {
            wxKeyEvent key(wxEVT_CHAR_HOOK);
            key.m_keyCode = WXK_ESCAPE;
            key.SetEventObject(&dialog);
            dialog.ProcessWindowEvent(key);
        } else {
            dialog.Close();
        }
        EXPECT_FALSE(dialog.IsShown()) << escape;
        EXPECT_FALSE(settings.Contains("Tip", "StartUp")) << escape;
    }
}

TEST_F(TipDialogTest, AnUnreachablePositionShowsTheTroubleMessage) {
    { CTipOfTheDayDlg first(nullptr, settings); }
    settings.WriteInt("Tip", "FilePos", -1);
    std::unique_ptr<CTipOfTheDayDlg> dialog;
    wxTEST_DIALOG(dialog = std::make_unique<CTipOfTheDayDlg>(nullptr, settings),
                  ExpectMessage::Application("Trouble reading the tips file"));
    EXPECT_EQ(dialog->m_tipText, "");
}

}  // namespace
