#pragma once
// A canvas that writes SVG: the page as a picture for the command line and for looking at
// layouts without a display. The font is a fixed-pitch one sized so that a character advances
// exactly one cell.

#include <string>
#include <string_view>

#include "page/Canvas.h"

class CGastrologDoc;

class SvgCanvas : public Canvas {
public:
    // characterWidth: pixels per character cell; the font and row height follow from it.
    explicit SvgCanvas(int characterWidth = 7, bool printing = false);

    bool IsPrinting() const override { return m_printing; }
    FontMetrics GetFontMetrics() const override { return m_metrics; }
    void DrawText(int x, int y, std::string_view text) override;
    void DrawRectangle(int left, int top, int right, int bottom) override;
    void DrawLine(int x1, int y1, int x2, int y2) override;
    void FillRectangle(int left, int top, int right, int bottom, CanvasColour fill) override;
    void SelectPen(CanvasPen pen) override { m_pen = pen; }

    // The complete SVG document, width by height pixels, white behind everything drawn.
    std::string Document(int width, int height) const;

private:
    bool m_printing;
    FontMetrics m_metrics;
    double m_fontSize;
    int m_ascent;
    CanvasPen m_pen = CanvasPen::Thin;
    std::string m_body;
};

// The whole page of the diary as the screen shows it, as one SVG document.
std::string PageToSvg(const CGastrologDoc& doc, int characterWidth = 7);
