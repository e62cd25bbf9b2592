#pragma once
// One food's lived days as a strip, for one symptom at one delay: a column per lived day that
// has a day `delay` days later (the next day by default), oldest on the left; the top row marks
// the days the food was eaten, the row below the symptom's rating on that later day. Colour helps,
// but the marks ("w", "b", a dark cell) read in black and white too. Under the cells, a tick at
// each Monday and the dates of the first and the last column.

#include <string>
#include <vector>

#include "diary/DiaryConstants.h"
#include "diary/LivedDays.h"

class Canvas;
class CGastrologDoc;

struct EvidenceStripColumn {
    bool eaten = false;
    char later = diary::NoChange;  // the rating `delay` days on: or diary::Worse, diary::Better
    lived::Date date = 0;          // the day the food was eaten or not
};

// The lived pairs (day, the day `delay` days later) of the food and the symptom, oldest first;
// empty when the indices or the delay are out of range.
std::vector<EvidenceStripColumn> EvidenceStripColumns(const CGastrologDoc& document, int food,
                                                      int symptom, int delay = 1);

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

// Draws the strip at the delay and returns its height.
int DrawEvidenceStrip(Canvas& canvas, const CGastrologDoc& document, int food, int symptom,
                      EvidenceStripPlace place, int delay = 1);

// The height DrawEvidenceStrip uses with these font metrics, with or without its legend.
int EvidenceStripHeight(const Canvas& canvas, bool legend = true);

// The strip's legend on its own, on one row from (left, top).
void DrawEvidenceStripLegend(Canvas& canvas, int left, int top);
