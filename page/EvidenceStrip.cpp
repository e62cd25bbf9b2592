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

constexpr int Slots = static_cast<int>(diary::HistoryLength);
constexpr int LabelCharacters = 10;  // "Next day" and a gap

// A filled cell keeps the outline the plain cells have, so the strip's grid stays whole. The
// outline comes first: a canvas's rectangle is white inside and would cover the fill.
void FillCell(Canvas& canvas, int left, int top, int right, int bottom, CanvasFill fill) {
    canvas.DrawRectangle(left, top, right, bottom);
    canvas.FillRectangle(left + 1, top + 1, right - 1, bottom - 1, fill);
}

using diary::CodeAt;

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

int CellWidth(const FontMetrics& metrics, int space, int columns) {
    const int least = metrics.averageCharWidth + 4;
    return columns > 0 ? std::max(least, space / columns) : least;
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

// A tick under each Monday's column and the first and last columns' dates, in the strip's
// font; the last date ends under the last column.
void DrawDates(Canvas& canvas, const std::vector<EvidenceStripColumn>& columns,
               const EvidenceStripCells& cells) {
    canvas.SelectPen(CanvasPen::Thin);
    const int tick = canvas.GetFontMetrics().RowHeight() / 3;
    for (int column = 0; column < cells.count; ++column) {
        if (WeekdayOf(columns[static_cast<std::size_t>(column)].date) != 1) continue;
        const int x = cells.left + column * cells.cellWidth;
        canvas.DrawLine(x, cells.bottom, x, cells.bottom + tick);
    }
    const int charWidth = canvas.GetFontMetrics().averageCharWidth;
    const std::string first = ShortDayText(columns.front().date);
    const std::string last = ShortDayText(columns.back().date);
    const int right = cells.left + cells.count * cells.cellWidth;
    const int lastLeft = right - static_cast<int>(last.size()) * charWidth;
    canvas.DrawText(cells.left, cells.bottom + tick, first);
    // One column has its one date.
    if (cells.count > 1 && lastLeft > cells.left + static_cast<int>(first.size() + 1) * charWidth)
        canvas.DrawText(lastLeft, cells.bottom + tick, last);
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
    return (x - left) / cellWidth;
}

EvidenceStripCells EvidenceStripCellsFor(const Canvas& canvas, EvidenceStripPlace place,
                                         int columns) {
    const FontMetrics metrics = canvas.GetFontMetrics();
    const int row = metrics.RowHeight();
    const int labelWidth = LabelCharacters * metrics.averageCharWidth;
    EvidenceStripCells cells;
    cells.left = place.left + labelWidth;
    cells.cellWidth = CellWidth(metrics, place.width - labelWidth, columns);
    cells.top = place.top + row + row / 4;
    cells.bottom = cells.top + 2 * row;
    cells.count = columns;
    return cells;
}

std::vector<EvidenceStripColumn> EvidenceStripColumns(const CGastrologDoc& document, int food,
                                                      int symptom, int delay) {
    std::vector<EvidenceStripColumn> columns;
    if (food < 0 || symptom < 0 || food >= static_cast<int>(document.Foods().size()) ||
        symptom >= static_cast<int>(document.Symptoms().size()) || delay < 0 || delay >= Slots)
        return columns;
    const std::string& eaten = document.Foods()[static_cast<std::size_t>(food)].m_history;
    const std::string& rated = document.Symptoms()[static_cast<std::size_t>(symptom)].m_history;
    const int livedDays = std::clamp(static_cast<int>(document.DayCount()), 0, Slots);
    // The lived days are the slots from Slots - livedDays on, oldest first.
    const lived::LivedDays days = lived::DaysOfDiary(document);
    for (int t = Slots - livedDays; t + delay < Slots; ++t) {
        const char next = CodeAt(rated, t + delay);
        const auto day = static_cast<std::size_t>(t - (Slots - livedDays));
        columns.push_back({diary::IsEaten(CodeAt(eaten, t)),
                           next == diary::Worse || next == diary::Better ? next : diary::NoChange,
                           day < days.size() ? days[day].date : 0});
    }
    return columns;
}

int EvidenceStripHeight(const Canvas& canvas, bool legend) {
    const int row = canvas.GetFontMetrics().RowHeight();
    // The heading, the two rows of cells, the dates, then the legend.
    return legend ? 6 * row : 4 * row + 2 * row / 3;
}

void DrawEvidenceStripLegend(Canvas& canvas, int left, int top) {
    const FontMetrics metrics = canvas.GetFontMetrics();
    DrawLegend(canvas, left, top, 2 * metrics.averageCharWidth, metrics.RowHeight(), metrics, 1);
}

int DrawEvidenceStrip(Canvas& canvas, const CGastrologDoc& document, int food, int symptom,
                      EvidenceStripPlace place, int delay) {
    const FontMetrics metrics = canvas.GetFontMetrics();
    const int row = metrics.RowHeight();
    const std::vector<EvidenceStripColumn> columns =
        EvidenceStripColumns(document, food, symptom, delay);
    if (columns.empty()) {
        canvas.DrawText(place.left, place.top, "No lived days to show yet.");
        return EvidenceStripHeight(canvas, place.legend);
    }
    const std::string& foodName = document.Foods()[static_cast<std::size_t>(food)].m_name;
    const std::string& symptomName = document.Symptoms()[static_cast<std::size_t>(symptom)].m_name;
    canvas.DrawText(place.left, place.top,
                    Heading(foodName, symptomName, delay, place.width, metrics));
    const EvidenceStripCells cells =
        EvidenceStripCellsFor(canvas, place, static_cast<int>(columns.size()));
    const int cellsLeft = cells.left;
    const int cellWidth = cells.cellWidth;
    const int eatenTop = cells.top;
    const int ratingTop = eatenTop + row;
    canvas.DrawText(place.left, eatenTop, "Eaten");
    canvas.DrawText(place.left, ratingTop, LaterLabel(delay));
    for (std::size_t column = 0; column < columns.size(); ++column) {
        const int left = cellsLeft + static_cast<int>(column) * cellWidth;
        DrawEaten(canvas, left, eatenTop, cellWidth, row, columns[column].eaten);
        DrawRating(canvas, left, ratingTop, cellWidth, row, columns[column].later, metrics);
    }
    DrawDates(canvas, columns, cells);
    if (place.legend)
        DrawLegend(canvas, cellsLeft, ratingTop + 2 * row + row / 2, cellWidth, row, metrics,
                   delay);
    return EvidenceStripHeight(canvas, place.legend);
}
