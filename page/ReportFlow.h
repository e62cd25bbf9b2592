#pragma once
// Blocks placed one below the other down a run of pages: a block that does not fit on what is
// left of a page starts the next one. The Charts window uses one endless page.

#include <functional>

class ReportFlow {
public:
    // Pages hold blocks from y = top to y = bottom; startPage is called as each page begins,
    // the first one included, with its number counted from 1.
    ReportFlow(int top, int bottom, std::function<void(int page)> startPage);
    // One page without end, for a window.
    static ReportFlow Endless();

    // The top of a block of this height, on a new page when the current one has no room. A
    // block taller than a whole page starts a page and runs over its end.
    int Take(int height);
    // Room left on the current page.
    int Room() const { return m_bottom - m_y; }
    int PageHeight() const { return m_bottom - m_top; }
    void NewPage();

    int Y() const { return m_y; }
    int PageCount() const { return m_page; }

private:
    int m_top;
    int m_bottom;
    std::function<void(int)> m_startPage;
    int m_y;
    int m_page = 0;
};
