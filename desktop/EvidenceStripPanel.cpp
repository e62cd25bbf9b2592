#include "desktop/EvidenceStripPanel.h"

#include <wx/dcbuffer.h>

#include "desktop/PageFont.h"
#include "desktop/WxCanvas.h"
#include "engine/EvidenceWords.h"
#include "page/EvidenceStrip.h"

EvidenceStripPanel::EvidenceStripPanel(wxWindow* parent, int id, const CGastrologDoc& document)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize,
              wxBORDER_THEME | wxFULL_REPAINT_ON_RESIZE),
      m_document(document) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    wxClientDC dc(this);
    const PageFont font = MakeScreenFont(dc);
    const int margin = font.metrics.RowHeight() / 2;
    SetMinSize(wxSize(-1, 6 * font.metrics.RowHeight() + 2 * margin));
    Bind(wxEVT_PAINT, &EvidenceStripPanel::OnPaint, this);
    Bind(wxEVT_MOTION, &EvidenceStripPanel::OnMotion, this);
}

void EvidenceStripPanel::ShowDays(int food, int symptom, int delay) {
    m_food = food;
    m_symptom = symptom;
    m_delay = delay;
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
                      {margin, margin, GetClientSize().GetWidth() - 2 * margin}, m_delay);
}

wxString EvidenceStripPanel::TipAt(int x, int y) const {
    if (m_food < 0 || m_symptom < 0) return {};
    const std::vector<EvidenceStripColumn> columns =
        EvidenceStripColumns(m_document, m_food, m_symptom, m_delay);
    wxClientDC dc(const_cast<EvidenceStripPanel*>(this));
    const PageFont font = MakeScreenFont(dc);
    dc.SetFont(font.font);
    WxCanvas canvas(dc, false, font.metrics);
    const int margin = font.metrics.RowHeight() / 2;
    const EvidenceStripCells cells =
        EvidenceStripCellsFor(canvas, {margin, margin, GetClientSize().GetWidth() - 2 * margin},
                              static_cast<int>(columns.size()));
    const int column = cells.ColumnAt(x, y);
    if (column < 0) return {};
    const EvidenceStripColumn& day = columns[static_cast<std::size_t>(column)];
    const char* later = day.later == 'w' ? "worse" : day.later == 'b' ? "better" : "no change";
    return wxString::Format("%s: %s; %s %s", LongDayText(day.date),
                            day.eaten ? "eaten" : "not eaten", EvidenceDelayText(m_delay), later);
}

void EvidenceStripPanel::OnMotion(wxMouseEvent& event) {
    const wxString tip = TipAt(event.GetX(), event.GetY());
    if (tip != GetToolTipText()) {
        if (tip.empty())
            UnsetToolTip();
        else
            SetToolTip(tip);
    }
    event.Skip();
}
