#pragma once
// A canvas that keeps every drawing call, for tests of the page and of the record drawing.

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "page/Canvas.h"

struct DrawCall {
    enum class Kind { Text, Rectangle, Line, Pen, Fill };

    Kind kind = Kind::Text;
    int x = 0, y = 0;    // text position, rectangle's or line's first corner
    int x2 = 0, y2 = 0;  // rectangle's right and bottom, line's end
    std::string text;
    CanvasPen pen = CanvasPen::Thin;      // the pen selected (Pen) or in use (Rectangle, Line)
    CanvasFill fill = CanvasFill::Black;  // a filled box's fill
    CanvasFont font = CanvasFont::Page;   // the font in use (Text)
    bool unicode = false;                 // Text drawn as UTF-8 rather than Windows-1252

    bool operator==(const DrawCall&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const DrawCall& call) {
    switch (call.kind) {
        case DrawCall::Kind::Text:
            return out << "text(" << call.x << "," << call.y << ",\"" << call.text << "\")";
        case DrawCall::Kind::Rectangle:
            return out << "rect(" << call.x << "," << call.y << "," << call.x2 << "," << call.y2
                       << ")";
        case DrawCall::Kind::Line:
            return out << "line(" << call.x << "," << call.y << "," << call.x2 << "," << call.y2
                       << (call.pen == CanvasPen::RedWide ? ",red" : "") << ")";
        case DrawCall::Kind::Pen:
            return out << "pen(" << static_cast<int>(call.pen) << ")";
        case DrawCall::Kind::Fill:
            return out << "fill(" << call.x << "," << call.y << "," << call.x2 << "," << call.y2
                       << "," << static_cast<int>(call.fill) << ")";
    }
    return out;
}

class RecordingCanvas : public Canvas {
public:
    // A 16-pixel row (13 + 3 leading) and 8-pixel characters unless a test says otherwise.
    explicit RecordingCanvas(bool printing = false, FontMetrics metrics = {13, 3, 8})
        : m_printing(printing), m_metrics(metrics) {}

    bool IsPrinting() const override { return m_printing; }
    FontMetrics GetFontMetrics() const override { return m_metrics; }
    void DrawText(int x, int y, std::string_view text) override {
        calls.push_back({DrawCall::Kind::Text, x, y, 0, 0, std::string(text), m_pen,
                         CanvasFill::Black, m_font});
    }
    void DrawUnicodeText(int x, int y, std::string_view utf8) override {
        calls.push_back({DrawCall::Kind::Text, x, y, 0, 0, std::string(utf8), m_pen,
                         CanvasFill::Black, m_font, true});
    }
    void DrawRectangle(int left, int top, int right, int bottom) override {
        calls.push_back({DrawCall::Kind::Rectangle, left, top, right, bottom, {}, m_pen});
    }
    void DrawLine(int x1, int y1, int x2, int y2) override {
        calls.push_back({DrawCall::Kind::Line, x1, y1, x2, y2, {}, m_pen});
    }
    void FillRectangle(int left, int top, int right, int bottom, CanvasFill fill) override {
        calls.push_back(
            {DrawCall::Kind::Fill, left, top, right, bottom, FillName(fill), m_pen, fill});
    }
    void SelectFont(CanvasFont font) override { m_font = font; }
    void SelectPen(CanvasPen pen) override {
        m_pen = pen;
        calls.push_back({DrawCall::Kind::Pen, 0, 0, 0, 0, {}, pen});
    }

    std::vector<DrawCall> Texts() const { return OfKind(DrawCall::Kind::Text); }
    std::vector<DrawCall> Lines() const { return OfKind(DrawCall::Kind::Line); }
    std::vector<DrawCall> Rectangles() const { return OfKind(DrawCall::Kind::Rectangle); }
    std::vector<DrawCall> Fills() const { return OfKind(DrawCall::Kind::Fill); }
    static std::string FillName(CanvasFill fill) {
        static const char* const names[] = {"black", "grey", "light grey", "better", "worse"};
        return names[static_cast<int>(fill)];
    }
    std::vector<std::string> TextStrings() const {
        std::vector<std::string> strings;
        for (const DrawCall& call : Texts()) strings.push_back(call.text);
        return strings;
    }
    // The first text call with exactly this text, or null.
    const DrawCall* FindText(std::string_view text) const {
        const auto found = std::find_if(calls.begin(), calls.end(), [&](const DrawCall& call) {
            return call.kind == DrawCall::Kind::Text && call.text == text;
        });
        return found == calls.end() ? nullptr : &*found;
    }
    int RowOf(const DrawCall& call) const { return call.y / m_metrics.RowHeight(); }

    std::vector<DrawCall> calls;

private:
    std::vector<DrawCall> OfKind(DrawCall::Kind kind) const {
        std::vector<DrawCall> selected;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(selected),
                     [kind](const DrawCall& call) { return call.kind == kind; });
        return selected;
    }

    bool m_printing;
    FontMetrics m_metrics;
    CanvasPen m_pen = CanvasPen::Thin;
    CanvasFont m_font = CanvasFont::Page;
};
