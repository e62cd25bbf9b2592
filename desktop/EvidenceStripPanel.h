#pragma once
// The strip of one food's lived days under the Evidence window's table, drawn by the page's
// strip drawing through a canvas on the panel.

#include <wx/panel.h>

class CGastrologDoc;

class EvidenceStripPanel : public wxPanel {
public:
    EvidenceStripPanel(wxWindow* parent, int id, const CGastrologDoc& document);

    // The food and symptom to draw; -1 for none (the panel then says how to choose one).
    void ShowDays(int food, int symptom);
    int Food() const { return m_food; }
    int Symptom() const { return m_symptom; }

private:
    void OnPaint(wxPaintEvent& event);

    const CGastrologDoc& m_document;
    int m_food = -1;
    int m_symptom = -1;
};
