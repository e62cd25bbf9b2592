#pragma once
// Font sizes and the cutting of the page into printed pages.

namespace page_metrics {

// Page rows 0 to 9999 are drawn on the screen; rows after that never are.
inline constexpr int ScreenFirstLine = 0;
inline constexpr int ScreenLastLine = 9999;
// Page Up and Page Down move by this many rows.
inline constexpr int RowsPerScrollPage = 20;
inline constexpr int ScreenMargin = 10;
inline constexpr int PrinterMargin = 60;
// The page is 100 average characters wide.
inline constexpr int PageWidthInCharacters = 100;

// Character height of the page font in pixels, as a negative number the way Windows fonts are
// asked for by character height; truncated toward zero (-12 at 96 dots per inch).
int ScreenFontHeight(int dotsPerInch);
// The same on the printer, a little larger (-76 at 600 dots per inch).
int PrinterFontHeight(int dotsPerInch);

// Rows that fit on one printed page; at least 1, so a huge font still prints.
int LinesPerPage(int printableHeight, int rowHeight);
// Printed pages for a page of so many rows: at least 1.
int PageCount(int totalLines, int linesPerPage);

struct RowRange {
    int first = 0;
    int last = 0;
};
// The rows printed on page p, counted from 1.
RowRange PageRows(int page, int linesPerPage);

}  // namespace page_metrics
