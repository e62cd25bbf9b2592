// "Create List of Foods & Drinks" with its New and Delete dialogs, driven as a user would.

#include <gtest/gtest.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include <memory>

#include "DialogTestSupport.h"
#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/DayListDlg.h"

namespace {

using Strings = std::vector<std::string>;

class DayListDialogTest : public ::testing::Test {
protected:
    void Open() {
        dialog = std::make_unique<CDayListDlg>(nullptr);
        dialog->m_pMasterList = &master;
        dialog->m_pDayList = &day;
        dialog->m_strDay = "on Monday, March 07, 2005";
        dialog->Show();
    }

    wxListBox* MasterBox() { return ControlOf<wxListBox>(dialog.get(), control::MasterList); }
    wxListBox* DayBox() { return ControlOf<wxListBox>(dialog.get(), control::DayList); }
    void Press(int id) { Click(dialog.get(), id); }

    void NewFood(const std::string& typed) {
        wxTEST_DIALOG(Press(control::NewFood), wxExpectModal<CNewFoodDlg>(Type(typed)));
    }
    void RefusedNewFood(const std::string& typed, const std::string& message) {
        wxTEST_DIALOG(Press(control::NewFood), wxExpectModal<CNewFoodDlg>(Type(typed)),
                      ExpectMessage(message, "New Food", ExpectMessage::Icon::None));
    }
    void DeleteSelected(NameAnswer answer) {
        wxTEST_DIALOG(Press(control::DeleteFood), wxExpectModal<CDeleteFoodDlg>(answer));
    }

    Strings master{"Bread", "Milk", "apple", "Cheese"};
    Strings day{"Milk", "milk"};
    std::unique_ptr<CDayListDlg> dialog;
};

NameAnswer Tick(int master, std::string edited = {}) {
    NameAnswer answer = edited.empty() ? Confirm() : Type(std::move(edited));
    answer.tickMaster = master;
    return answer;
}

TEST_F(DayListDialogTest, OpensWithSortedBoxesAndTheDayCaption) {
    Open();
    EXPECT_EQ(Rows(MasterBox()), (Strings{"apple", "Bread", "Cheese", "Milk"}));
    // The day list's second "milk" is the same food under another case: shown once.
    EXPECT_EQ(Rows(DayBox()), (Strings{"Milk"}));
    auto* caption = ControlOf<wxStaticText>(dialog.get(), control::DayListCaption);
    EXPECT_EQ(caption->GetLabel(), "on Monday, March 07, 2005");
    EXPECT_TRUE(MasterBox()->HasMultipleSelection());
    EXPECT_FALSE(DayBox()->HasMultipleSelection());
    EXPECT_EQ(dialog->GetTitle(), "Create List of Foods & Drinks");
}

// A mouse click in the middle of the row.
void ClickRow(wxListBox* box, int row) {
    int top = -1, bottom = -1;
    for (int y = 0; y < box->GetClientSize().y; ++y) {
        if (box->HitTest(wxPoint(10, y)) != row) continue;
        if (top < 0) top = y;
        bottom = y;
    }
    ASSERT_GE(top, 0) << "row " << row << " is not visible";
    wxUIActionSimulator mouse;
    const wxPoint screen = box->ClientToScreen(wxPoint(10, (top + bottom) / 2));
    mouse.MouseMove(screen);
    PumpEvents();
    mouse.MouseClick();
    PumpEvents();
}

TEST_F(DayListDialogTest, AClickInTheMasterListTogglesOneFood) {
    Open();
    PumpEvents();
    ClickRow(MasterBox(), 0);
    ClickRow(MasterBox(), 2);
    EXPECT_TRUE(MasterBox()->IsSelected(0));
    EXPECT_TRUE(MasterBox()->IsSelected(2));
    ClickRow(MasterBox(), 0);
    EXPECT_FALSE(MasterBox()->IsSelected(0));
    EXPECT_TRUE(MasterBox()->IsSelected(2));
}

TEST_F(DayListDialogTest, CopyAddsSelectedFoodsOnceAndKeepsTheSelection) {
    Open();
    Press(control::CopyToDayList);  // nothing selected: nothing happens
    EXPECT_EQ(day, (Strings{"Milk", "milk"}));

    SelectRow(MasterBox(), "Cheese");
    SelectRow(MasterBox(), "apple");
    SelectRow(MasterBox(), "Milk");  // already on the day list
    Press(control::CopyToDayList);
    Press(control::CopyToDayList);
    EXPECT_EQ(day, (Strings{"Milk", "milk", "apple", "Cheese"}));
    EXPECT_EQ(Rows(DayBox()), (Strings{"apple", "Cheese", "Milk"}));
    wxArrayInt selected;
    EXPECT_EQ(MasterBox()->GetSelections(selected), 3);
    EXPECT_EQ(master, (Strings{"Bread", "Milk", "apple", "Cheese"}));
}

TEST_F(DayListDialogTest, OkRefusesSelectionsNotCopiedToTheDayList) {
    Open();
    SelectRow(MasterBox(), "Bread");
    wxTEST_DIALOG(Press(control::DayListOk),
                  ExpectMessage::Application("Some of the Master list selections\nhave not been "
                                             "copied to the Day list.\n\nPlease check your "
                                             "selections."));
    EXPECT_TRUE(dialog->IsShown());

    Press(control::CopyToDayList);
    Press(control::DayListOk);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_EQ(dialog->GetReturnCode(), wxID_OK);
}

TEST_F(DayListDialogTest, OkAcceptsASelectionThatIsOnTheDayListUnderAnotherCase) {
    master.push_back("MILK");
    Open();
    SelectRow(MasterBox(), "MILK");
    Press(control::DayListOk);
    EXPECT_EQ(dialog->GetReturnCode(), wxID_OK);
}

TEST_F(DayListDialogTest, NewFoodIsTrimmedMarkedNewAndAddedToBothLists) {
    Open();
    NewFood("  Green tea \t");
    EXPECT_EQ(day.back(), "~Green tea");
    EXPECT_EQ(master.back(), "Green tea");
    EXPECT_EQ(Rows(DayBox()), (Strings{"Green tea", "Milk"}));
    EXPECT_EQ(Rows(MasterBox()), (Strings{"apple", "Bread", "Cheese", "Green tea", "Milk"}));
}

TEST_F(DayListDialogTest, NewFoodOpensHoldingOneBlank) {
    Open();
    NameAnswer answer = Cancel();
    wxTEST_DIALOG(Press(control::NewFood), wxExpectModal<CNewFoodDlg>(answer));
    EXPECT_EQ(*answer.shown, " ");
    EXPECT_EQ(day.size(), 2u);
    EXPECT_EQ(master.size(), 4u);
}

TEST_F(DayListDialogTest, NewFoodMustStartWithALetter) {
    Open();
    for (const char* typed : {"", "   "}) RefusedNewFood(typed, "Please type a name.");
    for (const char* typed : {"7up", "-Salt", ">Coffee", "~Milk", "0Bread"})
        RefusedNewFood(typed, "Food names must start with a letter");
    EXPECT_EQ(day, (Strings{"Milk", "milk"}));
    EXPECT_EQ(master.size(), 4u);
    EXPECT_EQ(DayBox()->GetCount(), 1u);
}

TEST_F(DayListDialogTest, NewFoodTheDiaryCannotStoreIsRefusedNotAltered) {
    Open();
    RefusedNewFood("Tea \xE2\x98\x95",  // a hot beverage sign, outside Windows-1252
                   "The name cannot be stored because it holds \"\xE2\x98\x95\".\nA diary file "
                   "holds only the letters, digits and signs of Western European languages "
                   "(Windows-1252).");
    EXPECT_EQ(master.size(), 4u);
    EXPECT_EQ(day.size(), 2u);

    NewFood("Caf\xC3\xA9 cr\xC3\xA8me \xE2\x82\xAC");  // é, è and € are in the code page
    EXPECT_EQ(master.back(), "Caf\xE9 cr\xE8me \x80");
    EXPECT_EQ(day.back(), "~Caf\xE9 cr\xE8me \x80");
    EXPECT_NE(DayBox()->FindString(wxString::FromUTF8("Caf\xC3\xA9 cr\xC3\xA8me \xE2\x82\xAC")),
              wxNOT_FOUND);
}

// A refused name keeps the small dialog open with the text as typed; an accented first letter
// is a letter.
TEST_F(DayListDialogTest, ARefusedNameKeepsTheNewFoodDialogOpenWithItsText) {
    Open();
    CNewFoodDlg small(dialog.get());
    small.SetNameCheck(
        [](const wxString& typed) { return wxString(typed.StartsWith(">") ? "no" : ""); },
        "New Food");
    small.NameEdit()->SetValue(">Coffee");
    bool taken = true;
    wxTEST_DIALOG(taken = small.TransferDataFromWindow(),
                  ExpectMessage("no", "New Food", ExpectMessage::Icon::None));
    EXPECT_FALSE(taken);
    EXPECT_EQ(small.NameEdit()->GetValue(), ">Coffee");
    NewFood("\xC3\x84pfel");
    EXPECT_EQ(master.back(), "\xC4pfel");
    EXPECT_EQ(day.back(), "~\xC4pfel");
}

TEST_F(DayListDialogTest, NewWithAKnownFoodInAnotherCaseTakesTheDiarysSpelling) {
    Open();
    NewFood("bread");
    EXPECT_EQ(day.back(), "Bread");
    EXPECT_EQ(master, (Strings{"Bread", "Milk", "apple", "Cheese"}));
    EXPECT_EQ(Rows(DayBox()), (Strings{"Bread", "Milk"}));
}

TEST_F(DayListDialogTest, NewWithAFoodAlreadyOnTheDaySaysSoAndAddsNothing) {
    Open();
    RefusedNewFood("MILK", "\"MILK\" is already in the list.");
    EXPECT_EQ(day, (Strings{"Milk", "milk"}));
    EXPECT_EQ(Rows(DayBox()), (Strings{"Milk"}));
}

TEST_F(DayListDialogTest, DeleteWithoutASelectedRowOpensNothing) {
    Open();
    Press(control::DeleteFood);  // an unexpected dialog would fail the test
    EXPECT_EQ(DayBox()->GetCount(), 1u);
}

TEST_F(DayListDialogTest, DeleteConfirmationShowsTheRowAndCancelChangesNothing) {
    Open();
    SelectRow(DayBox(), "Milk");
    NameAnswer answer = Cancel();
    DeleteSelected(answer);
    EXPECT_EQ(*answer.shown, "Milk");
    EXPECT_EQ(Rows(DayBox()), (Strings{"Milk"}));
    EXPECT_EQ(master, (Strings{"Bread", "Milk", "apple", "Cheese"}));
}

TEST_F(DayListDialogTest, DeleteFromTheDayOnlyMarksTheFoodTakenOff) {
    Open();
    SelectRow(DayBox(), "Milk");
    DeleteSelected(Tick(0));
    EXPECT_TRUE(DayBox()->IsEmpty());
    EXPECT_EQ(master, (Strings{"Bread", "0Milk", "apple", "Cheese"}));
    EXPECT_EQ(Rows(MasterBox()), (Strings{"apple", "Bread", "Cheese", "Milk"}));
    EXPECT_EQ(day, (Strings{"Milk", "milk"}));  // the mark carries the removal
}

TEST_F(DayListDialogTest, DeleteFromTheMasterListMarksTheFoodDeleted) {
    Open();
    SelectRow(DayBox(), "Milk");
    DeleteSelected(Tick(1));
    EXPECT_TRUE(DayBox()->IsEmpty());
    EXPECT_EQ(master, (Strings{"Bread", ">Milk", "apple", "Cheese"}));
    EXPECT_EQ(Rows(MasterBox()), (Strings{"apple", "Bread", "Cheese"}));
}

TEST_F(DayListDialogTest, DeleteFollowsTheNameEditedInTheConfirmation) {
    Open();
    SelectRow(DayBox(), "Milk");
    DeleteSelected(Tick(1, "Cheese"));
    EXPECT_TRUE(DayBox()->IsEmpty());  // the selected row leaves the day either way
    EXPECT_EQ(master, (Strings{"Bread", "Milk", "apple", ">Cheese"}));
    EXPECT_EQ(Rows(MasterBox()), (Strings{"apple", "Bread", "Milk"}));
}

TEST_F(DayListDialogTest, AFoodTakenOffTheDayCanStillBeDeletedFromTheMasterList) {
    day = {"Milk", "Bread"};
    Open();
    SelectRow(DayBox(), "Milk");
    DeleteSelected(Tick(0));
    SelectRow(DayBox(), "Bread");
    DeleteSelected(Tick(1, "Milk"));
    EXPECT_EQ(master, (Strings{"Bread", ">Milk", "apple", "Cheese"}));
    EXPECT_EQ(Rows(MasterBox()), (Strings{"apple", "Bread", "Cheese"}));
}

TEST_F(DayListDialogTest, ClickingTheCheckBoxAndClearingItAgainDeletesFromTheDayOnly) {
    Open();
    SelectRow(DayBox(), "Milk");
    wxTEST_DIALOG(Press(control::DeleteFood),
                  ScriptedDialog<CDeleteFoodDlg>([](CDeleteFoodDlg& confirm) {
                      auto* box = ControlOf<wxCheckBox>(&confirm, control::DeleteFromMaster);
                      EXPECT_FALSE(box->GetValue());
                      for (bool ticked : {true, false}) {
                          box->SetValue(ticked);
                          wxCommandEvent click(wxEVT_CHECKBOX, control::DeleteFromMaster);
                          click.SetEventObject(box);
                          box->ProcessWindowEvent(click);
                      }
                      return ::Press(confirm, wxID_OK, wxID_OK);
                  }));
    EXPECT_EQ(master, (Strings{"Bread", "0Milk", "apple", "Cheese"}));
}

TEST_F(DayListDialogTest, AFoodTakenOffAndPutBackCountsAsEaten) {
    Open();
    SelectRow(DayBox(), "Milk");
    DeleteSelected(Tick(0));
    SelectRow(MasterBox(), "Milk");
    Press(control::CopyToDayList);
    EXPECT_EQ(master, (Strings{"Bread", "Milk", "apple", "Cheese"}));
    EXPECT_EQ(day.back(), "Milk");

    SelectRow(DayBox(), "Milk");
    DeleteSelected(Tick(0));
    NewFood("milk");
    EXPECT_EQ(master, (Strings{"Bread", "Milk", "apple", "Cheese"}));
    EXPECT_EQ(Rows(DayBox()), (Strings{"Milk"}));
}

TEST_F(DayListDialogTest, ClearAsksAndMarksEveryFoodTakenOff) {
    day = {};
    Open();
    Press(control::ClearDayList);  // empty day list: no question

    SelectRow(MasterBox(), "Bread");
    SelectRow(MasterBox(), "Cheese");
    Press(control::CopyToDayList);
    wxTEST_DIALOG(
        Press(control::ClearDayList),
        ExpectMessage::Application("All items will be cleared from the Day list", wxID_CANCEL));
    EXPECT_EQ(DayBox()->GetCount(), 2u);
    EXPECT_EQ(master, (Strings{"Bread", "Milk", "apple", "Cheese"}));

    wxTEST_DIALOG(
        Press(control::ClearDayList),
        ExpectMessage::Application("All items will be cleared from the Day list", wxID_OK));
    EXPECT_TRUE(DayBox()->IsEmpty());
    EXPECT_EQ(master, (Strings{"0Bread", "Milk", "apple", "0Cheese"}));
    EXPECT_EQ(day, (Strings{"Bread", "Cheese"}));
}

TEST_F(DayListDialogTest, ANameWithBytesTheCodePageLeavesUndefinedSurvivesTheListBox) {
    master = {
        "Pi\x81"
        "a",
        "Soup"};
    day = {
        "Pi\x81"
        "a"};
    Open();
    SelectRow(DayBox(),
              "Pi\xC2\x81"
              "a");
    DeleteSelected(Tick(0));
    EXPECT_EQ(master, (Strings{"0Pi\x81"
                               "a",
                               "Soup"}));
}

}  // namespace
