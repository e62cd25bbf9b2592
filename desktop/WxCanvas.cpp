#include "desktop/WxCanvas.h"

#include <wx/brush.h>

#include <cmath>

#include "diary/Windows1252.h"
#include "page/FillColours.h"

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

void WxCanvas::DrawUnicodeText(int x, int y, std::string_view utf8) {
    m_dc.DrawText(wxString::FromUTF8(ValidUtf8(utf8)), x, y);
}

void WxCanvas::DrawRectangle(int left, int top, int right, int bottom) {
    m_dc.DrawRectangle(left, top, right - left, bottom - top);
}

void WxCanvas::DrawLine(int x1, int y1, int x2, int y2) {
    m_dc.DrawLine(x1, y1, x2, y2);
}

void WxCanvas::SelectPen(CanvasPen pen) {
    switch (pen) {
        case CanvasPen::Thin:
            m_dc.SetPen(*wxBLACK_PEN);
            break;
        case CanvasPen::RedWide:
            m_dc.SetPen(m_redPen);
            break;
        case CanvasPen::Faint:
            m_dc.SetPen(wxPen(wxColour(179, 179, 179), 1));
            break;
        case CanvasPen::Wide:
            m_dc.SetPen(wxPen(*wxBLACK, 2));
            break;
    }
}

void WxCanvas::FillRectangle(int left, int top, int right, int bottom, CanvasFill fill) {
    const FillColour fillColour = FillColourOf(fill);
    const auto byte = [](double share) {
        return static_cast<unsigned char>(std::lround(share * 255.0));
    };
    const wxColour colour(byte(fillColour.red), byte(fillColour.green), byte(fillColour.blue));
    const wxPen pen = m_dc.GetPen();
    const wxBrush brush = m_dc.GetBrush();
    m_dc.SetPen(*wxTRANSPARENT_PEN);
    m_dc.SetBrush(wxBrush(colour));
    m_dc.DrawRectangle(left, top, right - left, bottom - top);
    m_dc.SetPen(pen);
    m_dc.SetBrush(brush);
}

void WxCanvas::UseFonts(const std::array<wxFont, 3>& fonts) {
    m_fonts = fonts;
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        m_dc.SetFont(fonts[i]);
        wxFontMetrics measured = m_dc.GetFontMetrics();
        m_fontMetrics[i] = {measured.height, measured.externalLeading, measured.averageWidth};
    }
    SelectFont(CanvasFont::Page);
}

void WxCanvas::SelectFont(CanvasFont font) {
    if (!m_fonts) return;
    const auto index = static_cast<std::size_t>(font);
    m_dc.SetFont((*m_fonts)[index]);
    m_metrics = m_fontMetrics[index];
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
