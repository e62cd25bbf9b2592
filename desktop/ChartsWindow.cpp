#include "desktop/ChartsWindow.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/docview.h>
#include <wx/settings.h>
#include <wx/weakref.h>

#include <functional>

#include "desktop/PageFont.h"
#include "desktop/WxCanvas.h"
#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"
#include "page/MeasuringCanvas.h"

namespace {

constexpr int Margin = 10;
constexpr int MinimumWidth = 600;
const wxColour HighlightColour(45, 108, 223);
constexpr std::size_t MostFoodsNamed = 12;

}  // namespace

ChartsWindow::ChartsWindow(wxWindow* parent, DiarySource diary)
    : wxFrame(parent, wxID_ANY, "Charts", wxDefaultPosition, wxSize(1000, 700)),
      m_diary(std::move(diary)) {
    m_charts = new wxScrolledWindow(this, wxID_ANY);
    m_charts->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_charts->SetScrollRate(10, 10);
    m_charts->Bind(wxEVT_PAINT, &ChartsWindow::OnPaint, this);
    m_charts->Bind(wxEVT_MOTION, &ChartsWindow::OnMotion, this);
    m_charts->Bind(wxEVT_LEAVE_WINDOW, &ChartsWindow::OnLeave, this);
    m_charts->Bind(wxEVT_SIZE, &ChartsWindow::OnSize, this);
    FollowDiary();
}

// The window and its watcher may die in either order (the document deletes its views when it
// closes, the window its watcher when it closes), so each holds the other by a weak reference,
// which wx clears when the object goes.
class ChartsWindow::ChangeWatcher : public wxView {
public:
    ChangeWatcher(ChartsWindow& charts, wxDocument& document) : m_charts(&charts) {
        SetDocument(&document);
    }

    void OnDraw(wxDC*) override {}
    void OnUpdate(wxView*, wxObject*) override {
        if (m_charts) m_charts->FollowDiary();
    }
    // Closing this view never closes the document, as closing a pane's last view would.
    bool OnClose(bool) override { return true; }

private:
    wxWeakRef<ChartsWindow> m_charts;
};

ChartsWindow::~ChartsWindow() {
    // Deleting a view takes it off its document; a watcher the document deleted is null here.
    delete m_watcher.get();
}

void ChartsWindow::FollowChangesOf(wxDocument& document) {
    delete m_watcher.get();
    m_watcher = new ChangeWatcher(*this, document);
}

void ChartsWindow::FollowDiary() {
    const CGastrologDoc* doc = m_diary();
    m_evidence = doc ? ReadEvidence(*doc) : EvidenceReading{};
    // The day under the mouse may say something else now.
    m_tooltipDay = -2;
    Measure();
    m_charts->Refresh();
}

void ChartsWindow::OnSize(wxSizeEvent& event) {
    Measure();
    m_charts->Refresh();
    event.Skip();
}

void ChartsWindow::Measure() {
    wxClientDC dc(m_charts);
    LayOut(dc, false);
}

void ChartsWindow::LayOut(wxDC& dc, bool draw) {
    const CGastrologDoc* doc = m_diary();
    if (!doc) {
        m_axis.reset();
        return;
    }
    const PageFont page = MakeScreenFont(dc);
    WxCanvas screen(dc, false, page.metrics);
    screen.UseFonts({page.font, page.font.Bold().Scaled(1.25f), page.font.Scaled(0.85f)});
    MeasuringCanvas measuring(screen);
    Canvas& canvas = draw ? static_cast<Canvas&>(screen) : measuring;
    ReportFlow flow = ReportFlow::Endless();
    flow.Take(Margin);
    const int width = std::max(MinimumWidth, m_charts->GetClientSize().x - 2 * Margin);
    ReportLayout layout(*doc, m_evidence, "", canvas, flow, Margin, width);
    layout.SymptomsOverTime();
    flow.Take(page.metrics.RowHeight());
    layout.WhatWasEaten();
    m_axis = layout.Axis();
    m_axisBlocks = layout.AxisBlocks();
    m_histories = layout.Histories();
    // Every lived day has its column; a long diary scrolls sideways.
    const int chartsRight = m_axis->Right() + 8 * page.metrics.averageCharWidth;
    const wxSize wanted(std::max(width + Margin, chartsRight) + Margin, flow.Y() + Margin);
    if (m_charts->GetVirtualSize() != wanted) {
        const bool wider = wanted.x > m_charts->GetVirtualSize().x;
        m_charts->SetVirtualSize(wanted);
        // The newest days are the ones looked at first; the older ones lie to the left.
        if (wider && !draw) m_charts->Scroll(wanted.x / 10, -1);
    }
}

void ChartsWindow::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(m_charts);
    m_charts->DoPrepareDC(dc);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    LayOut(dc, true);
    // The column the tooltip speaks of, outlined through the charts drawn on the day axis.
    if (!m_axis || m_tooltipDay < 0 || m_tooltipDay >= m_axis->LivedDays()) return;
    dc.SetPen(wxPen(HighlightColour, 2));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    for (const ReportLayout::AxisBlock& block : m_axisBlocks)
        dc.DrawRectangle(m_axis->X(m_tooltipDay) - 1, block.top, m_axis->CellWidth() + 2,
                         block.bottom - block.top);
}

void ChartsWindow::RefreshDay(int day) {
    if (!m_axis || day < 0) return;
    const wxPoint topLeft = m_charts->CalcScrolledPosition(wxPoint(m_axis->X(day) - 2, 0));
    m_charts->RefreshRect(
        wxRect(topLeft.x, 0, m_axis->CellWidth() + 4, m_charts->GetClientSize().y));
}

wxString ChartsWindow::DayDescription(int x) const {
    const CGastrologDoc* doc = m_diary();
    if (!doc || !m_axis) return {};
    const int day = m_axis->DayAt(x);
    if (day < 0) return {};
    const auto position = static_cast<std::size_t>(m_axis->HistoryPosition(day));
    std::string text = calendar::Format(m_axis->DateOf(day), calendar::DateFormat);
    const auto codeOf = [&](const std::vector<std::string>& histories, std::size_t index) {
        return index < histories.size() && position < histories[index].size()
                   ? histories[index][position]
                   : NotLived;
    };
    if (codeOf(m_histories.foods.empty() ? m_histories.symptoms : m_histories.foods, 0) == NotLived)
        return DiaryTextToWx(text + "\nNot lived");
    text += "\nEaten: ";
    std::size_t named = 0, eaten = 0;
    for (std::size_t i = 0; i < doc->Foods().size(); ++i) {
        if (codeOf(m_histories.foods, i) != diary::Eaten) continue;
        if (named < MostFoodsNamed) text += (named++ ? ", " : "") + doc->Foods()[i].m_name;
        ++eaten;
    }
    if (eaten == 0) text += "nothing recorded";
    if (eaten > named) text += " and " + std::to_string(eaten - named) + " more";
    for (std::size_t i = 0; i < doc->Symptoms().size(); ++i) {
        const char code = codeOf(m_histories.symptoms, i);
        text += "\n" + doc->Symptoms()[i].m_name + ": " +
                (code == NotRated ? "not rated" : diary::RatingWord(code));
    }
    return DiaryTextToWx(text);
}

void ChartsWindow::OnMotion(wxMouseEvent& event) {
    const wxPoint point = m_charts->CalcUnscrolledPosition(event.GetPosition());
    const int day = m_axis ? m_axis->DayAt(point.x) : -1;
    if (day == m_tooltipDay) return;
    RefreshDay(m_tooltipDay);
    RefreshDay(day);
    m_tooltipDay = day;
    const wxString text = DayDescription(point.x);
    if (text.empty())
        m_charts->UnsetToolTip();
    else
        m_charts->SetToolTip(text);
}

void ChartsWindow::OnLeave(wxMouseEvent& event) {
    RefreshDay(m_tooltipDay);
    m_tooltipDay = -1;
    event.Skip();
}
