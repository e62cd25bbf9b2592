#pragma once
// The records' rows of the page, and the helpers of their drawing shared with the page
// layout and the tests.

#include <cstddef>
#include <string>
#include <string_view>

class Canvas;
class CFood;
class CListEntry;
class CSymptom;

// The shortened name at a row and a column offset (0, 25, 50 or 75 characters).
bool DrawListEntry(Canvas& canvas, const CListEntry& entry, int row, int column);
// The food's row on the page: name, eaten-day marks and score.
bool DrawFood(Canvas& canvas, const CFood& food, int row);
// Name and today's status in the left or right half of a page row.
bool DrawSymptomStatus(Canvas& canvas, const CSymptom& symptom, int row, bool leftHalf);
// The five-row history box centred on the row.
bool DrawSymptomHistory(Canvas& canvas, const CSymptom& symptom, int row);

namespace record_drawing {

// Longest names drawn whole; a longer name loses its tail to "..." and keeps this length.
inline constexpr std::size_t ListEntryNameLimit = 23;
inline constexpr std::size_t FoodNameLimit = 20;
inline constexpr std::size_t SymptomNameLimit = 18;

// Columns of the page (in average characters from the margin or, for the boxes, from x = 0).
inline constexpr int ListColumnWidth = 25;
inline constexpr int FoodMarksColumn = 20;  // plus the history position
inline constexpr int FoodScoreColumn = 72;
inline constexpr int RightHalfColumn = 50;
inline constexpr int StatusColumn = 20;
inline constexpr int ChartLeftColumn = 22;
inline constexpr int ChartRightColumn = 71;

std::string ShortenName(std::string_view name, std::size_t limit);

// The left margin of the texts: wider on paper.
int Margin(const Canvas& canvas);

// Vertical step of a history line: the largest of 2 x rowHeight down to 0 for which the walk
// of the history (positions 1 onward, "b" up, "w" down) stays inside the box around row y.
int HistoryStep(std::string_view history, int y, int rowHeight);

}  // namespace record_drawing
