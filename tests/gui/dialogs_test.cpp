// The rules under the dialogs: the code-page edge, the list order, the small
// dialogs' data exchange, and the order in which Tab visits each dialog's controls.

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

#include <functional>

#include "DialogTestSupport.h"
#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/DayListDlg.h"
#include "desktop/dialogs/DiaryText.h"
#include "desktop/dialogs/OptionsDlg.h"
#include "desktop/dialogs/SortedListBox.h"
#include "desktop/dialogs/TipOfTheDayDlg.h"
#include "desktop/dialogs/UpdateSymptomsDlg.h"

namespace {

using Strings = std::vector<std::string>;

// ---- the code-page edge

TEST(DiaryText, EveryByteSurvivesTheTripThroughAWindow) {
    std::string bytes;
    for (int byte = 1; byte < 256; ++byte) bytes.push_back(static_cast<char>(byte));
    EXPECT_EQ(ToDiaryText(FromDiaryText(bytes)), bytes);
    EXPECT_EQ(FromDiaryText("Caf\xE9 \x80"), wxString::FromUTF8("Caf\xC3\xA9 \xE2\x82\xAC"));
}

TEST(DiaryText, TextTheDiaryCannotHoldHasNoBytes) {
    EXPECT_FALSE(ToDiaryText(wxString::FromUTF8("\xE2\x98\x95")).has_value());
    EXPECT_EQ(ToDiaryText(wxString()), std::string());
}

// ---- list order

TEST(SortedListBox, RowsFollowTheDiarysNameOrderWithEqualNamesInArrivalOrder) {
    wxDialog parent(nullptr, wxID_ANY, "list");
    auto* box = new SortedListBox(&parent, wxID_ANY, wxLB_SINGLE);
    for (const char* name : {"banana", "Apple", "\xC3\x84pfel", "apple", "Zebra", "_x", "APPLE"})
        box->AddSorted(wxString::FromUTF8(name));
    EXPECT_EQ(Rows(box),
              (Strings{"_x", "Apple", "apple", "APPLE", "banana", "Zebra", "\xC3\x84pfel"}));
    EXPECT_EQ(box->FindIgnoringCase("BANANA"), 4);
    EXPECT_EQ(box->FindIgnoringCase("banan"), wxNOT_FOUND);
}

// ---- the small dialogs

TEST(SmallDialogs, NewFoodAlwaysOpensWithOneBlankSelected) {
    CNewFoodDlg dialog(nullptr);
    dialog.m_strName = "left over";
    dialog.Show();
    EXPECT_EQ(dialog.NameEdit()->GetValue(), " ");
    long from = 0, to = 0;
    dialog.NameEdit()->GetSelection(&from, &to);
    EXPECT_EQ(to - from, 1);
    EXPECT_EQ(dialog.GetTitle(), "Insert New Food or Drink");
}

TEST(SmallDialogs, DeleteFoodStartsUncheckedAndTheOkStateDecides) {
    CDeleteFoodDlg dialog(nullptr);
    dialog.m_strName = "Milk";
    dialog.m_bMaster = 1;
    dialog.Show();
    auto* master = ControlOf<wxCheckBox>(&dialog, control::DeleteFromMaster);
    EXPECT_FALSE(master->GetValue());
    EXPECT_EQ(dialog.m_bMaster, 0);
    EXPECT_EQ(dialog.NameEdit()->GetValue(), "Milk");
    EXPECT_EQ(master->GetLabel(), "Delete from &Master list");

    master->SetValue(true);
    wxCommandEvent click(wxEVT_CHECKBOX, control::DeleteFromMaster);
    click.SetEventObject(master);
    master->ProcessWindowEvent(click);
    EXPECT_EQ(dialog.m_bMaster, 1);  // a click counts at once
    master->SetValue(false);
    dialog.NameEdit()->SetValue("Oat milk");
    Click(&dialog, wxID_OK);
    EXPECT_EQ(dialog.m_bMaster, 0);  // the state at OK decides
    EXPECT_EQ(dialog.m_strName, "Oat milk");
    EXPECT_FALSE(dialog.IsShown());
}

TEST(SmallDialogs, TheSymptomDialogsShowWhatTheCallerGives) {
    CNewSymptomDlg added(nullptr);
    added.m_strName = " ";
    added.Show();
    EXPECT_EQ(added.NameEdit()->GetValue(), " ");
    EXPECT_EQ(added.GetTitle(), "Add New Symptom");
    CDeleteSymptomDlg deleted(nullptr);
    deleted.m_strName = "Nausea  (worse)    ";
    deleted.Show();
    EXPECT_EQ(deleted.NameEdit()->GetValue(), "Nausea  (worse)    ");
    EXPECT_EQ(deleted.GetTitle(), "Delete Selected Symptom");
}

// ---- tab order

// The ids of the controls Tab visits, in the order it visits them.
void CollectTabStops(wxWindow* window, std::vector<int>& ids) {
    for (wxWindow* child : window->GetChildren()) {
        if (child->IsTopLevel()) continue;
        if (dynamic_cast<wxButton*>(child) || dynamic_cast<wxListBox*>(child) ||
            dynamic_cast<wxTextCtrl*>(child) || dynamic_cast<wxCheckBox*>(child) ||
            dynamic_cast<wxRadioButton*>(child))
            ids.push_back(child->GetId());
        CollectTabStops(child, ids);
    }
}

std::vector<int> TabStops(wxWindow* dialog) {
    std::vector<int> ids;
    CollectTabStops(dialog, ids);
    return ids;
}

TEST(TabOrder, FollowsTheControlOrderOfEachDialog) {
    using namespace control;
    CDayListDlg dayList(nullptr);
    EXPECT_EQ(TabStops(&dayList),
              (std::vector<int>{MasterList, CopyToDayList, DayList, DayListOk, wxID_CANCEL, NewFood,
                                DeleteFood, ClearDayList, DayListHelp}));
    CUpdateSymptomsDlg symptoms(nullptr);
    EXPECT_EQ(TabStops(&symptoms),
              (std::vector<int>{SymptomList, Better, Worse, NoChange, AllNoChange, wxID_OK,
                                wxID_CANCEL, NewSymptom, DeleteSymptom, SymptomHelp}));
    MemorySettings settings;
    COptionsDlg options(nullptr, settings);
    EXPECT_EQ(TabStops(&options),
              (std::vector<int>{Hour, wxID_OK, wxID_CANCEL, Alphabetic, ByScore, PutInInclusions,
                                PutInExclusions, ListSeparately, OptionsHelp, BackupDays,
                                SymptomsMayComeLater, Reminder, ReminderTime, TodayOnNewDay}));
    CDeleteFoodDlg deleteFood(nullptr);
    EXPECT_EQ(TabStops(&deleteFood),
              (std::vector<int>{FoodName, DeleteFromMaster, wxID_OK, wxID_CANCEL, DeleteFoodHelp}));
    CTipOfTheDayDlg tip(nullptr, settings);
    EXPECT_EQ(TabStops(&tip), (std::vector<int>{ShowTipsAtStartup, NextTip, wxID_OK}));
}

}  // namespace
