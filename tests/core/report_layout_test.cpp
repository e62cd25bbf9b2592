#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"
#include "page/DayAxis.h"
#include "page/DayCharts.h"
#include "page/ReportContent.h"
#include "page/ReportFlow.h"
#include "page/ReportLayout.h"
#include "tests/support/FakePorts.h"
#include "tests/support/DocumentTestAccess.h"
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

}  // namespace

TEST(DayAxis, ColumnsDatesAndWeeklyTicks) {
    const DayAxis axis(100, 8, 50, LastDay);
    EXPECT_EQ(axis.X(0), 100);
    EXPECT_EQ(axis.X(49), 100 + 49 * 8);
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

TEST(ReportContent, FoodsByEvidenceThenDaysEaten) {
    FakeDiary diary;
    Members(diary.doc).m_dayCount = 50;
    Members(diary.doc).m_lastUpdate = LastDay;
    const int eaten[] = {2, 9, 5, 9, 1};
    for (int food = 0; food < 5; ++food) {
        std::string history(50, 'n');
        for (int day = 0; day < eaten[food]; ++day)
            history[static_cast<std::size_t>(day * 3)] = 'y';
        Members(diary.doc).m_foods.emplace_back("Food " + std::to_string(food)).m_history = history;
    }
    EvidenceReading reading;
    reading.livedDays = 50;
    for (auto [food, word] : {std::pair{2, EvidenceWord::Some}, std::pair{4, EvidenceWord::Strong},
                              std::pair{1, EvidenceWord::NoClearLink}}) {
        EvidenceEntry& entry = reading.entries.emplace_back();
        entry.food = food;
        entry.word = word;
    }
    EXPECT_EQ(FoodsByEvidence(diary.doc, reading), (std::vector<int>{4, 2, 1, 3, 0}));
    EXPECT_EQ(FoodLinkWord(reading, 4), "strong");
    EXPECT_EQ(FoodLinkWord(reading, 1), "");
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

TEST(ReportLayout, GridRowsFollowTheEvidenceAndSymptomStripsShareTheDayColumns) {
    FakeDiary diary;
    CGastrologDoc& doc = diary.doc;
    Members(doc).m_dayCount = 50;
    Members(doc).m_lastUpdate = LastDay;
    Members(doc).m_foods.emplace_back("Rarely").m_history = Codes('n', {{10, 'y'}});
    Members(doc).m_foods.emplace_back("Often").m_history = Codes('y', {});
    Members(doc).m_symptoms.emplace_back("Headache").m_history = Codes('n', {{11, 'w'}});
    EvidenceReading reading;
    RecordingCanvas canvas;
    ReportFlow flow = ReportFlow::Endless();
    ReportLayout layout(doc, reading, "diary.glg", canvas, flow, 0, 800);
    layout.WhatWasEaten();
    const DrawCall* often = canvas.FindText("Often");
    const DrawCall* rarely = canvas.FindText("Rarely");
    const DrawCall* headache = canvas.FindText("Headache");
    ASSERT_TRUE(often && rarely && headache);
    EXPECT_LT(often->y, rarely->y) << "more days eaten first";
    EXPECT_LT(rarely->y, headache->y) << "the symptoms below the foods";
    // Rarely's one eaten day (slot 10) and Headache's worse day (slot 11) sit in neighbouring
    // columns of the same axis.
    const DayAxis& axis = layout.Axis();
    int eatenX = -1, worseX = -1;
    for (const DrawCall& fill : canvas.Fills()) {
        if (fill.fill == CanvasFill::Black && fill.y > often->y && fill.y < headache->y)
            eatenX = fill.x;
        if (fill.fill == CanvasFill::Worse) worseX = fill.x;
    }
    EXPECT_EQ(axis.DayAt(eatenX), 10);
    EXPECT_EQ(axis.DayAt(worseX), 11);
}
