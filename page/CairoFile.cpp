#include "page/CairoFile.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <cmath>
#include <ctime>

namespace {

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// PDF dates in UTC, ISO 8601 as cairo wants them: the same moment gives the same text anywhere.
std::string IsoDate(TimeValue time) {
    const std::time_t seconds = static_cast<std::time_t>(time);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

}  // namespace

CairoFile::CairoFile(PictureFormat format, PictureSize size) : m_format(format), m_size(size) {
    const double width = size.width * size.scale;
    const double height = size.height * size.scale;
    switch (format) {
        case PictureFormat::Pdf:
            m_surface = cairo_pdf_surface_create_for_stream(AppendBytes, &m_bytes, width, height);
            break;
        case PictureFormat::Svg:
            m_surface = cairo_svg_surface_create_for_stream(AppendBytes, &m_bytes, width, height);
            break;
        case PictureFormat::Png:
            m_surface =
                cairo_image_surface_create(CAIRO_FORMAT_RGB24, PixelsOf(width), PixelsOf(height));
            break;
    }
    m_cairo = cairo_create(m_surface);
    cairo_scale(m_cairo, size.scale, size.scale);
    PaintWhite();
}

CairoFile::~CairoFile() {
    if (m_cairo) cairo_destroy(m_cairo);
    if (m_surface) cairo_surface_destroy(m_surface);
}

void CairoFile::PaintWhite() {
    cairo_save(m_cairo);
    cairo_set_source_rgb(m_cairo, 1, 1, 1);
    cairo_paint(m_cairo);
    cairo_restore(m_cairo);
}

void CairoFile::SetPdfInformation(std::string_view title, TimeValue created) {
    if (m_format != PictureFormat::Pdf) return;
    const std::string titleText(title);
    const std::string date = IsoDate(created);
    cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_TITLE, titleText.c_str());
    cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_CREATOR, "Gastrolog");
    cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_CREATE_DATE, date.c_str());
    cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_MOD_DATE, date.c_str());
}

void CairoFile::NextPage() {
    cairo_show_page(m_cairo);
    PaintWhite();
}

Result CairoFile::Finish(std::string& bytes) {
    bytes.clear();
    cairo_destroy(m_cairo);
    m_cairo = nullptr;
    if (m_format == PictureFormat::Png)
        cairo_surface_write_to_png_stream(m_surface, AppendBytes, &m_bytes);
    cairo_surface_finish(m_surface);
    const cairo_status_t status = cairo_surface_status(m_surface);
    cairo_surface_destroy(m_surface);
    m_surface = nullptr;
    if (status != CAIRO_STATUS_SUCCESS)
        return {Result::Code::Drawing,
                std::string("The drawing failed: ") + cairo_status_to_string(status) + "."};
    bytes = std::move(m_bytes);
    return Result::Success();
}

int PixelsOf(double scaledLength) {
    return static_cast<int>(std::ceil(scaledLength));
}

bool FitsPngPicture(const PictureSize& size) {
    const double largest = LargestPngSide;
    return PixelsOf(size.width * size.scale) <= largest &&
           PixelsOf(size.height * size.scale) <= largest;
}
