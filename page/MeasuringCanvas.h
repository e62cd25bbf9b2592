#pragma once
// A canvas that only measures: it takes its fonts and their metrics from another canvas and
// draws nothing, so a layout can be run to learn its pages, positions and height first.

#include "page/Canvas.h"

class MeasuringCanvas : public Canvas {
public:
    explicit MeasuringCanvas(Canvas& measure) : m_measure(measure) {}
    bool IsPrinting() const override { return m_measure.IsPrinting(); }
    FontMetrics GetFontMetrics() const override { return m_measure.GetFontMetrics(); }
    void SelectFont(CanvasFont font) override { m_measure.SelectFont(font); }
    void DrawText(int, int, std::string_view) override {}
    void DrawUnicodeText(int, int, std::string_view) override {}
    void DrawRectangle(int, int, int, int) override {}
    void DrawLine(int, int, int, int) override {}
    void SelectPen(CanvasPen) override {}
    void FillRectangle(int, int, int, int, CanvasFill) override {}
    void DrawTextInCells(int, int, std::string_view, int) override {}

private:
    Canvas& m_measure;
};
