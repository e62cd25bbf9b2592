#pragma once
// The page's Canvas on cairo, with text laid out by pango in the page's own font ("Courier New",
// which fontconfig maps to Liberation Mono, as on the screen), so that widths and row heights
// agree with the window. It needs no display: the command line and the report draw PDF, SVG
// and PNG files through it.

#include <array>
#include <string_view>

#include "page/Canvas.h"

typedef struct _cairo cairo_t;
typedef struct _PangoLayout PangoLayout;

// Font sizes in canvas units (an em, as the screen asks for its font by character height).
struct CairoFontSizes {
    double page = 12.0;
    double title = 15.0;
    double small = 10.0;
};

class CairoCanvas : public Canvas {
public:
    // Draws on `cairo`, which the caller owns and keeps alive longer than the canvas.
    CairoCanvas(cairo_t* cairo, CairoFontSizes sizes, bool printing);
    ~CairoCanvas() override;
    CairoCanvas(const CairoCanvas&) = delete;
    CairoCanvas& operator=(const CairoCanvas&) = delete;

    bool IsPrinting() const override { return m_printing; }
    FontMetrics GetFontMetrics() const override;
    void DrawText(int x, int y, std::string_view text) override;
    void DrawUnicodeText(int x, int y, std::string_view utf8) override;
    void DrawRectangle(int left, int top, int right, int bottom) override;
    void DrawLine(int x1, int y1, int x2, int y2) override;
    void SelectPen(CanvasPen pen) override { m_pen = pen; }
    void FillRectangle(int left, int top, int right, int bottom, CanvasFill fill) override;
    void SelectFont(CanvasFont font) override;
    void DrawTextInCells(int x, int y, std::string_view text, int cellWidth) override;

    // The drawn width of a text in the current font.
    int TextWidth(std::string_view text) const;

private:
    void StrokeWithPen();

    cairo_t* m_cairo;
    bool m_printing;
    std::array<PangoLayout*, 3> m_layouts{};  // one per CanvasFont, each with its font set
    std::array<FontMetrics, 3> m_metrics{};
    CanvasFont m_font = CanvasFont::Page;
    CanvasPen m_pen = CanvasPen::Thin;
};
