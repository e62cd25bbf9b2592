// "Update Symptoms" with its New and Delete dialogs, driven as a user would.

#include <gtest/gtest.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include <memory>

#include "DialogTestSupport.h"
#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/UpdateSymptomsDlg.h"

namespace {

using Strings = std::vector<std::string>;

const std::string Better = "  (better)   ";
const std::string Worse = "  (worse)    ";
const std::string NoChange = "  (no change)";
const std::string TenWarning =
    "You should not use more than ten symptoms.\nGastrolog works best with less symptoms.";

class SymptomDialogTest : public ::testing::Test {
protected:
    void Open() {
        dialog = std::make_unique<CUpdateSymptomsDlg>(nullptr);
        dialog->m_pSymptomList = &lines;
        dialog->m_strDay = "yesterday";
        dialog->Show();
    }

    wxListBox* Box() { return ControlOf<wxListBox>(dialog.get(), control::SymptomList); }
    void Press(int id) { Click(dialog.get(), id); }
    void Select(const std::string& row) { SelectRow(Box(), row); }

    // n symptoms named S01, S02, ... with no change.
    void MakeSymptoms(int count) {
        lines.clear();
        for (int index = 1; index <= count; ++index)
            lines.push_back((index < 10 ? "S0" : "S") + std::to_string(index) + NoChange);
    }

    Strings lines{"Headache" + Worse, "Bloating" + Better, "Nausea" + NoChange};
    std::unique_ptr<CUpdateSymptomsDlg> dialog;
};

TEST_F(SymptomDialogTest, OpensWithTheLinesSortedAndTheDayCaption) {
    Open();
    PumpEvents();
    EXPECT_EQ(Box()->GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(Rows(Box()), (Strings{"Bloating" + Better, "Headache" + Worse, "Nausea" + NoChange}));
    EXPECT_EQ(ControlOf<wxStaticText>(dialog.get(), control::SymptomCaption)->GetLabel(),
              "yesterday");
    EXPECT_EQ(dialog->GetTitle(), "Update Symptoms");
}

TEST_F(SymptomDialogTest, RatingButtonsReplaceTheSuffixOfTheSelectedSymptom) {
    Open();
    Press(control::Better);  // nothing selected: nothing happens
    EXPECT_EQ(lines[0], "Headache" + Worse);

    Select("Headache" + Worse);
    Press(control::Better);
    EXPECT_EQ(lines[0], "Headache" + Better);
    EXPECT_NE(Box()->FindString("Headache" + Better, true), wxNOT_FOUND);
    EXPECT_EQ(Box()->GetSelection(), wxNOT_FOUND);  // the re-added row is not selected

    Select("Headache" + Better);
    Press(control::Better);
    EXPECT_EQ(lines[0], "Headache" + Better);
    Select("Headache" + Better);
    Press(control::Worse);
    Select("Headache" + Worse);
    Press(control::NoChange);
    EXPECT_EQ(lines, (Strings{"Headache" + NoChange, "Bloating" + Better, "Nausea" + NoChange}));
    EXPECT_EQ(Box()->GetCount(), 3u);
}

TEST_F(SymptomDialogTest, AllNoChangeRatesEveryRowWhateverIsSelected) {
    lines.push_back("Cramps");  // no suffix yet: gets one
    Open();
    Select("Headache" + Worse);
    Press(control::AllNoChange);
    EXPECT_EQ(lines, (Strings{"Headache" + NoChange, "Bloating" + NoChange, "Nausea" + NoChange,
                              "Cramps" + NoChange}));
    EXPECT_EQ(Rows(Box()), (Strings{"Bloating" + NoChange, "Cramps" + NoChange,
                                    "Headache" + NoChange, "Nausea" + NoChange}));
}

// A new symptom is one of the day's symptoms: it is rated at once and keeps its "new" mark.
TEST_F(SymptomDialogTest, NewSymptomIsMarkedNewAndRatedAtOnce) {
    Open();
    NameAnswer answer = Type("  Heartburn ");
    wxTEST_DIALOG(Press(control::NewSymptom), wxExpectModal<CNewSymptomDlg>(answer));
    EXPECT_EQ(*answer.shown, " ");
    EXPECT_EQ(lines.back(), "~Heartburn");
    Select("Heartburn");
    Press(control::Better);
    EXPECT_EQ(lines.back(), "~Heartburn" + Better);
    Press(control::AllNoChange);
    EXPECT_EQ(lines.back(), "~Heartburn" + NoChange);
    EXPECT_NE(Box()->FindString("Heartburn" + NoChange, true), wxNOT_FOUND);
}

// A skipped day's dialog cancelled and not given up opens again on the lines it left.
TEST_F(SymptomDialogTest, OpenedAgainOnMarkedLinesItShowsThemAsTheUserLeftThem) {
    lines = {">Headache" + Worse, "Bloating" + Better, "~Heartburn" + NoChange};
    Open();
    EXPECT_EQ(Rows(Box()), (Strings{"Bloating" + Better, "Heartburn" + NoChange}));
}

TEST_F(SymptomDialogTest, NewWithAKnownSymptomInAnyCaseAddsNothing) {
    Open();
    for (const char* typed : {"headache", "NAUSEA", "BLOATING"})
        wxTEST_DIALOG(Press(control::NewSymptom), wxExpectModal<CNewSymptomDlg>(Type(typed)),
                      ExpectMessage("\"" + std::string(typed) + "\" is already in the list.",
                                    "New Symptom", ExpectMessage::Icon::Exclamation));
    EXPECT_EQ(lines.size(), 3u);
    EXPECT_EQ(Box()->GetCount(), 3u);
}

// The diary's own rule for "the same name", whatever the desktop's locale: the case of the
// code page's letters beyond ASCII is ignored too.
TEST_F(SymptomDialogTest, NewWithAKnownSymptomWithAccentsInAnotherCaseAddsNothing) {
    lines = {"\334belkeit" + Worse, "\212arlach" + NoChange};  // Übelkeit, Šarlach
    Open();
    for (const char* typed : {"\xC3\xBC"
                              "belkeit",
                              "\xC3\x9C"
                              "BELKEIT",
                              "\xC5\xA1"
                              "ARLACH"})
        wxTEST_DIALOG(Press(control::NewSymptom), wxExpectModal<CNewSymptomDlg>(Type(typed)),
                      ExpectMessage("\"" + std::string(typed) + "\" is already in the list.",
                                    "New Symptom", ExpectMessage::Icon::Exclamation));
    EXPECT_EQ(lines.size(), 2u);
}

TEST_F(SymptomDialogTest, NewRefusesNamesThatDoNotStartWithALetter) {
    Open();
    for (const char* typed : {"", " "})
        wxTEST_DIALOG(
            Press(control::NewSymptom), wxExpectModal<CNewSymptomDlg>(Type(typed)),
            ExpectMessage("Please type a name.", "New Symptom", ExpectMessage::Icon::Exclamation));
    for (const char* typed : {"2nd toe", "(pain)", ">Headache"})
        wxTEST_DIALOG(Press(control::NewSymptom), wxExpectModal<CNewSymptomDlg>(Type(typed)),
                      ExpectMessage("Symptom names must start with a letter.", "New Symptom",
                                    ExpectMessage::Icon::Exclamation));
    // A letter all the same, one the diary cannot store.
    wxTEST_DIALOG(Press(control::NewSymptom),
                  wxExpectModal<CNewSymptomDlg>(Type("\xE5\xAF\xBF\xE5\x8F\xB8")),
                  ExpectMessage("The name cannot be stored because it holds \"\xE5\xAF\xBF\".\nA "
                                "diary file holds only the letters, digits and signs of Western "
                                "European languages (Windows-1252).",
                                "New Symptom", ExpectMessage::Icon::Exclamation));
    EXPECT_EQ(lines.size(), 3u);
}

TEST_F(SymptomDialogTest, NewRefusesANameHoldingARatingWord) {
    Open();
    wxTEST_DIALOG(Press(control::NewSymptom), wxExpectModal<CNewSymptomDlg>(Type("Pain (worse)")),
                  ExpectMessage("Symptom names cannot contain \"(better)\", \"(worse)\" or "
                                "\"(no change)\".",
                                "New Symptom", ExpectMessage::Icon::Exclamation));
    EXPECT_EQ(lines.size(), 3u);
}

TEST_F(SymptomDialogTest, NineSymptomsTakeATenthWithoutWarning) {
    MakeSymptoms(9);
    Open();
    wxTEST_DIALOG(Press(control::NewSymptom), wxExpectModal<CNewSymptomDlg>(Type("Tenth")));
    EXPECT_EQ(lines.back(), "~Tenth");
}

TEST_F(SymptomDialogTest, TenSymptomsWarnEvenWhenTheNewDialogIsCancelled) {
    MakeSymptoms(10);
    Open();
    wxTEST_DIALOG(Press(control::NewSymptom), wxExpectModal<CNewSymptomDlg>(Cancel()),
                  ExpectMessage::Application(TenWarning));
    wxTEST_DIALOG(Press(control::NewSymptom), wxExpectModal<CNewSymptomDlg>(Type("Eleventh")),
                  ExpectMessage::Application(TenWarning));
    EXPECT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines.back(), "~Eleventh");
}

TEST_F(SymptomDialogTest, NineteenSymptomsTakeATwentiethAndTwentyTakeNoMore) {
    MakeSymptoms(19);
    Open();
    wxTEST_DIALOG(Press(control::NewSymptom), wxExpectModal<CNewSymptomDlg>(Type("Twentieth")),
                  ExpectMessage::Application(TenWarning));
    EXPECT_EQ(lines.size(), 20u);
    wxTEST_DIALOG(Press(control::NewSymptom),
                  ExpectMessage::Application("Maximum symptoms reached"));
    EXPECT_EQ(lines.size(), 20u);
    EXPECT_EQ(Box()->GetCount(), 20u);
}

TEST_F(SymptomDialogTest, DeleteConfirmsWithTheRowsTextAndMarksTheLine) {
    Open();
    Press(control::DeleteSymptom);  // nothing selected: no dialog
    Select("Nausea" + NoChange);
    NameAnswer cancelled = Cancel();
    wxTEST_DIALOG(Press(control::DeleteSymptom), wxExpectModal<CDeleteSymptomDlg>(cancelled));
    EXPECT_EQ(*cancelled.shown, "Nausea" + NoChange);
    EXPECT_EQ(Box()->GetCount(), 3u);

    Select("Nausea" + NoChange);
    wxTEST_DIALOG(Press(control::DeleteSymptom), wxExpectModal<CDeleteSymptomDlg>(Confirm()));
    EXPECT_EQ(lines, (Strings{"Headache" + Worse, "Bloating" + Better, ">Nausea" + NoChange}));
    EXPECT_EQ(Rows(Box()), (Strings{"Bloating" + Better, "Headache" + Worse}));
}

// The confirmation shows the row read-only: whatever its box is made to hold, the selected
// symptom is the one deleted.
TEST_F(SymptomDialogTest, DeleteTakesTheSelectedSymptomWhateverTheBoxHolds) {
    Open();
    Select("Nausea" + NoChange);
    wxTEST_DIALOG(Press(control::DeleteSymptom),
                  wxExpectModal<CDeleteSymptomDlg>(Type("Headache" + Worse)));
    EXPECT_EQ(lines, (Strings{"Headache" + Worse, "Bloating" + Better, ">Nausea" + NoChange}));
    EXPECT_EQ(Rows(Box()), (Strings{"Bloating" + Better, "Headache" + Worse}));
}

// Keys typed into the confirmation do not change it: it shows the selected row, read-only,
// as the food's does.
TEST_F(SymptomDialogTest, TheDeleteConfirmationTakesNoTyping) {
    Open();
    CDeleteSymptomDlg confirm(dialog.get());
    confirm.m_strName = wxString::FromUTF8("Nausea" + NoChange);
    auto* editable = new wxTextCtrl(&confirm, wxID_ANY);  // shows that the keys arrive
    confirm.Show();
    confirm.InitDialog();
    PumpEvents();
    wxUIActionSimulator keys;
    editable->SetFocus();
    PumpEvents();
    keys.Text("ok");
    PumpEvents();
    ASSERT_EQ(editable->GetValue(), "ok") << "typed keys do not reach the dialog";
    confirm.NameEdit()->SetFocus();
    confirm.NameEdit()->SetInsertionPointEnd();
    PumpEvents();
    keys.Text("Headache");
    keys.Char(WXK_BACK);
    PumpEvents();
    EXPECT_EQ(confirm.NameEdit()->GetValue().utf8_string(), "Nausea" + NoChange);
    EXPECT_FALSE(confirm.NameEdit()->IsEditable());
    confirm.Hide();
}

TEST_F(SymptomDialogTest, DeletingASymptomAddedInTheSameDialogWithdrawsIt) {
    Open();
    wxTEST_DIALOG(Press(control::NewSymptom), wxExpectModal<CNewSymptomDlg>(Type("Itching")));
    Select("Itching");
    wxTEST_DIALOG(Press(control::DeleteSymptom), wxExpectModal<CDeleteSymptomDlg>(Confirm()));
    EXPECT_EQ(lines, (Strings{"Headache" + Worse, "Bloating" + Better, "Nausea" + NoChange}));
    EXPECT_EQ(Box()->FindString("Itching"), wxNOT_FOUND);
}

TEST_F(SymptomDialogTest, OkAndCancelEndTheDialog) {
    for (int button : {wxID_OK, wxID_CANCEL}) {
        Open();
        Press(button);
        EXPECT_FALSE(dialog->IsShown()) << button;
    }
}

}  // namespace
