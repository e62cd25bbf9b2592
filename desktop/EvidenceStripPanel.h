#pragma once
// The strip of one food's days under the Evidence window's table, at the selected row's delay:
// the pairs the window's reading counted, drawn by the page's strip drawing through a canvas on
// the panel. A strip longer than the panel is wide scrolls sideways with the scroll bar under
// it (or the mouse wheel), the newest days shown first. The tooltip over a column gives its
// date.

#include <wx/panel.h>

#include "page/EvidenceStrip.h"

class wxScrollBar;
class wxScrollEvent;
class CGastrologDoc;
struct EvidenceReading;

class EvidenceStripPanel : public wxPanel {
public:
    // The reading is the window's, read again in place when its choices change.
    EvidenceStripPanel(wxWindow* parent, int id, const CGastrologDoc& document,
                       const EvidenceReading& reading);

    // The food and symptom to draw, at the row's delay; -1 for none (the panel then says how
    // to choose one).
    void ShowDays(int food, int symptom, int delay = 1);
    int Food() const { return m_food; }
    int Symptom() const { return m_symptom; }
    int Delay() const { return m_delay; }
    const EvidenceStripDays& Days() const { return m_days; }
    // The first column shown, and how many fit.
    int FirstShown() const;
    int ShownCount() const;
    void ScrollToColumn(int first);
    // Where the shown columns' cells lie on the panel.
    EvidenceStripCells Cells() const;

    // The tooltip for the point (x, y) of the panel: the day under it, or empty.
    wxString TipAt(int x, int y) const;

private:
    EvidenceStripPlace Place() const;
    void UpdateScrollBar(int first);
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnScroll(wxScrollEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);

    const CGastrologDoc& m_document;
    const EvidenceReading& m_reading;
    wxScrollBar* m_scrollBar = nullptr;
    int m_food = -1;
    int m_symptom = -1;
    int m_delay = 1;
    EvidenceStripDays m_days;
};
