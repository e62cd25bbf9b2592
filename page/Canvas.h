#pragma once
// What the page and the records draw on: the screen, print preview, a printer, an SVG file
// or a recording in a test. Coordinates are logical units (pixels on the screen, device units
// on a printer); text is in the diary's code page (Windows-1252).

#include <cstddef>
#include <string_view>

#include "diary/Windows1252.h"

struct FontMetrics {
    int height = 0;           // character height
    int externalLeading = 0;  // extra space between rows
    int averageCharWidth = 0;

    int RowHeight() const { return height + externalLeading; }
};

enum class CanvasPen {
    Thin,     // the default: a thin black line
    RedWide,  // the history line: solid red, 2 pixels wide
    Faint,    // grid lines and ticks: a thin light grey line
    Wide      // marks on the charts: black, 2 pixels wide
};

// Fills of the charts' cells. Better and worse differ in lightness too, so they stay apart
// when printed in black and white; the charts add a mark to each as well.
enum class CanvasFill { Black, Grey, LightGrey, Better, Worse };

// The report's fonts, all of the page's family: the page font, a larger bold one for titles
// and a smaller one for axis labels.
enum class CanvasFont { Page, Title, Small };

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual bool IsPrinting() const = 0;
    // Metrics of the page font currently selected.
    virtual FontMetrics GetFontMetrics() const = 0;
    // Text with its top left corner at (x, y), default colours.
    virtual void DrawText(int x, int y, std::string_view text) = 0;
    // Outline with the current pen, white fill; right and bottom are exclusive.
    virtual void DrawRectangle(int left, int top, int right, int bottom) = 0;
    // A line with the current pen; the end point itself is not drawn.
    virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
    virtual void SelectPen(CanvasPen pen) = 0;
    // A filled box without outline; right and bottom are exclusive.
    virtual void FillRectangle(int left, int top, int right, int bottom, CanvasFill fill) = 0;
    // The font of the following texts and of GetFontMetrics. A canvas with one font (the
    // screen's page) keeps it.
    virtual void SelectFont(CanvasFont /*font*/) {}

    // Text in UTF-8 that need not fit the diary's code page: a file name is the file system's
    // bytes, not a diary name. A canvas that draws only the code page shows other characters
    // as "?".
    virtual void DrawUnicodeText(int x, int y, std::string_view utf8) {
        DrawText(x, y, windows1252::FromUtf8Shown(utf8));
    }

    // Each character of the text at its own column: the first at x, the next at x + cellWidth
    // and so on. A canvas whose font advances by exactly cellWidth may draw the run at once.
    virtual void DrawTextInCells(int x, int y, std::string_view text, int cellWidth) {
        for (std::size_t i = 0; i < text.size(); ++i)
            DrawText(x + static_cast<int>(i) * cellWidth, y, text.substr(i, 1));
    }
};
