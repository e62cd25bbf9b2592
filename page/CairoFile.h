#pragma once
// A file drawn through cairo: a PDF of as many pages as needed, or one SVG or PNG picture. The
// bytes are kept in memory until Finish; the caller writes them (diary/OutputFile.h).

#include <memory>
#include <string>
#include <string_view>

#include "diary/Ports.h"
#include "diary/Result.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

enum class PictureFormat { Pdf, Svg, Png };

struct PictureSize {
    double width = 0;  // in canvas units
    double height = 0;
    // Points (PDF, SVG) or pixels (PNG) per canvas unit.
    double scale = 1.0;
};

class CairoFile {
public:
    CairoFile(PictureFormat format, PictureSize size);
    ~CairoFile();
    CairoFile(const CairoFile&) = delete;
    CairoFile& operator=(const CairoFile&) = delete;

    // The context to draw on, in canvas units, white below everything.
    cairo_t* Context() const { return m_cairo; }

    // PDF only: the document's title and its creation date, so the same diary gives the same
    // bytes whenever it is drawn.
    void SetPdfInformation(std::string_view title, TimeValue created);
    // PDF only: ends the page drawn so far and starts a new, white one.
    void NextPage();

    // Ends the drawing and hands over the file's bytes (none when it fails).
    Result Finish(std::string& bytes);

private:
    void PaintWhite();

    PictureFormat m_format;
    PictureSize m_size;
    std::string m_bytes;
    cairo_surface_t* m_surface = nullptr;
    cairo_t* m_cairo = nullptr;
};

// The longest side of a PNG picture cairo can draw, in pixels.
inline constexpr int LargestPngSide = 32767;
// The whole pixels a length in canvas units at the picture's scale takes.
int PixelsOf(double scaledLength);
bool FitsPngPicture(const PictureSize& size);
