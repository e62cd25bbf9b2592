// The Charts window: the tooltip of the day under the mouse, following the diary as it
// changes, and scrolling a long diary.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "desktop/ChartsWindow.h"
#include "desktop/DiaryDocument.h"
#include "diary/GastrologDoc.h"
#include "tests/gui/support/ShellTestSupport.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"

namespace {

std::string Codes(std::initializer_list<int> slots, char code) {
    std::string history(50, 'n');
    for (int slot : slots) history[static_cast<std::size_t>(slot)] = code;
    return history;
}

// Ten lived days up to Thursday, March 6, 2025 (slots 40 to 49), and `extraFoods` foods more,
// all eaten on slot 45.
void FillDiary(CGastrologDoc& doc, int extraFoods) {
    Members(doc).m_dayCount = 10;
    Members(doc).m_lastUpdate = LocalTime(2025, 3, 6, 19);
    Members(doc).m_foods.emplace_back("Cheese").m_history = Codes({47, 49}, 'y');
    Members(doc).m_foods.emplace_back("Bread").m_history = Codes({45, 49}, 'Y');
    for (int food = 0; food < extraFoods; ++food)
        Members(doc).m_foods.emplace_back("Food " + std::to_string(food + 1)).m_history =
            Codes({45}, 'y');
    Members(doc).m_symptoms.emplace_back("Headache").m_history = Codes({48}, 'w');
    Members(doc).m_symptoms.emplace_back("Rash").m_history = Codes({49}, 'b');
}

// The window over the diary, shown and laid out.
struct OpenCharts {
    explicit OpenCharts(const CGastrologDoc& doc)
        : window(new ChartsWindow(nullptr, [&doc] { return &doc; })) {
        window->Show();
        PumpEvents();
    }
    ~OpenCharts() {
        window->Destroy();
        PumpEvents();
    }
    OpenCharts(const OpenCharts&) = delete;
    OpenCharts& operator=(const OpenCharts&) = delete;

    // Moves the mouse over the middle of a day's column, at height y on the charts.
    wxString TooltipAtDay(int day, int y = 40) {
        wxScrolledWindow& charts = window->Charts();
        const DayAxis& axis = *window->Axis();
        wxMouseEvent motion(wxEVT_MOTION);
        motion.SetPosition(
            charts.CalcScrolledPosition(wxPoint(axis.X(day) + axis.CellWidth() / 2, y)));
        motion.SetEventObject(&charts);
        charts.ProcessWindowEvent(motion);
        return charts.GetToolTipText();
    }

    ChartsWindow* window;
};

// The tooltip of a day: its date, what was eaten and the two symptoms' ratings.
std::string Tip(const std::string& date, const std::string& eaten, const char* headache,
                const char* rash) {
    return date + "\nEaten: " + eaten + "\nHeadache: " + headache + "\nRash: " + rash;
}

}  // namespace

TEST(ChartsWindow, TellsTheDateFoodsAndRatingsOfTheDayUnderTheMouse) {
    const std::string elevenFoods =
        "Food 1, Food 2, Food 3, Food 4, Food 5, Food 6, Food 7, Food 8, Food 9, Food 10, Food 11";
    const struct {
        int extraFoods, day;
        std::string tooltip;
    } cases[] = {
        {0, 9, Tip("Thursday, March 06, 2025", "Cheese, Bread", "no change", "better")},
        {0, 8, Tip("Wednesday, March 05, 2025", "nothing recorded", "worse", "no change")},
        {0, 0, Tip("Tuesday, February 25, 2025", "nothing recorded", "no change", "no change")},
        {11, 5, Tip("Sunday, March 02, 2025", "Bread, " + elevenFoods, "no change", "no change")},
        {30, 5,
         Tip("Sunday, March 02, 2025", "Bread, " + elevenFoods + " and 19 more", "no change",
             "no change")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("day " + std::to_string(c.day) + ", " + std::to_string(c.extraFoods) +
                     " foods more");
        CGastrologDoc doc;
        FillDiary(doc, c.extraFoods);
        OpenCharts charts(doc);
        ASSERT_TRUE(charts.window->Axis());
        EXPECT_EQ(charts.window->Axis()->LivedDays(), 10);
        EXPECT_EQ(charts.TooltipAtDay(c.day), c.tooltip);
        EXPECT_EQ(charts.TooltipAtDay(-1), "") << "left of the days";
    }
}

TEST(ChartsWindow, FollowsTheDiaryAsItChanges) {
    // The charts are the document's only view here, so the document goes with them.
    auto* document = new DiaryDocument;
    CGastrologDoc& doc = document->Core();
    FillDiary(doc, 0);
    OpenCharts charts(doc);
    charts.window->FollowChangesOf(*document);
    const struct {
        const char* change;
        std::function<void()> apply;
        int livedDays;
        std::string lastDay;  // the tooltip of the newest day afterwards
    } changes[] = {
        {"a rating on the last day", [&] { Members(doc).m_symptoms[0].m_history[49] = 'w'; }, 10,
         Tip("Thursday, March 06, 2025", "Cheese, Bread", "worse", "better")},
        {"a new food",
         [&] { Members(doc).m_foods.emplace_back("Tea").m_history = Codes({49}, 'y'); }, 10,
         Tip("Thursday, March 06, 2025", "Cheese, Bread, Tea", "worse", "better")},
        {"a new day",
         [&] {
             for (CFood& food : Members(doc).m_foods)
                 food.m_history = food.m_history.substr(1) + "n";
             for (CSymptom& symptom : Members(doc).m_symptoms)
                 symptom.m_history = symptom.m_history.substr(1) + "n";
             Members(doc).m_dayCount = 11;
             Members(doc).m_lastUpdate = LocalTime(2025, 3, 7, 19);
         },
         11, Tip("Friday, March 07, 2025", "nothing recorded", "no change", "no change")},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.change);
        const int before = charts.window->Axis()->LivedDays();
        charts.TooltipAtDay(before - 1);
        c.apply();
        document->UpdateAllViews();  // as every change of the diary ends
        EXPECT_EQ(charts.window->Axis()->LivedDays(), c.livedDays);
        EXPECT_EQ(charts.TooltipAtDay(c.livedDays - 1), c.lastDay);
    }
}

TEST(ChartsWindow, ScrollsWhenTheChartsAreTallerThanTheWindow) {
    for (const int extraFoods : {0, 300}) {
        SCOPED_TRACE(std::to_string(extraFoods) + " foods more");
        const bool scrolls = extraFoods > 0;
        CGastrologDoc doc;
        FillDiary(doc, extraFoods);
        OpenCharts charts(doc);
        wxScrolledWindow& area = charts.window->Charts();
        const wxSize client = area.GetClientSize();
        const wxSize virtualSize = area.GetVirtualSize();
        ASSERT_GT(client.y, 100);
        EXPECT_EQ(virtualSize.y > client.y, scrolls) << virtualSize.y << " " << client.y;
        EXPECT_LE(virtualSize.x, client.x) << "the charts fit the window's width";
        if (!scrolls) continue;
        // Every food has its row: roughly a small row each.
        EXPECT_GT(virtualSize.y, extraFoods * 10);
        area.Scroll(0, virtualSize.y);
        PumpEvents();
        const int bottom = area.CalcUnscrolledPosition(wxPoint(0, client.y - 5)).y;
        EXPECT_GT(bottom, virtualSize.y - client.y);
        EXPECT_TRUE(charts.TooltipAtDay(9, bottom).StartsWith("Thursday, March 06, 2025"))
            << "the day under the mouse, scrolled down";
    }
}
