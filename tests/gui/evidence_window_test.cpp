// The Evidence window: the explanation, the filters, sorting by a column and the strip of the
// selected row, on a small diary and on one of 500 foods and 20 symptoms.

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>

#include <string>

#include "desktop/EvidenceStripPanel.h"
#include "desktop/EvidenceTable.h"
#include "desktop/EvidenceWindow.h"
#include "diary/GastrologDoc.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"

namespace {

std::string Eaten(std::initializer_list<int> slots, char code = 'y') {
    std::string history(50, 'n');
    for (int slot : slots) history[static_cast<std::size_t>(slot)] = code;
    return history;
}

// Cheese makes headaches worse (strong), Ginger makes the rash better (strong), Bread rides
// along with Cheese, Tea is eaten twice.
void SmallDiary(CGastrologDoc& doc) {
    auto diary = Members(doc);  // references to the members
    diary.m_foods.emplace_back("Bread").m_history = Eaten({2, 5, 11, 14, 18, 23, 27, 31, 36, 40});
    diary.m_foods.emplace_back("Cheese").m_history = Eaten({5, 14, 18, 23, 27, 31, 36, 40});
    diary.m_foods.emplace_back("Ginger").m_history = Eaten({3, 9, 20, 29, 33, 44});
    diary.m_foods.emplace_back("Tea").m_history = Eaten({7, 12});
    diary.m_symptoms.emplace_back("Headache").m_history =
        Eaten({6, 15, 19, 24, 28, 32, 37, 41}, 'w');
    diary.m_symptoms.emplace_back("Rash").m_history = Eaten({4, 10, 21, 30, 34, 45}, 'b');
    diary.m_dayCount = 80;
}

// 500 foods and 20 symptoms with histories from a fixed pattern.
void LargeDiary(CGastrologDoc& doc) {
    auto diary = Members(doc);  // references to the members
    for (int food = 0; food < 500; ++food) {
        std::string history(50, 'n');
        for (int slot = 0; slot < 50; ++slot)
            if ((slot * 7 + food * 13) % 11 < 3) history[static_cast<std::size_t>(slot)] = 'y';
        diary.m_foods.emplace_back("Food " + std::to_string(food + 1)).m_history = history;
    }
    for (int symptom = 0; symptom < 20; ++symptom) {
        std::string history(50, 'n');
        for (int slot = 0; slot < 50; ++slot)
            history[static_cast<std::size_t>(slot)] = "nnwbn"[(slot + symptom) % 5];
        diary.m_symptoms.emplace_back("Symptom " + std::to_string(symptom + 1)).m_history = history;
    }
    diary.m_dayCount = 50;
}

// The explanation, as wrapped to the window.
bool ShowsExplanation(EvidenceWindow& window, bool plain = false) {
    for (wxWindow* child : window.GetChildren()) {
        wxString label = child->GetLabel();
        label.Replace("\n", " ");
        if (label == wxString::FromUTF8(EvidenceExplanation(plain))) return true;
    }
    return false;
}

void Tick(EvidenceWindow& window, wxCheckBox& box, bool value) {
    box.SetValue(value);
    wxCommandEvent event(wxEVT_CHECKBOX, box.GetId());
    event.SetEventObject(&box);
    event.SetInt(value);
    box.ProcessWindowEvent(event);
    (void)window;
}

void Select(EvidenceWindow& window, long row) {
    EvidenceTable& table = window.Table();
    table.SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    wxListEvent event(wxEVT_LIST_ITEM_SELECTED, EvidenceWindow::TableId);
    event.SetEventObject(&table);
    event.m_itemIndex = row;
    table.ProcessWindowEvent(event);
}

void ChooseSymptom(EvidenceWindow& window, int selection, bool strongAndSomeOnly) {
    window.SymptomChoice().SetSelection(selection);
    window.StrongAndSomeOnly().SetValue(strongAndSomeOnly);
    wxCommandEvent event(wxEVT_CHOICE, EvidenceWindow::SymptomChoiceId);
    event.SetEventObject(&window.SymptomChoice());
    window.SymptomChoice().ProcessWindowEvent(event);
}

}  // namespace

TEST(EvidenceWindow, FiltersSortsAndDrawsTheSelectedRowsDays) {
    const struct {
        const char* diary;
        void (*fill)(CGastrologDoc&);
        int symptomChoice;  // 0: all symptoms
        bool strongAndSomeOnly;
        long rows;
        const char* firstFood;  // after sorting by the Evidence column: the strongest first
    } cases[] = {
        {"small", SmallDiary, 0, true, 2, "Cheese"},
        {"small", SmallDiary, 2, true, 1, "Ginger"},
        {"small", SmallDiary, 1, false, 8, "Cheese"},
        {"small", SmallDiary, 0, false, 16, "Cheese"},
        {"large", LargeDiary, 0, false, 500 * 20 * 2, nullptr},
        {"large", LargeDiary, 20, false, 500 * 2, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.diary) + " diary, symptom choice " +
                     std::to_string(c.symptomChoice));
        CGastrologDoc doc;
        c.fill(doc);
        EvidenceWindow window(nullptr, doc);
        // As it opens: every symptom, strong and some only, nothing selected.
        EXPECT_EQ(window.SymptomChoice().GetCount(), doc.Symptoms().size() + 1);
        EXPECT_EQ(window.SymptomChoice().GetSelection(), 0);
        EXPECT_TRUE(window.StrongAndSomeOnly().GetValue());
        EXPECT_EQ(window.Strip().Food(), -1);
        EXPECT_TRUE(ShowsExplanation(window));

        ChooseSymptom(window, c.symptomChoice, c.strongAndSomeOnly);
        EvidenceTable& table = window.Table();
        ASSERT_EQ(table.ShownRows(), c.rows);
        EXPECT_EQ(table.GetItemCount(), c.rows);
        for (long row = 0; c.symptomChoice > 0 && row < table.ShownRows(); ++row)
            ASSERT_EQ(table.EntryAt(row)->symptom, c.symptomChoice - 1);
        if (c.firstFood) {
            EXPECT_EQ(table.CellText(0, EvidenceTable::FoodColumn), c.firstFood);
        }
        EXPECT_EQ(table.GetSortIndicator(), EvidenceTable::WordColumn);
        // Each row says which way it looks, so a food's two rows do not read as one twice.
        const std::string direction =
            table.EntryAt(0)->direction == EvidenceDirection::Worse ? "worse" : "better";
        EXPECT_EQ(table.CellText(0, EvidenceTable::DirectionColumn), direction + " more often");

        // Sorting by days eaten, then the other way round.
        table.SortBy(EvidenceTable::DaysEatenColumn);
        for (long row = 1; row < table.ShownRows(); ++row)
            ASSERT_LE(table.EntryAt(row - 1)->daysEaten, table.EntryAt(row)->daysEaten);
        EXPECT_EQ(table.GetSortIndicator(), EvidenceTable::DaysEatenColumn);
        EXPECT_TRUE(table.IsAscendingSortIndicator());
        table.SortBy(EvidenceTable::DaysEatenColumn);
        EXPECT_FALSE(table.SortAscending());
        EXPECT_FALSE(table.IsAscendingSortIndicator()) << "the heading shows the order";
        wxListItem heading;
        heading.SetMask(wxLIST_MASK_TEXT);
        table.GetColumn(EvidenceTable::DaysEatenColumn, heading);
        EXPECT_EQ(heading.GetText(), wxString(L"Days eaten \u25BC"));
        table.GetColumn(EvidenceTable::WordColumn, heading);
        EXPECT_EQ(heading.GetText(), "Evidence");
        for (long row = 1; row < table.ShownRows(); ++row)
            ASSERT_GE(table.EntryAt(row - 1)->daysEaten, table.EntryAt(row)->daysEaten);

        // The selected row's food and symptom go to the strip, and stay selected through a sort.
        const long last = table.ShownRows() - 1;
        Select(window, last);
        const EvidenceEntry* chosen = table.EntryAt(last);
        EXPECT_EQ(window.Strip().Food(), chosen->food);
        EXPECT_EQ(window.Strip().Symptom(), chosen->symptom);
        table.SortBy(EvidenceTable::FoodColumn);
        EXPECT_EQ(table.SelectedEntry(), chosen);
        EXPECT_TRUE(window.ShownText().StartsWith(wxString::Format("Showing %ld of", c.rows)));
    }
}

// The selected row in words with its groups; the period, the delays and the plain count read
// the diary again.
TEST(EvidenceWindow, ReadsRowsInWordsAndRereadsOnTheChoices) {
    CGastrologDoc doc;
    SmallDiary(doc);
    EvidenceWindow window(nullptr, doc);
    EXPECT_TRUE(window.DetailsText().Contains("Select a row"));
    ChooseSymptom(window, 1, true);
    Select(window, 0);
    EXPECT_TRUE(window.DetailsText().StartsWith(
        wxString::FromUTF8("Cheese \xE2\x86\x92 Headache worse (strong). After Cheese, "
                           "Headache was worse on 8 of 8 days")))
        << window.DetailsText();
    EXPECT_TRUE(window.DetailsText().Contains("Days with neither: 8 of 8 after Cheese"));
    EXPECT_TRUE(window.DetailsText().Contains(wxString::FromUTF8(std::string(EvidenceWhatToDo))));

    Tick(window, window.LaterSymptoms(), true);
    EXPECT_EQ(window.Reading().options.shortestDelay, 0);
    EXPECT_EQ(window.Reading().options.longestDelay, 3);
    // The strip shows the days at the selected row's best delay.
    ChooseSymptom(window, 0, false);
    long later = 0;
    while (later < window.Table().ShownRows() && window.Table().EntryAt(later)->delay == 1) ++later;
    ASSERT_LT(later, window.Table().ShownRows()) << "no row at another delay";
    Select(window, later);
    EXPECT_EQ(window.Strip().Delay(), window.Table().EntryAt(later)->delay);
    Tick(window, window.ComparePlain(), true);
    EXPECT_TRUE(window.Reading().options.plain);
    EXPECT_TRUE(ShowsExplanation(window, true));
    window.PeriodChoice().SetSelection(1);
    wxCommandEvent event(wxEVT_CHOICE, EvidenceWindow::PeriodChoiceId);
    event.SetEventObject(&window.PeriodChoice());
    window.PeriodChoice().ProcessWindowEvent(event);
    EXPECT_EQ(window.Reading().options.period.lastDays, 50);
    EXPECT_EQ(window.Table().GetItemCount(), window.Table().ShownRows());
}

// Over a long period the strip shows every pair the reading counted, the newest first, and
// scrolls back to the oldest; the tooltip names the day under the mouse and its four weeks.
TEST(EvidenceWindow, StripScrollsThroughTheHistorysDays) {
    CGastrologDoc doc;
    SmallDiary(doc);
    Members(doc).m_lastUpdate = LocalTime(2025, 3, 6, 20);
    lived::LivedDays older;
    const lived::Date first = lived::DateFromCivil(2024, 1, 1);
    for (lived::Date date = first; date < lived::DateFromCivil(2025, 1, 10); ++date)
        older.push_back({date, false, {"Cheese"}, {{"Headache", "nw"[date % 2]}}});
    doc.AdoptHistory(std::move(older));
    EvidenceWindow window(nullptr, doc);
    ChooseSymptom(window, 1, false);
    Select(window, 0);
    EvidenceStripPanel& strip = window.Strip();
    ASSERT_EQ(static_cast<int>(strip.Days().columns.size()), window.Reading().pairs);
    EXPECT_LT(strip.ShownCount(), window.Reading().pairs);
    EXPECT_EQ(strip.FirstShown() + strip.ShownCount(), window.Reading().pairs);
    strip.ScrollToColumn(0);
    const EvidenceStripCells cells = strip.Cells();
    const wxString tip = strip.TipAt(cells.left + 1, cells.top + 1);
    EXPECT_TRUE(tip.StartsWith(LongDayText(first))) << tip;
    EXPECT_TRUE(tip.Contains("the four weeks " + lived::DateText(strip.Days().blocks[0].firstDate)))
        << tip;
}
