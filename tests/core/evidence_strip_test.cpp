#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "diary/GastrologDoc.h"
#include "page/EvidenceStrip.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"
#include "tests/support/RecordingCanvas.h"

namespace {

// Histories whose codes tell the slot: the food is eaten on slots 40, 44 ("Y") and 48, and
// on slot 5 long ago; the symptom is worse on 41 and 47, better on 45 and 49, worse on 6.
std::string FoodHistory() {
    std::string history(50, 'n');
    history[5] = history[40] = history[48] = 'y';
    history[44] = 'Y';
    return history;
}

std::string SymptomHistory() {
    std::string history(50, 'n');
    history[6] = history[41] = history[47] = 'w';
    history[45] = history[49] = 'b';
    return history;
}

// A diary of one food and one symptom with the histories above.
void FillDiary(FakeDiary& diary, int dayCount, const std::string& food = "Cheese",
               const std::string& symptom = "Headache") {
    Members(diary.doc).m_foods.emplace_back(food).m_history = FoodHistory();
    Members(diary.doc).m_symptoms.emplace_back(symptom).m_history = SymptomHistory();
    Members(diary.doc).m_dayCount = dayCount;
}

// The strip of the diary's reading at one delay over the period.
EvidenceStripDays StripOf(FakeDiary& diary, int food = 0, int symptom = 0, int delay = 1,
                          EvidencePeriod period = {}) {
    EvidenceOptions options;
    options.period = period;
    options.shortestDelay = options.longestDelay = delay;
    return EvidenceStripDaysOf(diary.doc, ReadEvidence(diary.doc, options), food, symptom, delay);
}

constexpr int LabelWidth = 10 * 8;  // ten average characters of the recording canvas
constexpr int Row = 16;

}  // namespace

// One column per lived pair, oldest on the left: the eaten row filled dark where eaten, the
// next-day row coloured and lettered where worse or better (worse and better in colours of their
// own), plain where there was no change.
TEST(EvidenceStrip, DrawsAColumnPerLivedPairWithMarksThatReadWithoutColour) {
    const struct {
        int dayCount, columns, width, cellWidth;
        std::vector<int> eatenColumns;
        std::vector<std::pair<int, std::string>> letters;  // column, mark
    } cases[] = {
        {12, 11, LabelWidth + 11 * 20, 20, {2, 6, 10}, {{2, "w"}, {6, "b"}, {8, "w"}, {10, "b"}}},
        {200,
         49,
         LabelWidth + 49 * 14,
         14,
         {5, 40, 44, 48},
         {{5, "w"}, {40, "w"}, {44, "b"}, {46, "w"}, {48, "b"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("day count " + std::to_string(c.dayCount));
        FakeDiary diary;
        FillDiary(diary, c.dayCount);
        RecordingCanvas canvas;
        const EvidenceStripDays days = StripOf(diary);
        const int height = DrawEvidenceStrip(canvas, days, {10, 100, c.width});
        EXPECT_EQ(height, EvidenceStripHeight(canvas));
        // Strips one below the other may share one legend.
        RecordingCanvas bare;
        EXPECT_LT(DrawEvidenceStrip(bare, days, {10, 100, c.width, false}), height);
        EXPECT_NE(canvas.FindText("eaten that day"), nullptr);
        EXPECT_EQ(bare.FindText("eaten that day"), nullptr);

        const int cellsLeft = 10 + LabelWidth;
        const int eatenTop = 100 + Row + Row / 4, ratingTop = eatenTop + Row;
        std::vector<int> eaten;
        std::map<int, std::string> ratingFills;      // column, fill
        int outlinedRatings = 0, filledRatings = 0;  // every cell is outlined; marked ones filled
        for (std::size_t index = 0; index < canvas.calls.size(); ++index) {
            const DrawCall& call = canvas.calls[index];
            const bool fill = call.kind == DrawCall::Kind::Fill;
            // A fill lies one pixel inside its cell's outline.
            const int inset = fill ? 1 : 0;
            const int left = call.x - inset, top = call.y - inset;
            const bool inStrip = left >= cellsLeft && top >= eatenTop && top <= ratingTop;
            if (!inStrip || (!fill && call.kind != DrawCall::Kind::Rectangle)) continue;
            EXPECT_EQ(call.x2 + inset - left, c.cellWidth);
            EXPECT_EQ((left - cellsLeft) % c.cellWidth, 0);
            const int column = (left - cellsLeft) / c.cellWidth;
            EXPECT_LT(column, c.columns);
            if (top == eatenTop && fill) eaten.push_back(column);
            if (top == ratingTop) ++(fill ? filledRatings : outlinedRatings);
            if (top == ratingTop && fill) ratingFills[column] = call.text;
            // A rectangle is white inside: one drawn after a fill would hide it.
            for (std::size_t later = index + 1; fill && later < canvas.calls.size(); ++later)
                EXPECT_FALSE(canvas.calls[later].kind == DrawCall::Kind::Rectangle &&
                             canvas.calls[later].x == left && canvas.calls[later].y == top)
                    << "the fill of column " << column << " is covered";
        }
        EXPECT_EQ(eaten, c.eatenColumns);
        EXPECT_EQ(filledRatings, static_cast<int>(c.letters.size()));
        EXPECT_EQ(outlinedRatings, c.columns);
        std::map<std::string, std::set<std::string>> fillsOfMark;
        for (const auto& [column, mark] : c.letters) fillsOfMark[mark].insert(ratingFills[column]);
        EXPECT_EQ(fillsOfMark["w"].size(), 1u);
        EXPECT_EQ(fillsOfMark["b"].size(), 1u);
        EXPECT_NE(fillsOfMark["w"], fillsOfMark["b"]);
        // Plain names rather than a structured binding: clang 14 cannot capture one in a lambda.
        for (const auto& letter : c.letters) {
            const int column = letter.first;
            const auto& mark = letter.second;
            const int left = cellsLeft + column * c.cellWidth;
            const bool found =
                std::any_of(canvas.calls.begin(), canvas.calls.end(), [&](const DrawCall& call) {
                    return call.kind == DrawCall::Kind::Text && call.text == mark &&
                           call.x > left && call.x < left + c.cellWidth && call.y >= ratingTop &&
                           call.y < ratingTop + Row;
                });
            EXPECT_TRUE(found) << "no " << mark << " in column " << column;
        }
        EXPECT_NE(canvas.FindText(
                      "Days you ate Cheese, and Headache on the day after (oldest on the left):"),
                  nullptr);
    }
}

// Under the cells: the first and last columns' dates, and a tick at each Monday's column. The
// diary's last update is Thursday, March 6, 2025, so its 12 lived days run from February 23.
TEST(EvidenceStrip, ShowsTheDatesAtItsEndsAndATickEachWeek) {
    const struct {
        int dayCount;
        std::string first, last;
        std::vector<int> mondays;  // columns
    } cases[] = {
        {12, "Feb 23", "Mar 05", {1, 8}},
        {3, "Mar 04", "Mar 05", {}},
        {50, "Jan 16", "Mar 05", {4, 11, 18, 25, 32, 39, 46}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("day count " + std::to_string(c.dayCount));
        FakeDiary diary;
        FillDiary(diary, c.dayCount);
        Members(diary.doc).m_lastUpdate = LocalTime(2025, 3, 6, 20);
        const EvidenceStripDays days = StripOf(diary);
        ASSERT_EQ(days.columns.size(), static_cast<std::size_t>(c.dayCount - 1));
        EXPECT_EQ(LongDayText(days.columns.back().date), "Wednesday, March 05, 2025");
        RecordingCanvas canvas;
        DrawEvidenceStrip(canvas, days, {0, 0, LabelWidth + 49 * 12});
        const EvidenceStripCells cells =
            EvidenceStripCellsFor(canvas, {0, 0, LabelWidth + 49 * 12}, c.dayCount - 1);
        const DrawCall* first = canvas.FindText(c.first);
        const DrawCall* last = canvas.FindText(c.last);
        ASSERT_NE(first, nullptr);
        ASSERT_NE(last, nullptr);
        EXPECT_EQ(first->x, cells.left);
        EXPECT_GT(first->y, cells.bottom);
        EXPECT_EQ(last->x + static_cast<int>(c.last.size()) * 8,
                  cells.left + cells.count * cells.cellWidth);
        std::vector<int> ticks;
        for (const DrawCall& line : canvas.Lines())
            if (line.x == line.x2 && line.y == cells.bottom)
                ticks.push_back((line.x - cells.left) / cells.cellWidth);
        EXPECT_EQ(ticks, c.mondays);
        // The window's tooltip finds the column under the mouse.
        EXPECT_EQ(cells.ColumnAt(cells.left + cells.cellWidth + 1, cells.top + 1), 1);
        EXPECT_EQ(cells.ColumnAt(cells.left - 1, cells.top + 1), -1);
        EXPECT_EQ(cells.ColumnAt(cells.left + 1, cells.bottom), -1);
    }
}

TEST(EvidenceStrip, SaysSoWhenThereIsNothingToShow) {
    FakeDiary diary;
    FillDiary(diary, 0);
    for (const auto& [dayCount, food, symptom] : {std::tuple{1, 0, 0}, {50, 1, 0}, {50, 0, -1}}) {
        Members(diary.doc).m_dayCount = dayCount;
        RecordingCanvas canvas;
        DrawEvidenceStrip(canvas, StripOf(diary, food, symptom), {0, 0, 400});
        EXPECT_EQ(canvas.TextStrings(), std::vector<std::string>{"No lived days to show yet."});
    }
}

// Long names are cut short with "..." so the heading fits the width offered (8-pixel characters).
TEST(EvidenceStrip, HeadingFitsTheWidthWithLongNamesCutShort) {
    const std::string longFood = "Wholemeal sourdough bread with seeds and honey";
    const std::string longSymptom = "Sharp pains in the lower stomach";
    const struct {
        std::string food, symptom;
        int width;
        std::string names;  // the heading's names as drawn
    } cases[] = {
        {"Cheese", "Headache", 400, "Cheese, and Headache"},
        {longFood, "Headache", 816, "Wholemeal sourdough bread with se..., and Headache"},
        {longFood, longSymptom, 800, "Wholemeal sourdoug..., and Sharp pains in the..."},
        {longSymptom, longFood, 800, "Sharp pains in the..., and Wholemeal sourdoug..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.names);
        FakeDiary diary;
        FillDiary(diary, 50, c.food, c.symptom);
        RecordingCanvas canvas;
        DrawEvidenceStrip(canvas, StripOf(diary), {0, 0, c.width});
        const std::string heading =
            "Days you ate " + c.names + " on the day after (oldest on the left):";
        EXPECT_NE(canvas.FindText(heading), nullptr);
        if (c.food.size() + c.symptom.size() > 30) {
            EXPECT_LE(static_cast<int>(heading.size()) * 8, c.width);
        }
    }
}

namespace {

// A diary whose 50 slots end on Thursday, March 6, 2025 (the slots from January 16) and whose
// history holds 100 older days from October 1, 2024, less November 10: Cheese eaten every
// third day and Headache worse each next day. January 9 to 15 were not lived.
const lived::Date HistoryStart = lived::DateFromCivil(2024, 10, 1);
void FillHistoryDiary(FakeDiary& diary) {
    FillDiary(diary, 200);
    Members(diary.doc).m_lastUpdate = LocalTime(2025, 3, 6, 20);
    lived::LivedDays older;
    for (int day = 0; day < 100; ++day) {
        const lived::Date date = HistoryStart + day;
        if (lived::DateText(date) == "2024-11-10") continue;
        older.push_back(
            {date,
             false,
             day % 3 == 0 ? std::vector<std::string>{"Cheese"} : std::vector<std::string>{},
             {{"Headache", day % 3 == 1 ? 'w' : 'n'}}});
    }
    diary.doc.AdoptHistory(std::move(older));
}

}  // namespace

// The strip shows the pairs the reading counted: the history's days and the diary's, only in the
// period, a pair only where both its days were lived, each with its date and its four weeks; the
// heading and the row label say the delay.
TEST(EvidenceStrip, ShowsThePairsTheReadingCountedOverHistoryAndDiary) {
    const auto Day = lived::DateFromCivil;
    const struct {
        const char* name;
        EvidencePeriod period;
        int delay;
        std::size_t pairs;
        std::string first, last;
        std::size_t blocks;
        std::string when = "on the day after", label = "Next day";
    } cases[] = {
        // 39 and 58 pairs in the history either side of November 10, none over it; 49 in the slots.
        {"all days", {}, 1, 146, "2024-10-01", "2025-03-05", 6},
        {"last 50 days", {50, {}, {}}, 1, 49, "2025-01-16", "2025-03-05", 1},
        {"from-to", {0, Day(2024, 11, 1), Day(2025, 1, 20)}, 1, 70, "2024-11-01", "2025-01-19", 3},
        // Two days on, November 9 pairs with November 11 over the day not lived.
        {"two days on", {}, 2, 144, "2024-10-01", "2025-03-04", 6, "2 days later", "2 days on"},
        {"same day", {}, 0, 149, "2024-10-01", "2025-03-06", 6, "the same day", "Same day"},
    };
    FakeDiary diary;
    FillHistoryDiary(diary);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EvidenceOptions options;
        options.period = c.period;
        options.shortestDelay = options.longestDelay = c.delay;
        const EvidenceReading reading = ReadEvidence(diary.doc, options);
        const EvidenceStripDays days = EvidenceStripDaysOf(diary.doc, reading, 0, 0, c.delay);
        ASSERT_EQ(days.columns.size(), c.pairs);
        EXPECT_EQ(static_cast<int>(c.pairs), reading.pairs);
        EXPECT_EQ(lived::DateText(days.columns.front().date), c.first);
        EXPECT_EQ(lived::DateText(days.columns.back().date), c.last);
        ASSERT_EQ(days.blocks.size(), c.blocks);
        int block = 0;
        for (const EvidenceStripColumn& column : days.columns) {
            const lived::Date later = column.date + c.delay;
            const int day = column.date - HistoryStart;
            if (later < HistoryStart + 100) {
                EXPECT_EQ(column.eaten, day % 3 == 0) << column.date;
                EXPECT_EQ(column.later, (day + c.delay) % 3 == 1 ? 'w' : 'n') << column.date;
            }
            // The four weeks of the words beside the strip hold the day judged.
            EXPECT_GE(column.block, block);
            block = column.block;
            const EvidenceBlockDates& dates = days.blocks[static_cast<std::size_t>(block)];
            EXPECT_TRUE(later >= dates.firstDate && later <= dates.lastDate) << column.date;
        }
        EXPECT_EQ(block + 1, static_cast<int>(c.blocks));
        RecordingCanvas canvas;
        DrawEvidenceStrip(canvas, days, {0, 0, 1200});
        EXPECT_NE(canvas.FindText("Days you ate Cheese, and Headache " + c.when +
                                  " (oldest on the left):"),
                  nullptr);
        EXPECT_NE(canvas.FindText(c.label), nullptr);
    }
    // A delay the reading did not count shows nothing.
    EXPECT_TRUE(EvidenceStripDaysOf(diary.doc, ReadEvidence(diary.doc), 0, 0, 2).columns.empty());
}

// A strip longer than its width is drawn a piece at a time, in cells as wide in every piece, with
// the piece's own dates; a line and the first date of its four weeks where each block begins.
TEST(EvidenceStrip, DrawsTheLongStripAPieceAtATimeWithItsBlocksMarked) {
    FakeDiary diary;
    FillHistoryDiary(diary);
    const EvidenceStripDays days = StripOf(diary);
    const int width = LabelWidth + 30 * 12 + 5;  // 30 columns of the least width
    const struct {
        int first, count;
        std::vector<std::string> blockDates;  // labelled in the row above the cells
    } cases[] = {
        {0, 30, {"2024-10-02", "2024-10-18"}},
        {30, 30, {"2024-10-18", "2024-11-15"}},
        {120, 26, {"2025-02-07"}},  // the last piece, shorter
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("from column " + std::to_string(c.first));
        RecordingCanvas canvas;
        const EvidenceStripPlace place{0, 0, width, false, c.first, c.first == 0};
        DrawEvidenceStrip(canvas, days, place);
        const EvidenceStripCells cells = EvidenceStripCellsFor(canvas, place, 146, true);
        EXPECT_EQ(cells.count, c.count);
        EXPECT_EQ(cells.cellWidth, 12);
        EXPECT_EQ(cells.ColumnAt(cells.left + 1, cells.top + 1), c.first);
        EXPECT_NE(canvas.FindText(ShortDayText(days.columns[std::size_t(c.first)].date)), nullptr);
        std::vector<std::string> labels;
        for (const DrawCall& text : canvas.Texts())
            if (text.text.size() == 10 && text.text[4] == '-') labels.push_back(text.text);
        EXPECT_EQ(labels, c.blockDates);
        int begins = 0, lines = 0;
        for (int column = c.first + 1; column < c.first + c.count; ++column)
            begins += days.columns[std::size_t(column)].block !=
                      days.columns[std::size_t(column - 1)].block;
        for (const DrawCall& line : canvas.Lines())
            lines += line.pen == CanvasPen::Wide && line.y2 == cells.bottom;
        EXPECT_EQ(lines, begins);
    }
}
