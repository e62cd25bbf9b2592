#include "page/PageMetrics.h"

namespace page_metrics {

int ScreenFontHeight(int dotsPerInch) {
    return -(10 * dotsPerInch) / 80;
}

int PrinterFontHeight(int dotsPerInch) {
    return -(10 * dotsPerInch) / 78;
}

int LinesPerPage(int printableHeight, int rowHeight) {
    if (rowHeight <= 0) return 1;
    const int lines = printableHeight / rowHeight;
    return lines < 1 ? 1 : lines;
}

int PageCount(int totalLines, int linesPerPage) {
    if (linesPerPage < 1) linesPerPage = 1;
    if (totalLines < 0) totalLines = 0;
    const int pages = (totalLines + linesPerPage - 1) / linesPerPage;
    return pages < 1 ? 1 : pages;
}

RowRange PageRows(int page, int linesPerPage) {
    return {(page - 1) * linesPerPage, page * linesPerPage - 1};
}

}  // namespace page_metrics
