#pragma once
// The charts' horizontal axis: one column per day (the diary's kept days, or the calendar days
// of a period of lived days), oldest on the left, with a tick and a date each week.

#include <string>
#include <vector>

#include "diary/Ports.h"

class Canvas;
class CGastrologDoc;
struct PeriodHistories;

class DayAxis {
public:
    // livedDays columns of cellWidth from x = left; lastDay the date of the newest column;
    // firstPosition the history position of the oldest column, given for a row of a period's
    // histories (which begin at position 0), else the diary's lived days end its history.
    DayAxis(int left, int cellWidth, int livedDays, TimeValue lastDay, int firstPosition = -1);
    // The diary's lived days, the newest on the diary's current day.
    static DayAxis ForDiary(const CGastrologDoc& doc, int left, int cellWidth);
    // `count` days of the histories from their day `firstDay` (positions in the histories).
    static DayAxis ForPeriod(const CGastrologDoc& doc, const PeriodHistories& histories, int left,
                             int cellWidth, int firstDay, int count);

    int LivedDays() const { return m_livedDays; }
    int CellWidth() const { return m_cellWidth; }
    int Left() const { return m_left; }
    int Right() const { return m_left + m_livedDays * m_cellWidth; }
    int X(int day) const { return m_left + day * m_cellWidth; }
    // The column under x, or -1 outside the axis.
    int DayAt(int x) const;
    // A day's position in the histories the axis was made for.
    int HistoryPosition(int day) const;
    // The history position the axis's period begins at: a period drawn in several rows of
    // days has its running sums counted from there, not from each row's first day.
    int PeriodStart() const { return m_periodStart; }
    TimeValue DateOf(int day) const;
    // The days that start a week (Mondays), where the ticks and the dates go.
    std::vector<int> WeekStarts() const;

    // The dates under their ticks, in the small font; returns the height used.
    int DrawLabels(Canvas& canvas, int top) const;
    // Faint lines at the week starts from top to bottom, so the eye can follow a week down.
    void DrawWeekLines(Canvas& canvas, int top, int bottom) const;

private:
    int m_left;
    int m_cellWidth;
    int m_livedDays;
    TimeValue m_lastDay;
    int m_firstPosition;
    int m_periodStart;
};

// The diary's lived days: min(day count, history length).
int LivedDays(const CGastrologDoc& doc);
