#pragma once
// The charts' rows on a day axis: a symptom's ratings as a strip of cells, its running sum as
// a line, and a food's eaten days. Better and worse differ by a mark (an upward or downward
// chevron) as well as by colour, so the charts read in black and white.

#include <string_view>

class Canvas;
class DayAxis;

// One cell per day: better, worse, a small dash for no change, nothing for a day not lived
// or not rated.
void DrawRatingStrip(Canvas& canvas, const DayAxis& axis, int top, int height,
                     std::string_view history);

// The sum of better (+1) and worse (-1) ratings day by day from the start of the axis's period,
// scaled into the band by the whole period's highest and lowest sums (so the rows of a long
// period read alike), with a faint zero line; better days take the line up.
void DrawRunningSum(Canvas& canvas, const DayAxis& axis, int top, int height,
                    std::string_view history);

// A filled square on each day the food was eaten ("y" or "Y").
void DrawEatenRow(Canvas& canvas, const DayAxis& axis, int top, int height,
                  std::string_view history);

// The legend of the strips' cells: a sample of each rating with its word; returns its width.
int DrawRatingLegend(Canvas& canvas, int left, int top, int cellWidth, int height);

// The running sum after a day (better +1, worse -1), counted from the start of the axis's
// period, for tests and tooltips.
int RunningSumAt(const DayAxis& axis, std::string_view history, int day);
