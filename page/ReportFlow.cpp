#include "page/ReportFlow.h"

#include <limits>
#include <utility>

ReportFlow::ReportFlow(int top, int bottom, std::function<void(int page)> startPage)
    : m_top(top), m_bottom(bottom), m_startPage(std::move(startPage)), m_y(top) {
    NewPage();
}

ReportFlow ReportFlow::Endless() {
    return ReportFlow(0, std::numeric_limits<int>::max() / 2, [](int) {});
}

void ReportFlow::NewPage() {
    if (m_page > 0 && m_y == m_top) return;  // the page is still empty
    ++m_page;
    m_y = m_top;
    m_startPage(m_page);
}

int ReportFlow::Take(int height) {
    if (height > Room() && m_y > m_top) NewPage();
    const int top = m_y;
    m_y += height;
    return top;
}
