#include "page/PagePicture.h"

#include <algorithm>

#include "diary/GastrologDoc.h"
#include "page/CairoCanvas.h"
#include "page/PageLayout.h"
#include "page/PageMetrics.h"

namespace {

// The screen font's character height at 96 dots per inch.
constexpr int ScreenDotsPerInch = 96;
// A PDF or SVG unit is a point; 72 of them to the inch.
constexpr double PointsPerPixel = 72.0 / ScreenDotsPerInch;

// The page's size in pixels: 100 characters wide, as tall as its rows (or the guidance).
PictureSize MeasurePage(const CGastrologDoc& doc, const CairoFontSizes& sizes) {
    CairoFile probe(PictureFormat::Png, {1, 1, 1});
    CairoCanvas canvas(probe.Context(), sizes, false);
    PageLayout layout(doc, canvas, {0, -1});  // lays out without drawing a row
    layout.Draw();
    const FontMetrics font = canvas.GetFontMetrics();
    const int rows = std::max(doc.GetLineCount(), layout.GetRowsUsed());
    PictureSize size;
    size.width =
        page_metrics::ScreenMargin + page_metrics::PageWidthInCharacters * font.averageCharWidth;
    size.height =
        std::max(rows * font.RowHeight(), PageLayout::GuidanceBottom() + font.RowHeight());
    return size;
}

}  // namespace

Result DrawPagePicture(const CGastrologDoc& doc, PictureFormat format, std::string& bytes) {
    CairoFontSizes sizes;
    sizes.page = -page_metrics::ScreenFontHeight(ScreenDotsPerInch);
    PictureSize size = MeasurePage(doc, sizes);
    size.scale = format == PictureFormat::Png ? 1.0 : PointsPerPixel;
    // Shrunk to fit, a long page's text would be too small to read; the other formats have no
    // such limit.
    if (format == PictureFormat::Png && !FitsPngPicture(size))
        return {Result::Code::TooLarge,
                "The page is " + std::to_string(PixelsOf(size.width * size.scale)) + " x " +
                    std::to_string(PixelsOf(size.height * size.scale)) +
                    " pixels, larger than the " + std::to_string(LargestPngSide) + " x " +
                    std::to_string(LargestPngSide) +
                    " pixels a PNG picture can have; write it with --pdf or --svg instead."};
    CairoFile file(format, size);
    {
        CairoCanvas canvas(file.Context(), sizes, false);
        PageLayout(doc, canvas).Draw();
    }
    return file.Finish(bytes);
}
