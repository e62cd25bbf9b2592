#pragma once
// The Charts window: the symptoms over time and what was eaten, drawn live by the report's
// layout on the screen. It scrolls, follows the diary as it changes, and tells the date, the
// foods eaten and the ratings of the day under the mouse.

#include <wx/dc.h>
#include <wx/docview.h>
#include <wx/frame.h>
#include <wx/scrolwin.h>
#include <wx/weakref.h>

#include <functional>
#include <optional>
#include <vector>

#include "engine/Evidence.h"
#include "page/DayAxis.h"
#include "page/ReportLayout.h"

class CGastrologDoc;

class ChartsWindow : public wxFrame {
public:
    // diary: the diary shown, asked at each change: the program's one diary document, whose
    // contents change (New, Open, a new day); null once the document is gone.
    using DiarySource = std::function<const CGastrologDoc*()>;
    ChartsWindow(wxWindow* parent, DiarySource diary);
    ~ChartsWindow() override;

    // Every change the document tells its views of lays the charts out again.
    void FollowChangesOf(wxDocument& document);
    // Lays the charts out for the diary as it is now.
    void FollowDiary();
    // What the tooltip says for the day under x on the charts, empty outside the days.
    wxString DayDescription(int x) const;
    // The charts' day columns as last laid out; empty without a diary.
    const std::optional<DayAxis>& Axis() const { return m_axis; }
    wxScrolledWindow& Charts() { return *m_charts; }

private:
    // Runs the layout on the DC, drawing only when asked, and keeps the day columns and the
    // scrolling size it gives.
    void LayOut(wxDC& dc, bool draw);
    void Measure();
    // Redraws the column of a day, on the screen's coordinates.
    void RefreshDay(int day);
    void OnPaint(wxPaintEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);
    void OnSize(wxSizeEvent& event);

    DiarySource m_diary;
    wxScrolledWindow* m_charts;
    // A view of the document without a window of its own, so the charts hear of each change.
    class ChangeWatcher;
    wxWeakRef<wxView> m_watcher;
    // Read when the diary changes rather than at each paint: a large diary takes a while.
    EvidenceReading m_evidence;
    std::optional<DayAxis> m_axis;
    PeriodHistories m_histories;  // the days under m_axis
    std::vector<ReportLayout::AxisBlock> m_axisBlocks;
    int m_tooltipDay = -2;  // the day under the mouse, -1 for none, -2 before a first look
};
