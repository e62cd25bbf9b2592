#pragma once
// The window of one page view: scrolls the page and repaints only the rows the update region
// needs. It belongs to the pane that holds it; its view may go before or after it.

#include <wx/scrolwin.h>

class CGastrologView;

class PageWindow : public wxScrolledWindow {
public:
    PageWindow(wxWindow* parent, CGastrologView* view);
    ~PageWindow() override;

    CGastrologView* GetView() const { return m_view; }
    void DetachView() { m_view = nullptr; }

    // The page rows that intersect the part of the window being repainted.
    void GetRowsToRepaint(int rowHeight, int* first, int* last);

    void OnDraw(wxDC& dc) override;

private:
    void OnKeyDown(wxKeyEvent& event);
    void OnFocus(wxFocusEvent& event);
    void OnMouseDown(wxMouseEvent& event);

    CGastrologView* m_view;
};
