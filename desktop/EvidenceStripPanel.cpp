#include "desktop/EvidenceStripPanel.h"

#include <wx/dcbuffer.h>
#include <wx/scrolbar.h>

#include <algorithm>

#include "desktop/PageFont.h"
#include "desktop/WxCanvas.h"
#include "diary/DiaryConstants.h"
#include "engine/EvidenceWords.h"

namespace {

constexpr int WheelColumns = 7;  // a week a notch

}  // namespace

EvidenceStripPanel::EvidenceStripPanel(wxWindow* parent, int id, const CGastrologDoc& document,
                                       const EvidenceReading& reading)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize,
              wxBORDER_THEME | wxFULL_REPAINT_ON_RESIZE),
      m_document(document),
      m_reading(reading) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_scrollBar =
        new wxScrollBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_HORIZONTAL);
    m_scrollBar->Hide();
    wxClientDC dc(this);
    const PageFont font = MakeScreenFont(dc);
    const int margin = font.metrics.RowHeight() / 2;
    // Room for the row of block marks and the scroll bar, so the strip does not jump when a
    // row with them is selected.
    SetMinSize(wxSize(
        -1, 7 * font.metrics.RowHeight() + 2 * margin + m_scrollBar->GetBestSize().GetHeight()));
    Bind(wxEVT_PAINT, &EvidenceStripPanel::OnPaint, this);
    Bind(wxEVT_SIZE, &EvidenceStripPanel::OnSize, this);
    Bind(wxEVT_MOTION, &EvidenceStripPanel::OnMotion, this);
    Bind(wxEVT_MOUSEWHEEL, &EvidenceStripPanel::OnWheel, this);
    for (const auto type :
         {wxEVT_SCROLL_TOP, wxEVT_SCROLL_BOTTOM, wxEVT_SCROLL_LINEUP, wxEVT_SCROLL_LINEDOWN,
          wxEVT_SCROLL_PAGEUP, wxEVT_SCROLL_PAGEDOWN, wxEVT_SCROLL_THUMBTRACK,
          wxEVT_SCROLL_THUMBRELEASE, wxEVT_SCROLL_CHANGED})
        m_scrollBar->Bind(type, &EvidenceStripPanel::OnScroll, this);
}

void EvidenceStripPanel::ShowDays(int food, int symptom, int delay) {
    m_food = food;
    m_symptom = symptom;
    m_delay = delay;
    m_days = food < 0 || symptom < 0
                 ? EvidenceStripDays{}
                 : EvidenceStripDaysOf(m_document, m_reading, food, symptom, delay);
    // The newest days first: the ones a reader checks against today's diary.
    UpdateScrollBar(static_cast<int>(m_days.columns.size()));
    Refresh();
}

EvidenceStripPlace EvidenceStripPanel::Place() const {
    wxClientDC dc(const_cast<EvidenceStripPanel*>(this));
    const int margin = MakeScreenFont(dc).metrics.RowHeight() / 2;
    EvidenceStripPlace place{margin, margin, GetClientSize().GetWidth() - 2 * margin};
    place.first = FirstShown();
    return place;
}

int EvidenceStripPanel::FirstShown() const {
    return m_scrollBar->IsShown() ? m_scrollBar->GetThumbPosition() : 0;
}

int EvidenceStripPanel::ShownCount() const {
    wxClientDC dc(const_cast<EvidenceStripPanel*>(this));
    const PageFont font = MakeScreenFont(dc);
    dc.SetFont(font.font);
    WxCanvas canvas(dc, false, font.metrics);
    const int margin = font.metrics.RowHeight() / 2;
    const int fit = EvidenceStripColumnsThatFit(canvas, GetClientSize().GetWidth() - 2 * margin);
    return std::min(fit, static_cast<int>(m_days.columns.size()));
}

void EvidenceStripPanel::UpdateScrollBar(int first) {
    const int columns = static_cast<int>(m_days.columns.size());
    const int shown = ShownCount();
    const bool scrolls = shown < columns;
    if (scrolls) {
        const int position = std::clamp(first, 0, columns - shown);
        m_scrollBar->SetScrollbar(position, shown, columns, std::max(1, shown - WheelColumns));
        const wxSize client = GetClientSize();
        const int height = m_scrollBar->GetBestSize().GetHeight();
        m_scrollBar->SetSize(0, client.GetHeight() - height, client.GetWidth(), height);
    }
    m_scrollBar->Show(scrolls);
}

void EvidenceStripPanel::ScrollToColumn(int first) {
    UpdateScrollBar(first);
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
    DrawEvidenceStrip(canvas, m_days, Place());
}

void EvidenceStripPanel::OnSize(wxSizeEvent& event) {
    // A strip that fitted until now goes on showing its newest days.
    UpdateScrollBar(m_scrollBar->IsShown() ? FirstShown()
                                           : static_cast<int>(m_days.columns.size()));
    event.Skip();
}

void EvidenceStripPanel::OnScroll(wxScrollEvent& event) {
    Refresh();
    event.Skip();
}

void EvidenceStripPanel::OnWheel(wxMouseEvent& event) {
    if (!m_scrollBar->IsShown() || event.GetWheelDelta() == 0) return;
    const int notches = event.GetWheelRotation() / event.GetWheelDelta();
    // Up or left goes back to older days.
    const int direction = event.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL ? 1 : -1;
    ScrollToColumn(FirstShown() + direction * notches * WheelColumns);
}

EvidenceStripCells EvidenceStripPanel::Cells() const {
    wxClientDC dc(const_cast<EvidenceStripPanel*>(this));
    const PageFont font = MakeScreenFont(dc);
    dc.SetFont(font.font);
    WxCanvas canvas(dc, false, font.metrics);
    return EvidenceStripCellsFor(canvas, Place(), static_cast<int>(m_days.columns.size()),
                                 m_days.Blocked());
}

wxString EvidenceStripPanel::TipAt(int x, int y) const {
    if (m_days.columns.empty()) return {};
    const int column = Cells().ColumnAt(x, y);
    if (column < 0) return {};
    const EvidenceStripColumn& day = m_days.columns[static_cast<std::size_t>(column)];
    const char* later = day.later == diary::Worse    ? "worse"
                        : day.later == diary::Better ? "better"
                                                     : "no change";
    wxString tip =
        wxString::Format("%s: %s; %s %s", LongDayText(day.date), day.eaten ? "eaten" : "not eaten",
                         EvidenceDelayText(m_days.delay), later);
    if (m_days.Blocked()) {
        const EvidenceBlockDates& block = m_days.blocks[static_cast<std::size_t>(day.block)];
        tip += wxString::Format(" (the four weeks %s to %s)", lived::DateText(block.firstDate),
                                lived::DateText(block.lastDate));
    }
    return tip;
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
