#pragma once
// The strip of one food's lived days under the Evidence window's table, at the selected row's
// delay, drawn by the page's strip drawing through a canvas on the panel. The tooltip over a column
// gives its date.

#include <wx/panel.h>

class CGastrologDoc;

class EvidenceStripPanel : public wxPanel {
public:
    EvidenceStripPanel(wxWindow* parent, int id, const CGastrologDoc& document);

    // The food and symptom to draw, at the row's delay; -1 for none (the panel then says how
    // to choose one).
    void ShowDays(int food, int symptom, int delay = 1);
    int Food() const { return m_food; }
    int Symptom() const { return m_symptom; }
    int Delay() const { return m_delay; }

    // The tooltip for the point (x, y) of the panel: the day under it, or empty.
    wxString TipAt(int x, int y) const;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMotion(wxMouseEvent& event);

    const CGastrologDoc& m_document;
    int m_food = -1;
    int m_symptom = -1;
    int m_delay = 1;
};
