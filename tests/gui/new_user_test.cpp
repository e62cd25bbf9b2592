// What a new user meets in the dialogs: ratings and deletions leave no row selected, every
// dialog's mnemonics are distinct as GTK shows them, deletion confirms only the selected name,
// F1 opens the dialog's own help page, message boxes show the icon of their kind, the dialogs
// with a day caption keep one width, the relationships window shows a symptom's row whole.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/stockitem.h>

#include <functional>
#include <map>
#include <memory>

#include "DialogTestSupport.h"
#include "desktop/AboutBox.h"
#include "desktop/EvidenceWindow.h"
#include "desktop/MainMenu.h"
#include "desktop/MessageIcons.h"
#include "desktop/WxUserInterface.h"
#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/DayListDlg.h"
#include "desktop/dialogs/HelpContext.h"
#include "desktop/dialogs/MessageBoxes.h"
#include "desktop/dialogs/OptionsDlg.h"
#include "desktop/dialogs/RelationshipsDlg.h"
#include "desktop/dialogs/RestoreBackupDlg.h"
#include "desktop/dialogs/TipOfTheDayDlg.h"
#include "desktop/dialogs/UpdateSymptomsDlg.h"
#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"

namespace {

// A message box whose style is kept for the test to look at.
class StyleOf : public wxExpectModalBase<wxMessageDialog, StyleOf> {
public:
    explicit StyleOf(std::shared_ptr<long> style) : m_style(std::move(style)) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override {
        *m_style = dialog->GetMessageDialogStyle();
        return dialog->GetMessageDialogStyle() & wxYES_NO ? wxID_YES : wxID_OK;
    }

private:
    std::shared_ptr<long> m_style;
};

// The label GTK really shows: a button made with a stock id and its stock label gets the
// stock label and mnemonic, whatever wx reports.
wxString ShownLabel(wxWindow* control) {
    auto* button = dynamic_cast<wxButton*>(control);
    if (!button) return control->GetLabel();
    using UsesStock = int (*)(void*);
    static const auto usesStock =
        reinterpret_cast<UsesStock>(dlsym(RTLD_DEFAULT, "gtk_button_get_use_stock"));
    if (usesStock && usesStock(button->GetHandle()))
        return wxGetStockLabel(button->GetId(), wxSTOCK_WITH_MNEMONIC);
    return button->GetLabel();
}

void CollectMnemonics(wxWindow* window, std::map<wxUniChar, wxString>& seen,
                      std::vector<std::string>& clashes) {
    for (wxWindow* child : window->GetChildren()) {
        if (dynamic_cast<wxButton*>(child) || dynamic_cast<wxCheckBox*>(child) ||
            dynamic_cast<wxRadioButton*>(child) || dynamic_cast<wxStaticText*>(child)) {
            const wxString label = ShownLabel(child);
            const size_t mark = label.find('&');
            if (mark != wxString::npos && mark + 1 < label.size() && label[mark + 1] != '&') {
                const wxUniChar key = wxString(label[mark + 1]).Lower()[0];
                if (seen.count(key)) clashes.push_back((seen[key] + " / " + label).utf8_string());
                seen[key] = label;
            }
        }
        CollectMnemonics(child, seen, clashes);
    }
}

// Every dialog, with the Help button it has (0: none) and the help context F1 opens (the
// button's by default; -1: the dialog has no page of its own).
struct DialogEntry {
    std::function<wxDialog*()> make;
    int helpButton = 0;
    int context = 0;
    int Context() const { return context ? context : helpButton; }
};

std::vector<DialogEntry> EveryDialog(MemorySettings& settings, const CGastrologDoc& diary) {
    return {
        {[] { return new CUpdateSymptomsDlg(nullptr); }, control::SymptomHelp},
        {[] { return new CDayListDlg(nullptr); }, control::DayListHelp},
        {[] { return new CNewFoodDlg(nullptr); }, control::NewFoodHelp},
        {[] { return new CDeleteFoodDlg(nullptr); }, control::DeleteFoodHelp},
        {[] { return new CNewSymptomDlg(nullptr); }, control::NewSymptomHelp},
        {[] { return new CDeleteSymptomDlg(nullptr); }, control::DeleteSymptomHelp},
        {[&] { return new COptionsDlg(nullptr, settings); }, control::OptionsHelp},
        {[] { return new CRelationshipsDlg(nullptr, nullptr, nullptr, nullptr); },
         control::RelationshipsHelp},
        {[&] { return new CTipOfTheDayDlg(nullptr, settings); }, 0, help_context::TipOfTheDay},
        {[&] { return new EvidenceWindow(nullptr, diary); }, EvidenceWindow::HelpButtonId,
         command::ShowEvidence},
        {[] { return new CAboutBox(nullptr); }, 0, -1},
        {[] { return new RestoreBackupDlg(nullptr, {}); }, 0, -1},
    };
}

// Rating any row, the last included, sorts it into place and leaves nothing selected.
TEST(UpdateSymptoms, RatedRowSortsIntoPlaceUnselected) {
    for (const char* rated : {"Aches  (no change)", "Zits  (no change)"}) {
        SCOPED_TRACE(rated);
        StringList lines{"Aches  (no change)", "Mood  (no change)", "Zits  (no change)"};
        CUpdateSymptomsDlg dialog(nullptr);
        dialog.m_pSymptomList = &lines;
        dialog.Show();
        auto* box = ControlOf<wxListBox>(&dialog, control::SymptomList);
        SelectRow(box, rated);
        Click(&dialog, control::Worse);
        EXPECT_EQ(box->GetSelection(), wxNOT_FOUND);
        EXPECT_EQ(box->GetCount(), 3u);
        dialog.Hide();
    }
}

// The delete confirmations show the selected name read-only; the food's says what ticking
// "Delete from Master list" means; deleting the last day-list row selects nothing.
TEST(DeleteDialogs, ConfirmOnlyTheSelectedName) {
    CDeleteSymptomDlg symptom(nullptr);
    EXPECT_FALSE(symptom.NameEdit()->IsEditable());
    CDeleteFoodDlg food(nullptr);
    EXPECT_FALSE(food.NameEdit()->IsEditable());
    food.InitDialog();
    EXPECT_EQ(food.WarningText(), "");
    auto* box = ControlOf<wxCheckBox>(&food, control::DeleteFromMaster);
    box->SetValue(true);
    wxCommandEvent click(wxEVT_CHECKBOX, control::DeleteFromMaster);
    click.SetInt(1);
    box->ProcessWindowEvent(click);
    EXPECT_EQ(food.WarningText(), CDeleteFoodDlg::ForGoodText);

    StringList master{"Apples", "Tea"}, day{"Apples", "Tea"};
    CDayListDlg dayList(nullptr);
    dayList.m_pMasterList = &master;
    dayList.m_pDayList = &day;
    dayList.Show();
    auto* dayBox = ControlOf<wxListBox>(&dayList, control::DayList);
    SelectRow(dayBox, "Tea");
    wxTEST_DIALOG(Click(&dayList, control::DeleteFood), wxExpectModal<CDeleteFoodDlg>(Confirm()));
    EXPECT_EQ(Rows(dayBox), std::vector<std::string>{"Apples"});
    EXPECT_EQ(dayBox->GetSelection(), wxNOT_FOUND);
    dayList.Hide();
}

// Every dialog's mnemonics are distinct as GTK shows them. F1 anywhere in a dialog opens the
// page its Help button opens (the Tip of the Day, without one, the page of its command),
// never the start page the window was showing.
TEST(EveryDialog, HasDistinctMnemonicsAndF1OpensItsOwnPage) {
    MemorySettings settings;
    const CGastrologDoc diary;
    ShowHelpContents();
    const std::string startPage = CurrentHelpPage().utf8_string();
    for (const DialogEntry& entry : EveryDialog(settings, diary)) {
        std::unique_ptr<wxDialog> dialog(entry.make());
        SCOPED_TRACE(dialog->GetTitle().utf8_string());
        std::map<wxUniChar, wxString> seen;
        std::vector<std::string> clashes;
        CollectMnemonics(dialog.get(), seen, clashes);
        EXPECT_TRUE(clashes.empty()) << ::testing::PrintToString(clashes);
        if (entry.Context() < 0) continue;
        ShowHelpContext(entry.Context());
        const std::string page = CurrentHelpPage().utf8_string();
        EXPECT_NE(page, startPage);
        dialog->Show();
        if (entry.helpButton) {
            ShowHelpContents();
            Click(dialog.get(), entry.helpButton);
            EXPECT_EQ(CurrentHelpPage().utf8_string(), page) << "the Help button";
        }
        // The key goes first to the control with the focus, then up to the dialog.
        wxWindow* control = dialog->GetChildren().GetFirst()->GetData();
        for (const int modifiers : {wxMOD_NONE, wxMOD_SHIFT}) {
            ShowHelpContents();
            wxKeyEvent key(wxEVT_CHAR_HOOK);
            key.m_keyCode = WXK_F1;
            key.m_shiftDown = modifiers == wxMOD_SHIFT;
            key.SetEventObject(control);
            control->ProcessWindowEvent(key);
            EXPECT_EQ(CurrentHelpPage().utf8_string(), modifiers == wxMOD_NONE ? page : startPage)
                << "F1 with modifiers " << modifiers;
        }
        dialog->Hide();
    }
    CloseHelp();
}

// Each kind of message box carries its own icon, which the program draws itself on GTK.
TEST(MessageBoxes, CarryTheIconOfTheirKind) {
    WxUserInterface ui(nullptr);
    const struct {
        const char* kind;
        std::function<void()> show;
        long icon;
        wxArtID art;
    } boxes[] = {
        {"question", [&] { ui.AskYesNo("Start a new day?"); }, wxICON_QUESTION, wxART_QUESTION},
        {"notice", [&] { ui.Notify("The clock is behind."); }, wxICON_WARNING, wxART_WARNING},
        {"information", [&] { ui.Inform("This is the example diary."); }, wxICON_INFORMATION,
         wxART_INFORMATION},
        {"error", [&] { ui.ReportError("The file cannot be read."); }, wxICON_ERROR, wxART_ERROR},
        {"application", [] { ShowApplicationMessage(nullptr, "Please check."); },
         wxICON_EXCLAMATION, wxART_WARNING},
        {"refused name", [] { ShowDialogMessage(nullptr, "Please type a name.", "New Food"); },
         wxICON_WARNING, wxART_WARNING},
    };
    const long icons = wxICON_EXCLAMATION | wxICON_ERROR | wxICON_QUESTION | wxICON_INFORMATION;
    for (const auto& box : boxes) {
        SCOPED_TRACE(box.kind);
        auto style = std::make_shared<long>(0);
        wxTEST_DIALOG(box.show(), StyleOf(style));
        EXPECT_EQ(*style & icons, box.icon);
        EXPECT_EQ(MessageIconArt(*style), box.art);
    }
    EXPECT_EQ(MessageIconArt(wxOK | wxICON_NONE), wxArtID());
}

// The dialogs that name the day keep one width whatever the date, and show it whole.
TEST(DayCaption, KeepsTheDialogsWidth) {
    const std::vector<wxString> days = {"yesterday", "on Friday, May 01, 2009",
                                        "on Wednesday, September 30, 2026"};
    const auto widths = [&](wxDialog& dialog, wxString& shownDay, int captionId) {
        std::vector<int> result;
        for (const wxString& day : days) {
            shownDay = day;
            dialog.Show();
            dialog.Layout();
            auto* caption = ControlOf<wxStaticText>(&dialog, captionId);
            EXPECT_EQ(caption->GetLabel(), day);  // else the widths below prove nothing
            EXPECT_GE(caption->GetSize().x, caption->GetBestSize().x) << day;
            EXPECT_LE(caption->GetRect().GetRight(), dialog.GetClientSize().x) << day;
            result.push_back(dialog.GetSize().x);
            dialog.Hide();
        }
        return result;
    };
    CUpdateSymptomsDlg symptoms(nullptr);
    CDayListDlg dayList(nullptr);
    for (const std::vector<int>& shown :
         {widths(symptoms, symptoms.m_strDay, control::SymptomCaption),
          widths(dayList, dayList.m_strDay, control::DayListCaption)}) {
        EXPECT_EQ(shown, std::vector<int>(days.size(), shown.front()));
    }
}

// Selecting a row in any column of the relationships window selects the same row in the
// others, so the symptom, its best and its worst food stand out together.
TEST(RelationshipsWindow, HighlightsTheWholeRowOfTheSelection) {
    const StringList symptoms = {"Headache", "Rash", "Sore throat"};
    const StringList best = {"Rice", "Not found.", "Tea"};
    const StringList worst = {"Wine", "Eggs", "Not found."};
    CRelationshipsDlg dialog(nullptr, &symptoms, &best, &worst);
    dialog.Show();
    const int columns[] = {control::RelationshipsSymptoms, control::RelationshipsBestFoods,
                           control::RelationshipsWorstFoods};
    for (const int column : columns) {
        for (const int row : {2, 0, 1}) {
            SCOPED_TRACE(testing::Message() << "column " << column << " row " << row);
            auto* list = ControlOf<wxListBox>(&dialog, column);
            list->SetSelection(row);
            wxCommandEvent select(wxEVT_LISTBOX, column);
            select.SetEventObject(list);
            select.SetInt(row);
            list->ProcessWindowEvent(select);
            for (const int other : columns)
                EXPECT_EQ(ControlOf<wxListBox>(&dialog, other)->GetSelection(), row) << other;
        }
    }
    dialog.Hide();
}

}  // namespace
