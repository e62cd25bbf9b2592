#pragma once
// The page's fixed-pitch font: "Courier New" asked for by name (fontconfig maps it to a
// metric-compatible face), a fixed-pitch family when that name gives no fixed-pitch face.
// Windows asks for it by a negative height, the character height without internal leading;
// here that height becomes a size in points for the DC at hand.

#include <wx/dc.h>
#include <wx/font.h>

#include "page/Canvas.h"

struct PageFont {
    wxFont font;
    FontMetrics metrics;  // on the DC the font was made for
};

// Metrics of the font currently selected into the DC.
FontMetrics MeasureSelectedFont(wxDC& dc);

// The screen font: character height -(10 x dpi) / 80 pixels.
PageFont MakeScreenFont(wxDC& dc);

// The printer font: character height -(10 x dpi) / 78 device units. Printer DCs disagree on
// what a font size means, so the size is fitted by measuring on the DC; the PostScript DC,
// which only estimates text sizes, gets the metrics of the real face instead.
PageFont MakePrinterFont(wxDC& dc, int dotsPerInch);
