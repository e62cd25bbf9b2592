// The Today window through its real widgets: Cancel, rating by keys, searching and ticking,
// adding a new food. That the commit stores the same diary as the two dialogs is decided in the
// core (tests/core/today_entry_test.cpp). The Options group of the daily reminder with a
// stand-in systemctl on PATH.

#include <gtest/gtest.h>
#include <wx/checklst.h>
#include <wx/srchctrl.h>
#include <wx/tglbtn.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "DialogTestSupport.h"
#include "desktop/ActionCommands.h"
#include "desktop/MainMenu.h"
#include "desktop/WxUserInterface.h"
#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/OptionsDlg.h"
#include "desktop/dialogs/TodayDlg.h"
#include "diary/GastrologDoc.h"
#include "diary/TodayEntry.h"
#include "tests/support/DiaryScripts.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// The desktop's ports around a core diary of two symptoms and four foods, on a known evening.
struct Desktop {
    MemorySettings settings;
    PlainHost host;
    WxUserInterface ui{nullptr};
    FixedClock clock{LocalTime(2005, 3, 7, 20, 0)};
    CGastrologDoc diary{DocumentPorts{&settings, &host, &ui, nullptr, &clock}};

    Desktop() {
        EXPECT_TRUE(diary.OnNewDocument());
        SampleDiary().Fill(diary);
        auto& foods = Members(diary).m_foods;
        foods.emplace_back("Bread");  // eaten on most recent days: first in the list
        foods.back().m_history = std::string(49, 'y') + "n";
        foods.emplace_back("Apple");
        foods.back().m_history = std::string(50, 'n');
        diary.RebuildFoodNames();
        diary.RebuildDayList(0);
        Members(diary).m_nextAction = command::UpdateSymptoms;
        host.SetPathName("/tmp/diary.glg");
        host.SetModifiedFlag(false);
    }
};

// Every symptom's and food's code on the current day, as "name:code", in the diary's order.
Strings CurrentDay(const CGastrologDoc& diary) {
    Strings day;
    for (const CSymptom& symptom : diary.Symptoms())
        day.push_back(symptom.m_name + ":" + symptom.m_history.back());
    for (const CFood& food : diary.Foods())
        day.push_back(food.m_name + ":" + food.m_history.back());
    return day;
}

// A key as the window's key handler gets it.
void Key(CTodayDlg& dialog, int key) {
    wxKeyEvent event(wxEVT_CHAR_HOOK);
    event.m_keyCode = key;
    event.SetEventObject(&dialog);
    dialog.ProcessWindowEvent(event);
}

void TypeInSearch(CTodayDlg& dialog, const std::string& text) {
    dialog.Search()->SetValue(wxString::FromUTF8(text));  // sends the text event, as typing does
}

void PressEnterInSearch(CTodayDlg& dialog) {
    wxCommandEvent enter(wxEVT_SEARCH, dialog.Search()->GetId());
    enter.SetEventObject(dialog.Search());
    enter.SetString(dialog.Search()->GetValue());
    dialog.Search()->ProcessWindowEvent(enter);
}

Strings ListedFoods(const CTodayDlg& dialog) {
    Strings names;
    for (unsigned int item = 0; item < dialog.FoodList()->GetCount(); ++item)
        names.push_back((dialog.FoodList()->IsChecked(item) ? "[x] " : "[ ] ") +
                        dialog.FoodList()->GetString(item).utf8_string());
    return names;
}

void SetTicked(CTodayDlg& dialog, const std::string& name, bool ticked) {
    wxCheckListBox* list = dialog.FoodList();
    const int item = list->FindString(wxString::FromUTF8(name), true);
    ASSERT_NE(item, wxNOT_FOUND) << name;
    list->Check(static_cast<unsigned int>(item), ticked);
    wxCommandEvent click(wxEVT_CHECKLISTBOX, list->GetId());
    click.SetEventObject(list);
    click.SetInt(item);
    list->ProcessWindowEvent(click);
}

// Which of the three buttons of a symptom row are down: "b", "n" or "w".
std::string ShownRating(const CTodayDlg& dialog, std::size_t symptom) {
    std::string down;
    for (std::size_t column = 0; column < 3; ++column)
        if (dialog.RatingButton(symptom, column)->GetValue()) down += CTodayDlg::Ratings[column];
    return down;
}

// Presses the button and hands on the code the window ends with.
int Finish(CTodayDlg& dialog, int button) {
    Press(dialog, button, wxID_NONE);
    return dialog.GetReturnCode();
}

// Opens the window on the diary as the Today command does and lets the script work it.
bool RunToday(CGastrologDoc& diary, std::function<int(CTodayDlg&)> script) {
    today::TodayEntry entry(diary);
    int result = wxID_CANCEL;
    wxTEST_DIALOG(
        {
            CTodayDlg dialog(nullptr, entry);
            result = dialog.ShowModal();
        },
        ScriptedDialog<CTodayDlg>(std::move(script)));
    return result == wxID_OK && diary.CommitToday(entry);
}

TEST(TodayWindow, CancelThenADayEnteredByKeysSearchAndTicks) {
    Desktop desktop;
    // Cancel ends the window without a commit.
    EXPECT_FALSE(
        RunToday(desktop.diary, [](CTodayDlg& dialog) { return Finish(dialog, wxID_CANCEL); }));

    const bool committed = RunToday(desktop.diary, [](CTodayDlg& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Today");
        // Bread was eaten on most recent days, Tea on more than Milk, Apple on none.
        EXPECT_EQ(ListedFoods(dialog), (Strings{"[ ] Bread", "[x] Tea", "[x] Milk", "[ ] Apple"}));

        // Each rating key rates the current symptom (Headache) and moves on; Up comes back.
        for (const auto& [key, shown] :
             {std::pair{'B', "b"}, {'1', "b"}, {'N', "n"}, {'2', "n"}, {'3', "w"}, {'W', "w"}}) {
            EXPECT_EQ(dialog.CurrentSymptom(), 0u);
            Key(dialog, key);
            EXPECT_EQ(ShownRating(dialog, 0), shown) << key;
            EXPECT_EQ(dialog.CurrentSymptom(), 1u);
            Key(dialog, WXK_UP);
        }
        Key(dialog, WXK_DOWN);
        Key(dialog, '1');
        EXPECT_EQ(ShownRating(dialog, 0), "w");
        EXPECT_EQ(ShownRating(dialog, 1), "b");
        // Up to Headache; Left moves its rating to "no change", Right back to "worse".
        Key(dialog, WXK_UP);
        Key(dialog, WXK_LEFT);
        EXPECT_EQ(ShownRating(dialog, 0), "n");
        Key(dialog, WXK_RIGHT);
        Key(dialog, WXK_RIGHT);  // already the last: stays
        EXPECT_EQ(ShownRating(dialog, 0), "w");

        // Tab leads from the ratings to the search box, where letters are typed, not ratings.
        Key(dialog, WXK_TAB);
        const wxWindow* focus = wxWindow::FindFocus();
        EXPECT_TRUE(focus == dialog.Search() || focus->GetParent() == dialog.Search());
        Key(dialog, 'B');  // a rating here would show in the stored Headache below

        // The search filters; Milk is taken off, Bread ticked by Enter on its name.
        TypeInSearch(dialog, "MIL");
        EXPECT_EQ(ListedFoods(dialog), (Strings{"[x] Milk"}));
        SetTicked(dialog, "Milk", false);
        TypeInSearch(dialog, "bread");
        PressEnterInSearch(dialog);
        EXPECT_EQ(dialog.Search()->GetValue(), "");

        // A bad name is refused as in the day-list dialog; a new one is added when the user
        // says Yes, ticked.
        TypeInSearch(dialog, "7up");
        wxTEST_DIALOG(PressEnterInSearch(dialog),
                      ExpectMessage("Food names must start with a letter.", "New Food",
                                    ExpectMessage::Icon::Exclamation));
        TypeInSearch(dialog, " Oat milk ");
        wxTEST_DIALOG(PressEnterInSearch(dialog),
                      ExpectMessage("\"Oat milk\" is not one of your foods.\n\nAdd it as a new "
                                    "food?",
                                    "Gastrolog", ExpectMessage::Icon::Question, wxID_YES));
        EXPECT_EQ(ListedFoods(dialog),
                  (Strings{"[x] Bread", "[x] Tea", "[ ] Milk", "[ ] Apple", "[x] Oat milk"}));
        return Finish(dialog, wxID_OK);
    });
    ASSERT_TRUE(committed);
    const CGastrologDoc& diary = desktop.diary;
    EXPECT_EQ(CurrentDay(diary), (Strings{"Headache:w", "Bloating:b", "Tea:y", "Milk:n", "Bread:y",
                                          "Apple:n", "Oat milk:y"}));
    EXPECT_EQ(diary.Foods().back().m_history, std::string(diary::NewFoodHistory));
    EXPECT_EQ(diary.NextAction(), command::UpdateConnections);
    EXPECT_TRUE(desktop.host.IsModified());
}

// Its menu text and key are read in the shell's menu test (tests/gui/app_test.cpp).
TEST(TodayWindow, IsTheFirstActionCommandWithItsPicture) {
    const ActionCommand& first = ActionCommands().front();
    EXPECT_EQ(first.id, command::Today);
    EXPECT_EQ(first.toolbarImage, ToolbarImage::Today);
    EXPECT_EQ(ToolTipText(command::Today), "Today");
}

// ---- the Options group, with a systemctl of the test's own first on PATH

class ReminderOptions : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string bin = m_folder.File("bin");
        fs::create_directories(bin);
        std::ofstream(bin + "/systemctl") << "#!/bin/sh\necho \"$@\" >> '" << Log() << "'\n"
                                          << "[ -e '" << NoManager() << "' ] && exit 1\nexit 0\n";
        fs::permissions(bin + "/systemctl", fs::perms::owner_all);
    }
    std::string Log() const { return m_folder.File("systemctl.log"); }
    std::string NoManager() const { return m_folder.File("no-manager"); }
    Strings Calls() const {
        Strings calls;
        std::ifstream log(Log());
        for (std::string line; std::getline(log, line);) calls.push_back(line);
        fs::remove(Log());
        return calls;
    }
    bool UnitsExist() const {
        const fs::path folder = fs::path(m_folder.File("config")) / "systemd/user";
        const bool timer = fs::exists(folder / "gastrolog-reminder.timer");
        EXPECT_EQ(fs::exists(folder / "gastrolog-reminder.service"), timer);
        return timer;
    }
    void RunOptions(std::function<void(COptionsDlg&)> work) {
        wxTEST_DIALOG(RunOptionsCommand(nullptr, settings),
                      ScriptedDialog<COptionsDlg>([&](COptionsDlg& dialog) {
                          work(dialog);
                          return Press(dialog, wxID_OK, wxID_OK);
                      }));
    }

    TemporaryFolder m_folder;
    ScopedEnvironment m_config{"XDG_CONFIG_HOME", m_folder.File("config")};
    ScopedEnvironment m_path{"PATH", m_folder.File("bin") + ":" + std::getenv("PATH")};
    MemorySettings settings;
};

TEST_F(ReminderOptions, WithoutAUserManagerItStaysOffOnWritesTheTimerOffRemovesIt) {
    std::ofstream(NoManager()) << "";
    RunOptions([](COptionsDlg& dialog) {
        EXPECT_FALSE(ControlOf<wxCheckBox>(&dialog, control::Reminder)->IsEnabled());
        auto* note = ControlOf<wxStaticText>(&dialog, control::ReminderNote);
        EXPECT_NE(note->GetLabel().Find("systemd's user manager is not running"), wxNOT_FOUND);
    });
    EXPECT_EQ(settings.GetString("Settings", "ReminderTime", "?"), "?");
    EXPECT_EQ(Calls(), (Strings{"--user show-environment"}));
    EXPECT_FALSE(UnitsExist());

    fs::remove(NoManager());
    RunOptions([](COptionsDlg& dialog) {
        auto* reminder = ControlOf<wxCheckBox>(&dialog, control::Reminder);
        EXPECT_FALSE(reminder->GetValue());  // off by default
        reminder->SetValue(true);
        ControlOf<wxTextCtrl>(&dialog, control::ReminderTime)->SetValue("21:30");
        ControlOf<wxCheckBox>(&dialog, control::TodayOnNewDay)->SetValue(true);
    });
    EXPECT_EQ(settings.GetString("Settings", "ReminderTime", "?"), "21:30");
    EXPECT_EQ(settings.GetInt("Settings", "TodayOnNewDay", 0), 1);
    EXPECT_EQ(Calls(), (Strings{"--user show-environment", "--user daemon-reload",
                                "--user enable --now gastrolog-reminder.timer"}));
    EXPECT_TRUE(UnitsExist());

    RunOptions([](COptionsDlg& dialog) {
        auto* reminder = ControlOf<wxCheckBox>(&dialog, control::Reminder);
        EXPECT_TRUE(reminder->GetValue());
        EXPECT_EQ(ControlOf<wxTextCtrl>(&dialog, control::ReminderTime)->GetValue(), "21:30");
        reminder->SetValue(false);
    });
    EXPECT_EQ(settings.GetString("Settings", "ReminderTime", "?"), "");
    EXPECT_EQ(Calls(),
              (Strings{"--user show-environment", "--user disable --now gastrolog-reminder.timer",
                       "--user daemon-reload"}));
    EXPECT_FALSE(UnitsExist());
}

}  // namespace
