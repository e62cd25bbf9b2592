#include "page/EvidenceStrip.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>

#include "diary/GastrologDoc.h"
#include "engine/EvidenceWords.h"
#include "page/Canvas.h"
#include "page/RecordDrawing.h"

namespace {

constexpr int LabelCharacters = 10;  // "Next day" and a gap

// A filled cell keeps the outline the plain cells have, so the strip's grid stays whole. The
// outline comes first: a canvas's rectangle is white inside and would cover the fill.
void FillCell(Canvas& canvas, int left, int top, int right, int bottom, CanvasFill fill) {
    canvas.DrawRectangle(left, top, right, bottom);
    canvas.FillRectangle(left + 1, top + 1, right - 1, bottom - 1, fill);
}

constexpr std::array<std::string_view, 12> MonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> WeekdayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

struct DayParts {
    int year = 0, month = 1, day = 1;
};

DayParts PartsOf(lived::Date date) {
    const std::string text = lived::DateText(date);  // YYYY-MM-DD
    return {std::atoi(text.substr(0, 4).c_str()), std::atoi(text.substr(5, 2).c_str()),
            std::atoi(text.substr(8, 2).c_str())};
}

// 0 Sunday to 6 Saturday; 1970-01-01 was a Thursday.
int WeekdayOf(lived::Date date) {
    return ((date + 4) % 7 + 7) % 7;
}

std::string TwoDigits(int value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

void DrawRating(Canvas& canvas, int left, int top, int cellWidth, int rowHeight, char rating,
                const FontMetrics& metrics) {
    const int right = left + cellWidth, bottom = top + rowHeight;
    if (rating != diary::Worse && rating != diary::Better) {
        canvas.DrawRectangle(left, top, right, bottom);
        return;
    }
    FillCell(canvas, left, top, right, bottom,
             rating == diary::Worse ? CanvasFill::Worse : CanvasFill::Better);
    const int textLeft = left + (cellWidth - metrics.averageCharWidth) / 2;
    canvas.DrawText(textLeft, top + (rowHeight - metrics.height) / 2,
                    std::string(1, rating));  // the rating's own letter, "w" or "b"
}

void DrawEaten(Canvas& canvas, int left, int top, int cellWidth, int rowHeight, bool eaten) {
    if (eaten)
        FillCell(canvas, left, top, left + cellWidth, top + rowHeight, CanvasFill::Grey);
    else
        canvas.DrawRectangle(left, top, left + cellWidth, top + rowHeight);
}

// The rating row's label: "Next day", "Same day", "2 days on".
std::string LaterLabel(int delay) {
    if (delay == 0) return "Same day";
    if (delay == 1) return "Next day";
    return std::to_string(delay) + " days on";
}

// A sample of each mark with its meaning, on one row.
void DrawLegend(Canvas& canvas, int left, int top, int cellWidth, int rowHeight,
                const FontMetrics& metrics, int delay) {
    const int gap = metrics.averageCharWidth;
    int x = left;
    DrawEaten(canvas, x, top, cellWidth, rowHeight, true);
    x += cellWidth + gap;
    constexpr std::string_view eatenText = "eaten that day";
    canvas.DrawText(x, top, eatenText);
    x += static_cast<int>(eatenText.size() + 3) * metrics.averageCharWidth;
    DrawRating(canvas, x, top, cellWidth, rowHeight, diary::Worse, metrics);
    x += cellWidth + gap;
    const std::string worseText = "worse " + EvidenceDelayText(delay);
    canvas.DrawText(x, top, worseText);
    x += static_cast<int>(worseText.size() + 3) * metrics.averageCharWidth;
    DrawRating(canvas, x, top, cellWidth, rowHeight, diary::Better, metrics);
    canvas.DrawText(x + cellWidth + gap, top, "better " + EvidenceDelayText(delay));
}

// The strip's heading, its names shortened with "..." where both would not fit the width; the
// shorter name keeps what it needs and the longer one takes the rest.
std::string Heading(const std::string& food, const std::string& symptom, int delay, int width,
                    const FontMetrics& metrics) {
    constexpr std::string_view Before = "Days you ate ", Between = ", and ";
    const std::string After =
        " " + (delay == 1 ? std::string("on the day after") : EvidenceDelayText(delay)) +
        " (oldest on the left):";
    constexpr int LeastNameCharacters = 12;
    const int characters = width / std::max(1, metrics.averageCharWidth);
    const int forNames =
        std::max(2 * LeastNameCharacters,
                 characters - static_cast<int>(Before.size() + Between.size() + After.size()));
    const bool foodShorter = food.size() <= symptom.size();
    const std::size_t shorter =
        std::min(foodShorter ? food.size() : symptom.size(), std::size_t(forNames / 2));
    const std::size_t longer = static_cast<std::size_t>(forNames) - shorter;
    const std::size_t foodRoom = foodShorter ? shorter : longer;
    const std::size_t symptomRoom = foodShorter ? longer : shorter;
    return std::string(Before) + record_drawing::ShortenName(food, foodRoom) +
           std::string(Between) + record_drawing::ShortenName(symptom, symptomRoom) + After;
}

// A tick under each Monday's column and the first and last columns' dates of the piece drawn, in
// the strip's font; the last date ends under the last column.
void DrawDates(Canvas& canvas, const std::vector<EvidenceStripColumn>& columns,
               const EvidenceStripCells& cells) {
    canvas.SelectPen(CanvasPen::Thin);
    const int tick = canvas.GetFontMetrics().RowHeight() / 3;
    for (int place = 0; place < cells.count; ++place) {
        if (WeekdayOf(columns[static_cast<std::size_t>(cells.first + place)].date) != 1) continue;
        const int x = cells.left + place * cells.cellWidth;
        canvas.DrawLine(x, cells.bottom, x, cells.bottom + tick);
    }
    const int charWidth = canvas.GetFontMetrics().averageCharWidth;
    const std::string first = ShortDayText(columns[static_cast<std::size_t>(cells.first)].date);
    const std::string last =
        ShortDayText(columns[static_cast<std::size_t>(cells.first + cells.count - 1)].date);
    const int right = cells.left + cells.count * cells.cellWidth;
    const int lastLeft = right - static_cast<int>(last.size()) * charWidth;
    canvas.DrawText(cells.left, cells.bottom + tick, first);
    // One column has its one date.
    if (cells.count > 1 && lastLeft > cells.left + static_cast<int>(first.size() + 1) * charWidth)
        canvas.DrawText(lastLeft, cells.bottom + tick, last);
}

// The row above the cells: a line where each block begins, down through the cells, and the
// block's first date beside it as the words beside the strip write it; a piece that begins
// within a block names that block at its left. A date with no room before the next is left out.
void DrawBlockMarks(Canvas& canvas, const EvidenceStripDays& days, const EvidenceStripCells& cells,
                    int rowTop) {
    struct Label {
        int x;
        std::string text;
    };
    std::vector<Label> labels;
    const int charWidth = canvas.GetFontMetrics().averageCharWidth;
    canvas.SelectPen(CanvasPen::Wide);
    for (int place = 0; place < cells.count; ++place) {
        const int column = cells.first + place;
        const int block = days.columns[static_cast<std::size_t>(column)].block;
        const bool begins =
            column == 0 || days.columns[static_cast<std::size_t>(column - 1)].block != block;
        if (!begins && place > 0) continue;
        const int x = cells.left + place * cells.cellWidth;
        if (begins && column > 0) canvas.DrawLine(x, rowTop, x, cells.bottom);
        if (block >= 0 && block < static_cast<int>(days.blocks.size()))
            labels.push_back(
                {x + charWidth / 2,
                 lived::DateText(days.blocks[static_cast<std::size_t>(block)].firstDate)});
    }
    const int right = cells.left + cells.count * cells.cellWidth;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const int end = labels[i].x + static_cast<int>(labels[i].text.size()) * charWidth;
        const int room = i + 1 < labels.size() ? labels[i + 1].x - charWidth : right;
        if (end <= room) canvas.DrawText(labels[i].x, rowTop, labels[i].text);
    }
}

int LeastCellWidth(const FontMetrics& metrics) {
    return metrics.averageCharWidth + 4;
}

}  // namespace

std::string ShortDayText(lived::Date date) {
    const DayParts parts = PartsOf(date);
    return std::string(MonthNames[static_cast<std::size_t>(parts.month - 1)].substr(0, 3)) + " " +
           TwoDigits(parts.day);
}

std::string LongDayText(lived::Date date) {
    const DayParts parts = PartsOf(date);
    return std::string(WeekdayNames[static_cast<std::size_t>(WeekdayOf(date))]) + ", " +
           std::string(MonthNames[static_cast<std::size_t>(parts.month - 1)]) + " " +
           TwoDigits(parts.day) + ", " + std::to_string(parts.year);
}

int EvidenceStripCells::ColumnAt(int x, int y) const {
    if (y < top || y >= bottom || x < left || x >= left + count * cellWidth) return -1;
    return first + (x - left) / cellWidth;
}

int EvidenceStripColumnsThatFit(const Canvas& canvas, int width) {
    const FontMetrics metrics = canvas.GetFontMetrics();
    return std::max(1, (width - LabelCharacters * metrics.averageCharWidth) /
                           std::max(1, LeastCellWidth(metrics)));
}

EvidenceStripCells EvidenceStripCellsFor(const Canvas& canvas, EvidenceStripPlace place,
                                         int columns, bool blocked) {
    const FontMetrics metrics = canvas.GetFontMetrics();
    const int row = metrics.RowHeight();
    const int labelWidth = LabelCharacters * metrics.averageCharWidth;
    const int fit = EvidenceStripColumnsThatFit(canvas, place.width);
    // A strip that fits is spread over the width; a longer one has cells of one width in
    // every piece.
    const int spread = std::clamp(columns, 1, fit);
    EvidenceStripCells cells;
    cells.left = place.left + labelWidth;
    cells.cellWidth = std::max(LeastCellWidth(metrics), (place.width - labelWidth) / spread);
    cells.top = place.top + (place.heading ? row + row / 4 : 0) + (blocked ? row : 0);
    cells.bottom = cells.top + 2 * row;
    cells.first = std::clamp(place.first, 0, std::max(0, columns - 1));
    cells.count = std::clamp(columns - cells.first, 0, fit);
    return cells;
}

EvidenceStripDays EvidenceStripDaysOf(const CGastrologDoc& document, const EvidenceReading& reading,
                                      int food, int symptom, int delay) {
    EvidenceStripDays days;
    days.delay = delay;
    if (food < 0 || symptom < 0 || food >= static_cast<int>(document.Foods().size()) ||
        symptom >= static_cast<int>(document.Symptoms().size()))
        return days;
    days.food = document.Foods()[static_cast<std::size_t>(food)].m_name;
    days.symptom = document.Symptoms()[static_cast<std::size_t>(symptom)].m_name;
    days.columns = EvidencePairsOf(reading, food, symptom, delay);
    days.blocks = EvidenceBlocksOf(reading);
    return days;
}

int EvidenceStripHeight(const Canvas& canvas, bool legend, bool heading, bool blocked) {
    const int row = canvas.GetFontMetrics().RowHeight();
    // The heading, the block marks, the two rows of cells, the dates, then the legend.
    return (legend ? 6 * row : 4 * row + 2 * row / 3) - (heading ? 0 : row + row / 4) +
           (blocked ? row : 0);
}

void DrawEvidenceStripLegend(Canvas& canvas, int left, int top) {
    const FontMetrics metrics = canvas.GetFontMetrics();
    DrawLegend(canvas, left, top, 2 * metrics.averageCharWidth, metrics.RowHeight(), metrics, 1);
}

int DrawEvidenceStrip(Canvas& canvas, const EvidenceStripDays& days, EvidenceStripPlace place) {
    const FontMetrics metrics = canvas.GetFontMetrics();
    const int row = metrics.RowHeight();
    const bool blocked = days.Blocked();
    const int height = EvidenceStripHeight(canvas, place.legend, place.heading, blocked);
    if (days.columns.empty()) {
        canvas.DrawText(place.left, place.top, "No lived days to show yet.");
        return height;
    }
    if (place.heading)
        canvas.DrawText(place.left, place.top,
                        Heading(days.food, days.symptom, days.delay, place.width, metrics));
    const EvidenceStripCells cells =
        EvidenceStripCellsFor(canvas, place, static_cast<int>(days.columns.size()), blocked);
    const int ratingTop = cells.top + row;
    if (blocked) canvas.DrawText(place.left, cells.top - row, "4 weeks");
    canvas.DrawText(place.left, cells.top, "Eaten");
    canvas.DrawText(place.left, ratingTop, LaterLabel(days.delay));
    for (int shown = 0; shown < cells.count; ++shown) {
        const EvidenceStripColumn& column =
            days.columns[static_cast<std::size_t>(cells.first + shown)];
        const int left = cells.left + shown * cells.cellWidth;
        DrawEaten(canvas, left, cells.top, cells.cellWidth, row, column.eaten);
        DrawRating(canvas, left, ratingTop, cells.cellWidth, row, column.later, metrics);
    }
    if (blocked) DrawBlockMarks(canvas, days, cells, cells.top - row);
    DrawDates(canvas, days.columns, cells);
    if (place.legend)
        DrawLegend(canvas, cells.left, ratingTop + 2 * row + row / 2, cells.cellWidth, row, metrics,
                   days.delay);
    return height;
}
