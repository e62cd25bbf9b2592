#include "desktop/ChartsWindow.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include <functional>

#include "desktop/PageFont.h"
#include "desktop/WxCanvas.h"
#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"
#include "engine/Evidence.h"
#include "page/ReportLayout.h"

namespace {

constexpr int RefreshMilliseconds = 500;
constexpr int Margin = 10;
constexpr std::size_t MostFoodsNamed = 12;

const char* RatingWord(char code) {
    return code == 'w' ? "worse" : code == 'b' ? "better" : "no change";
}

}  // namespace

ChartsWindow::ChartsWindow(wxWindow* parent, DiarySource diary)
    : wxFrame(parent, wxID_ANY, "Charts", wxDefaultPosition, wxSize(1000, 700)),
      m_diary(std::move(diary)),
      m_timer(this) {
    m_charts = new wxScrolledWindow(this, wxID_ANY);
    m_charts->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_charts->SetScrollRate(10, 10);
    m_charts->Bind(wxEVT_PAINT, &ChartsWindow::OnPaint, this);
    m_charts->Bind(wxEVT_MOTION, &ChartsWindow::OnMotion, this);
    Bind(wxEVT_TIMER, &ChartsWindow::OnTimer, this);
    // The diary changes through the main window's commands; a cheap look twice a second keeps
    // the charts in step without the document knowing about this window.
    m_timer.Start(RefreshMilliseconds);
}

std::size_t ChartsWindow::DiarySignature() const {
    const CGastrologDoc* doc = m_diary();
    if (!doc) return 0;
    std::size_t signature = std::hash<long long>()(doc->LastUpdate()) ^ doc->DayCount();
    const auto mix = [&](const std::string& text) {
        signature = signature * 31 + std::hash<std::string>()(text);
    };
    for (const CFood& food : doc->Foods()) mix(food.m_name + food.m_history);
    for (const CSymptom& symptom : doc->Symptoms()) mix(symptom.m_name + symptom.m_history);
    return signature;
}

void ChartsWindow::OnTimer(wxTimerEvent&) {
    const std::size_t signature = DiarySignature();
    if (signature == m_signature) return;
    m_signature = signature;
    m_charts->Refresh();
}

void ChartsWindow::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(m_charts);
    m_charts->DoPrepareDC(dc);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    const CGastrologDoc* doc = m_diary();
    if (!doc) return;
    const PageFont page = MakeScreenFont(dc);
    wxFont title = page.font.Bold().Scaled(1.25f);
    wxFont small = page.font.Scaled(0.85f);
    WxCanvas canvas(dc, false, page.metrics);
    canvas.UseFonts({page.font, title, small});
    const EvidenceReading evidence = ReadEvidence(*doc);
    ReportFlow flow = ReportFlow::Endless();
    const int width = std::max(600, m_charts->GetClientSize().x - 2 * Margin);
    ReportLayout layout(*doc, evidence, "", canvas, flow, Margin, width);
    layout.SymptomsOverTime();
    flow.Take(page.metrics.RowHeight());
    layout.WhatWasEaten();
    m_axis = layout.Axis();
    const wxSize wanted(width + 2 * Margin, flow.Y() + Margin);
    if (m_charts->GetVirtualSize() != wanted) m_charts->SetVirtualSize(wanted);
}

wxString ChartsWindow::DayDescription(int x) const {
    const CGastrologDoc* doc = m_diary();
    if (!doc || !m_axis) return {};
    const int day = m_axis->DayAt(x);
    if (day < 0) return {};
    const auto position = static_cast<std::size_t>(m_axis->HistoryPosition(day));
    std::string text = calendar::Format(m_axis->DateOf(day), "%A, %B %d, %Y") + "\nEaten: ";
    std::size_t named = 0, eaten = 0;
    for (const CFood& food : doc->Foods()) {
        if (food.m_history[position] != 'y' && food.m_history[position] != 'Y') continue;
        if (named < MostFoodsNamed) text += (named++ ? ", " : "") + food.m_name;
        ++eaten;
    }
    if (eaten == 0) text += "nothing recorded";
    if (eaten > named) text += " and " + std::to_string(eaten - named) + " more";
    for (const CSymptom& symptom : doc->Symptoms())
        text += "\n" + symptom.m_name + ": " + RatingWord(symptom.m_history[position]);
    return DiaryTextToWx(text);
}

void ChartsWindow::OnMotion(wxMouseEvent& event) {
    const wxPoint point = m_charts->CalcUnscrolledPosition(event.GetPosition());
    const int day = m_axis ? m_axis->DayAt(point.x) : -1;
    if (day == m_tooltipDay) return;
    m_tooltipDay = day;
    const wxString text = DayDescription(point.x);
    if (text.empty())
        m_charts->UnsetToolTip();
    else
        m_charts->SetToolTip(text);
}
