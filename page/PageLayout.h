#pragma once
// The whole page of a diary, drawn onto a canvas: the heading (or, for a diary without a file,
// the new-user guidance), then the switched-on sections in their fixed order: inclusions,
// unclassified foods, exclusions, symptoms, foods, symptom histories. The same routine serves
// the screen, print preview and the printer.

#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "page/PageMetrics.h"

class Canvas;
class CGastrologDoc;

// The rows one repaint draws. Rows count from the top of the page; row r is drawn at
// (r - firstLine) x row height.
struct PageRows {
    int firstLine = page_metrics::ScreenFirstLine;
    int lastLine = page_metrics::ScreenLastLine;
    // The rows a screen repaint needs (the update region); drawing only these gives the same
    // picture inside the region as drawing everything.
    int neededFirst = std::numeric_limits<int>::min();
    int neededLast = std::numeric_limits<int>::max();
};

class PageLayout {
public:
    PageLayout(const CGastrologDoc& doc, Canvas& canvas, PageRows rows = {});

    void Draw();
    // How far down the new-user guidance of a diary without a file reaches, in canvas units:
    // such a page is at least this tall plus a row.
    static int GuidanceBottom();
    // After Draw: the row below the last section, so the page's true height in rows (the
    // document's row count is an estimate).
    int GetRowsUsed() const { return m_nLine; }

private:
    struct ListSection;

    void DrawGuidance();
    void DrawListSection(const ListSection& section, int firstRow);
    void DrawSymptoms();
    void DrawFoods();
    void DrawHistory();

    // Text at a row and a character column, if the row is drawn.
    void DrawRowText(int row, int column, std::string_view text);
    bool IsRowDrawn(int row) const;
    // A history box reaches from two rows above its row to three rows below.
    bool IsHistoryBoxDrawn(int row) const;
    int RowOnCanvas(int row) const { return row - m_rows.firstLine; }
    // Where the section after the most recent list section starts.
    int RowAfterList() const { return m_listStart + m_listCount / 4 + 2; }

    const CGastrologDoc& m_doc;
    Canvas& m_canvas;
    PageRows m_rows;
    int m_margin;
    int m_characterWidth;
    int m_nLine = 0;
    int m_listStart = 0;  // first entry row of the most recent list section
    int m_listCount = 0;  // its entry count
};
