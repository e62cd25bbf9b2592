#include "page/CairoCanvas.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <string>

#include "diary/Windows1252.h"
#include "page/FillColours.h"

namespace {

// The page's face, asked for by name as the screen asks for it.
constexpr const char* PageFace = "Courier New";

std::size_t FontIndex(CanvasFont font) {
    return static_cast<std::size_t>(font);
}

PangoLayout* MakeLayout(cairo_t* cairo, double size, bool bold) {
    PangoLayout* layout = pango_cairo_create_layout(cairo);
    // Unhinted metrics: the same advances on every surface, so a PDF and a PNG of one page
    // place every character alike.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(layout);
    PangoFontDescription* description = pango_font_description_from_string(PageFace);
    pango_font_description_set_absolute_size(description, size * PANGO_SCALE);
    pango_font_description_set_weight(description, bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_layout_set_font_description(layout, description);
    pango_font_description_free(description);
    return layout;
}

FontMetrics MeasureFont(PangoLayout* layout) {
    PangoContext* context = pango_layout_get_context(layout);
    PangoFontMetrics* metrics =
        pango_context_get_metrics(context, pango_layout_get_font_description(layout), nullptr);
    const double ascent = pango_font_metrics_get_ascent(metrics) / double(PANGO_SCALE);
    const double descent = pango_font_metrics_get_descent(metrics) / double(PANGO_SCALE);
    const double advance =
        pango_font_metrics_get_approximate_char_width(metrics) / double(PANGO_SCALE);
    pango_font_metrics_unref(metrics);
    FontMetrics result;
    result.height = static_cast<int>(std::ceil(ascent + descent));
    result.externalLeading = 0;
    result.averageCharWidth = static_cast<int>(std::lround(advance));
    return result;
}

}  // namespace

CairoCanvas::CairoCanvas(cairo_t* cairo, CairoFontSizes sizes, bool printing)
    : m_cairo(cairo), m_printing(printing) {
    m_layouts[FontIndex(CanvasFont::Page)] = MakeLayout(cairo, sizes.page, false);
    m_layouts[FontIndex(CanvasFont::Title)] = MakeLayout(cairo, sizes.title, true);
    m_layouts[FontIndex(CanvasFont::Small)] = MakeLayout(cairo, sizes.small, false);
    // Measured on an unscaled surface: pango gives a scaled context's metrics in device units,
    // and the layout needs them in canvas units.
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    cairo_t* unscaled = cairo_create(surface);
    const double fontSizes[] = {sizes.page, sizes.title, sizes.small};
    for (std::size_t i = 0; i < m_layouts.size(); ++i) {
        PangoLayout* layout = MakeLayout(unscaled, fontSizes[i], i == FontIndex(CanvasFont::Title));
        m_metrics[i] = MeasureFont(layout);
        g_object_unref(layout);
    }
    cairo_destroy(unscaled);
    cairo_surface_destroy(surface);
}

CairoCanvas::~CairoCanvas() {
    for (PangoLayout* layout : m_layouts) g_object_unref(layout);
}

FontMetrics CairoCanvas::GetFontMetrics() const {
    return m_metrics[FontIndex(m_font)];
}

void CairoCanvas::SelectFont(CanvasFont font) {
    m_font = font;
}

void CairoCanvas::DrawText(int x, int y, std::string_view text) {
    DrawUnicodeText(x, y, Windows1252ToUtf8(text));
}

void CairoCanvas::DrawUnicodeText(int x, int y, std::string_view text) {
    PangoLayout* layout = m_layouts[FontIndex(m_font)];
    // Pango refuses malformed UTF-8 as a whole.
    const std::string utf8 = ValidUtf8(text);
    pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
    cairo_set_source_rgb(m_cairo, 0, 0, 0);
    cairo_move_to(m_cairo, x, y);
    pango_cairo_show_layout(m_cairo, layout);
}

void CairoCanvas::DrawTextInCells(int x, int y, std::string_view text, int cellWidth) {
    // As the wx canvas: one run when the font advances exactly one cell per character. The
    // probe is laid out on every call rather than cached (the wx canvas keeps its answer
    // because a window repaints often): a picture or a report draws few runs, and the answer
    // then always holds for the font selected now.
    if (GetFontMetrics().averageCharWidth == cellWidth && TextWidth("+-+-+-+-+-") == 10 * cellWidth)
        DrawText(x, y, text);
    else
        Canvas::DrawTextInCells(x, y, text, cellWidth);
}

int CairoCanvas::TextWidth(std::string_view text) const {
    PangoLayout* layout = m_layouts[FontIndex(m_font)];
    const std::string utf8 = Windows1252ToUtf8(text);
    pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
    int width = 0;
    int height = 0;
    pango_layout_get_size(layout, &width, &height);
    return static_cast<int>(std::lround(width / double(PANGO_SCALE)));
}

void CairoCanvas::StrokeWithPen() {
    switch (m_pen) {
        case CanvasPen::Thin:
            cairo_set_source_rgb(m_cairo, 0, 0, 0);
            cairo_set_line_width(m_cairo, 1);
            break;
        case CanvasPen::RedWide:
            cairo_set_source_rgb(m_cairo, 1, 0, 0);
            cairo_set_line_width(m_cairo, 2);
            break;
        case CanvasPen::Faint:
            cairo_set_source_rgb(m_cairo, 0.7, 0.7, 0.7);
            cairo_set_line_width(m_cairo, 1);
            break;
        case CanvasPen::Wide:
            cairo_set_source_rgb(m_cairo, 0, 0, 0);
            cairo_set_line_width(m_cairo, 2);
            break;
    }
    cairo_stroke(m_cairo);
}

void CairoCanvas::DrawRectangle(int left, int top, int right, int bottom) {
    // The outline lies on the outermost pixels, as a Windows rectangle's does.
    cairo_rectangle(m_cairo, left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
    cairo_set_source_rgb(m_cairo, 1, 1, 1);
    cairo_fill_preserve(m_cairo);
    StrokeWithPen();
}

void CairoCanvas::DrawLine(int x1, int y1, int x2, int y2) {
    // A one-unit line sits on the pixel's centre; a two-unit line on the pixel's edge.
    const bool wide = m_pen == CanvasPen::RedWide || m_pen == CanvasPen::Wide;
    const double offset = wide ? 0.0 : 0.5;
    cairo_move_to(m_cairo, x1 + offset, y1 + offset);
    cairo_line_to(m_cairo, x2 + offset, y2 + offset);
    StrokeWithPen();
}

void CairoCanvas::FillRectangle(int left, int top, int right, int bottom, CanvasFill fill) {
    const FillColour colour = FillColourOf(fill);
    cairo_set_source_rgb(m_cairo, colour.red, colour.green, colour.blue);
    cairo_rectangle(m_cairo, left, top, right - left, bottom - top);
    cairo_fill(m_cairo);
}
