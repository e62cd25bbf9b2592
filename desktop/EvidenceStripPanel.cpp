#include "desktop/EvidenceStripPanel.h"

#include <wx/dcbuffer.h>

#include "desktop/PageFont.h"
#include "desktop/WxCanvas.h"
#include "page/EvidenceStrip.h"

EvidenceStripPanel::EvidenceStripPanel(wxWindow* parent, int id, const CGastrologDoc& document)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize,
              wxBORDER_THEME | wxFULL_REPAINT_ON_RESIZE),
      m_document(document) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    wxClientDC dc(this);
    const PageFont font = MakeScreenFont(dc);
    const int margin = font.metrics.RowHeight() / 2;
    SetMinSize(wxSize(-1, 5 * font.metrics.RowHeight() + 2 * margin));
    Bind(wxEVT_PAINT, &EvidenceStripPanel::OnPaint, this);
}

void EvidenceStripPanel::ShowDays(int food, int symptom) {
    m_food = food;
    m_symptom = symptom;
    Refresh();
}

void EvidenceStripPanel::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    const PageFont font = MakeScreenFont(dc);
    dc.SetFont(font.font);
    WxCanvas canvas(dc, false, font.metrics);
    const int margin = font.metrics.RowHeight() / 2;
    if (m_food < 0 || m_symptom < 0) {
        canvas.DrawText(margin, margin, "Select a row to see the days behind it.");
        return;
    }
    DrawEvidenceStrip(canvas, m_document, m_food, m_symptom,
                      {margin, margin, GetClientSize().GetWidth() - 2 * margin});
}
