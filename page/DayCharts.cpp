#include "page/DayCharts.h"

#include <algorithm>
#include <string>
#include <vector>

#include "diary/DiaryConstants.h"
#include "page/Canvas.h"
#include "page/DayAxis.h"
#include "page/ReportPeriod.h"

namespace {

using diary::Better;
using diary::IsEaten;
using diary::Worse;

int SumStep(char code) {
    return code == Better ? 1 : code == Worse ? -1 : 0;
}

char CodeOnDay(const DayAxis& axis, std::string_view history, int day) {
    return diary::CodeAt(history, axis.HistoryPosition(day));
}

// A chevron across the cell, pointing up for better and down for worse.
void DrawChevron(Canvas& canvas, int left, int top, int width, int height, bool up) {
    const int inset = std::max(1, width / 5);
    const int middle = left + width / 2;
    const int high = top + height / 3;
    const int low = top + height - height / 3;
    canvas.SelectPen(CanvasPen::Thin);
    canvas.DrawLine(left + inset, up ? low : high, middle, up ? high : low);
    canvas.DrawLine(middle, up ? high : low, left + width - inset, up ? low : high);
}

void DrawRatingCell(Canvas& canvas, int left, int top, int width, int height, char code) {
    if (code == NotLived || code == NotRated) return;  // stays blank
    const int right = left + width - 1;                // a pixel of white between neighbours
    if (code == Better || code == Worse) {
        canvas.FillRectangle(left, top, right, top + height,
                             code == Better ? CanvasFill::Better : CanvasFill::Worse);
        DrawChevron(canvas, left, top, width - 1, height, code == Better);
    } else {
        const int middle = top + height / 2;
        canvas.FillRectangle(left + width / 4, middle - 1, right - width / 4, middle + 1,
                             CanvasFill::Grey);
    }
}

}  // namespace

void DrawRatingStrip(Canvas& canvas, const DayAxis& axis, int top, int height,
                     std::string_view history) {
    for (int day = 0; day < axis.LivedDays(); ++day)
        DrawRatingCell(canvas, axis.X(day), top, axis.CellWidth(), height,
                       CodeOnDay(axis, history, day));
}

int RunningSumAt(const DayAxis& axis, std::string_view history, int day) {
    int sum = 0;
    for (int position = axis.PeriodStart(); position <= axis.HistoryPosition(day); ++position)
        sum += SumStep(diary::CodeAt(history, position));
    return sum;
}

void DrawRunningSum(Canvas& canvas, const DayAxis& axis, int top, int height,
                    std::string_view history) {
    // The sums before and along this row, and the extremes of the whole period.
    int sum = 0, highest = 0, lowest = 0, beforeRow = 0;
    std::vector<int> sums;
    const int firstOfRow = axis.HistoryPosition(0);
    const int lastOfRow = axis.HistoryPosition(axis.LivedDays() - 1);
    const int end = std::max(static_cast<int>(history.size()), lastOfRow + 1);
    for (int position = axis.PeriodStart(); position < end; ++position) {
        if (position == firstOfRow) beforeRow = sum;
        sum += SumStep(diary::CodeAt(history, position));
        highest = std::max(highest, sum);
        lowest = std::min(lowest, sum);
        if (position >= firstOfRow && position <= lastOfRow) sums.push_back(sum);
    }
    const int span = std::max(1, highest - lowest);
    const auto yOf = [&](int value) { return top + 1 + (highest - value) * (height - 3) / span; };
    canvas.SelectPen(CanvasPen::Faint);
    canvas.DrawLine(axis.Left(), yOf(0), axis.Right(), yOf(0));
    canvas.SelectPen(CanvasPen::RedWide);
    int previousX = axis.Left(), previousY = yOf(beforeRow);
    for (std::size_t day = 0; day < sums.size(); ++day) {
        const int x = axis.X(static_cast<int>(day)) + axis.CellWidth() / 2;
        const int y = yOf(sums[day]);
        canvas.DrawLine(previousX, previousY, x, y);
        previousX = x;
        previousY = y;
    }
    canvas.SelectPen(CanvasPen::Thin);
}

void DrawEatenRow(Canvas& canvas, const DayAxis& axis, int top, int height,
                  std::string_view history) {
    const int inset = std::max(1, std::min(axis.CellWidth(), height) / 6);
    for (int day = 0; day < axis.LivedDays(); ++day)
        if (IsEaten(CodeOnDay(axis, history, day)))
            canvas.FillRectangle(axis.X(day) + inset, top + inset,
                                 axis.X(day) + axis.CellWidth() - inset, top + height - inset,
                                 CanvasFill::Black);
}

int DrawRatingLegend(Canvas& canvas, int left, int top, int cellWidth, int height) {
    const FontMetrics font = canvas.GetFontMetrics();
    int x = left;
    const struct {
        char code;
        const char* word;
    } samples[] = {{Better, "better"}, {Worse, "worse"}, {diary::NoChange, "no change"}};
    for (const auto& sample : samples) {
        DrawRatingCell(canvas, x, top, cellWidth, height, sample.code);
        x += cellWidth + font.averageCharWidth / 2;
        canvas.DrawText(x, top + (height - font.RowHeight()) / 2, sample.word);
        x += (static_cast<int>(std::string_view(sample.word).size()) + 3) * font.averageCharWidth;
    }
    return x - left;
}
