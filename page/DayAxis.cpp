#include "page/DayAxis.h"

#include <algorithm>

#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"
#include "page/Canvas.h"

int LivedDays(const CGastrologDoc& doc) {
    return std::clamp(static_cast<int>(doc.DayCount()), 0, static_cast<int>(diary::HistoryLength));
}

DayAxis::DayAxis(int left, int cellWidth, int livedDays, TimeValue lastDay)
    : m_left(left), m_cellWidth(cellWidth), m_livedDays(livedDays), m_lastDay(lastDay) {}

DayAxis DayAxis::ForDiary(const CGastrologDoc& doc, int left, int cellWidth) {
    // The current day began at the last update; its date is the newest column's.
    return DayAxis(left, cellWidth, ::LivedDays(doc), doc.LastUpdate());
}

int DayAxis::DayAt(int x) const {
    if (x < m_left || x >= Right()) return -1;
    return (x - m_left) / m_cellWidth;
}

int DayAxis::HistoryPosition(int day) const {
    return static_cast<int>(diary::HistoryLength) - m_livedDays + day;
}

TimeValue DayAxis::DateOf(int day) const {
    return calendar::DaysEarlier(m_lastDay, m_livedDays - 1 - day);
}

std::vector<int> DayAxis::WeekStarts() const {
    std::vector<int> starts;
    for (int day = 0; day < m_livedDays; ++day)
        if (calendar::Format(DateOf(day), "%u") == "1") starts.push_back(day);
    return starts;
}

int DayAxis::DrawLabels(Canvas& canvas, int top) const {
    canvas.SelectFont(CanvasFont::Small);
    const FontMetrics font = canvas.GetFontMetrics();
    const int tick = font.RowHeight() / 2;
    canvas.SelectPen(CanvasPen::Thin);
    for (int day : WeekStarts()) {
        canvas.DrawText(X(day), top, calendar::Format(DateOf(day), "%b %d"));
        canvas.DrawLine(X(day), top + font.RowHeight(), X(day), top + font.RowHeight() + tick);
    }
    canvas.SelectFont(CanvasFont::Page);
    return font.RowHeight() + tick;
}

void DayAxis::DrawWeekLines(Canvas& canvas, int top, int bottom) const {
    canvas.SelectPen(CanvasPen::Faint);
    for (int day : WeekStarts()) canvas.DrawLine(X(day), top, X(day), bottom);
    canvas.SelectPen(CanvasPen::Thin);
}
