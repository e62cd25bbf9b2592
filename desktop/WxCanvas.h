#pragma once
// The page's canvas on a wxDC: the screen, print preview or a printer. The page font must be
// selected into the DC while the canvas draws; its metrics come with it (see PageFont.h).

#include <wx/dc.h>
#include <wx/font.h>
#include <wx/pen.h>

#include <array>
#include <optional>

#include "page/Canvas.h"

class WxCanvas : public Canvas {
public:
    WxCanvas(wxDC& dc, bool printing, FontMetrics metrics);
    ~WxCanvas() override;

    bool IsPrinting() const override { return m_printing; }
    FontMetrics GetFontMetrics() const override { return m_metrics; }
    void DrawText(int x, int y, std::string_view text) override;
    void DrawUnicodeText(int x, int y, std::string_view utf8) override;
    void DrawRectangle(int left, int top, int right, int bottom) override;
    void DrawLine(int x1, int y1, int x2, int y2) override;
    void SelectPen(CanvasPen pen) override;
    void FillRectangle(int left, int top, int right, int bottom, CanvasFill fill) override;
    void SelectFont(CanvasFont font) override;
    // The charts' three fonts (page, title, small); without them the page font stays.
    void UseFonts(const std::array<wxFont, 3>& fonts);
    void DrawTextInCells(int x, int y, std::string_view text, int cellWidth) override;

private:
    wxDC& m_dc;
    bool m_printing;
    FontMetrics m_metrics;
    wxPen m_previousPen;
    wxBrush m_previousBrush;
    wxPen m_redPen;
    std::optional<std::array<wxFont, 3>> m_fonts;
    std::array<FontMetrics, 3> m_fontMetrics{};
    int m_runCellWidth = -1;  // the cell width m_runsFitCells was measured for
    bool m_runsFitCells = false;
};

// Diary text (Windows-1252 bytes) as a wxString.
wxString DiaryTextToWx(std::string_view text);
