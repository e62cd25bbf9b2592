// Each record's row of the page (the page layout decides where).

#include "page/RecordDrawing.h"

#include <algorithm>

#include "diary/Food.h"
#include "diary/ListEntries.h"
#include "diary/Symptom.h"
#include "page/Canvas.h"
#include "page/PageMetrics.h"
#include "page/ScoreFormat.h"

namespace record_drawing {

std::string ShortenName(std::string_view name, std::size_t limit) {
    if (name.size() <= limit) return std::string(name);
    return std::string(name.substr(0, limit - 3)) + "...";
}

int Margin(const Canvas& canvas) {
    return canvas.IsPrinting() ? page_metrics::PrinterMargin : page_metrics::ScreenMargin;
}

namespace {

// The extremes of the walk in steps from the start (+1 per "w", -1 per "b"), counting only the
// positions reached by a move.
struct WalkExtent {
    int lowest = 0;
    int highest = 0;
    bool moved = false;
};

WalkExtent MeasureWalk(std::string_view history) {
    WalkExtent extent;
    int steps = 0;
    for (std::size_t i = 1; i < history.size(); ++i) {
        if (history[i] == diary::Better)
            --steps;
        else if (history[i] == diary::Worse)
            ++steps;
        else
            continue;
        extent.lowest = extent.moved ? std::min(extent.lowest, steps) : steps;
        extent.highest = extent.moved ? std::max(extent.highest, steps) : steps;
        extent.moved = true;
    }
    return extent;
}

int MoveFor(char code, int step) {
    if (code == diary::Better) return -step;
    if (code == diary::Worse) return step;
    return 0;
}

}  // namespace

int HistoryStep(std::string_view history, int y, int rowHeight) {
    const WalkExtent walk = MeasureWalk(history);
    const int middle = y + rowHeight / 2;
    const int highestAllowed = y + 3 * rowHeight - 1;  // largest position, downwards
    const int lowestAllowed = y - 2 * rowHeight + 1;   // smallest position, upwards
    if (!walk.moved) return std::max(0, 2 * rowHeight);
    for (int step = 2 * rowHeight; step > 0; --step) {
        const long long deepest = middle + static_cast<long long>(step) * walk.highest;
        const long long highest = middle + static_cast<long long>(step) * walk.lowest;
        if (deepest <= highestAllowed && highest >= lowestAllowed) return step;
    }
    return 0;
}

}  // namespace record_drawing

using namespace record_drawing;

bool DrawListEntry(Canvas& canvas, const CListEntry& entry, int row, int column) {
    const FontMetrics font = canvas.GetFontMetrics();
    canvas.DrawText(Margin(canvas) + column * font.averageCharWidth, row * font.RowHeight(),
                    ShortenName(entry.m_name, ListEntryNameLimit));
    return true;
}

bool DrawFood(Canvas& canvas, const CFood& food, int row) {
    const FontMetrics font = canvas.GetFontMetrics();
    const int characterWidth = font.averageCharWidth;
    const int x0 = Margin(canvas);
    const int y = row * font.RowHeight();
    canvas.DrawText(x0, y, ShortenName(food.m_name, FoodNameLimit));
    canvas.DrawText(x0 + FoodScoreColumn * characterWidth, y,
                    FormatScore(static_cast<double>(food.m_score) * 10000.0));
    if (food.m_history.size() > 1) {
        std::string marks;
        // Only the lower-case code shows as eaten on the page, as the page has always drawn
        // it, so a diary holding "Y" keeps the picture it always had; everything that reads
        // the diary (network, lists, relationships, evidence, charts) counts both.
        for (std::size_t i = 1; i < food.m_history.size(); ++i)
            marks += food.m_history[i] == diary::Eaten ? '+' : '-';
        canvas.DrawTextInCells(x0 + (FoodMarksColumn + 1) * characterWidth, y, marks,
                               characterWidth);
    }
    return true;
}

bool DrawSymptomStatus(Canvas& canvas, const CSymptom& symptom, int row, bool leftHalf) {
    const FontMetrics font = canvas.GetFontMetrics();
    const int column = leftHalf ? 0 : RightHalfColumn;
    const int x0 = Margin(canvas);
    const int y = row * font.RowHeight();
    canvas.DrawText(x0 + column * font.averageCharWidth, y,
                    ShortenName(symptom.m_name, SymptomNameLimit));
    canvas.DrawText(x0 + (column + StatusColumn) * font.averageCharWidth, y,
                    diary::LatestRatingWord(symptom.m_history));
    return true;
}

bool DrawSymptomHistory(Canvas& canvas, const CSymptom& symptom, int row) {
    const FontMetrics font = canvas.GetFontMetrics();
    const int lineHeight = font.RowHeight();
    const int characterWidth = font.averageCharWidth;
    const int x0 = Margin(canvas);
    const int y = row * lineHeight;
    const int top = y - 2 * lineHeight;
    const int bottom = y + 3 * lineHeight + 1;
    const int chartLeft = ChartLeftColumn * characterWidth;
    const int chartRight = ChartRightColumn * characterWidth;

    canvas.DrawRectangle(0, top, chartLeft, bottom);
    canvas.DrawRectangle(chartLeft, top, chartRight + 1, bottom);
    const int middle = y + lineHeight / 2;
    canvas.DrawLine(chartLeft, middle, chartRight, middle);

    const int step = HistoryStep(symptom.m_history, y, lineHeight);
    canvas.SelectPen(CanvasPen::RedWide);
    int x = chartLeft;
    int position = middle + 1;
    for (std::size_t i = 1; i < symptom.m_history.size(); ++i) {
        const int nextX = (ChartLeftColumn + static_cast<int>(i)) * characterWidth;
        const int nextPosition = position + MoveFor(symptom.m_history[i], step);
        canvas.DrawLine(x, position, nextX, nextPosition);
        x = nextX;
        position = nextPosition;
    }
    canvas.SelectPen(CanvasPen::Thin);

    canvas.DrawText(x0 + 13 * characterWidth, top + 1, "Better");
    canvas.DrawText(x0, y, ShortenName(symptom.m_name, SymptomNameLimit));
    canvas.DrawText(x0 + 14 * characterWidth, y + 2 * lineHeight, "Worse");
    return true;
}
