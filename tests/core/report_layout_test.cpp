#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"
#include "page/DayAxis.h"
#include "page/DayCharts.h"
#include "page/HowSureFigures.h"
#include "page/ReportContent.h"
#include "page/ReportFlow.h"
#include "page/ReportLayout.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"
#include "tests/support/RecordingCanvas.h"

namespace {

// Thursday, March 6, 2025: with 50 lived days the first is Thursday, January 16, and the
// Mondays fall on days 4, 11, 18, 25, 32, 39 and 46.
const TimeValue LastDay = LocalTime(2025, 3, 6, 19);

std::string Codes(char fill, std::initializer_list<std::pair<int, char>> codes) {
    std::string history(diary::HistoryLength, fill);
    for (auto [position, code] : codes) history[static_cast<std::size_t>(position)] = code;
    return history;
}

// A diary of 50 lived days ending on LastDay.
CGastrologDoc& FiftyDays(FakeDiary& diary) {
    Members(diary.doc).m_dayCount = 50;
    Members(diary.doc).m_lastUpdate = LastDay;
    return diary.doc;
}

}  // namespace

TEST(DayAxis, ColumnsDatesAndWeeklyTicks) {
    const DayAxis axis(100, 8, 50, LastDay);
    EXPECT_EQ(axis.X(0), 100);
    EXPECT_EQ(axis.Right(), 500);
    const struct {
        int x, day;
    } hits[] = {{99, -1}, {100, 0}, {107, 0}, {108, 1}, {499, 49}, {500, -1}};
    for (const auto& hit : hits) EXPECT_EQ(axis.DayAt(hit.x), hit.day) << hit.x;
    EXPECT_EQ(calendar::Format(axis.DateOf(0), "%Y-%m-%d"), "2025-01-16");
    EXPECT_EQ(calendar::Format(axis.DateOf(49), "%Y-%m-%d"), "2025-03-06");
    EXPECT_EQ(axis.WeekStarts(), (std::vector<int>{4, 11, 18, 25, 32, 39, 46}));

    RecordingCanvas canvas;
    axis.DrawLabels(canvas, 0);
    ASSERT_EQ(canvas.Texts().size(), 7u);
    EXPECT_EQ(canvas.Texts()[0].text, "Jan 20");
    EXPECT_EQ(canvas.Texts()[0].x, axis.X(4));
    EXPECT_EQ(canvas.Texts()[6].text, "Mar 03");
    for (const DrawCall& tick : canvas.Lines()) EXPECT_EQ(tick.x, tick.x2);
}

TEST(DayAxis, OnlyLivedDaysOfAYoungDiary) {
    FakeDiary diary;
    Members(diary.doc).m_dayCount = 12;
    Members(diary.doc).m_lastUpdate = LastDay;
    const DayAxis axis = DayAxis::ForDiary(diary.doc, 0, 10);
    EXPECT_EQ(axis.LivedDays(), 12);
    EXPECT_EQ(axis.HistoryPosition(0), 38);
    EXPECT_EQ(axis.HistoryPosition(11), 49);
    Members(diary.doc).m_dayCount = 200;
    EXPECT_EQ(DayAxis::ForDiary(diary.doc, 0, 10).LivedDays(), 50);
}

TEST(DayCharts, EachRatingHasItsFillAndMark) {
    // Three lived days: better, worse, no change.
    const DayAxis axis(0, 10, 3, LastDay);
    RecordingCanvas canvas;
    DrawRatingStrip(canvas, axis, 20, 12, Codes('n', {{47, 'b'}, {48, 'w'}}));
    const auto fills = canvas.Fills();
    ASSERT_EQ(fills.size(), 3u);
    EXPECT_EQ(fills[0].fill, CanvasFill::Better);
    EXPECT_EQ(fills[0].x, 0);
    EXPECT_EQ(fills[1].fill, CanvasFill::Worse);
    EXPECT_EQ(fills[1].x, 10);
    EXPECT_EQ(fills[2].fill, CanvasFill::Grey);  // the no-change dash, thin and inside its cell
    EXPECT_GE(fills[2].x, 20);
    EXPECT_LE(fills[2].y2 - fills[2].y, 2);
    // Better's chevron points up (its middle is higher than its ends), worse's down.
    const auto lines = canvas.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_LT(lines[0].y2, lines[0].y);
    EXPECT_GT(lines[2].y2, lines[2].y);
    for (const DrawCall& line : lines) EXPECT_TRUE(line.y >= 20 && line.y <= 32);
}

TEST(DayCharts, EatenDaysCountCapitalYAndRunningSumFollowsTheRatings) {
    const DayAxis axis(0, 10, 5, LastDay);
    RecordingCanvas canvas;
    DrawEatenRow(canvas, axis, 0, 10, Codes('n', {{45, 'y'}, {47, 'Y'}, {44, 'y'}}));
    ASSERT_EQ(canvas.Fills().size(), 2u) << "slot 44 lies before the lived days";
    EXPECT_LT(canvas.Fills()[0].x, 10);
    EXPECT_GE(canvas.Fills()[1].x, 20);
    const std::string symptom = Codes('n', {{45, 'b'}, {46, 'b'}, {47, 'w'}, {49, 'x'}});
    const int sums[] = {1, 2, 1, 1, 1};
    for (int day = 0; day < 5; ++day) EXPECT_EQ(RunningSumAt(axis, symptom, day), sums[day]);
}

// A long period drawn in rows of four days: each row's sums go on from the row above, days not
// lived or not rated count nothing, and every row's line has the same scale.
TEST(DayCharts, RunningSumGoesOnFromRowToRowOfALongPeriod) {
    const std::string period = "bbwb-n bbwwww";
    const struct {
        int firstPosition;
        std::vector<int> sums;
    } rows[] = {
        {0, {1, 2, 1, 2}},
        {4, {2, 2, 2, 3}},
        {8, {4, 3, 2, 1}},
        {12, {0}},
    };
    std::vector<std::pair<int, int>> ends;  // each row line's first and last height
    for (const auto& row : rows) {
        const auto count = static_cast<int>(row.sums.size());
        const DayAxis axis(0, 10, count, LastDay, row.firstPosition);
        for (int day = 0; day < count; ++day)
            EXPECT_EQ(RunningSumAt(axis, period, day), row.sums[static_cast<std::size_t>(day)])
                << "row from " << row.firstPosition << ", day " << day;
        RecordingCanvas canvas;
        DrawRunningSum(canvas, axis, 0, 43, period);
        const auto lines = canvas.Lines();
        ASSERT_EQ(lines.size(), row.sums.size() + 1) << "the zero line and a step a day";
        ends.emplace_back(lines[1].y, lines.back().y2);
    }
    for (std::size_t row = 1; row < ends.size(); ++row)
        EXPECT_EQ(ends[row].first, ends[row - 1].second) << "row " << row << " starts where "
                                                         << "the row above ended";
}

TEST(ReportContent, WrapsAtWordsAndCutsOverlongWords) {
    const struct {
        const char* text;
        int width;
        std::vector<std::string> lines;
    } cases[] = {
        {"one two three", 7, {"one two", "three"}},
        {"one two three", 13, {"one two three"}},
        {"  spaced   out  ", 20, {"spaced out"}},
        {"abcdefghij xy", 4, {"abcd", "xy"}},
        {"", 10, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(WrapText(c.text, c.width), c.lines) << c.text;
}

TEST(ReportFlow, BlocksThatDoNotFitStartTheNextPage) {
    std::vector<int> started;
    ReportFlow flow(10, 100, [&](int page) { started.push_back(page); });
    EXPECT_EQ(flow.Take(50), 10);
    EXPECT_EQ(flow.Take(40), 60);
    EXPECT_EQ(flow.Take(1), 10) << "a full page";
    EXPECT_EQ(flow.Take(200), 10) << "taller than a page: a page of its own, running over";
    flow.NewPage();
    flow.NewPage();  // an empty page is not started twice
    EXPECT_EQ(started, (std::vector<int>{1, 2, 3, 4}));
}

// A title too low on its page starts the next, whose start leaves the page's font selected.
TEST(ReportLayout, TitleOnANewPageKeepsItsFont) {
    FakeDiary diary;
    RecordingCanvas canvas;
    ReportFlow flow(0, 1000, [&](int) { canvas.SelectFont(CanvasFont::Page); });
    const EvidenceReading reading;
    ReportLayout layout(FiftyDays(diary), reading, "diary.glg", canvas, flow, 0, 800);
    flow.Take(950);
    layout.SymptomsOverTime();
    EXPECT_EQ(flow.PageCount(), 2);
    ASSERT_NE(canvas.FindText("Symptoms over time"), nullptr);
    EXPECT_EQ(canvas.FindText("Symptoms over time")->font, CanvasFont::Title);
}

// The grid's rows, as FoodsByEvidence gives them and as drawn: strong links first, then some,
// then the most eaten, ties in diary order; each row's link word beside it; the symptoms' strips
// below the foods on the same day columns.
TEST(ReportLayout, GridRowsFollowTheEvidenceAndSymptomStripsShareTheDayColumns) {
    using enum EvidenceWord;
    const struct {
        std::vector<int> eaten;  // lived days each food was eaten, on slots 0, 3, 6...
        std::vector<std::pair<int, EvidenceWord>> words;  // food, word
        std::vector<int> order;
        std::vector<std::string> linkWords;  // by food
    } cases[] = {
        {{2, 9, 5, 9, 1},
         {{2, Some}, {4, Strong}, {1, NoClearLink}},
         {4, 2, 1, 3, 0},
         {"", "", "some", "", "strong"}},
        {{1, 9}, {}, {1, 0}, {"", ""}},
        // A food with several words has its strongest.
        {{3, 3, 3}, {{2, Some}, {0, Some}, {0, Strong}}, {0, 2, 1}, {"strong", "", "some"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.order));
        FakeDiary diary;
        CGastrologDoc& doc = FiftyDays(diary);
        for (std::size_t food = 0; food < c.eaten.size(); ++food) {
            std::string history(50, 'n');
            for (int day = 0; day < c.eaten[food]; ++day)
                history[static_cast<std::size_t>(day * 3)] = 'y';
            Members(doc).m_foods.emplace_back("Food " + std::to_string(food)).m_history = history;
        }
        Members(doc).m_symptoms.emplace_back("Headache").m_history = Codes('n', {{4, 'w'}});
        // The diary's days as read, with words given by hand: the strips show the days read.
        EvidenceReading reading = ReadEvidence(doc);
        reading.entries.clear();
        for (const auto& [food, word] : c.words) {
            EvidenceEntry& entry = reading.entries.emplace_back();
            entry.food = food;
            entry.word = word;
        }
        EXPECT_EQ(FoodsByEvidence(doc, reading), c.order);

        RecordingCanvas canvas;
        ReportFlow flow = ReportFlow::Endless();
        ReportLayout layout(doc, reading, "diary.glg", canvas, flow, 0, 800);
        layout.WhatWasEaten();
        const DayAxis& axis = layout.Axis();
        const int row = canvas.GetFontMetrics().RowHeight();
        const DrawCall* headache = canvas.FindText("Headache");
        ASSERT_TRUE(headache);
        int previousY = -1;
        for (int food : c.order) {
            const DrawCall* name = canvas.FindText("Food " + std::to_string(food));
            ASSERT_TRUE(name) << food;
            EXPECT_GT(name->y, previousY) << "food " << food << " out of order";
            previousY = name->y;
            std::vector<int> eatenDays, expectedDays;
            std::string word;
            for (const DrawCall& call : canvas.calls) {
                if (call.y < name->y - 2 || call.y >= name->y + row) continue;
                if (call.kind == DrawCall::Kind::Fill && call.fill == CanvasFill::Black)
                    eatenDays.push_back(axis.DayAt(call.x));
                if (call.kind == DrawCall::Kind::Text && call.x >= axis.Right()) word = call.text;
            }
            for (int day = 0; day < c.eaten[static_cast<std::size_t>(food)]; ++day)
                expectedDays.push_back(day * 3);
            EXPECT_EQ(eatenDays, expectedDays) << "food " << food;
            EXPECT_EQ(word, c.linkWords[static_cast<std::size_t>(food)]) << "food " << food;
        }
        EXPECT_GT(headache->y, previousY) << "the symptoms below the foods";
        int worseDay = -1;
        for (const DrawCall& fill : canvas.Fills())
            if (fill.fill == CanvasFill::Worse && fill.y >= headache->y - 2 &&
                fill.y < headache->y + row)
                worseDay = axis.DayAt(fill.x);
        EXPECT_EQ(worseDay, 4);
        const auto legends =
            std::count_if(canvas.calls.begin(), canvas.calls.end(),
                          [](const DrawCall& call) { return call.text == "eaten that day"; });
        const bool anyLink = std::any_of(c.linkWords.begin(), c.linkWords.end(),
                                         [](const std::string& word) { return !word.empty(); });
        EXPECT_EQ(legends, anyLink ? 1 : 0) << "one legend for the strips of the links";
        for (const auto& [food, word] : c.words) {
            if (word != Strong && word != Some) continue;
            EXPECT_TRUE(canvas.FindText("Days you ate Food " + std::to_string(food) +
                                        ", and Headache on the day after (oldest on the left):"))
                << "the Evidence window's strip of food " << food;
        }
    }
}

// Long names are cut short so nothing runs past the right edge, on widths of 100 characters and
// more (the Evidence window's strip needs about 80).
TEST(ReportLayout, NothingRunsPastTheRightEdge) {
    FakeDiary diary;
    CGastrologDoc& doc = FiftyDays(diary);
    const std::string longName(70, 'x');
    Members(doc).m_foods.emplace_back(longName + " food").m_history = Codes('n', {{3, 'y'}});
    Members(doc).m_symptoms.emplace_back(longName + " ache").m_history = Codes('n', {{4, 'w'}});
    EvidenceReading reading;
    reading.entries.emplace_back().word = EvidenceWord::Strong;
    for (int width : {800, 1000, 1200}) {
        RecordingCanvas canvas;
        ReportFlow flow = ReportFlow::Endless();
        ReportLayout layout(doc, reading, "diary.glg", canvas, flow, 10, width);
        layout.SymptomsOverTime();
        layout.WhatWasEaten();
        ASSERT_TRUE(canvas.FindText("strong"));
        for (const DrawCall& call : canvas.calls) {
            const int right = call.kind == DrawCall::Kind::Text
                                  ? call.x + static_cast<int>(call.text.size()) * 8
                                  : std::max(call.x, call.x2);
            EXPECT_LE(right, 10 + width) << call << " at width " << width;
        }
    }
}

// The report quotes the help page "How sure can I be?" on the lists: each figure stands in both.
TEST(ReportContent, ListsSentenceAndHelpPageStateTheSameFigures) {
    using namespace how_sure;
    using ::testing::HasSubstr;
    std::ifstream file("../../res/help/how-sure.html");
    ASSERT_TRUE(file) << "the help page";
    std::string help{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    help = std::regex_replace(help, std::regex("\\s+"), " ");
    const std::string report = ListsExplanation();
    const auto number = [](int value) { return std::to_string(value); };
    const struct {
        std::string inHelp, inReport = {};  // the report's words where they differ
    } figures[] = {
        {number(SimulatedDiaries) + " such diaries of " + number(FoodsPerDiary) + " foods",
         number(SimulatedDiaries) + " simulated diaries of " + number(FoodsPerDiary) + " foods"},
        {"held " + number(HarmfulFoodsExcludedPercent) +
         " % of the foods that really made a symptom worse"},
        {"only " + number(ExcludedFoodsHarmfulPercent) + " % of what it listed"},
        {"excluded " + number(HarmlessFoodsExcludedPerDiary) + " harmless foods per diary"},
        {number(HarmfulFoodsIncludedPercent) +
             " % of the foods that made a symptom worse ended up in the inclusion list",
         number(HarmfulFoodsIncludedPercent) +
             " % of the foods that made a symptom worse were on the inclusion list"},
        {"still named " + std::string(ExcludedWithoutLinksPerDiary) + " foods per diary",
         "still excluded " + std::string(ExcludedWithoutLinksPerDiary) + " foods per diary"},
    };
    for (const auto& figure : figures) {
        EXPECT_THAT(help, HasSubstr(figure.inHelp));
        EXPECT_THAT(report, HasSubstr(figure.inReport.empty() ? figure.inHelp : figure.inReport));
    }
}
