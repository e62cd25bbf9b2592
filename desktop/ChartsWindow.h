#pragma once
// The Charts window: the symptoms over time and what was eaten, drawn live by the report's
// layout on the screen. It scrolls, follows the diary as it changes, and tells the date, the
// foods eaten and the ratings of the day under the mouse.

#include <wx/frame.h>
#include <wx/scrolwin.h>
#include <wx/timer.h>

#include <functional>
#include <optional>

#include "page/DayAxis.h"

class CGastrologDoc;

class ChartsWindow : public wxFrame {
public:
    // diary: the diary being shown now (it may change between calls), or null.
    using DiarySource = std::function<const CGastrologDoc*()>;
    ChartsWindow(wxWindow* parent, DiarySource diary);

    // What the tooltip says for the day under x on the charts, empty outside the days.
    wxString DayDescription(int x) const;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnTimer(wxTimerEvent& event);
    std::size_t DiarySignature() const;

    DiarySource m_diary;
    wxScrolledWindow* m_charts;
    wxTimer m_timer;
    std::size_t m_signature = 0;
    std::optional<DayAxis> m_axis;
    int m_tooltipDay = -2;
};
