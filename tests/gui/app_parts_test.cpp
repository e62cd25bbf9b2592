// The desktop shell's parts on their own: the training progress window, the relationships
// dialog, the About box, the command line, the settings store, the help book's context
// numbers and the toolbar pictures.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <wx/button.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/html/helpdata.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "desktop/AboutBox.h"
#include "desktop/ConfigSettings.h"
#include "desktop/ContextHelpMode.h"
#include "desktop/DesktopCommandLine.h"
#include "desktop/DiaryFileDialogs.h"
#include "desktop/MainMenu.h"
#include "desktop/SpoolerPrint.h"
#include "desktop/ToolbarArt.h"
#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/RelationshipsDlg.h"
#include "desktop/dialogs/ResourcePaths.h"
#include "desktop/dialogs/TrainingProgressDlg.h"
#include "diary/SettingsFile.h"
#include "tests/gui/support/ShellTestSupport.h"
#include "tests/support/DocumentTestAccess.h"

namespace {

// ---- the training progress window

class ProgressWindowTest : public ::testing::Test {
protected:
    void TearDown() override {
        owner->Destroy();
        PumpEvents();
    }

    // A clock the test moves by hand.
    CTrainingProgressDlg::ClockFunction HandClock() {
        return [this] { return now; };
    }

    wxFrame* owner = new wxFrame(nullptr, wxID_ANY, "owner");
    CTrainingProgressDlg::TimePoint now{};
};

TEST_F(ProgressWindowTest, DisablesItsOwnerWhileOpen) {
    owner->Show();
    CTrainingProgressDlg progress(owner, "Updating Connections", HandClock());
    progress.Open();
    EXPECT_TRUE(progress.IsShown());
    EXPECT_FALSE(owner->IsEnabled());
    progress.Close();
    EXPECT_FALSE(progress.IsShown());
    EXPECT_TRUE(owner->IsEnabled());
}

TEST_F(ProgressWindowTest, LeavesADisabledOwnerDisabled) {
    owner->Disable();
    {
        CTrainingProgressDlg progress(owner, "Updating Connections", HandClock());
        progress.Open();
        EXPECT_FALSE(progress.IsOwnerDisabled());
        progress.Close();
    }
    EXPECT_FALSE(owner->IsEnabled()) << "it was not the progress window's to enable";
}

TEST_F(ProgressWindowTest, GivesTheOwnerBackWhenDestroyedOpen) {
    {
        CTrainingProgressDlg progress(owner, "Updating Connections", HandClock());
        progress.Open();
    }
    EXPECT_TRUE(owner->IsEnabled());
}

TEST_F(ProgressWindowTest, ShowsItsCaptionWithoutATitleBar) {
    CTrainingProgressDlg progress(owner, "Updating Connections", HandClock());
    EXPECT_FALSE(progress.HasFlag(wxCAPTION));
    EXPECT_EQ(progress.GetTitle(), "Updating Connections");
    bool captionShown = false;
    for (const wxWindow* child : progress.GetChildren())
        if (const auto* text = dynamic_cast<const wxStaticText*>(child))
            captionShown |= text->GetLabel() == "Updating Connections";
    EXPECT_TRUE(captionShown);
    EXPECT_TRUE(progress.GetGauge()->HasFlag(wxGA_SMOOTH));
}

TEST_F(ProgressWindowTest, EnterAndEscapeDoNotCloseIt) {
    owner->Show();
    CTrainingProgressDlg progress(owner, "Updating Connections", HandClock());
    progress.Open();
    for (int key : {WXK_RETURN, WXK_ESCAPE, WXK_NUMPAD_ENTER}) {
        wxKeyEvent press(wxEVT_CHAR_HOOK);
        press.m_keyCode = key;
        press.SetEventObject(&progress);
        progress.ProcessWindowEvent(press);
        PumpEvents();
        EXPECT_TRUE(progress.IsShown()) << key;
    }
    wxWindow& window = progress;
    window.Close(false);  // as the window manager's close asks: refused
    PumpEvents();
    EXPECT_TRUE(progress.IsShown());
    progress.Close();
}

TEST_F(ProgressWindowTest, RepaintsAtAHumanRateNotAtEveryStep) {
    CTrainingProgressDlg progress(owner, "Updating Connections", HandClock());
    progress.Open();
    progress.SetRange(0, 5000);
    progress.SetPos(0);
    progress.SetStep(1);
    const int afterOpen = progress.GetRepaintCount();

    // The clock standing still: 5000 steps, no repaint.
    for (int epoch = 0; epoch < 5000; ++epoch) progress.StepIt();
    EXPECT_EQ(progress.GetRepaintCount(), afterOpen);
    EXPECT_EQ(progress.GetPos(), 5000);

    // 10 ms per step: one repaint per 40 ms.
    progress.SetPos(0);
    const int beforeRun = progress.GetRepaintCount();
    for (int epoch = 0; epoch < 400; ++epoch) {
        now += std::chrono::milliseconds(10);
        progress.StepIt();
    }
    EXPECT_EQ(progress.GetRepaintCount() - beforeRun, 100);
    EXPECT_EQ(progress.GetGauge()->GetValue(), progress.GetPos());
    progress.Close();
}

TEST_F(ProgressWindowTest, StepsWithinItsRange) {
    CTrainingProgressDlg progress(owner, "Updating Connections", HandClock());
    EXPECT_EQ(progress.GetLower(), 0);
    EXPECT_EQ(progress.GetUpper(), 100);
    progress.SetRange(10, 20);
    progress.SetPos(100);
    EXPECT_EQ(progress.GetPos(), 20);
    progress.SetPos(15);
    progress.SetStep(3);
    progress.StepIt();
    EXPECT_EQ(progress.GetPos(), 18);
    progress.StepIt();  // past the end it starts again, as a progress bar does
    EXPECT_EQ(progress.GetPos(), 11);
}

// ---- context help

class ContextHelpTest : public ::testing::Test {
protected:
    ContextHelpMode mode{[this](int context) { shown.push_back(context); },
                         [this](bool active) { changes.push_back(active); },
                         [this](const wxPoint&) { return onCommandArea; }};
    std::vector<int> shown;
    std::vector<bool> changes;
    bool onCommandArea = false;
};

TEST_F(ContextHelpTest, TheCommandChosenShowsItsTopicInsteadOfRunning) {
    EXPECT_FALSE(mode.TakeCommand(32772)) << "outside the mode commands run";
    mode.Begin();
    EXPECT_TRUE(mode.TakeCommand(32772));
    EXPECT_FALSE(mode.IsActive());
    mode.Begin();
    EXPECT_TRUE(mode.TakeCommand(32794));  // View > Foods
    mode.Begin();
    EXPECT_TRUE(mode.TakeCommand(wxID_SAVE));
    mode.Begin();
    EXPECT_TRUE(mode.TakeCommand(frame_command::ViewCharts));
    EXPECT_EQ(shown, (std::vector<int>{32772, help_context::ViewMenu, help_context::FileMenu,
                                       help_context::ViewMenu}));
    EXPECT_EQ(changes, (std::vector<bool>{true, false, true, false, true, false, true, false}));
}

TEST_F(ContextHelpTest, EscapeLeavesWithoutHelp) {
    mode.Begin();
    wxKeyEvent escape(wxEVT_KEY_DOWN);
    escape.m_keyCode = WXK_ESCAPE;
    EXPECT_EQ(mode.FilterEvent(escape), wxEventFilter::Event_Processed);
    EXPECT_FALSE(mode.IsActive());
    EXPECT_TRUE(shown.empty());
}

TEST_F(ContextHelpTest, AClickOnThePageShowsTheMainWindowTopic) {
    mode.Begin();
    wxMouseEvent click(wxEVT_LEFT_DOWN);
    onCommandArea = true;
    EXPECT_EQ(mode.FilterEvent(click), wxEventFilter::Event_Skip) << "becomes a command";
    EXPECT_TRUE(mode.IsActive());
    onCommandArea = false;
    EXPECT_EQ(mode.FilterEvent(click), wxEventFilter::Event_Processed);
    EXPECT_EQ(shown, (std::vector<int>{help_context::MainWindow}));
    EXPECT_FALSE(mode.IsActive());
}

// ---- Day After Relationships

TEST(RelationshipsDialog, ShowsTheThreeColumnsRowByRowUnsorted) {
    const StringList symptoms = {"Sore throat", "Headache"};
    const StringList best = {"Not found.", "Caf\xe9"};  // Windows-1252 "Café"
    const StringList worst = {"Wine", "Not found."};
    CRelationshipsDlg dialog(nullptr, &symptoms, &best, &worst);
    EXPECT_EQ(dialog.GetTitle(), "Day After Relationships");
    const auto column = [&](int id) {
        std::vector<std::string> rows;
        auto* list = dynamic_cast<wxListBox*>(dialog.FindWindow(id));
        EXPECT_NE(list, nullptr) << id;
        if (list)
            for (unsigned row = 0; row < list->GetCount(); ++row)
                rows.push_back(list->GetString(row).utf8_string());
        return rows;
    };
    EXPECT_EQ(column(control::RelationshipsSymptoms),
              (std::vector<std::string>{"Sore throat", "Headache"}));
    EXPECT_EQ(column(control::RelationshipsBestFoods),
              (std::vector<std::string>{"Not found.", "Caf\xc3\xa9"}));
    EXPECT_EQ(column(control::RelationshipsWorstFoods),
              (std::vector<std::string>{"Wine", "Not found."}));
    auto* help = dynamic_cast<wxButton*>(dialog.FindWindow(control::RelationshipsHelp));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->GetLabel(), "&Help");
    EXPECT_NE(dialog.FindWindow(wxID_OK), nullptr);
}

TEST(RelationshipsDialog, AMissingListLeavesItsColumnEmpty) {
    const StringList symptoms = {"Headache"};
    CRelationshipsDlg dialog(nullptr, &symptoms, nullptr, nullptr);
    EXPECT_EQ(
        dynamic_cast<wxListBox*>(dialog.FindWindow(control::RelationshipsSymptoms))->GetCount(),
        1u);
    EXPECT_EQ(
        dynamic_cast<wxListBox*>(dialog.FindWindow(control::RelationshipsBestFoods))->GetCount(),
        0u);
    EXPECT_EQ(
        dynamic_cast<wxListBox*>(dialog.FindWindow(control::RelationshipsWorstFoods))->GetCount(),
        0u);
}

// ---- About

TEST(AboutBox, ShowsTheVersionAndANotice) {
    CAboutBox about(nullptr);
    EXPECT_EQ(about.GetTitle(), "About Gastrolog");
    std::set<std::string> texts;
    for (const wxWindow* child : about.GetChildren())
        if (const auto* text = dynamic_cast<const wxStaticText*>(child))
            texts.insert(text->GetLabel().utf8_string());
    EXPECT_TRUE(texts.count("Gastrolog    Version 3.4"));
    EXPECT_EQ(texts.size(), 2u) << "the version and one line for the maker's notice";
    EXPECT_NE(about.FindWindow(wxID_OK), nullptr);
}

// ---- the command line

struct CommandLineCase {
    std::vector<std::string> words;
    DesktopCommandLine::Action action;
    std::string file;
    std::string printer;
};

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, ReadsAsTheFrameworkDid) {
    wxArrayString words;
    for (const std::string& word : GetParam().words) words.push_back(word);
    const DesktopCommandLine line = ParseDesktopCommandLine(words);
    EXPECT_EQ(line.action, GetParam().action);
    EXPECT_EQ(line.file.utf8_string(), GetParam().file);
    EXPECT_EQ(line.printer.utf8_string(), GetParam().printer);
    EXPECT_EQ(line.problem.empty(),
              GetParam().action != DesktopCommandLine::Action::Invalid &&
                  GetParam().action != DesktopCommandLine::Action::UnknownSwitch);
}

using Action = DesktopCommandLine::Action;
INSTANTIATE_TEST_SUITE_P(
    Words, CommandLineTest,
    ::testing::Values(
        CommandLineCase{{}, Action::NewDiary, "", ""},
        CommandLineCase{{"mine.glg"}, Action::OpenDiary, "mine.glg", ""},
        CommandLineCase{{"/home/me/mine.glg"}, Action::OpenDiary, "/home/me/mine.glg", ""},
        CommandLineCase{{"-p", "mine.glg"}, Action::PrintDiary, "mine.glg", ""},
        CommandLineCase{{"/p", "mine.glg"}, Action::PrintDiary, "mine.glg", ""},
        CommandLineCase{{"mine.glg", "/P"}, Action::PrintDiary, "mine.glg", ""},
        CommandLineCase{{"/pt", "mine.glg", "Office"}, Action::PrintTo, "mine.glg", "Office"},
        CommandLineCase{{"-p"}, Action::Invalid, "", ""},
        CommandLineCase{{"/pt", "mine.glg"}, Action::Invalid, "mine.glg", ""},
        CommandLineCase{{"-dde", "mine.glg"}, Action::OpenDiary, "mine.glg", ""},
        CommandLineCase{{"-unknown", "mine.glg"}, Action::UnknownSwitch, "mine.glg", ""},
        CommandLineCase{{"--bogus"}, Action::UnknownSwitch, "", ""},
        CommandLineCase{{"--help", "--bogus"}, Action::UnknownSwitch, "", ""},
        CommandLineCase{{"--help"}, Action::ShowHelp, "", ""},
        CommandLineCase{{"/bogus"}, Action::OpenDiary, "/bogus", ""},
        CommandLineCase{{"--", "-p"}, Action::OpenDiary, "-p", ""},
        CommandLineCase{{"first.glg", "second.glg"}, Action::OpenDiary, "first.glg", ""},
        CommandLineCase{{"/Unregister"}, Action::RemoveSettings, "", ""},
        CommandLineCase{{"--version"}, Action::ShowVersion, "", ""},
        CommandLineCase{{"mine.glg", "--version", "-p"}, Action::ShowVersion, "mine.glg", ""}));

// What the program answers without a window: the stream, the words and the status.
TEST(CommandLineAnswers, UnknownSwitchesHelpAndVersionAreAnsweredBeforeAnyWindow) {
    const struct {
        std::vector<std::string> words;
        int status;
        bool onError;
        const char* firstLine;
    } cases[] = {
        {{"--bogus"}, 2, true, "gastrolog: unknown option \"--bogus\""},
        {{"--help"}, 0, false, "Usage: gastrolog [DIARY.glg]"},
        {{"--version"}, 0, false, "gastrolog "},
    };
    for (const auto& c : cases) {
        wxArrayString words;
        for (const std::string& word : c.words) words.push_back(word);
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        const auto status = AnswerWithoutWindow(ParseDesktopCommandLine(words), out, err);
        ASSERT_TRUE(status.has_value()) << c.words[0];
        EXPECT_EQ(*status, c.status) << c.words[0];
        std::FILE* written = c.onError ? err : out;
        std::rewind(written);
        char text[4096] = {};
        const std::size_t length = std::fread(text, 1, sizeof text - 1, written);
        const std::string answer(text, length);
        EXPECT_TRUE(answer.starts_with(c.firstLine)) << answer;
        if (c.status == 2) {
            EXPECT_NE(answer.find("Usage: gastrolog"), std::string::npos);
        }
        std::fclose(out);
        std::fclose(err);
    }
    EXPECT_FALSE(AnswerWithoutWindow(ParseDesktopCommandLine(wxArrayString()), stdout, stderr));
}

// ---- the settings store

class SettingsStoreTest : public ::testing::Test {
protected:
    ScratchFolder folder;
    ScratchConfig config{folder};
    ConfigSettings settings;
};

TEST_F(SettingsStoreTest, KeepsEachSectionAsAGroup) {
    settings.WriteInt("Settings", "SortOrder", 1);
    settings.WriteInt("Tip", "FilePos", 120);
    long value = 0;
    EXPECT_TRUE(config.Config().Read("/Settings/SortOrder", &value));
    EXPECT_EQ(value, 1);
    EXPECT_EQ(settings.GetInt("Tip", "FilePos", 0), 120);
    EXPECT_EQ(settings.GetInt("Settings", "NewDayTime", 4), 4) << "absent: the fallback";
}

TEST_F(SettingsStoreTest, AValueThatIsNoNumberCountsAsAbsent) {
    config.Config().Write("/Settings/NewDayTime", "early");
    config.Config().Write("/Settings/SortOrder", "99999999999");
    EXPECT_EQ(settings.GetInt("Settings", "NewDayTime", 4), 4);
    EXPECT_EQ(settings.GetInt("Settings", "SortOrder", 0), 0);
}

TEST_F(SettingsStoreTest, TextsKeepEveryByte) {
    const std::string stamp = "Mon Mar  7 10:00:00 2005 \x80\xe9";
    settings.WriteString("Tip", "TimeStamp", stamp);
    EXPECT_EQ(settings.GetString("Tip", "TimeStamp", ""), stamp);
    EXPECT_EQ(settings.GetString("Tip", "Missing", "fallback"), "fallback");
}

TEST_F(SettingsStoreTest, WritesReachTheFileAtOnce) {
    settings.WriteInt("Settings", "50DayAction", 2);
    wxFileConfig reread("Gastrolog", "Gastrolog", wxString::FromUTF8(folder.File("settings.conf")),
                        wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
    EXPECT_EQ(reread.ReadLong("/Settings/50DayAction", -1), 2);
}

// The file names the user's diaries: private whatever the umask, and read the same by the
// command line's settings reader.
TEST(SettingsFile, IsPrivateWhateverTheUmaskAndTheCoreReadsWhatTheDesktopWrote) {
    ScratchFolder folder;
    const std::string path = folder.File("Gastrolog.conf");
    const auto Mode = [&path] {
        struct stat status {};
        return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 0777 : 0;
    };
    const mode_t previous = ::umask(0);
    for (int round = 0; round < 2; ++round) {
        wxFileConfig config("Gastrolog", "Gastrolog", wxString::FromUTF8(path), wxEmptyString,
                            wxCONFIG_USE_LOCAL_FILE);
        ConfigSettings::MakePrivate(config, wxString::FromUTF8(path));
        ConfigSettings settings(&config);
        settings.WriteInt("Settings", "BackupDays", 60 + round);
        settings.WriteString("Recent File List", "file1", "  /home/me/a \"b\".glg");
        EXPECT_EQ(Mode(), 0600u) << round;
        ::chmod(path.c_str(), 0644);  // as an earlier version left it
    }
    ::umask(previous);
    const MemorySettings read = settings_file::Read(path);
    EXPECT_EQ(read.GetInt("Settings", "BackupDays", 14), 61);
    EXPECT_EQ(read.GetString("Recent File List", "file1", ""), "  /home/me/a \"b\".glg");
}

// ---- file names

TEST(DiaryFileNames, GetTheDiaryExtensionOnlyWhenTheyHaveNone) {
    EXPECT_EQ(WithDiaryExtension("/home/me/mine"), "/home/me/mine.glg");
    EXPECT_EQ(WithDiaryExtension("/home/me/mine.glg"), "/home/me/mine.glg");
    EXPECT_EQ(WithDiaryExtension("/home/me/mine.bak"), "/home/me/mine.bak");
    EXPECT_EQ(WithDiaryExtension("/home/me.d/mine"), "/home/me.d/mine.glg");
}

// ---- printing from the command line

class SpoolerTest : public ::testing::Test {
protected:
    void SetUp() override {
        wxGetEnv("PATH", &m_savedPath);
        wxSetEnv("PATH", wxString::FromUTF8(folder.Path().string()));
        diary.OnNewDocument();
        Members(diary).m_symptoms.emplace_back("Headache");
        diary.RebuildSymptomLines();
    }
    void TearDown() override { wxSetEnv("PATH", m_savedPath); }

    // An lpr that keeps its arguments and a copy of the file it is given.
    void InstallRecordingSpooler(int exitStatus = 0) {
        const std::string script = folder.File("lpr");
        std::ofstream(script) << "#!/bin/sh\n"
                              << "echo \"$@\" > " << folder.File("arguments") << "\n"
                              << "for last; do :; done\n/bin/cp \"$last\" "
                              << folder.File("spooled.ps") << "\nexit " << exitStatus << "\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    }
    std::string Read(const std::string& name) {
        std::ifstream file(folder.File(name));
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    ScratchFolder folder;
    CGastrologDoc diary;

private:
    wxString m_savedPath;
};

TEST_F(SpoolerTest, HandsThePagesToLprForTheNamedPrinter) {
    InstallRecordingSpooler();
    EXPECT_EQ(PrintThroughSpooler(diary, "mine.glg", "Office").Message(), "");
    EXPECT_TRUE(Read("spooled.ps").starts_with("%!PS"));
    EXPECT_TRUE(Read("arguments").starts_with("-P Office -T mine.glg ")) << Read("arguments");
}

TEST_F(SpoolerTest, TheDefaultPrinterIsLprsOwn) {
    InstallRecordingSpooler();
    EXPECT_EQ(PrintThroughSpooler(diary, "mine.glg", "").Message(), "");
    EXPECT_TRUE(Read("arguments").starts_with("-T mine.glg ")) << Read("arguments");
}

TEST_F(SpoolerTest, AFailingOrMissingLprIsReported) {
    InstallRecordingSpooler(3);
    EXPECT_EQ(PrintThroughSpooler(diary, "mine.glg", "").Message(),
              "The diary could not be printed: \"lpr\" ended with status 3.");
    std::filesystem::remove(folder.File("lpr"));
    EXPECT_EQ(PrintThroughSpooler(diary, "mine.glg", "").Message(), MissingSpoolerMessage);
}

// ---- the help book

TEST(HelpBook, HasATopicForEveryContextTheProgramAsksFor) {
    const std::string book = ResourcePath("help/gastrolog.hhp");
    ASSERT_TRUE(wxFileExists(wxString::FromUTF8(book))) << book;
    wxHtmlHelpData help;
    ASSERT_TRUE(help.AddBook(wxString::FromUTF8(book)));
    const int contexts[] = {
        128,                                       // the main window (F1)
        57600, 32798,                              // the File and View menus
        32780, 32771, 32772, 32779, 32801, 32814,  // the Action commands
        1001,  1009,  1016,                        // the day list and its dialogs
        1010,  1031,  1032,                        // the symptoms and their dialogs
        1062,  1078,  32808,                       // options, relationships, tips
    };
    for (int context : contexts) {
        const wxString page = help.FindPageById(context);
        EXPECT_FALSE(page.empty()) << context;
        const wxString file = page.BeforeFirst('#');
        EXPECT_TRUE(wxFileExists(wxFileName(wxString::FromUTF8(book)).GetPath() + "/" +
                                 wxFileName(file).GetFullName()))
            << file;
        EXPECT_TRUE(file.EndsWith(".html")) << "Debian shows .htm pages as source";
    }
}

// ---- toolbar pictures

TEST(ToolbarArt, DrawsEighteenDistinctVisiblePictures) {
    std::set<std::vector<unsigned char>> seen;
    for (int index = 0; index < ToolbarImageCount; ++index) {
        const wxImage image = DrawToolbarImage(static_cast<ToolbarImage>(index)).ConvertToImage();
        ASSERT_EQ(image.GetSize(), wxSize(30, 30)) << index;
        ASSERT_TRUE(image.HasAlpha()) << index;
        const unsigned char* alpha = image.GetAlpha();
        const int opaque =
            std::count_if(alpha, alpha + 900, [](unsigned char a) { return a > 200; });
        const int clear = std::count_if(alpha, alpha + 900, [](unsigned char a) { return a == 0; });
        EXPECT_GT(opaque, 90) << "picture " << index << " is barely drawn";
        EXPECT_GT(clear, 90) << "picture " << index << " has no transparent background";
        std::vector<unsigned char> pixels(image.GetData(), image.GetData() + 2700);
        pixels.insert(pixels.end(), alpha, alpha + 900);
        EXPECT_TRUE(seen.insert(pixels).second) << "picture " << index << " repeats another";
    }
}

TEST(ToolbarArt, DrawsTheIconInEverySize) {
    const wxIconBundle icons = DrawMainIcons();
    EXPECT_GE(icons.GetIconCount(), 4u);
    EXPECT_TRUE(icons.GetIcon(wxSize(16, 16)).IsOk());
    EXPECT_TRUE(icons.GetIcon(wxSize(48, 48)).IsOk());
    EXPECT_EQ(DrawMainIcon(64).GetSize(), wxSize(64, 64));
}

}  // namespace
