// Two days of a new diary entered through the real dialogs, as a user enters them: the
// document asks through the desktop's message boxes and dialogs, the dialogs are worked by
// button presses, and the diary is saved, trained, moved on a day and opened again.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>

#include "DialogTestSupport.h"
#include "desktop/WxUserInterface.h"
#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/DayListDlg.h"
#include "desktop/dialogs/UpdateSymptomsDlg.h"
#include "diary/GastrologDoc.h"
#include "diary/QuietPorts.h"
#include "engine/EngineCommands.h"
#include "page/PageLayout.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"
#include "tests/support/RecordingCanvas.h"

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

const std::string NewFileReminder =
    "A new user file has been created but\nit has not been saved. It should be\nsaved before "
    "proceeding any further.";
const std::string NewDayAfterLists =
    "If you have just changed yesterday's symptoms and\nfoods and they are now correct you can "
    "update today's\nsymptoms and foods by answering 'Yes'.\n\nIf you want to make some more "
    "changes to yesterday's\nsymptoms and foods answer 'No'.\n\nIf you have just created a new "
    "file answer 'Yes'.\n\nDo you want to update today's symptoms and foods?";

ExpectMessage Question(const std::string& text, int answer) {
    return ExpectMessage(text, "Gastrolog", ExpectMessage::Icon::Question, answer);
}

// The desktop's ports around a core diary, with a clock the test sets.
struct Desktop {
    MemorySettings settings;
    PlainHost host;
    WxUserInterface ui{nullptr};
    CountingProgress progress;
    FixedClock clock{LocalTime(2005, 3, 7, 20, 0)};

    std::unique_ptr<CGastrologDoc> NewDiary() {
        return std::make_unique<CGastrologDoc>(
            DocumentPorts{&settings, &host, &ui, &progress, &clock});
    }
};

class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "gastrolog-day-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    fs::path m_path;
};

// ---- what the user does in the two dialogs

int AddSymptom(CUpdateSymptomsDlg& dialog, const std::string& name) {
    wxTEST_DIALOG(Click(&dialog, control::NewSymptom), wxExpectModal<CNewSymptomDlg>(Type(name)));
    return 0;
}

void Rate(CUpdateSymptomsDlg& dialog, const std::string& row, int button) {
    SelectRow(ControlOf<wxListBox>(&dialog, control::SymptomList), row);
    Click(&dialog, button);
}

void AddFood(CDayListDlg& dialog, const std::string& name) {
    wxTEST_DIALOG(Click(&dialog, control::NewFood), wxExpectModal<CNewFoodDlg>(Type(name)));
}

void CopyFromMaster(CDayListDlg& dialog, const Strings& names) {
    auto* master = ControlOf<wxListBox>(&dialog, control::MasterList);
    for (const std::string& name : names) SelectRow(master, name);
    Click(&dialog, control::CopyToDayList);
}

void DeleteFromDay(CDayListDlg& dialog, const std::string& name, bool fromMaster) {
    SelectRow(ControlOf<wxListBox>(&dialog, control::DayList), name);
    NameAnswer answer = Confirm();
    answer.tickMaster = fromMaster ? 1 : 0;
    wxTEST_DIALOG(Click(&dialog, control::DeleteFood), wxExpectModal<CDeleteFoodDlg>(answer));
}

// ---- reading the results

std::string Tail(const std::string& history, std::size_t count = 3) {
    return history.substr(history.size() - count);
}

template <class Record>
Strings Names(const std::vector<Record>& records) {
    Strings names;
    for (const Record& record : records) names.push_back(record.m_name);
    return names;
}

std::string HistoryOf(const CGastrologDoc& doc, const std::string& name) {
    for (const CFood& food : doc.Foods())
        if (food.m_name == name) return food.m_history;
    for (const CSymptom& symptom : doc.Symptoms())
        if (symptom.m_name == name) return symptom.m_history;
    ADD_FAILURE() << "no record " << name;
    return {};
}

// Every text the page draws.
Strings PageTexts(CGastrologDoc& doc) {
    Members(doc).m_showFoods = true;
    RecordingCanvas canvas;
    PageRows rows;
    rows.firstLine = 0;
    rows.lastLine = 10000;
    PageLayout(doc, canvas, rows).Draw();
    return canvas.TextStrings();
}

bool PageShows(const Strings& texts, const std::string& part) {
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
        return text.find(part) != std::string::npos;
    });
}

TEST(WholeDay, TwoDaysOfANewDiaryThroughTheWindows) {
    TemporaryFolder folder;
    const std::string path = folder.File("diary.glg");
    Desktop desktop;
    auto diary = desktop.NewDiary();
    ASSERT_TRUE(diary->OnNewDocument());

    // ---- day one: two new symptoms, three new foods
    wxTEST_DIALOG(diary->OnUpdateSymptoms(),
                  ScriptedDialog<CUpdateSymptomsDlg>([](CUpdateSymptomsDlg& dialog) {
                      EXPECT_EQ(dialog.m_strDay, "on Monday, March 07, 2005");
                      AddSymptom(dialog, "Headache");
                      AddSymptom(dialog, "Bloating");
                      return Press(dialog, wxID_OK, wxID_OK);
                  }),
                  ExpectMessage::Application(NewFileReminder));
    EXPECT_EQ(diary->NextAction(), command::CreateDayList);

    wxTEST_DIALOG(diary->OnCreateDayList(), ScriptedDialog<CDayListDlg>([](CDayListDlg& dialog) {
                      for (const char* food : {"Bread", "Milk", "Coffee"}) AddFood(dialog, food);
                      return Press(dialog, control::DayListOk, wxID_OK);
                  }));
    EXPECT_EQ(Names(diary->Foods()), (Strings{"Bread", "Milk", "Coffee"}));
    EXPECT_EQ(diary->NextAction(), command::UpdateConnections);

    ASSERT_TRUE(diary->OnSaveDocument(path));
    OnUpdateConnections(*diary);
    EXPECT_EQ(desktop.progress.steps, 5000);
    // The diary's first day is the day it was made: its lists start no second day that evening.
    OnGenerateTomorrowsLists(*diary);
    EXPECT_EQ(diary->DayCount(), 1);

    // ---- day two, the next evening: the lists left open overnight offer the new day; then
    // ratings, foods from the Master list, one food deleted
    desktop.clock.Set(LocalTime(2005, 3, 8, 20, 0));
    wxTEST_DIALOG(OnGenerateTomorrowsLists(*diary), Question(NewDayAfterLists, wxID_YES));
    EXPECT_EQ(diary->NextAction(), command::UpdateSymptoms);
    EXPECT_EQ(diary->DayCount(), 2);
    wxTEST_DIALOG(diary->OnUpdateSymptoms(),
                  ScriptedDialog<CUpdateSymptomsDlg>([](CUpdateSymptomsDlg& dialog) {
                      Rate(dialog, "Headache  (no change)", control::Worse);
                      Rate(dialog, "Bloating  (no change)", control::Better);
                      return Press(dialog, wxID_OK, wxID_OK);
                  }));
    wxTEST_DIALOG(diary->OnCreateDayList(), ScriptedDialog<CDayListDlg>([](CDayListDlg& dialog) {
                      EXPECT_TRUE(ControlOf<wxListBox>(&dialog, control::DayList)->IsEmpty());
                      CopyFromMaster(dialog, {"Bread", "Coffee", "Milk"});
                      AddFood(dialog, "Apple");
                      DeleteFromDay(dialog, "Milk", true);
                      return Press(dialog, control::DayListOk, wxID_OK);
                  }));
    EXPECT_EQ(Names(diary->Foods()), (Strings{"Bread", "Coffee", "Apple"}));
    ASSERT_TRUE(diary->OnSaveDocument(path));
    OnUpdateConnections(*diary);
    OnGenerateCurrentLists(*diary);

    // The page shows every symptom and food, and every food in one of the generated lists.
    const Strings page = PageTexts(*diary);
    for (const char* name : {"Headache", "Bloating", "Bread", "Coffee", "Apple"})
        EXPECT_TRUE(PageShows(page, name)) << name;
    EXPECT_FALSE(PageShows(page, "Milk"));
    Strings listed = Names(diary->Inclusions());
    for (const std::string& name : Names(diary->Exclusions())) listed.push_back(name);
    for (const std::string& name : Names(diary->Over50Days())) listed.push_back(name);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (Strings{"Apple", "Bread", "Coffee"}));

    // The second day began this evening: its lists start no third day.
    OnGenerateTomorrowsLists(*diary);
    ASSERT_TRUE(diary->OnSaveDocument(path));

    // ---- the file, read as it is stored: the two days side by side, no blank day between
    CGastrologDoc stored;
    ASSERT_EQ(stored.ReadFile(path).Message(), "");
    EXPECT_EQ(Names(stored.Foods()), (Strings{"Bread", "Coffee", "Apple"}));
    EXPECT_EQ(Tail(HistoryOf(stored, "Bread")), "nyy");
    EXPECT_EQ(Tail(HistoryOf(stored, "Coffee")), "nyy");
    EXPECT_EQ(Tail(HistoryOf(stored, "Apple")), "nny");
    EXPECT_EQ(Names(stored.Symptoms()), (Strings{"Headache", "Bloating"}));
    EXPECT_EQ(Tail(HistoryOf(stored, "Headache")), "nnw");
    EXPECT_EQ(Tail(HistoryOf(stored, "Bloating")), "nnb");
    EXPECT_EQ(stored.DayCount(), 2);
    EXPECT_EQ(stored.LastUpdate(), LocalTime(2005, 3, 8, 20, 0));

    // ---- opened again the same evening: no new day, the page as saved
    auto reopened = desktop.NewDiary();
    ASSERT_TRUE(reopened->OnOpenDocument(path));
    EXPECT_EQ(reopened->FoodNames(), (Strings{"Bread", "Coffee", "Apple"}));
    EXPECT_EQ(reopened->SymptomLines(),
              (Strings{"Headache  (worse)    ", "Bloating  (better)   "}));
    const Strings reopenedPage = PageTexts(*reopened);
    for (const char* name : {"Headache", "Bloating", "Bread", "Coffee", "Apple"})
        EXPECT_TRUE(PageShows(reopenedPage, name)) << name;
}

// ---- Cancel leaves the diary as it was

class CancelledDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        diary = desktop.NewDiary();
        ASSERT_TRUE(diary->OnNewDocument());
        desktop.host.SetPathName("/nowhere/diary.glg");  // no save reminder
        wxTEST_DIALOG(diary->OnUpdateSymptoms(),
                      ScriptedDialog<CUpdateSymptomsDlg>([](CUpdateSymptomsDlg& dialog) {
                          AddSymptom(dialog, "Cramps");
                          AddSymptom(dialog, "Nausea");
                          return Press(dialog, wxID_OK, wxID_OK);
                      }));
        wxTEST_DIALOG(diary->OnCreateDayList(),
                      ScriptedDialog<CDayListDlg>([](CDayListDlg& dialog) {
                          for (const char* food : {"Rice", "Tea", "Eggs"}) AddFood(dialog, food);
                          return Press(dialog, control::DayListOk, wxID_OK);
                      }));
        desktop.host.SetModifiedFlag(false);
        foodNames = diary->FoodNames();
        symptomLines = diary->SymptomLines();
        foods = diary->Foods();
        symptoms = diary->Symptoms();
    }

    void ExpectUnchanged() {
        EXPECT_EQ(diary->FoodNames(), foodNames);
        EXPECT_EQ(diary->SymptomLines(), symptomLines);
        EXPECT_EQ(Names(diary->Foods()), Names(foods));
        EXPECT_EQ(Names(diary->Symptoms()), Names(symptoms));
        for (std::size_t index = 0; index < foods.size() && index < diary->Foods().size(); ++index)
            EXPECT_EQ(diary->Foods()[index].m_history, foods[index].m_history);
        for (std::size_t index = 0; index < symptoms.size() && index < diary->Symptoms().size();
             ++index)
            EXPECT_EQ(diary->Symptoms()[index].m_history, symptoms[index].m_history);
        EXPECT_FALSE(desktop.host.IsModified());
    }

    Desktop desktop;
    std::unique_ptr<CGastrologDoc> diary;
    StringList foodNames, symptomLines;
    std::vector<CFood> foods;
    std::vector<CSymptom> symptoms;
};

TEST_F(CancelledDialogs, DayListCancelledAfterManyEditsChangesNothing) {
    const StringList dayList = diary->DayList();
    wxTEST_DIALOG(diary->OnCreateDayList(), ScriptedDialog<CDayListDlg>([](CDayListDlg& dialog) {
                      AddFood(dialog, "Toast");
                      DeleteFromDay(dialog, "Rice", true);
                      DeleteFromDay(dialog, "Tea", false);
                      CopyFromMaster(dialog, {"Tea"});
                      wxTEST_DIALOG(
                          Click(&dialog, control::ClearDayList),
                          ExpectMessage("All items will be cleared from the Day list", "Gastrolog",
                                        ExpectMessage::Icon::Question, wxID_OK));
                      return Press(dialog, wxID_CANCEL, wxID_CANCEL);
                  }));
    ExpectUnchanged();
    EXPECT_EQ(diary->DayList(), dayList);
    EXPECT_EQ(diary->NextAction(), command::UpdateConnections);
}

TEST_F(CancelledDialogs, SymptomsCancelledAfterManyEditsChangeNothing) {
    wxTEST_DIALOG(diary->OnUpdateSymptoms(),
                  ScriptedDialog<CUpdateSymptomsDlg>([](CUpdateSymptomsDlg& dialog) {
                      Rate(dialog, "Cramps", control::Worse);
                      Click(&dialog, control::AllNoChange);
                      AddSymptom(dialog, "Itching");
                      SelectRow(ControlOf<wxListBox>(&dialog, control::SymptomList),
                                "Nausea  (no change)");
                      wxTEST_DIALOG(Click(&dialog, control::DeleteSymptom),
                                    wxExpectModal<CDeleteSymptomDlg>(Confirm()));
                      return Press(dialog, wxID_CANCEL, wxID_CANCEL);
                  }));
    ExpectUnchanged();
}

TEST_F(CancelledDialogs, AFoodTakenOffAndPutBackIsCommittedAsEaten) {
    wxTEST_DIALOG(diary->OnCreateDayList(), ScriptedDialog<CDayListDlg>([](CDayListDlg& dialog) {
                      DeleteFromDay(dialog, "Tea", false);
                      CopyFromMaster(dialog, {"Tea"});
                      return Press(dialog, control::DayListOk, wxID_OK);
                  }));
    EXPECT_EQ(Tail(HistoryOf(*diary, "Tea"), 1), "y");
    EXPECT_EQ(diary->FoodNames(), foodNames);
}

TEST_F(CancelledDialogs, AKnownFoodTypedInAnotherCaseIsCommittedAsThatFood) {
    wxTEST_DIALOG(diary->OnCreateDayList(), ScriptedDialog<CDayListDlg>([](CDayListDlg& dialog) {
                      DeleteFromDay(dialog, "Eggs", false);
                      return Press(dialog, control::DayListOk, wxID_OK);
                  }));
    EXPECT_EQ(Tail(HistoryOf(*diary, "Eggs"), 1), "n");
    wxTEST_DIALOG(diary->OnCreateDayList(), ScriptedDialog<CDayListDlg>([](CDayListDlg& dialog) {
                      AddFood(dialog, "EGGS");
                      return Press(dialog, control::DayListOk, wxID_OK);
                  }));
    EXPECT_EQ(Tail(HistoryOf(*diary, "Eggs"), 1), "y");
    EXPECT_EQ(Names(diary->Foods()), (Strings{"Rice", "Tea", "Eggs"}));
}

TEST_F(CancelledDialogs, ASymptomAddedAndDeletedInOneDialogIsNeverCreated) {
    wxTEST_DIALOG(diary->OnUpdateSymptoms(),
                  ScriptedDialog<CUpdateSymptomsDlg>([](CUpdateSymptomsDlg& dialog) {
                      AddSymptom(dialog, "Itching");
                      SelectRow(ControlOf<wxListBox>(&dialog, control::SymptomList), "Itching");
                      wxTEST_DIALOG(Click(&dialog, control::DeleteSymptom),
                                    wxExpectModal<CDeleteSymptomDlg>(Confirm()));
                      return Press(dialog, wxID_OK, wxID_OK);
                  }));
    EXPECT_EQ(Names(diary->Symptoms()), Names(symptoms));
}

}  // namespace
