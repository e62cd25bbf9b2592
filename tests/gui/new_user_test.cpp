// What a new user meets in the dialogs: ratings and deletions leave no row selected, every
// dialog's mnemonics are distinct as GTK shows them, deletion confirms only the selected name.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/stockitem.h>

#include <map>
#include <memory>

#include "DialogTestSupport.h"
#include "desktop/AboutBox.h"
#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/DayListDlg.h"
#include "desktop/dialogs/OptionsDlg.h"
#include "desktop/dialogs/RelationshipsDlg.h"
#include "desktop/dialogs/RestoreBackupDlg.h"
#include "desktop/dialogs/UpdateSymptomsDlg.h"

namespace {

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

TEST(Mnemonics, AreDistinctInEveryDialog) {
    MemorySettings settings;
    std::vector<std::unique_ptr<wxDialog>> dialogs;
    dialogs.emplace_back(new CUpdateSymptomsDlg(nullptr));
    dialogs.emplace_back(new CDayListDlg(nullptr));
    dialogs.emplace_back(new CNewFoodDlg(nullptr));
    dialogs.emplace_back(new CDeleteFoodDlg(nullptr));
    dialogs.emplace_back(new CNewSymptomDlg(nullptr));
    dialogs.emplace_back(new CDeleteSymptomDlg(nullptr));
    dialogs.emplace_back(new COptionsDlg(nullptr, settings));
    dialogs.emplace_back(new CRelationshipsDlg(nullptr, nullptr, nullptr, nullptr));
    dialogs.emplace_back(new CAboutBox(nullptr));
    dialogs.emplace_back(new RestoreBackupDlg(nullptr, {}));
    for (const auto& dialog : dialogs) {
        std::map<wxUniChar, wxString> seen;
        std::vector<std::string> clashes;
        CollectMnemonics(dialog.get(), seen, clashes);
        EXPECT_TRUE(clashes.empty())
            << dialog->GetTitle().utf8_string() << ": " << ::testing::PrintToString(clashes);
    }
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
    EXPECT_EQ(master, (StringList{"Apples", "0Tea"}));
    dayList.Hide();
}

}  // namespace
