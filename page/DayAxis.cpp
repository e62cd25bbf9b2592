#include "page/DayAxis.h"

#include <algorithm>

#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"
#include "page/Canvas.h"
#include "page/ReportPeriod.h"

int LivedDays(const CGastrologDoc& doc) {
    return std::clamp(static_cast<int>(doc.DayCount()), 0, static_cast<int>(diary::HistoryLength));
}

DayAxis::DayAxis(int left, int cellWidth, int livedDays, TimeValue lastDay, int firstPosition)
    : m_left(left),
      m_cellWidth(cellWidth),
      m_livedDays(livedDays),
      m_lastDay(lastDay),
      m_firstPosition(firstPosition >= 0 ? firstPosition
                                         : static_cast<int>(diary::HistoryLength) - livedDays),
      m_periodStart(firstPosition >= 0 ? 0 : m_firstPosition) {}

DayAxis DayAxis::ForDiary(const CGastrologDoc& doc, int left, int cellWidth) {
    // The current day began at the last update; its date is the newest column's.
    return DayAxis(left, cellWidth, ::LivedDays(doc), doc.LastUpdate());
}

DayAxis DayAxis::ForPeriod(const CGastrologDoc& doc, const PeriodHistories& histories, int left,
                           int cellWidth, int firstDay, int count) {
    // Dated from the last update, whose date is the diary's current day.
    const TimeValue reference = doc.LastUpdate();
    const lived::Date referenceDate = lived::DateOf(calendar::DayOf(reference));
    const lived::Date lastDate = histories.first + firstDay + count - 1;
    return DayAxis(left, cellWidth, count,
                   calendar::DaysEarlier(reference, referenceDate - lastDate), firstDay);
}

int DayAxis::DayAt(int x) const {
    if (x < m_left || x >= Right()) return -1;
    return (x - m_left) / m_cellWidth;
}

int DayAxis::HistoryPosition(int day) const {
    return m_firstPosition + day;
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
    // On narrow cells a date goes only where the one before it has ended; every week keeps
    // its tick.
    const int labelWidth = 7 * font.averageCharWidth;
    int freeFrom = X(0) - labelWidth;
    for (int day : WeekStarts()) {
        if (X(day) >= freeFrom) {
            canvas.DrawText(X(day), top, calendar::Format(DateOf(day), "%b %d"));
            freeFrom = X(day) + labelWidth;
        }
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
