#pragma once
// A font selected for a scope: the report's layout draws in the page's font, and switches to a
// smaller or larger one only for a piece, which this guard ends on every way out.

#include "page/Canvas.h"

class ScopedFont {
public:
    ScopedFont(Canvas& canvas, CanvasFont font) : m_canvas(canvas) { m_canvas.SelectFont(font); }
    ~ScopedFont() { m_canvas.SelectFont(CanvasFont::Page); }
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;

private:
    Canvas& m_canvas;
};
