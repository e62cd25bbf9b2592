#include "desktop/PageWindow.h"

#include <wx/dc.h>

#include <algorithm>

#include "desktop/GastrologView.h"
#include "page/PageMetrics.h"

PageWindow::PageWindow(wxWindow* parent, CGastrologView* view)
    : wxScrolledWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                       wxHSCROLL | wxVSCROLL | wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE),
      m_view(view) {
    SetBackgroundColour(*wxWHITE);
    // The page and its scroll steps are set by the view's update; until then nothing scrolls.
    SetScrollRate(0, 0);
    Bind(wxEVT_KEY_DOWN, &PageWindow::OnKeyDown, this);
    Bind(wxEVT_SET_FOCUS, &PageWindow::OnFocus, this);
    Bind(wxEVT_LEFT_DOWN, &PageWindow::OnMouseDown, this);
    Bind(wxEVT_RIGHT_DOWN, &PageWindow::OnMouseDown, this);
}

PageWindow::~PageWindow() {
    if (m_view) m_view->CanvasDestroyed(this);
}

void PageWindow::GetRowsToRepaint(int rowHeight, int* first, int* last) {
    const wxRect box = GetUpdateRegion().GetBox();
    if (rowHeight <= 0 || box.IsEmpty()) {
        *first = 0;
        *last = -1;
        return;
    }
    const wxPoint top = CalcUnscrolledPosition(box.GetTopLeft());
    const wxPoint bottom = CalcUnscrolledPosition(box.GetBottomRight());
    *first = std::max(0, top.y - page_metrics::ScreenMargin) / rowHeight;
    *last = std::max(0, bottom.y - page_metrics::ScreenMargin) / rowHeight;
}

void PageWindow::OnDraw(wxDC& dc) {
    if (!m_view) return;
    // The page starts below a top margin as wide as the side margin.
    dc.SetLogicalOrigin(0, -page_metrics::ScreenMargin);
    int first = 0, last = -1;
    GetRowsToRepaint(m_view->GetScreenLineHeight(), &first, &last);
    if (last >= first) m_view->DrawScreenPage(dc, first, last);
}

void PageWindow::OnKeyDown(wxKeyEvent& event) {
    if (m_view)
        m_view->OnKeyDown(event);
    else
        event.Skip();
}

void PageWindow::OnFocus(wxFocusEvent& event) {
    // The pane with the focus is the active view, the one the View commands go to.
    if (m_view) m_view->Activate(true);
    event.Skip();
}

void PageWindow::OnMouseDown(wxMouseEvent& event) {
    SetFocus();
    event.Skip();
}
