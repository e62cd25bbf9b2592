#include "desktop/WxCanvas.h"

#include <wx/brush.h>

#include "diary/Windows1252.h"

wxString DiaryTextToWx(std::string_view text) {
    // Every Windows-1252 byte has a character, so nothing is lost on the way to the screen.
    return wxString::FromUTF8(Windows1252ToUtf8(text));
}

WxCanvas::WxCanvas(wxDC& dc, bool printing, FontMetrics metrics)
    : m_dc(dc),
      m_printing(printing),
      m_metrics(metrics),
      m_previousPen(dc.GetPen()),
      m_previousBrush(dc.GetBrush()),
      m_redPen(wxColour(255, 0, 0), 2, wxPENSTYLE_SOLID) {
    m_dc.SetPen(*wxBLACK_PEN);
    m_dc.SetBrush(*wxWHITE_BRUSH);
    m_dc.SetTextForeground(*wxBLACK);
    m_dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
}

WxCanvas::~WxCanvas() {
    m_dc.SetPen(m_previousPen);
    m_dc.SetBrush(m_previousBrush);
}

void WxCanvas::DrawText(int x, int y, std::string_view text) {
    m_dc.DrawText(DiaryTextToWx(text), x, y);
}

void WxCanvas::DrawRectangle(int left, int top, int right, int bottom) {
    m_dc.DrawRectangle(left, top, right - left, bottom - top);
}

void WxCanvas::FillRectangle(int left, int top, int right, int bottom, CanvasColour fill) {
    const wxBrush previous = m_dc.GetBrush();
    m_dc.SetBrush(wxBrush(wxColour(fill.red, fill.green, fill.blue)));
    m_dc.DrawRectangle(left, top, right - left, bottom - top);
    m_dc.SetBrush(previous);
}

void WxCanvas::DrawLine(int x1, int y1, int x2, int y2) {
    m_dc.DrawLine(x1, y1, x2, y2);
}

void WxCanvas::SelectPen(CanvasPen pen) {
    m_dc.SetPen(pen == CanvasPen::RedWide ? m_redPen : *wxBLACK_PEN);
}

void WxCanvas::DrawTextInCells(int x, int y, std::string_view text, int cellWidth) {
    // One call for the whole run when the font advances exactly one cell per character (a
    // fixed-pitch font on the screen); otherwise character by character, as asked.
    if (m_runCellWidth != cellWidth) {
        m_runCellWidth = cellWidth;
        const wxString probe(wxT("+-+-+-+-+-+-+-+-+-+-"));
        m_runsFitCells =
            m_dc.GetTextExtent(probe).x == cellWidth * static_cast<int>(probe.length());
    }
    if (m_runsFitCells)
        m_dc.DrawText(DiaryTextToWx(text), x, y);
    else
        Canvas::DrawTextInCells(x, y, text, cellWidth);
}
