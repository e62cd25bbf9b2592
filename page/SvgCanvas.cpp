#include "page/SvgCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "diary/GastrologDoc.h"
#include "diary/Windows1252.h"
#include "page/PageLayout.h"
#include "page/PageMetrics.h"

namespace {

// Proportions of Courier New and its metric twins, per em.
constexpr double AdvancePerEm = 0.6;
constexpr double AscentPerEm = 0.833;
constexpr double CellPerEm = 1.133;

std::string Escaped(std::string_view diaryText) {
    std::string escaped;
    for (char c : Windows1252ToUtf8(diaryText)) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string Format(const char* format, auto... values) {
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

}  // namespace

SvgCanvas::SvgCanvas(int characterWidth, bool printing)
    : m_printing(printing), m_fontSize(characterWidth / AdvancePerEm) {
    m_metrics.averageCharWidth = characterWidth;
    m_metrics.height = static_cast<int>(std::ceil(m_fontSize * CellPerEm));
    m_metrics.externalLeading = 0;
    m_ascent = static_cast<int>(std::lround(m_fontSize * AscentPerEm));
}

void SvgCanvas::DrawText(int x, int y, std::string_view text) {
    // Runs of blanks keep their width.
    m_body += Format("<text x=\"%d\" y=\"%d\" xml:space=\"preserve\">", x, y + m_ascent) +
              Escaped(text) + "</text>\n";
}

void SvgCanvas::DrawRectangle(int left, int top, int right, int bottom) {
    // The outline lies on the outermost pixels, as a Windows rectangle's does.
    m_body += Format(
        "<rect x=\"%.1f\" y=\"%.1f\" width=\"%d\" height=\"%d\" fill=\"#ffffff\" "
        "stroke=\"#000000\" stroke-width=\"1\"/>\n",
        left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
}

void SvgCanvas::FillRectangle(int left, int top, int right, int bottom, CanvasColour fill) {
    m_body += Format(
        "<rect x=\"%.1f\" y=\"%.1f\" width=\"%d\" height=\"%d\" fill=\"#%02x%02x%02x\" "
        "stroke=\"#000000\" stroke-width=\"1\"/>\n",
        left + 0.5, top + 0.5, right - left - 1, bottom - top - 1, fill.red, fill.green, fill.blue);
}

void SvgCanvas::DrawLine(int x1, int y1, int x2, int y2) {
    const bool red = m_pen == CanvasPen::RedWide;
    const double offset = red ? 0.0 : 0.5;  // a one-pixel line sits on the pixel's centre
    m_body += Format(
        "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"%s\" "
        "stroke-width=\"%d\"/>\n",
        x1 + offset, y1 + offset, x2 + offset, y2 + offset, red ? "#ff0000" : "#000000",
        red ? 2 : 1);
}

std::string SvgCanvas::Document(int width, int height) const {
    return Format(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
               "viewBox=\"0 0 %d %d\">\n"
               "<rect width=\"100%%\" height=\"100%%\" fill=\"#ffffff\"/>\n"
               "<g font-family=\"Courier New, Liberation Mono, monospace\" font-size=\"%.3f\" "
               "fill=\"#000000\">\n",
               width, height, width, height, m_fontSize) +
           m_body + "</g>\n</svg>\n";
}

std::string PageToSvg(const CGastrologDoc& doc, int characterWidth) {
    SvgCanvas canvas(characterWidth);
    PageLayout layout(doc, canvas);
    layout.Draw();
    const FontMetrics font = canvas.GetFontMetrics();
    const int width =
        page_metrics::ScreenMargin + page_metrics::PageWidthInCharacters * font.averageCharWidth;
    // The guidance of a new diary sits at fixed positions below the rows.
    const int guidanceBottom = 160 + font.RowHeight();
    const int rows = std::max(doc.GetLineCount(), layout.GetRowsUsed());
    const int height = std::max(rows * font.RowHeight(), guidanceBottom);
    return canvas.Document(width, height);
}
