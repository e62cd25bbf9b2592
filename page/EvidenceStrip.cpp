#include "page/EvidenceStrip.h"

#include <algorithm>
#include <string_view>

#include "diary/GastrologDoc.h"
#include "page/Canvas.h"

namespace {

constexpr int Slots = static_cast<int>(diary::HistoryLength);
constexpr int LabelCharacters = 10;  // "Next day" and a gap

// A filled cell keeps the outline the plain cells have, so the strip's grid stays whole.
void FillCell(Canvas& canvas, int left, int top, int right, int bottom, CanvasFill fill) {
    canvas.FillRectangle(left, top, right, bottom, fill);
    canvas.DrawRectangle(left, top, right, bottom);
}

char CodeAt(const std::string& history, int slot) {
    return slot < static_cast<int>(history.size()) ? history[static_cast<std::size_t>(slot)] : 'n';
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
                    std::string_view(rating == diary::Worse ? "w" : "b"));
}

void DrawEaten(Canvas& canvas, int left, int top, int cellWidth, int rowHeight, bool eaten) {
    if (eaten)
        FillCell(canvas, left, top, left + cellWidth, top + rowHeight, CanvasFill::Grey);
    else
        canvas.DrawRectangle(left, top, left + cellWidth, top + rowHeight);
}

// A sample of each mark with its meaning, on one row.
void DrawLegend(Canvas& canvas, int left, int top, int cellWidth, int rowHeight,
                const FontMetrics& metrics) {
    const int gap = metrics.averageCharWidth;
    int x = left;
    DrawEaten(canvas, x, top, cellWidth, rowHeight, true);
    x += cellWidth + gap;
    constexpr std::string_view eatenText = "eaten that day";
    canvas.DrawText(x, top, eatenText);
    x += static_cast<int>(eatenText.size() + 3) * metrics.averageCharWidth;
    DrawRating(canvas, x, top, cellWidth, rowHeight, diary::Worse, metrics);
    x += cellWidth + gap;
    constexpr std::string_view worseText = "worse the next day";
    canvas.DrawText(x, top, worseText);
    x += static_cast<int>(worseText.size() + 3) * metrics.averageCharWidth;
    DrawRating(canvas, x, top, cellWidth, rowHeight, diary::Better, metrics);
    canvas.DrawText(x + cellWidth + gap, top, "better the next day");
}

}  // namespace

std::vector<EvidenceStripColumn> EvidenceStripColumns(const CGastrologDoc& document, int food,
                                                      int symptom) {
    std::vector<EvidenceStripColumn> columns;
    if (food < 0 || symptom < 0 || food >= static_cast<int>(document.Foods().size()) ||
        symptom >= static_cast<int>(document.Symptoms().size()))
        return columns;
    const std::string& eaten = document.Foods()[static_cast<std::size_t>(food)].m_history;
    const std::string& rated = document.Symptoms()[static_cast<std::size_t>(symptom)].m_history;
    const int livedDays = std::clamp(static_cast<int>(document.DayCount()), 0, Slots);
    for (int t = Slots - livedDays; t + 1 < Slots; ++t) {
        const char next = CodeAt(rated, t + 1);
        columns.push_back({diary::IsEaten(CodeAt(eaten, t)),
                           next == diary::Worse || next == diary::Better ? next : diary::NoChange});
    }
    return columns;
}

int EvidenceStripHeight(const Canvas& canvas) {
    return 5 * canvas.GetFontMetrics().RowHeight();
}

int DrawEvidenceStrip(Canvas& canvas, const CGastrologDoc& document, int food, int symptom,
                      EvidenceStripPlace place) {
    const FontMetrics metrics = canvas.GetFontMetrics();
    const int row = metrics.RowHeight();
    const std::vector<EvidenceStripColumn> columns = EvidenceStripColumns(document, food, symptom);
    if (columns.empty()) {
        canvas.DrawText(place.left, place.top, "No lived days to show yet.");
        return EvidenceStripHeight(canvas);
    }
    const std::string& foodName = document.Foods()[static_cast<std::size_t>(food)].m_name;
    const std::string& symptomName = document.Symptoms()[static_cast<std::size_t>(symptom)].m_name;
    canvas.DrawText(place.left, place.top,
                    "Days you ate " + foodName + ", and " + symptomName +
                        " on the day after (oldest on the left):");
    const int labelWidth = LabelCharacters * metrics.averageCharWidth;
    const int cellsLeft = place.left + labelWidth;
    const int cellWidth =
        CellWidth(metrics, place.width - labelWidth, static_cast<int>(columns.size()));
    const int eatenTop = place.top + row + row / 4;
    const int ratingTop = eatenTop + row;
    canvas.DrawText(place.left, eatenTop, "Eaten");
    canvas.DrawText(place.left, ratingTop, "Next day");
    for (std::size_t column = 0; column < columns.size(); ++column) {
        const int left = cellsLeft + static_cast<int>(column) * cellWidth;
        DrawEaten(canvas, left, eatenTop, cellWidth, row, columns[column].eaten);
        DrawRating(canvas, left, ratingTop, cellWidth, row, columns[column].nextDay, metrics);
    }
    DrawLegend(canvas, cellsLeft, ratingTop + row + row / 2, cellWidth, row, metrics);
    return EvidenceStripHeight(canvas);
}
