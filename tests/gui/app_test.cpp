// The desktop program as a user meets it: starting with and without a diary, the window
// title, the menus, keys and toolbar, the Action commands through a day, the section switches,
// the panes, the recent files and the question before a changed diary is given up.

#include <gtest/gtest.h>
#include <wx/filehistory.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "desktop/ChartsWindow.h"
#include "desktop/ConfigSettings.h"
#include "desktop/DesktopCommandLine.h"
#include "desktop/DesktopSession.h"
#include "desktop/DiaryDocument.h"
#include "desktop/GastrologDocManager.h"
#include "desktop/MainFrame.h"
#include "desktop/MainMenu.h"
#include "desktop/dialogs/HelpContext.h"
#include "desktop/dialogs/TodayDlg.h"
#include "diary/DiaryConstants.h"
#include "diary/HistoryFile.h"
#include "diary/LocalTime.h"
#include "tests/gui/support/ShellTestSupport.h"
#include "tests/support/DiaryScripts.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"

namespace {

wxArrayString Words(std::initializer_list<std::string> words) {
    wxArrayString result;
    for (const std::string& word : words) result.push_back(wxString::FromUTF8(word));
    return result;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ShellTest : public ::testing::Test {
protected:
    void TearDown() override {
        // A test that changed the diary has said what happens to it; closing must not ask.
        if (session && session->Document()) session->Document()->Modify(false);
        session.reset();
        PumpEvents();
    }

    DesktopSession& Start(std::initializer_list<std::string> words,
                          DesktopSession::Outcome expected = DesktopSession::Outcome::Running) {
        session = std::make_unique<DesktopSession>(settings);
        EXPECT_EQ(session->Start(ParseDesktopCommandLine(Words(words))), expected);
        PumpEvents();
        return *session;
    }

    CMainFrame& Frame() { return *session->Frame(); }
    DiaryDocument& Document() { return *session->Document(); }
    CGastrologDoc& Diary() { return Document().Core(); }

    // As a click on the menu item or the tool does it.
    void Choose(int commandId) {
        wxCommandEvent event(wxEVT_MENU, WidgetId(commandId));
        event.SetEventObject(&Frame());
        Frame().ProcessWindowEvent(event);
        PumpEvents();
    }

    // The menu item's state after the window asked every handler, as when the menu opens;
    // the toolbar button must agree.
    bool IsEnabled(int commandId) { return MenuState(WidgetId(commandId), false); }
    bool IsChecked(int commandId) { return MenuState(WidgetId(commandId), true); }
    bool MenuState(int id, bool checked) {
        Frame().UpdateWindowUI();
        const bool inMenu =
            checked ? Frame().GetMenuBar()->IsChecked(id) : Frame().GetMenuBar()->IsEnabled(id);
        wxToolBar* toolBar = Frame().GetToolBar();
        if (toolBar->FindById(id)) {
            EXPECT_EQ(checked ? toolBar->GetToolState(id) : toolBar->GetToolEnabled(id), inMenu)
                << "toolbar and menu disagree for " << id;
        }
        return inMenu;
    }

    ScratchFolder folder;
    ScratchConfig config{folder};
    ConfigSettings settings;
    std::unique_ptr<DesktopSession> session;
};

// ---- starting

TEST_F(ShellTest, WithoutAFileStartsAnUntitledDiary) {
    Start({});
    EXPECT_TRUE(Frame().IsShown());
    EXPECT_EQ(Frame().GetTitle(), "Untitled - Gastrolog");
    EXPECT_EQ(Diary().NextAction(), command::UpdateSymptoms);
    EXPECT_TRUE(Document().GetFilename().empty());
    EXPECT_EQ(Diary().GetTitle(), "Untitled");
}

// The Today window, seen and left with Cancel.
class CancelToday : public wxExpectModalBase<CTodayDlg, CancelToday> {
protected:
    int OnInvoked(CTodayDlg*) const override { return wxID_CANCEL; }
};

// With the option on, the new-day question's Yes opens the Today window by itself; its No
// does not.
TEST_F(ShellTest, TheTodayWindowFollowsTheNewDaysYesWhenTheOptionAsksForIt) {
    const std::string path = folder.File("yesterday.glg");
    {
        CGastrologDoc diary;
        diary.OnNewDocument();
        Members(diary).m_symptoms.emplace_back("Headache");
        Members(diary).m_dayCount = 3;
        Members(diary).m_lastUpdate = calendar::DaysEarlier(diary.GetEffectiveNow(), 1);
        ASSERT_TRUE(diary.WriteFile(path).Succeeded());
    }
    config.Config().Write("/Settings/TodayOnNewDay", 1);
    wxTEST_DIALOG(Start({path}), ExpectMessage(text::NewDay, wxID_YES), CancelToday());
    EXPECT_EQ(Diary().DayCount(), 4);
    Document().Modify(false);  // the new day is not to be saved
    session.reset();
    PumpEvents();
    wxTEST_DIALOG(Start({path}), ExpectMessage(text::NewDay, wxID_NO));
}

TEST_F(ShellTest, WithAFileOpensItAndNamesItInTheTitleAndTheSaveQuestion) {
    const std::string path = folder.File("mine.glg");
    WriteTodaysDiary(path);
    Start({path});
    EXPECT_EQ(Frame().GetTitle(), "mine.glg - Gastrolog");
    EXPECT_EQ(Document().GetFilename().utf8_string(), path);
    ASSERT_EQ(Diary().Foods().size(), 2u);
    EXPECT_EQ(Diary().Foods()[1].m_name, "Milk");
    // The same day as the file's: nothing asked, the day list is next.
    EXPECT_EQ(Diary().NextAction(), command::CreateDayList);
    EXPECT_EQ(Document().SaveChangesQuestion().utf8_string(), "Save changes to " + path + "?");
}

TEST_F(ShellTest, AFileThatCannotBeReadIsReportedAndStartingFails) {
    const std::string path = folder.File("broken.glg");
    std::ofstream(path) << "this is not a diary";
    wxTEST_DIALOG(Start({path}, DesktopSession::Outcome::Failed),
                  wxExpectModal<wxMessageDialog>(wxID_OK).Describe("the reason"));
}

// What is stored is printed: a diary days behind asks nothing and is saved by no one.
TEST_F(ShellTest, PrintingFromTheCommandLineWritesThePagesAndEnds) {
    const std::string diaryPath = folder.File("printed.glg");
    const std::string printPath = folder.File("printed.ps");
    WriteDiaryOfDaysAgo(diaryPath, 3);
    const std::string stored = FileText(diaryPath);
    session = std::make_unique<DesktopSession>(settings);
    session->SetPrintFile(wxString::FromUTF8(printPath));
    EXPECT_EQ(session->Start(ParseDesktopCommandLine(Words({"-p", diaryPath}))),
              DesktopSession::Outcome::Finished);
    EXPECT_FALSE(Frame().IsShown()) << "a diary being printed is not shown";
    std::ifstream printed(printPath);
    std::string firstLine;
    std::getline(printed, firstLine);
    EXPECT_TRUE(firstLine.starts_with("%!PS")) << firstLine;
    EXPECT_FALSE(Document().IsModified());
    session.reset();  // closing asks nothing either
    EXPECT_EQ(FileText(diaryPath), stored);
}

TEST_F(ShellTest, TheTipIsOfferedUnlessSwitchedOff) {
    Start({});
    settings.WriteInt("Tip", "StartUp", 0);
    wxTEST_DIALOG(session->OfferTipAtStartup(), wxExpectAny(wxID_CANCEL).Describe("the tip"));
    settings.WriteInt("Tip", "StartUp", 1);
    session->OfferTipAtStartup();  // nothing shown: the unexpected-dialog hook would fail
}

// ---- title and saving

TEST_F(ShellTest, SavingNamesTheDiaryInTheTitleAndClearsTheChange) {
    Start({});
    Document().Modify(true);
    EXPECT_EQ(Frame().GetTitle(), "Untitled - Gastrolog") << "no mark for a change";
    const std::string path = folder.File("saved.glg");
    ASSERT_TRUE(Document().OnSaveDocument(wxString::FromUTF8(path)));
    EXPECT_EQ(Frame().GetTitle(), "saved.glg - Gastrolog");
    EXPECT_FALSE(Document().IsModified());
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(ShellTest, NewOffersToSaveAChangedDiaryAndKeepsTheSameDocument) {
    Start({});
    DiaryDocument* before = &Document();
    const auto viewCount = before->GetViews().size();
    Members(Diary()).m_dayCount = 7;
    Document().Modify(true);
    EXPECT_EQ(Document().SaveChangesQuestion(), "Save changes to Untitled?");

    // Cancel: nothing happens.
    wxTEST_DIALOG(Choose(wxID_NEW), ExpectMessage("Save changes to Untitled?", wxID_CANCEL));
    EXPECT_EQ(Diary().DayCount(), 7);
    EXPECT_TRUE(Document().IsModified());

    // No: the changes are given up and the same document starts afresh.
    wxTEST_DIALOG(Choose(wxID_NEW), ExpectMessage("Save changes to Untitled?", wxID_NO));
    EXPECT_EQ(&Document(), before);
    EXPECT_EQ(Document().GetViews().size(), viewCount) << "the panes keep their views";
    EXPECT_EQ(Diary().DayCount(), 0);
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(ShellTest, ADamagedFileLeavesTheOpenDiaryAsItWas) {
    const std::string good = folder.File("good.glg");
    const std::string bad = folder.File("bad.glg");
    WriteTodaysDiary(good);
    std::ofstream(bad) << "garbage";
    Start({good});
    wxTEST_DIALOG(
        Document().GetDocumentManager()->CreateDocument(wxString::FromUTF8(bad), wxDOC_SILENT),
        wxExpectModal<wxMessageDialog>(wxID_OK).Describe("the reason"));
    EXPECT_EQ(Frame().GetTitle(), "good.glg - Gastrolog");
    EXPECT_EQ(Diary().Foods().size(), 2u);
}

// ---- menus, keys, toolbar

struct MenuLine {
    int commandId;  // 0: separator
    std::string text;
    std::string prompt;
};

std::vector<MenuLine> ActualMenu(wxMenu* menu) {
    std::vector<MenuLine> lines;
    for (const wxMenuItem* item : menu->GetMenuItems()) {
        if (item->IsSeparator()) {
            lines.push_back({0, "", ""});
            continue;
        }
        const int command = CommandForWidgetId(item->GetId());
        lines.push_back({command ? command : item->GetId(), item->GetItemLabel().utf8_string(),
                         item->GetHelp().utf8_string()});
    }
    return lines;
}

void ExpectMenu(wxMenu* menu, const std::vector<MenuLine>& expected) {
    const std::vector<MenuLine> actual = ActualMenu(menu);
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t index = 0; index < expected.size(); ++index) {
        SCOPED_TRACE(expected[index].text.empty() ? "separator" : expected[index].text);
        EXPECT_EQ(actual[index].commandId, expected[index].commandId);
        EXPECT_EQ(actual[index].text, expected[index].text);
        EXPECT_EQ(actual[index].prompt, expected[index].prompt);
    }
}

TEST_F(ShellTest, TheMenusHoldEveryCommandWithItsKeyAndPrompt) {
    Start({});
    wxMenuBar* bar = Frame().GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 4u);
    EXPECT_EQ(bar->GetMenuLabel(0), "&File");
    EXPECT_EQ(bar->GetMenuLabel(1), "&View");
    EXPECT_EQ(bar->GetMenuLabel(2), "&Action");
    EXPECT_EQ(bar->GetMenuLabel(3), "&Help");

    ExpectMenu(bar->GetMenu(0),
               {{wxID_NEW, "&New\tCtrl+N", "Create a new document"},
                {wxID_OPEN, "&Open...\tCtrl+O", "Open an existing document"},
                {wxID_SAVE, "&Save\tCtrl+S", "Save the active document"},
                {wxID_SAVEAS, "Save &As...", "Save the active document with a new name"},
                {frame_command::ExportData, "&Export...",
                 "Write the diary as a CSV table or as JSON, as gastrolog-cli export does"},
                {frame_command::ExportReport, "Export &Report...",
                 "Write a PDF report of the diary to take to your doctor"},
                {frame_command::RestoreBackup, "Restore from &Backup...",
                 "Open a daily copy of a diary, kept before the first save of a day, as a new "
                 "diary"},
                {0, "", ""},
                {wxID_PRINT, "&Print...\tCtrl+P", "Print the active document"},
                {wxID_PREVIEW, "Print Pre&view", "Display full pages"},
                {wxID_PRINT_SETUP, "P&rint Setup...", "Change the printer and printing options"},
                {0, "", ""},
                {wxID_FILE1, "Recent File", "Open this document"},
                {0, "", ""},
                {57665, "E&xit", "Quit the application; prompts to save documents"}});
    ExpectMenu(
        bar->GetMenu(1),
        {{32798, "&Inclusions", "Show or hide the inclusions list"},
         {32806, "&Unclassified", "Show or hide the unclassified or not recently eaten list"},
         {32791, "&Exclusions", "Show or hide the exclusions list"},
         {32790, "S&ymptoms", "Show or hide list of symptoms"},
         {32794, "&Foods", "Show or hide the foods list"},
         {32813, "&History", "Show or hide history"},
         {frame_command::ViewCharts, "&Charts",
          "Show the symptoms over time and what was eaten as charts"},
         {0, "", ""},
         {59392, "&Toolbar", "Show or hide the toolbar"},
         {59393, "&Status Bar", "Show or hide the status bar"},
         {0, "", ""},
         {frame_command::SplitRows, "Split Hori&zontally",
          "Split the window into two rows of panes"},
         {frame_command::SplitColumns, "Split &Vertically",
          "Split the window into two columns of panes"},
         {frame_command::Unsplit, "U&nsplit", "Show the first pane alone"}});
    ExpectMenu(
        bar->GetMenu(2),
        {{0, "", ""},
         {32816, "&Today...\tCtrl+T", "Rate today's symptoms and tick today's foods in one window"},
         {32780, "Update &Symptoms...", "Update changes to symptoms"},
         {32771, "&Create Day List...", "Create today's list of foods & drinks"},
         {32772, "&Update Connections...", "Update network connections"},
         {32779, "&Generate Tomorrow's Lists", "Generate tomorrow's exclusion and inclusion lists"},
         {0, "", ""},
         {32801, "Generate Current &Lists", "Generate current exclusion and inclusion lists"},
         {32814, "&Relate Foods to Symptoms", "Find relationships between foods and symptoms"},
         {32815, "&Evidence...",
          "Count how often each symptom was worse or better on the day after each food"},
         {0, "", ""},
         {32804, "Change &Options", "Change options "}});
    ExpectMenu(bar->GetMenu(3), {{wxID_HELP_CONTENTS, "&Help Topics", "List Help topics"},
                                 {32808, "&Tip of the Day", ""},
                                 {0, "", ""},
                                 {wxID_ABOUT, "&About Gastrolog...",
                                  "Display program information, version number and copyright"}});
}

TEST_F(ShellTest, NoMenuItemHasAKeyOfItsOwnBeyondTheFileKeysAndToday) {
    // GTK gives stock items keys of their own (Exit would get Ctrl+Q); none may sneak in.
    Start({});
    std::vector<std::string> keys;
    for (size_t menu = 0; menu < Frame().GetMenuBar()->GetMenuCount(); ++menu)
        for (const wxMenuItem* item : Frame().GetMenuBar()->GetMenu(menu)->GetMenuItems())
            if (std::unique_ptr<wxAcceleratorEntry> key{item->GetAccel()})
                keys.push_back(key->ToString().utf8_string());
    EXPECT_EQ(keys, (std::vector<std::string>{"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+P", "Ctrl+T"}));
}

TEST_F(ShellTest, TheKeyTableHoldsTheFrameworkKeys) {
    struct Key {
        int flags;
        int code;
        int command;
    };
    const Key expected[] = {
        {wxACCEL_CTRL, 'N', wxID_NEW},       {wxACCEL_CTRL, 'O', wxID_OPEN},
        {wxACCEL_CTRL, 'S', wxID_SAVE},      {wxACCEL_CTRL, 'P', wxID_PRINT},
        {wxACCEL_CTRL, 'Z', wxID_UNDO},      {wxACCEL_ALT, WXK_BACK, wxID_UNDO},
        {wxACCEL_CTRL, 'X', wxID_CUT},       {wxACCEL_SHIFT, WXK_DELETE, wxID_CUT},
        {wxACCEL_CTRL, 'C', wxID_COPY},      {wxACCEL_CTRL, WXK_INSERT, wxID_COPY},
        {wxACCEL_CTRL, 'V', wxID_PASTE},     {wxACCEL_SHIFT, WXK_INSERT, wxID_PASTE},
        {wxACCEL_NORMAL, WXK_F6, 57680},     {wxACCEL_SHIFT, WXK_F6, 57681},
        {wxACCEL_NORMAL, WXK_F1, wxID_HELP}, {wxACCEL_SHIFT, WXK_F1, wxID_CONTEXT_HELP},
    };
    const std::vector<wxAcceleratorEntry> actual = MainAccelerators();
    ASSERT_EQ(actual.size(), std::size(expected));
    for (size_t index = 0; index < actual.size(); ++index) {
        EXPECT_EQ(actual[index].GetFlags(), expected[index].flags) << index;
        EXPECT_EQ(actual[index].GetKeyCode(), expected[index].code) << index;
        const int command = CommandForWidgetId(actual[index].GetCommand());
        EXPECT_EQ(command ? command : actual[index].GetCommand(), expected[index].command) << index;
    }
    Start({});
    EXPECT_TRUE(Frame().GetAcceleratorTable()->IsOk());
}

TEST_F(ShellTest, TheToolbarHasItsTwentyFiveEntriesInOrder) {
    Start({});
    wxToolBar* toolBar = Frame().GetToolBar();
    ASSERT_EQ(toolBar->GetToolsCount(), 25u);
    // The groups of buttons, a separator between each two.
    const std::vector<std::vector<int>> groups = {{wxID_NEW, wxID_OPEN, wxID_SAVE},
                                                  {32816, 32780, 32771, 32772, 32779},
                                                  {32798, 32806, 32791, 32790, 32794, 32813, 32952},
                                                  {32801, 32814, 32815},
                                                  {wxID_PRINT, wxID_ABOUT, wxID_CONTEXT_HELP}};
    std::vector<int> expected;  // 0: a separator
    for (const std::vector<int>& group : groups) {
        if (!expected.empty()) expected.push_back(0);
        expected.insert(expected.end(), group.begin(), group.end());
    }
    ASSERT_EQ(expected.size(), 25u);
    for (int position = 0; position < 24; ++position) {
        const wxToolBarToolBase* tool = toolBar->GetToolByPos(position);
        SCOPED_TRACE(position + 1);
        EXPECT_EQ(tool->IsSeparator(), expected[position] == 0);
        if (tool->IsSeparator()) continue;
        const int command = CommandForWidgetId(tool->GetId());
        EXPECT_EQ(command ? command : tool->GetId(), expected[position]);
        EXPECT_EQ(tool->GetShortHelp(), ToolTipText(expected[position]));
        EXPECT_EQ(tool->GetLongHelp(), StatusPrompt(expected[position]));
        EXPECT_EQ(tool->GetNormalBitmap().GetSize(), toolBar->FromDIP(wxSize(30, 30)));
    }
    EXPECT_EQ(toolBar->FindById(WidgetId(32780))->GetShortHelp(), "Update Symptoms");
    EXPECT_EQ(toolBar->FindById(WidgetId(32952))->GetShortHelp(), "Charts");
    EXPECT_EQ(toolBar->GetId(), 128);
}

TEST_F(ShellTest, TheStatusBarHasItsFourPanesAndIdleText) {
    Start({});
    wxStatusBar* statusBar = Frame().GetStatusBar();
    ASSERT_EQ(statusBar->GetFieldsCount(), 4);
    EXPECT_EQ(statusBar->GetStatusText(0), "For Help, press F1");
    Frame().UpdateKeyIndicators();
    for (int field = 1; field < 4; ++field) {
        const wxString text = statusBar->GetStatusText(field);
        const char* const names[] = {"", "CAP", "NUM", "SCRL"};
        EXPECT_TRUE(text.empty() || text == names[field]) << text;
    }
}

// ---- the Action commands through a day

struct ActionState {
    bool updateSymptoms, createDayList, updateConnections, tomorrowsLists, currentLists, relate;
};

TEST_F(ShellTest, TheActionCommandsFollowTheDay) {
    Start({});
    ScriptedUserInterface ui;
    Document().SetUserInterface(&ui);
    const auto expectState = [this](ActionState state) {
        EXPECT_EQ(IsEnabled(command::UpdateSymptoms), state.updateSymptoms);
        EXPECT_EQ(IsEnabled(command::CreateDayList), state.createDayList);
        EXPECT_EQ(IsEnabled(command::UpdateConnections), state.updateConnections);
        EXPECT_EQ(IsEnabled(command::GenerateTomorrowsLists), state.tomorrowsLists);
        EXPECT_EQ(IsEnabled(command::GenerateCurrentLists), state.currentLists);
        EXPECT_EQ(IsEnabled(command::RelateFoodsToSymptoms), state.relate);
        EXPECT_TRUE(IsEnabled(command::ChangeOptions));
    };

    SCOPED_TRACE("a new diary");
    expectState({true, false, false, false, false, false});

    ui.ExpectSymptomDialog([](const std::string&, StringList& lines) {
        lines.push_back("~Headache");
        return true;
    });
    ui.ExpectNotice(text::SaveReminder);
    Choose(command::UpdateSymptoms);
    ASSERT_EQ(Diary().Symptoms().size(), 1u);
    expectState({true, true, false, false, false, false});

    ui.ExpectDayListDialog([](const std::string&, StringList& master, StringList& day) {
        AddNewFood(master, day, "Bread");
        return true;
    });
    Choose(command::CreateDayList);
    ASSERT_EQ(Diary().Foods().size(), 1u);
    expectState({true, true, true, false, false, false});

    Choose(command::UpdateConnections);
    EXPECT_TRUE(Frame().IsEnabled()) << "the progress window gave the main window back";
    expectState({true, true, true, true, false, false});

    // A diary without a started day asks nothing and stays on the same day.
    Choose(command::GenerateTomorrowsLists);
    expectState({true, true, false, false, false, false});

    Members(Diary()).m_dayCount = 2;
    expectState({true, true, false, false, true, false});
    Members(Diary()).m_dayCount = 10;
    EXPECT_FALSE(IsEnabled(command::RelateFoodsToSymptoms));
    Members(Diary()).m_dayCount = 11;
    EXPECT_TRUE(IsEnabled(command::RelateFoodsToSymptoms));
    ui.ExpectRelationships();
    Choose(command::RelateFoodsToSymptoms);
    EXPECT_EQ(ui.shownSymptoms, StringList{"Headache"});
    EXPECT_TRUE(ui.Done());
    Document().SetUserInterface(nullptr);
}

TEST_F(ShellTest, ADisabledActionCommandDoesNothingWhateverSendsIt) {
    Start({});
    ScriptedUserInterface ui;  // any dialog would be an unexpected interaction
    Document().SetUserInterface(&ui);
    Choose(command::GenerateTomorrowsLists);
    Choose(command::UpdateConnections);
    EXPECT_EQ(Diary().NextAction(), command::UpdateSymptoms);
    Document().SetUserInterface(nullptr);
}

// ---- the View menu

TEST_F(ShellTest, TheSectionSwitchesShowTheirStateAndChangeIt) {
    using namespace command;
    Start({});
    for (int section : {ViewInclusions, ViewUnclassified, ViewExclusions, ViewSymptoms})
        EXPECT_TRUE(IsChecked(section)) << section;
    for (int section : {ViewFoods, ViewHistory}) EXPECT_FALSE(IsChecked(section)) << section;

    Choose(ViewFoods);
    EXPECT_TRUE(Diary().ShowFoods());
    EXPECT_TRUE(IsChecked(ViewFoods));
    EXPECT_FALSE(Document().IsModified()) << "the switches are not part of the file";
    Choose(ViewInclusions);
    EXPECT_FALSE(IsChecked(ViewInclusions));
    EXPECT_TRUE(IsEnabled(ViewInclusions));
}

TEST_F(ShellTest, TheToolbarAndStatusBarSwitchesHideAndShowThem) {
    Start({});
    for (const auto& [switchId, bar] :
         {std::pair<int, wxWindow*>{command::ViewToolbar, Frame().GetToolBar()},
          {command::ViewStatusBar, Frame().GetStatusBar()}}) {
        SCOPED_TRACE(switchId);
        EXPECT_TRUE(IsChecked(switchId));
        Choose(switchId);
        EXPECT_FALSE(bar->IsShown());
        EXPECT_FALSE(IsChecked(switchId));
        Choose(switchId);
        EXPECT_TRUE(bar->IsShown());
    }
}

TEST_F(ShellTest, SplittingMakesUpToFourPanesEachAViewOfTheDiary) {
    Start({});
    CPaneSplitter& panes = Frame().Panes();
    EXPECT_FALSE(IsEnabled(frame_command::Unsplit));
    Choose(frame_command::SplitRows);
    EXPECT_EQ(panes.GetPanes().size(), 2u);
    EXPECT_FALSE(IsEnabled(frame_command::SplitRows));
    // Both rows can be seen: the lower pane has a real part of the window.
    EXPECT_TRUE(panes.IsSplit());
    const wxWindow* lower = panes.GetPanes()[1].window.get();
    EXPECT_GT(lower->GetSize().y, panes.GetSize().y / 4);
    EXPECT_TRUE(lower->IsShownOnScreen());
    Choose(frame_command::SplitColumns);
    ASSERT_EQ(panes.GetPanes().size(), 4u);
    EXPECT_EQ(Document().GetViews().size(), 4u);
    for (const CPaneSplitter::Pane& pane : panes.GetPanes()) {
        EXPECT_EQ(pane.view->GetDocument(), &Document());
        EXPECT_EQ(pane.view->GetFrame(), &Frame());
    }

    // A section switch reaches every pane's view through the one document.
    Choose(command::ViewHistory);
    EXPECT_TRUE(Diary().ShowHistory());

    Choose(frame_command::Unsplit);
    EXPECT_EQ(panes.GetPanes().size(), 1u);
    EXPECT_EQ(Document().GetViews().size(), 1u);
    EXPECT_FALSE(IsEnabled(frame_command::Unsplit));
}

TEST_F(ShellTest, DoubleClickingASashRemovesWhatItDivides) {
    Start({});
    CPaneSplitter& panes = Frame().Panes();
    Choose(frame_command::SplitRows);
    Choose(frame_command::SplitColumns);
    ASSERT_EQ(panes.GetPanes().size(), 4u);

    // The sash between the columns sits in a row's splitter; its event comes up to the panes.
    const CPaneSplitter::Pane rightPane = panes.GetPanes()[1];
    wxSplitterEvent columnSash(wxEVT_SPLITTER_DOUBLECLICKED,
                               static_cast<wxSplitterWindow*>(rightPane.window->GetParent()));
    rightPane.window->GetParent()->ProcessWindowEvent(columnSash);
    PumpEvents();
    EXPECT_EQ(panes.GetColumnCount(), 1);
    EXPECT_EQ(panes.GetRowCount(), 2);
    EXPECT_EQ(Document().GetViews().size(), 2u);

    wxSplitterEvent rowSash(wxEVT_SPLITTER_DOUBLECLICKED, &panes);
    panes.ProcessWindowEvent(rowSash);
    PumpEvents();
    EXPECT_EQ(panes.GetPanes().size(), 1u);
    EXPECT_EQ(Document().GetViews().size(), 1u);
}

TEST_F(ShellTest, F6AndShiftF6MoveThroughThePanes) {
    Start({});
    Choose(frame_command::SplitColumns);
    const std::vector<CPaneSplitter::Pane> panes = Frame().Panes().GetPanes();
    ASSERT_EQ(panes.size(), 2u);
    panes[0].window->SetFocus();
    PumpEvents();
    if (wxWindow::FindFocus() != panes[0].window.get())
        GTEST_SKIP() << "the display gives no keyboard focus";
    Choose(frame_command::NextPane);
    EXPECT_EQ(wxWindow::FindFocus(), panes[1].window.get());
    Choose(frame_command::NextPane);
    EXPECT_EQ(wxWindow::FindFocus(), panes[0].window.get());
    Choose(frame_command::PreviousPane);
    EXPECT_EQ(wxWindow::FindFocus(), panes[1].window.get());
}

TEST_F(ShellTest, ContextHelpShowsTheTopicOfTheNextCommandInsteadOfRunningIt) {
    Start({});
    Choose(wxID_CONTEXT_HELP);
    EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0), "Select an object on which to get Help");
    Choose(command::ViewFoods);
    EXPECT_FALSE(Diary().ShowFoods()) << "the command was not carried out";
    EXPECT_FALSE(Frame().ContextHelp().IsActive());
    EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0), "For Help, press F1");
    Choose(command::ViewFoods);
    EXPECT_TRUE(Diary().ShowFoods()) << "afterwards commands run again";
    CloseHelp();
}

// ---- recent files

TEST_F(ShellTest, TheRecentFilesAreTheLastFourOpenedAndAreKept) {
    Start({});
    std::vector<std::string> paths;
    for (int number = 1; number <= 5; ++number) {
        paths.push_back(folder.File("diary" + std::to_string(number) + ".glg"));
        WriteTodaysDiary(paths.back());
        ASSERT_TRUE(session->DocumentManager().CreateDocument(wxString::FromUTF8(paths.back()),
                                                              wxDOC_SILENT));
    }
    wxMenu* fileMenu = Frame().GetMenuBar()->GetMenu(0);
    EXPECT_EQ(session->DocumentManager().GetFileHistory()->GetCount(), 4u);
    EXPECT_EQ(fileMenu->GetLabel(wxID_FILE1), RecentFileLabel(1, wxString::FromUTF8(paths[4])));
    EXPECT_EQ(fileMenu->GetLabel(wxID_FILE1 + 3), RecentFileLabel(4, wxString::FromUTF8(paths[1])));
    EXPECT_EQ(fileMenu->FindItem(wxID_FILE1 + 4), nullptr);
    EXPECT_TRUE(fileMenu->IsEnabled(wxID_FILE1));
    // Still between Print Setup and Exit.
    EXPECT_EQ(ActualMenu(fileMenu).back().commandId, 57665);

    wxString stored;
    config.Config().Read("/Recent File List/File1", &stored);
    EXPECT_EQ(stored.utf8_string(), paths[4]);
    config.Config().Read("/Recent File List/File4", &stored);
    EXPECT_EQ(stored.utf8_string(), paths[1]);

    // The next start reads them back.
    session.reset();
    PumpEvents();
    Start({});
    EXPECT_EQ(session->DocumentManager().GetFileHistory()->GetCount(), 4u);
    EXPECT_EQ(Frame().GetMenuBar()->GetMenu(0)->GetLabel(wxID_FILE1),
              RecentFileLabel(1, wxString::FromUTF8(paths[4])));
}

TEST_F(ShellTest, OpeningTheDiaryThatIsOpenReadsNothingAgain) {
    const std::string path = folder.File("same.glg");
    WriteTodaysDiary(path);
    Start({path});
    Members(Diary()).m_dayCount = 42;  // as if changed since it was read
    Document().Modify(true);
    EXPECT_EQ(session->DocumentManager().CreateDocument(wxString::FromUTF8(path), wxDOC_SILENT),
              &Document());
    EXPECT_EQ(Diary().DayCount(), 42);
}

TEST_F(ShellTest, ChartsOpensOneWindowOnTheOpenDiary) {
    const std::string path = folder.File("charts.glg");
    WriteTodaysDiary(path, 12);
    // Without its history the diary's 12 days are dated back from today, as for an old diary;
    // the one written beside it knows only the day the fixture began.
    std::filesystem::remove(history::PathFor(path));
    Start({path});
    Choose(frame_command::ViewCharts);
    Choose(frame_command::ViewCharts);  // again: the same window comes to the front
    std::vector<ChartsWindow*> open;
    for (wxWindow* child : Frame().GetChildren())
        if (auto* charts = dynamic_cast<ChartsWindow*>(child)) open.push_back(charts);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_TRUE(open.front()->IsShown());
    ASSERT_TRUE(open.front()->Axis());
    EXPECT_EQ(open.front()->Axis()->LivedDays(), 12) << "the open diary's days";
}

TEST(RecentFileLabel, NumbersTheEntryAndKeepsAmpersands) {
    EXPECT_EQ(RecentFileLabel(2, "/data/salt & pepper.glg"), "&2 /data/salt && pepper.glg");
}

}  // namespace
