#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "page/PageHeading.h"
#include "page/PageLayout.h"
#include "page/PageMetrics.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"
#include "tests/support/RecordingCanvas.h"

namespace {

constexpr int RowHeight = 16;  // the recording canvas's font
constexpr int CharWidth = 8;
constexpr int Margin = 10;
const std::string FoodsTitle =
    "Foods                50 updates ago                                now    Score";
const std::string HistoryScale =
    "                     50 updates ago                                now";

int ColumnOf(const DrawCall& call, int margin = Margin) {
    return (call.x - margin) / CharWidth;
}

class Page : public ::testing::Test {
protected:
    Page() {
        diary.host.SetPathName("/home/user/My diary.glg");
        diary.clock.Set(LocalTime(2006, 1, 2, 12));
    }

    RecordingCanvas Draw(PageRows rows = {}, bool printing = false) {
        RecordingCanvas canvas(printing);
        PageLayout(diary.doc, canvas, rows).Draw();
        return canvas;
    }

    void Show(bool inclusions, bool unclassified, bool exclusions, bool symptoms, bool foods,
              bool history) {
        CGastrologDoc& doc = diary.doc;
        Members(doc).m_showInclusions = inclusions;
        Members(doc).m_showUnclassified = unclassified;
        Members(doc).m_showExclusions = exclusions;
        Members(doc).m_showSymptoms = symptoms;
        Members(doc).m_showFoods = foods;
        Members(doc).m_showHistory = history;
    }

    template <typename Entry>
    static void Fill(std::vector<Entry>& list, const std::string& prefix, int count) {
        list.clear();
        for (int i = 1; i <= count; ++i)
            list.emplace_back(prefix + (i < 10 ? "0" : "") + std::to_string(i));
    }

    void AddSymptoms(std::vector<std::string> names) {
        for (auto& name : names) Members(diary.doc).m_symptoms.emplace_back(std::move(name));
        diary.doc.RebuildSymptomLines();
    }
    void AddFood(std::string name, float score = 0.0f) {
        Members(diary.doc).m_foods.emplace_back(std::move(name));
        Members(diary.doc).m_foods.back().m_score = score;
        diary.doc.RebuildFoodNames();
    }

    static int RowOfText(const RecordingCanvas& canvas, std::string_view text) {
        const DrawCall* call = canvas.FindText(text);
        return call ? call->y / RowHeight : -1;
    }
    // The row and the column of a drawn text.
    static std::pair<int, int> Cell(const RecordingCanvas& canvas, std::string_view text) {
        const DrawCall* call = canvas.FindText(text);
        return call ? std::pair(call->y / RowHeight, ColumnOf(*call)) : std::pair(-1, -1);
    }

    FakeDiary diary;
};

// The pixel rows a call may touch: texts fill their row, the red line is 2 pixels wide.
std::pair<int, int> VerticalExtent(const DrawCall& call) {
    switch (call.kind) {
        case DrawCall::Kind::Text:
            return {call.y, call.y + RowHeight - 1};
        case DrawCall::Kind::Rectangle:
        case DrawCall::Kind::Fill:
            return {call.y, call.y2 - 1};
        case DrawCall::Kind::Line:
            return {std::min(call.y, call.y2) - 1, std::max(call.y, call.y2) + 1};
        case DrawCall::Kind::Pen:
            break;
    }
    return {0, -1};
}

}  // namespace

// The heading names the file as the file system holds it (UTF-8), whatever the diary's code
// page can hold; the canvas is told it is UTF-8.
TEST_F(Page, TheHeadingNamesTheFileInItsOwnCharacters) {
    for (const std::string name :
         {"Tagebuch \u00DCbelkeit.glg", "\u98DF\u4E8B\u65E5\u8A18.glg", "plain.glg"}) {
        diary.host.SetPathName("/home/user/" + name);
        const std::vector<DrawCall> texts = Draw().Texts();
        ASSERT_FALSE(texts.empty());
        EXPECT_TRUE(texts.front().text.starts_with("\"" + name + "\".    Lists produced"))
            << texts.front().text;
        EXPECT_TRUE(texts.front().unicode) << name;
    }
}

TEST_F(Page, UntitledDiaryShowsOnlyTheSixGuidanceLines) {
    diary.host.SetPathName("");
    Show(true, true, true, true, true, true);
    Fill(Members(diary.doc).m_inclusions, "Inc", 3);
    Fill(Members(diary.doc).m_exclusions, "Exc", 2);
    AddSymptoms({"Headache"});
    AddFood("Tea");
    const RecordingCanvas canvas = Draw();
    const std::vector<DrawCall> expected = {
        {DrawCall::Kind::Text, 80, 30, 0, 0, "New user?"},
        {DrawCall::Kind::Text, 100, 50, 0, 0, "\"Action - Update Symptoms\"."},
        {DrawCall::Kind::Text, 100, 70, 0, 0, "Press the \"New\" button to enter your symptoms."},
        {DrawCall::Kind::Text, 100, 90, 0, 0, "Save your file."},
        {DrawCall::Kind::Text, 80, 140, 0, 0, "Already a user?"},
        {DrawCall::Kind::Text, 100, 160, 0, 0, "Open your file."},
    };
    EXPECT_EQ(canvas.calls, expected);
    // On paper: the printer margin, on every page.
    const RecordingCanvas paper = Draw({40, 79}, true);
    ASSERT_EQ(paper.calls.size(), 6u);
    EXPECT_EQ(paper.calls[0].x, 480);
    EXPECT_EQ(paper.calls[0].y, 30);
    EXPECT_EQ(paper.calls[1].x, 600);
}

TEST_F(Page, HeadingNamesTheTitleTheListsAndTheDayWhoseDateTurnsAtTheDayChangeHour) {
    Members(diary.doc).m_dayCount = 7;
    Members(diary.doc).m_listsCurrent = true;
    const RecordingCanvas canvas = Draw();
    const DrawCall* heading =
        canvas.FindText("\"My diary.glg\".    Lists produced from current information   day: 7");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->x, Margin);
    EXPECT_EQ(heading->y, 0);

    // Tomorrow's lists are for the day after the diary's current day.
    Members(diary.doc).m_listsCurrent = false;
    Members(diary.doc).m_lastUpdate = LocalTime(2006, 1, 2, 3, 59);
    EXPECT_EQ(Draw().Texts().front().text,
              "\"My diary.glg\".    Lists produced for Tuesday, "
              "January 03, 2006" +
                  std::string(12, ' ') + "   day: 7");
}

TEST_F(Page, RestoredCopyWithoutAFileShowsItsPage) {
    TemporaryFolder folder;
    const std::string copy = folder.File("copy.glg");
    diary.doc.OnNewDocument();
    AddSymptoms({"Headache"});
    ASSERT_TRUE(diary.doc.WriteFile(copy).Succeeded());
    ASSERT_TRUE(diary.doc.OpenStoredCopy(copy));
    const RecordingCanvas restored = Draw();
    EXPECT_EQ(restored.FindText("New user?"), nullptr);
    EXPECT_NE(restored.FindText("Symptoms - today's current status:"), nullptr);
    diary.doc.OnNewDocument();
    EXPECT_NE(Draw().FindText("New user?"), nullptr);
}

TEST_F(Page, ListColumnsAndTheNextSectionForThreeFiveSevenAndSixteenEntries) {
    struct Case {
        int count;
        std::vector<std::size_t> columnHeights;
        int nextSectionRow;
    } cases[] = {
        {3, {1, 1, 1}, 6}, {5, {2, 2, 1}, 7}, {7, {2, 2, 2, 1}, 7}, {16, {5, 5, 5, 1}, 10}};
    Show(true, false, false, true, false, false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        Fill(Members(diary.doc).m_inclusions, "Inc", c.count);
        const RecordingCanvas canvas = Draw();
        EXPECT_EQ(RowOfText(canvas, std::to_string(c.count) + " foods that can be included:"), 2);
        // Columns 25 apart filled from row 4; list order runs down one column, then the next.
        std::vector<std::tuple<int, int, std::string>> entries;
        for (const DrawCall& text : canvas.Texts())
            if (text.text.rfind("Inc", 0) == 0)
                entries.emplace_back(ColumnOf(text), text.y / RowHeight, text.text);
        std::sort(entries.begin(), entries.end());
        std::vector<std::tuple<int, int, std::string>> expected;
        for (std::size_t column = 0, i = 0; column < c.columnHeights.size(); ++column)
            for (std::size_t row = 0; row < c.columnHeights[column]; ++row, ++i)
                expected.emplace_back(25 * int(column), 4 + int(row),
                                      diary.doc.Inclusions()[i].m_name);
        EXPECT_EQ(entries, expected);
        EXPECT_EQ(RowOfText(canvas, "Symptoms - today's current status:"), c.nextSectionRow);
    }
}

TEST_F(Page, SectionsFollowEachOtherWithTheirSpacingAndSingularTitles) {
    Show(true, true, true, false, false, false);
    Fill(Members(diary.doc).m_inclusions, "Inc", 5);  // columns of 2, 2, 1 from row 4
    Fill(Members(diary.doc).m_over50Days, "Old", 2);  // title at 4 + 1 + 2 = 7, entries from 9
    Fill(Members(diary.doc).m_exclusions, "Exc",
         9);  // title at 9 + 0 + 2 = 11, columns of 3 from 13
    const RecordingCanvas canvas = Draw();
    EXPECT_EQ(RowOfText(canvas, "5 foods that can be included:"), 2);
    EXPECT_EQ(RowOfText(canvas, "2 foods that are not currently classified:"), 7);
    EXPECT_EQ(Cell(canvas, "Old02"), std::pair(9, 25));
    EXPECT_EQ(RowOfText(canvas, "9 foods that should be excluded:"), 11);
    EXPECT_EQ(Cell(canvas, "Exc09"), std::pair(15, 50));

    Fill(Members(diary.doc).m_inclusions, "Inc", 1);
    Fill(Members(diary.doc).m_over50Days, "Old", 1);
    Fill(Members(diary.doc).m_exclusions, "Exc", 2);
    const auto texts = Draw().TextStrings();
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 1, texts.end()),
              (std::vector<std::string>{"1 food that can be included:", "Inc01",
                                        "1 food that is not currently classified:", "Old01",
                                        "2 foods that should be excluded:", "Exc01", "Exc02"}));
}

TEST_F(Page, SavedEmptyDiaryShowsOnlyTheTitlesEverySectionAlwaysDraws) {
    Show(true, true, true, true, true, true);
    const RecordingCanvas canvas = Draw();
    EXPECT_TRUE(canvas.Rectangles().empty());
    std::vector<std::pair<int, std::string>> rows;
    for (const DrawCall& text : canvas.Texts()) rows.emplace_back(text.y / RowHeight, text.text);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].first, 0);
    // Empty lists start at rows 2, 4 and 6 without titles; symptoms at 6 + 2.
    EXPECT_EQ(rows[1], (std::pair<int, std::string>{8, "Symptoms - today's current status:"}));
    EXPECT_EQ(rows[2], (std::pair<int, std::string>{13, FoodsTitle}));
    EXPECT_EQ(rows[3],
              (std::pair<int, std::string>{19, "History of Symptoms - relative changes:"}));
    EXPECT_EQ(rows[4], (std::pair<int, std::string>{21, HistoryScale}));
}

TEST_F(Page, FoodsTitleLiesBelowTheTallestColumnOfAFourColumnList) {
    Show(false, false, true, false, true, false);
    Fill(Members(diary.doc).m_exclusions, "Exc", 16);  // columns of 5, 5, 5, 1 on rows 4 to 8
    AddFood("Tea");
    const RecordingCanvas canvas = Draw();
    EXPECT_EQ(Cell(canvas, "Exc05"), std::pair(8, 0));
    EXPECT_EQ(RowOfText(canvas, FoodsTitle), 11);
    EXPECT_EQ(RowOfText(canvas, "Tea"), 13);
}

TEST_F(Page, SymptomsTakeTwoPerRowInNameOrderAndTheFoodsFollow) {
    Show(false, false, false, true, true, false);
    // Empty: foods three below the title; an even count: one row below the last symptom row,
    // then the foods two further down.
    EXPECT_EQ(RowOfText(Draw(), FoodsTitle), 7);
    AddSymptoms({"A", "B"});
    EXPECT_EQ(RowOfText(Draw(), FoodsTitle), 8);
    Members(diary.doc).m_symptoms.clear();
    AddSymptoms({"cramps", "Bloating", "acne"});
    const RecordingCanvas canvas = Draw();
    EXPECT_EQ(RowOfText(canvas, "Symptoms - today's current status:"), 2);
    EXPECT_EQ(Cell(canvas, "acne"), std::pair(4, 0));
    EXPECT_EQ(Cell(canvas, "Bloating"), std::pair(4, 50));
    EXPECT_EQ(Cell(canvas, "cramps"), std::pair(5, 0));
    EXPECT_EQ(RowOfText(canvas, FoodsTitle), 8);
}

TEST_F(Page, FoodsByScoreWhenAskedAndByNameOtherwiseListingEveryFood) {
    Show(false, false, false, false, true, false);
    AddFood("Bread", 0.3f);
    AddFood("Apple", 0.9f);  // the highest score is still listed, last
    AddFood("\xE9\x63lair", 0.1f);
    AddFood("zzz", 0.3f);  // same score as Bread: keeps list order
    AddFood("banana", -0.2f);
    const auto foodsInOrder = [this] {
        std::vector<std::string> names;
        for (const DrawCall& text : Draw().Texts())
            if (text.x == Margin && text.y >= 4 * RowHeight) names.push_back(text.text);
        return names;
    };
    diary.settings.WriteInt("Settings", "SortOrder", 1);
    EXPECT_EQ(foodsInOrder(),
              (std::vector<std::string>{"banana", "\xE9\x63lair", "Bread", "zzz", "Apple"}));
    const std::vector<std::string> byName = {"Apple", "banana", "Bread", "zzz", "\xE9\x63lair"};
    diary.settings.WriteInt("Settings", "SortOrder", 0);
    EXPECT_EQ(foodsInOrder(), byName);
    diary.settings.WriteInt("Settings", "SortOrder", 7);
    EXPECT_EQ(foodsInOrder(), byName);
}

TEST_F(Page, HistoryBoxesSixRowsApartBelowTheirTitles) {
    Show(false, false, false, false, false, true);
    AddSymptoms({"Nausea", "Headache"});
    const RecordingCanvas canvas = Draw();
    EXPECT_EQ(RowOfText(canvas, "History of Symptoms - relative changes:"), 3);
    EXPECT_EQ(RowOfText(canvas, HistoryScale), 5);
    EXPECT_EQ(RowOfText(canvas, "Headache"), 8);
    EXPECT_EQ(RowOfText(canvas, "Nausea"), 14);
    const auto boxes = canvas.Rectangles();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].y, 6 * RowHeight);
    EXPECT_EQ(boxes[2].y, 12 * RowHeight);
}

TEST_F(Page, PrintedPagesShowEachListEntryOnceInEveryColumn) {
    Show(true, false, false, false, false, false);
    Fill(Members(diary.doc).m_inclusions, "Inc", 40);  // columns of 11 rows: rows 4 to 14
    std::map<std::string, int> fullRows;
    for (const DrawCall& text : Draw({}, true).Texts()) fullRows[text.text] = text.y / RowHeight;
    const int linesPerPage = 6;
    const int pages = page_metrics::PageCount(diary.doc.GetLineCount(), linesPerPage);
    EXPECT_EQ(pages, 3);  // 40 / 4 + 5 = 15 rows
    std::map<std::string, int> printed;
    for (int page = 1; page <= pages; ++page) {
        const auto range = page_metrics::PageRows(page, linesPerPage);
        const RecordingCanvas canvas = Draw({range.first, range.last}, true);
        for (const DrawCall& text : canvas.Texts()) {
            EXPECT_EQ(printed.count(text.text), 0u) << text.text << " printed twice";
            const int row = range.first + text.y / RowHeight;
            EXPECT_LE(row, range.last);
            printed[text.text] = row;
        }
    }
    EXPECT_EQ(printed, fullRows);
}

TEST_F(Page, HistoryBoxNearThePageTopIsDrawnClippedAndOnlyOnItsOwnPage) {
    Show(false, false, false, false, false, true);
    AddSymptoms({"Headache"});  // box on row 8
    const auto boxTops = [this](int first, int last) {
        std::vector<int> tops;
        for (const DrawCall& box : Draw({first, last}, true).Rectangles()) tops.push_back(box.y);
        return tops;
    };
    EXPECT_EQ(boxTops(8, 15), (std::vector<int>{-2 * RowHeight, -2 * RowHeight}));
    EXPECT_EQ(boxTops(7, 15), (std::vector<int>{-RowHeight, -RowHeight}));
    EXPECT_TRUE(boxTops(9, 15).empty());
    EXPECT_TRUE(boxTops(0, 7).empty());
}

TEST_F(Page, EverySectionSwitchedOffStillPrintsOnePageWithTheHeading) {
    Show(false, false, false, false, false, false);
    Fill(Members(diary.doc).m_inclusions, "Inc", 8);
    EXPECT_EQ(page_metrics::PageCount(diary.doc.GetLineCount(), 60), 1);
    const auto texts = Draw({0, 59}, true).TextStrings();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rfind("\"My diary.glg\".", 0), 0u);
}

TEST_F(Page, ScreenNeverDrawsRowsAfter9999) {
    Show(false, false, false, false, true, false);
    for (int i = 0; i < 10005; ++i) {
        Members(diary.doc).m_foods.emplace_back("f");
        Members(diary.doc).m_foods.back().m_history = "nn";
    }
    int foodRows = 0, lowest = 0;
    for (const DrawCall& text : Draw().Texts())
        if (text.text == "f") ++foodRows, lowest = std::max(lowest, text.y / RowHeight);
    EXPECT_EQ(lowest, 9999);
    EXPECT_EQ(foodRows, 9999 - 4 + 1);
}

TEST_F(Page, RepaintOfSomeRowsDrawsWhatAFullDrawShowsThere) {
    Show(true, true, true, true, true, true);
    Fill(Members(diary.doc).m_inclusions, "Inc", 9);
    Fill(Members(diary.doc).m_over50Days, "Old", 3);
    Fill(Members(diary.doc).m_exclusions, "Exc", 6);
    AddSymptoms({"Acne", "Bloating", "Cramps", "Dizziness", "Eczema"});
    Members(diary.doc).m_symptoms[1].m_history = std::string(25, 'b') + std::string(25, 'w');
    for (int i = 0; i < 30; ++i) AddFood("Food" + std::to_string(i), 0.01f * i);
    const RecordingCanvas full = Draw();
    const int lastRow = diary.doc.GetLineCount() + 10;
    for (int first = 0; first < lastRow; first += 3) {
        for (int height : {1, 2, 7, 20}) {
            const int last = first + height - 1;
            SCOPED_TRACE(testing::Message() << "rows " << first << " to " << last);
            PageRows rows;
            rows.neededFirst = first;
            rows.neededLast = last;
            const RecordingCanvas part = Draw(rows);
            for (const DrawCall& call : part.calls)
                EXPECT_NE(std::find(full.calls.begin(), full.calls.end(), call), full.calls.end())
                    << call;
            const int top = first * RowHeight, bottom = (last + 1) * RowHeight - 1;
            for (const DrawCall& call : full.calls) {
                const auto [low, high] = VerticalExtent(call);
                if (high < top || low > bottom) continue;
                EXPECT_NE(std::find(part.calls.begin(), part.calls.end(), call), part.calls.end())
                    << call;
            }
        }
    }
}

TEST(PageMetrics, FontHeightsTruncateTowardZero) {
    EXPECT_EQ(page_metrics::ScreenFontHeight(96), -12);
    EXPECT_EQ(page_metrics::ScreenFontHeight(120), -15);
    EXPECT_EQ(page_metrics::ScreenFontHeight(100), -12);   // -12.5
    EXPECT_EQ(page_metrics::PrinterFontHeight(600), -76);  // -76.9
    EXPECT_EQ(page_metrics::PrinterFontHeight(300), -38);
    EXPECT_EQ(page_metrics::PrinterFontHeight(72), -9);
}

TEST(PageMetrics, LinesPerPagePageCountAndPageRows) {
    EXPECT_EQ(page_metrics::LinesPerPage(6600, 79), 83);
    EXPECT_EQ(page_metrics::LinesPerPage(6636, 79), 84);
    EXPECT_EQ(page_metrics::LinesPerPage(50, 79), 1);  // a font taller than the page
    EXPECT_EQ(page_metrics::LinesPerPage(6600, 0), 1);
    EXPECT_EQ(page_metrics::PageCount(0, 83), 1);
    EXPECT_EQ(page_metrics::PageCount(83, 83), 1);
    EXPECT_EQ(page_metrics::PageCount(84, 83), 2);
    EXPECT_EQ(page_metrics::PageCount(250, 83), 4);
    EXPECT_EQ(page_metrics::PageCount(250, 0), 250);
    // Pages follow one another without overlap.
    EXPECT_EQ(page_metrics::PageRows(1, 83).first, 0);
    EXPECT_EQ(page_metrics::PageRows(1, 83).last, 82);
    EXPECT_EQ(page_metrics::PageRows(2, 83).first, 83);
    EXPECT_EQ(page_metrics::PageRows(3, 83).last, 248);
}
