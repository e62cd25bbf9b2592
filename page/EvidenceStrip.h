#pragma once
// One food's lived days as a strip, for one symptom: a column per lived day that has a next
// day, oldest on the left; the top row marks the days the food was eaten, the row below the
// symptom's rating on the day after. Colour helps, but the marks ("w", "b", a dark cell) read
// in black and white too. Under the cells, a tick at each Monday and the dates of the first and
// the last column.

#include <string>
#include <vector>

#include "diary/LivedDays.h"
#include "diary/DiaryConstants.h"

class Canvas;
class CGastrologDoc;

struct EvidenceStripColumn {
    bool eaten = false;
    char nextDay = diary::NoChange;  // or diary::Worse, diary::Better
    lived::Date date = 0;            // the day the food was eaten or not
};

// The lived pairs (day, next day) of the food and the symptom, oldest first; empty when the
// indices are out of range.
std::vector<EvidenceStripColumn> EvidenceStripColumns(const CGastrologDoc& document, int food,
                                                      int symptom);

struct EvidenceStripPlace {
    int left = 0;
    int top = 0;
    int width = 0;  // the space offered; narrow cells keep a least width and run past it
    // Without: several strips one below the other share one legend (DrawEvidenceStripLegend).
    bool legend = true;
};

// Where the strip's cells lie, for finding the column under the mouse.
struct EvidenceStripCells {
    int left = 0;
    int cellWidth = 1;
    int top = 0;     // the eaten row's top
    int bottom = 0;  // the next-day row's bottom
    int count = 0;

    // The column under (x, y), or -1.
    int ColumnAt(int x, int y) const;
};
EvidenceStripCells EvidenceStripCellsFor(const Canvas& canvas, EvidenceStripPlace place,
                                         int columns);

// "Mar 06" under the strip; "Thursday, March 06, 2025" in the window's tooltip.
std::string ShortDayText(lived::Date date);
std::string LongDayText(lived::Date date);

// Draws the strip and returns its height.
int DrawEvidenceStrip(Canvas& canvas, const CGastrologDoc& document, int food, int symptom,
                      EvidenceStripPlace place);

// The height DrawEvidenceStrip uses with these font metrics, with or without its legend.
int EvidenceStripHeight(const Canvas& canvas, bool legend = true);

// The strip's legend on its own, on one row from (left, top).
void DrawEvidenceStripLegend(Canvas& canvas, int left, int top);
