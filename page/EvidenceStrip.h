#pragma once
// One food's days as a strip, for one symptom at one delay: a column per pair of lived days the
// evidence reading counted (the day and the day `delay` days later, both in the period), oldest
// on the left; the top row marks the days the food was eaten, the row below the symptom's rating
// on that later day. Colour helps, but the marks ("w", "b", a dark cell) read in black and white
// too. Under the cells, a tick at each Monday and the dates of the first and the last column;
// when the reading compares within four-week blocks, a row above the cells marks where each
// block begins, with its first date as the words beside the strip give it.
//
// A long period does not fit one row: a strip is drawn a piece at a time from a first column,
// as many columns as fit (the window scrolls through them, the report wraps them into rows).

#include <string>
#include <vector>

#include "engine/EvidencePairs.h"

class Canvas;
class CGastrologDoc;

using EvidenceStripColumn = EvidencePair;

// What one strip shows.
struct EvidenceStripDays {
    std::string food;  // names as the diary stores them
    std::string symptom;
    int delay = 1;
    std::vector<EvidenceStripColumn> columns;
    std::vector<EvidenceBlockDates> blocks;  // marked when more than one

    bool Blocked() const { return blocks.size() > 1; }
};

// The reading's pairs of the food and the symptom at the delay (the row's best delay); no
// columns when the indices or the delay are out of range.
EvidenceStripDays EvidenceStripDaysOf(const CGastrologDoc& document, const EvidenceReading& reading,
                                      int food, int symptom, int delay = 1);

struct EvidenceStripPlace {
    int left = 0;
    int top = 0;
    int width = 0;  // the space offered; as many columns are drawn as fit in it
    // Without: several strips one below the other share one legend (DrawEvidenceStripLegend).
    bool legend = true;
    int first = 0;        // the first column drawn
    bool heading = true;  // without: a further row of a strip already headed
};

// The columns of least width that fit in `width`: one row's share of a long strip.
int EvidenceStripColumnsThatFit(const Canvas& canvas, int width);

// Where the strip's cells lie, for finding the column under the mouse.
struct EvidenceStripCells {
    int left = 0;
    int cellWidth = 1;
    int top = 0;     // the eaten row's top
    int bottom = 0;  // the next-day row's bottom
    int first = 0;   // the strip's column in the cells' first place
    int count = 0;   // the columns drawn

    // The strip's column under (x, y), or -1.
    int ColumnAt(int x, int y) const;
};
// For a strip of `columns` columns, with or without the row of block marks; the cells are as
// wide in every piece of one strip, so rows of a wrapped strip line up.
EvidenceStripCells EvidenceStripCellsFor(const Canvas& canvas, EvidenceStripPlace place,
                                         int columns, bool blocked = false);

// "Mar 06" under the strip; "Thursday, March 06, 2025" in the window's tooltip.
std::string ShortDayText(lived::Date date);
std::string LongDayText(lived::Date date);

// Draws the piece of the strip from place.first that fits and returns its height.
int DrawEvidenceStrip(Canvas& canvas, const EvidenceStripDays& days, EvidenceStripPlace place);

// The height DrawEvidenceStrip uses with these font metrics.
int EvidenceStripHeight(const Canvas& canvas, bool legend = true, bool heading = true,
                        bool blocked = false);

// The strip's legend on its own, on one row from (left, top).
void DrawEvidenceStripLegend(Canvas& canvas, int left, int top);
