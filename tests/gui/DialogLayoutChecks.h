#pragma once
// Checks that each dialog is laid out so that everything is readable at the desktop's font
// size: every control fits in the dialog, none overlaps another, none is smaller than its text
// needs. Included by one test program per font size. When GASTROLOG_SCREENSHOTS names a
// folder, each dialog is also saved there as a picture (docs/dialog-*.png).

#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "DialogTestSupport.h"
#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/DayListDlg.h"
#include "desktop/dialogs/OptionsDlg.h"
#include "desktop/dialogs/RestoreBackupDlg.h"
#include "desktop/dialogs/TipOfTheDayDlg.h"
#include "desktop/dialogs/UpdateSymptomsDlg.h"

namespace layout {

// The rectangle of a control in its dialog's client coordinates. A child's position counts
// from its parent's screen position (for a group box that is below its label, so the box
// itself is placed by its position in its own parent).
inline wxRect InDialog(wxWindow* control, wxWindow* dialog) {
    wxWindow* parent = control->GetParent();
    const wxPoint origin =
        parent == dialog ? wxPoint() : dialog->ScreenToClient(parent->GetScreenPosition());
    return wxRect(origin + control->GetPosition(), control->GetSize());
}

inline std::string Describe(wxWindow* control) {
    return wxString(control->GetClassInfo()->GetClassName()).utf8_string() + " " +
           std::to_string(control->GetId()) + " \"" + control->GetLabel().utf8_string() + "\"";
}

inline void CheckChildren(wxWindow* parent, wxWindow* dialog) {
    const wxRect client(dialog->GetClientSize());
    std::vector<wxWindow*> siblings;
    for (wxWindow* child : parent->GetChildren())
        if (!child->IsTopLevel() && child->IsShown()) siblings.push_back(child);

    for (wxWindow* child : siblings) {
        const wxRect area = InDialog(child, dialog);
        EXPECT_TRUE(client.Contains(area))
            << Describe(child) << " reaches outside the dialog " << dialog->GetLabel() << " "
            << area.x << "," << area.y << " " << area.width << "x" << area.height << " in "
            << client.width << "x" << client.height;
        // Text needs its whole best size; lists and edit boxes may be wider, never narrower
        // than they were asked to be.
        const wxSize best = child->GetBestSize();
        const bool hasText =
            !dynamic_cast<wxStaticBox*>(child) && !dynamic_cast<wxTextCtrl*>(child);
        if (dynamic_cast<wxControl*>(child) && hasText) {
            EXPECT_GE(area.width, best.x) << Describe(child) << " is too narrow for its text";
            EXPECT_GE(area.height, best.y) << Describe(child) << " is too low for its text";
        }
        if (auto* edit = dynamic_cast<wxTextCtrl*>(child)) {
            EXPECT_GE(area.height, best.y) << Describe(child) << " is too low for its text";
            EXPECT_GE(area.width, edit->GetTextExtent("00").x + 2 * edit->GetCharWidth())
                << Describe(child) << " cannot show two digits";
        }
        if (auto* group = dynamic_cast<wxStaticBox*>(child)) {
            EXPECT_GE(area.width, group->GetTextExtent(group->GetLabelText()).x + 8)
                << Describe(child) << " cuts its label";
        }
        for (wxWindow* other : siblings) {
            if (other <= child) continue;
            EXPECT_FALSE(area.Intersects(InDialog(other, dialog)))
                << Describe(child) << " overlaps " << Describe(other);
        }
        CheckChildren(child, dialog);
    }
}

// Saves the dialog's picture when screenshots are asked for.
inline void Capture(wxDialog& dialog, const std::string& name) {
    const char* folder = std::getenv("GASTROLOG_SCREENSHOTS");
    if (!folder || !*folder) return;
    dialog.Raise();
    dialog.Refresh();
    dialog.Update();
    PumpEvents();
    const wxSize size = dialog.GetClientSize();
    wxBitmap picture(size);
    {
        wxClientDC screen(&dialog);
        wxMemoryDC memory(picture);
        memory.Blit(0, 0, size.x, size.y, &screen, 0, 0);
    }
    const std::string path = (std::filesystem::path(folder) / ("dialog-" + name + ".png")).string();
    EXPECT_TRUE(picture.SaveFile(path, wxBITMAP_TYPE_PNG)) << path;
}

inline void Check(wxDialog& dialog, const std::string& name,
                  const std::function<void()>& afterShowing = {}) {
    dialog.Show();
    if (afterShowing) afterShowing();
    PumpEvents();
    CheckChildren(&dialog, &dialog);
    Capture(dialog, name);
    dialog.Hide();
}

}  // namespace layout

// The tests, once per program.
#define GASTROLOG_LAYOUT_TESTS(Suite)                                                       \
    TEST(Suite, DayListDialog) {                                                            \
        StringList master{                                                                  \
            "Apple juice", "Bread",        "Cheddar cheese", "Coffee", "Eggs",              \
            "Milk",        "Oat porridge", "Orange",         "Rice",   "Tomato soup"};      \
        StringList day{"Bread", "Coffee", "Milk"};                                          \
        CDayListDlg dialog(nullptr);                                                        \
        dialog.m_pMasterList = &master;                                                     \
        dialog.m_pDayList = &day;                                                           \
        dialog.m_strDay = "on Wednesday, September 28, 2005";                               \
        layout::Check(dialog, "day-list", [&dialog] {                                       \
            SelectRow(ControlOf<wxListBox>(&dialog, control::MasterList), "Coffee");        \
            SelectRow(ControlOf<wxListBox>(&dialog, control::MasterList), "Eggs");          \
        });                                                                                 \
    }                                                                                       \
    TEST(Suite, SymptomDialog) {                                                            \
        StringList lines{"Bloating  (better)   ", "Headache  (worse)    ",                  \
                         "Heartburn  (no change)", "Tiredness  (no change)"};               \
        CUpdateSymptomsDlg dialog(nullptr);                                                 \
        dialog.m_pSymptomList = &lines;                                                     \
        dialog.m_strDay = "on Wednesday, September 28, 2005";                               \
        layout::Check(dialog, "update-symptoms");                                           \
    }                                                                                       \
    TEST(Suite, OptionsDialog) {                                                            \
        MemorySettings settings;                                                            \
        COptionsDlg dialog(nullptr, settings);                                              \
        layout::Check(dialog, "options");                                                   \
    }                                                                                       \
    TEST(Suite, TipOfTheDay) {                                                              \
        MemorySettings settings;                                                            \
        CTipOfTheDayDlg dialog(nullptr, settings);                                          \
        layout::Check(dialog, "tip-of-the-day");                                            \
    }                                                                                       \
    TEST(Suite, TipOfTheDayWithTheLongestTip) {                                             \
        const std::filesystem::path folder =                                                \
            std::filesystem::temp_directory_path() / "gastrolog-layout-long-tip";           \
        std::filesystem::create_directories(folder);                                        \
        const auto previous = std::filesystem::current_path();                              \
        std::filesystem::current_path(folder);                                              \
        {                                                                                   \
            std::string longTip;                                                            \
            while (longTip.size() < 990) longTip += "Eat slowly and note what you drink. "; \
            std::ofstream("tips.txt") << longTip.substr(0, 999) << "\n";                    \
            MemorySettings settings;                                                        \
            CTipOfTheDayDlg dialog(nullptr, settings);                                      \
            dialog.Show();                                                                  \
            PumpEvents();                                                                   \
            auto* tip = ControlOf<wxStaticText>(&dialog, control::TipText);                 \
            EXPECT_GE(tip->GetSize().y, tip->GetBestSize().y);                              \
            layout::CheckChildren(&dialog, &dialog);                                        \
        }                                                                                   \
        std::filesystem::current_path(previous);                                            \
        std::filesystem::remove_all(folder);                                                \
    }                                                                                       \
    TEST(Suite, NewFoodDialog) {                                                            \
        CNewFoodDlg dialog(nullptr);                                                        \
        layout::Check(dialog, "new-food");                                                  \
    }                                                                                       \
    TEST(Suite, DeleteFoodDialog) {                                                         \
        CDeleteFoodDlg dialog(nullptr);                                                     \
        dialog.m_strName = "Cheddar cheese";                                                \
        layout::Check(dialog, "delete-food");                                               \
    }                                                                                       \
    TEST(Suite, NewSymptomDialog) {                                                         \
        CNewSymptomDlg dialog(nullptr);                                                     \
        dialog.m_strName = " ";                                                             \
        layout::Check(dialog, "new-symptom");                                               \
    }                                                                                       \
    TEST(Suite, DeleteSymptomDialog) {                                                      \
        CDeleteSymptomDlg dialog(nullptr);                                                  \
        dialog.m_strName = "Headache  (worse)    ";                                         \
        layout::Check(dialog, "delete-symptom");                                            \
    }                                                                                       \
    TEST(Suite, RestoreBackupDialog) {                                                      \
        std::vector<backups::Backup> copies;                                                \
        copies.push_back(                                                                   \
            {"", "A diary with a rather long name.glg", "2026-12-07", true, 365, 512, 20}); \
        copies.push_back({"", "mine.glg", "2026-12-06", false});                            \
        RestoreBackupDlg dialog(nullptr, copies);                                           \
        layout::Check(dialog, "restore-backup");                                            \
    }
