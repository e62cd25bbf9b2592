#include "desktop/PageFont.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/dcps.h>
#include <wx/gdicmn.h>

#include <cmath>

#include "page/PageMetrics.h"

namespace {

constexpr int FallbackDotsPerInch = 96;

wxFont PageFontOfSize(double pointSize, bool byName) {
    wxFontInfo info(pointSize);
    if (byName) info.FaceName("Courier New");
    return wxFont(info.Family(wxFONTFAMILY_TELETYPE));
}

bool IsFixedPitch(wxDC& dc, const wxFont& font) {
    const wxFont previous = dc.GetFont();
    dc.SetFont(font);
    const bool fixed = dc.GetTextExtent("iiiiiiiiii").x == dc.GetTextExtent("WWWWWWWWWW").x;
    if (previous.IsOk()) dc.SetFont(previous);
    return fixed;
}

// Whether the face the name gives is usable; otherwise the fixed-pitch family is asked.
bool UseFaceName(double pointSize) {
    wxBitmap bitmap(8, 8);
    wxMemoryDC memory(bitmap);
    const wxFont named = PageFontOfSize(pointSize, true);
    return named.IsOk() && IsFixedPitch(memory, named);
}

// The face's proportions per em, measured large on a bitmap, where sizes mean what they say.
struct FaceProportions {
    double cellHeight = 1.0;  // ascent + descent
    double leading = 0.0;
    double characterWidth = 0.6;
};

FaceProportions MeasureFace(bool byName) {
    constexpr double pointSize = 100.0;
    wxBitmap bitmap(8, 8);
    wxMemoryDC memory(bitmap);
    memory.SetFont(PageFontOfSize(pointSize, byName));
    const int ppi = memory.GetPPI().y > 0 ? memory.GetPPI().y : FallbackDotsPerInch;
    const double em = pointSize * ppi / 72.0;
    const FontMetrics metrics = MeasureSelectedFont(memory);
    return {metrics.height / em, metrics.externalLeading / em, metrics.averageCharWidth / em};
}

// Grows or shrinks the size until the DC measures the wanted cell height.
wxFont FitToCellHeight(wxDC& dc, double pointSize, double wantedCell, bool byName) {
    wxFont font = PageFontOfSize(pointSize, byName);
    for (int attempt = 0; attempt < 4; ++attempt) {
        dc.SetFont(font);
        const int cell = dc.GetCharHeight();
        if (cell <= 0 || std::abs(cell - wantedCell) < 1.0) break;
        pointSize *= wantedCell / cell;
        font = PageFontOfSize(pointSize, byName);
    }
    return font;
}

}  // namespace

FontMetrics MeasureSelectedFont(wxDC& dc) {
    wxCoord width = 0, height = 0, descent = 0, externalLeading = 0;
    dc.GetTextExtent("M", &width, &height, &descent, &externalLeading);
    FontMetrics metrics;
    metrics.height = dc.GetCharHeight();
    metrics.externalLeading = externalLeading;
    metrics.averageCharWidth = dc.GetCharWidth();
    return metrics;
}

PageFont MakeScreenFont(wxDC& dc) {
    const int dotsPerInch = dc.GetPPI().y > 0 ? dc.GetPPI().y : FallbackDotsPerInch;
    const int characterHeight = -page_metrics::ScreenFontHeight(dotsPerInch);
    // Screen fonts are sized in points at the screen's resolution.
    const double pointSize = characterHeight * 72.0 / dotsPerInch;
    PageFont page{PageFontOfSize(pointSize, UseFaceName(pointSize)), {}};
    const wxFont previous = dc.GetFont();
    dc.SetFont(page.font);
    page.metrics = MeasureSelectedFont(dc);
    if (previous.IsOk()) dc.SetFont(previous);
    return page;
}

PageFont MakePrinterFont(wxDC& dc, int dotsPerInch) {
    if (dotsPerInch <= 0) dotsPerInch = FallbackDotsPerInch;
    const int characterHeight = -page_metrics::PrinterFontHeight(dotsPerInch);
    const double pointSize = characterHeight * 72.0 / dotsPerInch;
    const bool byName = UseFaceName(pointSize);
    const FaceProportions face = MeasureFace(byName);
    const wxFont previous = dc.GetFont();
    PageFont page;
    if (dc.IsKindOf(wxCLASSINFO(wxPostScriptDC))) {  // not wxDynamicCast: it downcasts first
        // The PostScript DC sizes a font as the screen would show it, in device units, and
        // estimates text sizes from rough rules; the real face's proportions do better.
        const int displayPpi = wxGetDisplayPPI().y > 0 ? wxGetDisplayPPI().y : FallbackDotsPerInch;
        page.font = PageFontOfSize(characterHeight * 72.0 / displayPpi, byName);
        page.metrics.height = static_cast<int>(std::lround(characterHeight * face.cellHeight));
        page.metrics.externalLeading =
            static_cast<int>(std::lround(characterHeight * face.leading));
        page.metrics.averageCharWidth =
            static_cast<int>(std::lround(characterHeight * face.characterWidth));
    } else {
        page.font = FitToCellHeight(dc, pointSize, characterHeight * face.cellHeight, byName);
        dc.SetFont(page.font);
        page.metrics = MeasureSelectedFont(dc);
    }
    if (previous.IsOk()) dc.SetFont(previous);
    return page;
}
