#include "desktop/ToolbarArt.h"

#include <wx/brush.h>
#include <wx/graphics.h>
#include <wx/image.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace {

// Every picture shares these colours and the outline width, so the toolbar reads as one set.
const wxColour Outline(47, 54, 64);
const wxColour Paper(255, 255, 255);
const wxColour PaperShade(214, 220, 228);
const wxColour Green(46, 158, 68);
const wxColour Red(214, 48, 49);
const wxColour Amber(236, 160, 32);
const wxColour Blue(45, 108, 223);
const wxColour Grey(138, 147, 156);
const wxColour FolderBack(224, 168, 0);
const wxColour FolderFront(246, 195, 67);
const wxColour Wood(150, 98, 52);
const wxColour LeafGreen(76, 175, 80);
const wxColour CoverGreen(46, 125, 79);
const double OutlineWidth = 1.3;

constexpr double Degrees(double angle) {
    return angle * std::numbers::pi / 180.0;
}

// Drawing helpers on the 30 by 30 grid.
class Painter {
public:
    explicit Painter(wxGraphicsContext& gc) : m_gc(gc) {}

    wxGraphicsContext& Context() { return m_gc; }
    wxGraphicsPath Path() { return m_gc.CreatePath(); }

    void Fill(const wxGraphicsPath& path, const wxColour& fill, bool outlined = true) {
        m_gc.SetBrush(wxBrush(fill));
        SetOutlinePen(outlined ? Outline : fill, OutlineWidth);
        m_gc.DrawPath(path);
    }
    void Stroke(const wxGraphicsPath& path, const wxColour& colour, double width) {
        SetOutlinePen(colour, width);
        m_gc.StrokePath(path);
    }
    void Line(double x1, double y1, double x2, double y2, const wxColour& colour, double width) {
        SetOutlinePen(colour, width);
        m_gc.StrokeLine(x1, y1, x2, y2);
    }
    void Rectangle(double left, double top, double right, double bottom, const wxColour& fill,
                   double radius = 1.5) {
        wxGraphicsPath path = Path();
        path.AddRoundedRectangle(left, top, right - left, bottom - top, radius);
        Fill(path, fill);
    }
    void Circle(double x, double y, double radius, const wxColour& fill, bool outlined = true) {
        wxGraphicsPath path = Path();
        path.AddCircle(x, y, radius);
        Fill(path, fill, outlined);
    }
    // A bold glyph centred on (x, y).
    void Glyph(const wxString& text, double x, double y, double height, const wxColour& colour) {
        wxFont font(wxFontInfo(height).Family(wxFONTFAMILY_SWISS).Bold());
        font.SetFractionalPointSize(height);
        m_gc.SetFont(font, colour);
        double width = 0, textHeight = 0, descent = 0, leading = 0;
        m_gc.GetTextExtent(text, &width, &textHeight, &descent, &leading);
        m_gc.DrawText(text, x - width / 2, y - (textHeight - descent) / 2 - descent / 3);
    }

private:
    void SetOutlinePen(const wxColour& colour, double width) {
        m_gc.SetPen(m_gc.CreatePen(
            wxGraphicsPenInfo(colour).Width(width).Join(wxJOIN_ROUND).Cap(wxCAP_ROUND)));
    }

    wxGraphicsContext& m_gc;
};

// ---- shapes used by several pictures

void DrawHeart(Painter& painter, double cx, double cy, double lobe) {
    wxGraphicsPath heart = painter.Path();
    heart.MoveToPoint(cx, cy + lobe * 2.2);
    heart.AddArc(cx - lobe, cy, lobe, Degrees(140), Degrees(360), true);
    heart.AddArc(cx + lobe, cy, lobe, Degrees(180), Degrees(400), true);
    heart.CloseSubpath();
    painter.Fill(heart, Red);
}

void DrawApple(Painter& painter, double cx, double cy, double r) {
    painter.Line(cx, cy - 0.5 * r, cx + 0.2 * r, cy - 1.15 * r, Wood, 1.6);
    wxGraphicsPath leaf = painter.Path();
    leaf.MoveToPoint(cx + 0.15 * r, cy - 0.85 * r);
    leaf.AddQuadCurveToPoint(cx + 0.6 * r, cy - 1.45 * r, cx + 1.05 * r, cy - 1.1 * r);
    leaf.AddQuadCurveToPoint(cx + 0.6 * r, cy - 0.6 * r, cx + 0.15 * r, cy - 0.85 * r);
    painter.Fill(leaf, LeafGreen);
    wxGraphicsPath apple = painter.Path();
    apple.MoveToPoint(cx, cy - 0.55 * r);
    apple.AddCurveToPoint(cx + 0.35 * r, cy - 0.95 * r, cx + 1.05 * r, cy - 0.8 * r, cx + r,
                          cy - 0.05 * r);
    apple.AddCurveToPoint(cx + 0.95 * r, cy + 0.7 * r, cx + 0.45 * r, cy + 1.05 * r, cx,
                          cy + 0.85 * r);
    apple.AddCurveToPoint(cx - 0.45 * r, cy + 1.05 * r, cx - 0.95 * r, cy + 0.7 * r, cx - r,
                          cy - 0.05 * r);
    apple.AddCurveToPoint(cx - 1.05 * r, cy - 0.8 * r, cx - 0.35 * r, cy - 0.95 * r, cx,
                          cy - 0.55 * r);
    apple.CloseSubpath();
    painter.Fill(apple, Red);
}

void DrawArrowRight(Painter& painter, double left, double cy, double right, const wxColour& fill) {
    const double head = (right - left) * 0.45;
    wxGraphicsPath arrow = painter.Path();
    arrow.MoveToPoint(left, cy - 2.2);
    arrow.AddLineToPoint(right - head, cy - 2.2);
    arrow.AddLineToPoint(right - head, cy - 5);
    arrow.AddLineToPoint(right, cy);
    arrow.AddLineToPoint(right - head, cy + 5);
    arrow.AddLineToPoint(right - head, cy + 2.2);
    arrow.AddLineToPoint(left, cy + 2.2);
    arrow.CloseSubpath();
    painter.Fill(arrow, fill);
}

// A vertical arrow; pointing up when `up`.
void DrawArrowVertical(Painter& painter, double cx, double top, double bottom, bool up,
                       const wxColour& fill) {
    const double tip = up ? top : bottom;
    const double tail = up ? bottom : top;
    const double head = (bottom - top) * 0.5 * (up ? 1 : -1);
    wxGraphicsPath arrow = painter.Path();
    arrow.MoveToPoint(cx, tip);
    arrow.AddLineToPoint(cx + 4, tip + head);
    arrow.AddLineToPoint(cx + 1.6, tip + head);
    arrow.AddLineToPoint(cx + 1.6, tail);
    arrow.AddLineToPoint(cx - 1.6, tail);
    arrow.AddLineToPoint(cx - 1.6, tip + head);
    arrow.AddLineToPoint(cx - 4, tip + head);
    arrow.CloseSubpath();
    painter.Fill(arrow, fill);
}

void DrawPage(Painter& painter, double left, double top, double right, double bottom) {
    const double fold = 5;
    wxGraphicsPath page = painter.Path();
    page.MoveToPoint(left, top);
    page.AddLineToPoint(right - fold, top);
    page.AddLineToPoint(right, top + fold);
    page.AddLineToPoint(right, bottom);
    page.AddLineToPoint(left, bottom);
    page.CloseSubpath();
    painter.Fill(page, Paper);
    wxGraphicsPath corner = painter.Path();
    corner.MoveToPoint(right - fold, top);
    corner.AddLineToPoint(right - fold, top + fold);
    corner.AddLineToPoint(right, top + fold);
    corner.CloseSubpath();
    painter.Fill(corner, PaperShade);
}

// A round badge with a white sign on it, as the three list switches show.
void DrawBadge(Painter& painter, const wxColour& fill) {
    painter.Circle(15, 15, 11.5, fill);
}

// ---- the pictures, one function each

void DrawNew(Painter& painter) {
    DrawPage(painter, 6.5, 3.5, 23.5, 26.5);
}

void DrawOpen(Painter& painter) {
    wxGraphicsPath back = painter.Path();
    back.MoveToPoint(3.5, 24.5);
    back.AddLineToPoint(3.5, 6.5);
    back.AddLineToPoint(11, 6.5);
    back.AddLineToPoint(13, 9);
    back.AddLineToPoint(23.5, 9);
    back.AddLineToPoint(23.5, 24.5);
    back.CloseSubpath();
    painter.Fill(back, FolderBack);
    wxGraphicsPath front = painter.Path();
    front.MoveToPoint(3.5, 24.5);
    front.AddLineToPoint(8, 13.5);
    front.AddLineToPoint(28, 13.5);
    front.AddLineToPoint(23.5, 24.5);
    front.CloseSubpath();
    painter.Fill(front, FolderFront);
}

void DrawSave(Painter& painter) {
    painter.Rectangle(4.5, 4.5, 25.5, 25.5, Blue, 2);
    painter.Rectangle(9.5, 4.5, 20.5, 11.5, PaperShade, 0.5);
    painter.Rectangle(16.5, 6, 18.5, 10, Outline, 0.3);
    painter.Rectangle(8.5, 15.5, 21.5, 25.5, Paper, 0.5);
    painter.Line(10.5, 19, 19.5, 19, Grey, 1);
    painter.Line(10.5, 22, 19.5, 22, Grey, 1);
}

void DrawUpdateSymptoms(Painter& painter) {
    painter.Rectangle(5.5, 4.5, 24.5, 27.5, Wood, 1.5);
    painter.Rectangle(8, 7.5, 22, 25.5, Paper, 0.5);
    painter.Rectangle(11, 2.5, 19, 6.5, Grey, 1);
    DrawArrowVertical(painter, 11.5, 10, 23, true, Green);
    DrawArrowVertical(painter, 18.5, 10, 23, false, Red);
}

void DrawCreateDayList(Painter& painter) {
    painter.Circle(15, 15.5, 9, Paper);
    painter.Circle(15, 15.5, 5.5, PaperShade);
    // fork
    for (double x : {2.5, 4.5, 6.5}) painter.Line(x, 5, x, 10, Grey, 1.2);
    painter.Line(2.5, 10, 6.5, 10, Grey, 1.2);
    painter.Line(4.5, 10, 4.5, 27, Grey, 2);
    // knife
    wxGraphicsPath blade = painter.Path();
    blade.MoveToPoint(25.5, 27);
    blade.AddLineToPoint(25.5, 4.5);
    blade.AddQuadCurveToPoint(28.5, 8, 27.5, 15);
    blade.AddLineToPoint(25.5, 15);
    painter.Fill(blade, PaperShade);
    painter.Line(25.5, 15, 25.5, 27, Grey, 2);
}

void DrawUpdateConnections(Painter& painter) {
    const double inputs[] = {6, 15, 24};
    const double outputs[] = {10, 20};
    for (double from : inputs)
        for (double to : outputs) painter.Line(6, from, 24, to, Grey, 1.2);
    for (double y : inputs) painter.Circle(6, y, 3.2, Blue);
    for (double y : outputs) painter.Circle(24, y, 3.6, Amber);
}

void DrawCalendar(Painter& painter, double left, double top, double right, double bottom) {
    painter.Rectangle(left, top, right, bottom, Paper, 1.5);
    wxGraphicsPath band = painter.Path();
    band.AddRoundedRectangle(left, top, right - left, 5.5, 1.5);
    painter.Fill(band, Red);
    for (double x = left + 4; x < right - 2; x += 4)
        for (double y = top + 9; y < bottom - 2; y += 4) painter.Circle(x, y, 0.9, Grey, false);
}

void DrawGenerateTomorrowsLists(Painter& painter) {
    DrawCalendar(painter, 2.5, 3.5, 22.5, 25.5);
    DrawArrowRight(painter, 13, 22, 28.5, Green);
}

void DrawInclusions(Painter& painter) {
    DrawBadge(painter, Green);
    wxGraphicsPath tick = painter.Path();
    tick.MoveToPoint(9, 15.5);
    tick.AddLineToPoint(13.5, 20);
    tick.AddLineToPoint(21.5, 10.5);
    painter.Stroke(tick, Paper, 3.2);
}

void DrawUnclassified(Painter& painter) {
    DrawBadge(painter, Amber);
    painter.Glyph("?", 15, 15, 15, Paper);
}

void DrawExclusions(Painter& painter) {
    DrawBadge(painter, Red);
    painter.Line(10, 10, 20, 20, Paper, 3.2);
    painter.Line(20, 10, 10, 20, Paper, 3.2);
}

void DrawSymptoms(Painter& painter) {
    DrawHeart(painter, 15, 10.5, 6.5);
    wxGraphicsPath pulse = painter.Path();
    pulse.MoveToPoint(4, 14);
    pulse.AddLineToPoint(10, 14);
    pulse.AddLineToPoint(12.5, 9);
    pulse.AddLineToPoint(15.5, 19);
    pulse.AddLineToPoint(18, 14);
    pulse.AddLineToPoint(26, 14);
    painter.Stroke(pulse, Paper, 1.8);
}

void DrawFoods(Painter& painter) {
    DrawApple(painter, 15, 17, 10);
}

void DrawHistory(Painter& painter) {
    painter.Rectangle(3.5, 4.5, 26.5, 25.5, Paper, 1);
    wxGraphicsPath line = painter.Path();
    line.MoveToPoint(6, 19);
    line.AddLineToPoint(10, 12);
    line.AddLineToPoint(14, 16);
    line.AddLineToPoint(18, 8);
    line.AddLineToPoint(24, 14);
    painter.Stroke(line, Red, 2);
    painter.Line(5.5, 22.5, 24.5, 22.5, Outline, 1);
}

// A window of bars on a day axis, coloured as the charts colour better, no change and worse.
void DrawCharts(Painter& painter) {
    painter.Rectangle(2.5, 3.5, 27.5, 26.5, Paper, 1.5);
    wxGraphicsPath band = painter.Path();
    band.AddRoundedRectangle(2.5, 3.5, 25, 4.5, 1.5);
    painter.Fill(band, Blue);
    const struct {
        double top;
        wxColour fill;
    } bars[] = {{13, Green}, {17, Amber}, {10.5, Red}, {15, Green}};
    double left = 6;
    for (const auto& bar : bars) {
        painter.Rectangle(left, bar.top, left + 3.6, 22.5, bar.fill, 0.4);
        left += 4.9;
    }
    painter.Line(5, 22.5, 25, 22.5, Outline, 1.2);
}

void DrawGenerateCurrentLists(Painter& painter) {
    painter.Rectangle(4.5, 3.5, 25.5, 26.5, Paper, 1.5);
    const wxColour bullets[] = {Green, Amber, Red};
    double y = 9;
    for (const wxColour& bullet : bullets) {
        painter.Circle(9.5, y, 2.4, bullet);
        painter.Line(14, y, 22, y, Grey, 1.6);
        y += 6;
    }
}

void DrawRelateFoodsToSymptoms(Painter& painter) {
    DrawApple(painter, 7.5, 19, 5.5);
    DrawHeart(painter, 22.5, 16, 3.5);
    wxGraphicsPath link = painter.Path();
    link.MoveToPoint(6, 7);
    link.AddLineToPoint(24, 7);
    painter.Stroke(link, Outline, 1.5);
    for (double tip : {4.0, 26.0}) {
        const double back = tip < 15 ? tip + 3.5 : tip - 3.5;
        wxGraphicsPath head = painter.Path();
        head.MoveToPoint(tip, 7);
        head.AddLineToPoint(back, 4);
        head.AddLineToPoint(back, 10);
        head.CloseSubpath();
        painter.Fill(head, Outline, false);
    }
}

// Two rows of day cells: dark where a food was eaten, red where the next day was worse.
void DrawEvidence(Painter& painter) {
    const bool eaten[] = {true, false, true, false, false, true};
    for (int day = 0; day < 6; ++day) {
        const double left = 2.5 + day * 4.2;
        painter.Rectangle(left, 8.5, left + 4.2, 14.5, eaten[day] ? Outline : Paper, 1);
        painter.Rectangle(left, 15.5, left + 4.2, 21.5, eaten[day] ? Red : Paper, 1);
    }
}

void DrawPrint(Painter& painter) {
    painter.Rectangle(8.5, 3.5, 21.5, 12, Paper, 0.5);
    painter.Rectangle(3.5, 11.5, 26.5, 22.5, Grey, 2);
    painter.Circle(22.5, 15, 1.2, Green, false);
    painter.Rectangle(8.5, 18.5, 21.5, 27.5, Paper, 0.5);
    painter.Line(10.5, 22, 19.5, 22, Grey, 1);
    painter.Line(10.5, 25, 17, 25, Grey, 1);
}

void DrawAbout(Painter& painter) {
    DrawBadge(painter, Blue);
    painter.Circle(15, 9, 1.9, Paper, false);
    painter.Line(15, 13.5, 15, 21.5, Paper, 3.4);
}

void DrawContextHelp(Painter& painter) {
    wxGraphicsPath cursor = painter.Path();
    cursor.MoveToPoint(3.5, 3.5);
    cursor.AddLineToPoint(3.5, 22);
    cursor.AddLineToPoint(8, 17.5);
    cursor.AddLineToPoint(11, 24.5);
    cursor.AddLineToPoint(14, 23);
    cursor.AddLineToPoint(11, 16.5);
    cursor.AddLineToPoint(17, 16.5);
    cursor.CloseSubpath();
    painter.Fill(cursor, Paper);
    painter.Glyph("?", 23, 11, 17, Blue);
}

void DrawDiary(Painter& painter) {
    painter.Rectangle(8, 4, 27, 28, Paper, 1.5);
    painter.Rectangle(4, 2.5, 24.5, 27, CoverGreen, 2);
    painter.Line(8, 3.5, 8, 26, Outline, 1);
    DrawApple(painter, 16.5, 16, 6);
}

// A day on a calendar sheet with a tick: today's entries.
void DrawToday(Painter& painter) {
    painter.Rectangle(4, 5, 26, 27, Paper, 2);
    wxGraphicsPath band = painter.Path();
    band.AddRoundedRectangle(4, 5, 22, 7, 2);
    painter.Fill(band, Red);
    painter.Line(10, 3, 10, 8, Outline, 2);
    painter.Line(20, 3, 20, 8, Outline, 2);
    wxGraphicsPath tick = painter.Path();
    tick.MoveToPoint(9.5, 19);
    tick.AddLineToPoint(13.5, 23);
    tick.AddLineToPoint(21, 15);
    painter.Stroke(tick, Green, 3);
}

using PictureFunction = void (*)(Painter&);

const PictureFunction Pictures[ToolbarImageCount] = {
    DrawNew,
    DrawOpen,
    DrawSave,
    DrawToday,
    DrawUpdateSymptoms,
    DrawCreateDayList,
    DrawUpdateConnections,
    DrawGenerateTomorrowsLists,
    DrawInclusions,
    DrawUnclassified,
    DrawExclusions,
    DrawSymptoms,
    DrawFoods,
    DrawHistory,
    DrawCharts,
    DrawGenerateCurrentLists,
    DrawRelateFoodsToSymptoms,
    DrawEvidence,
    DrawPrint,
    DrawAbout,
    DrawContextHelp,
};

// Runs a picture function on a transparent image of the given size.
wxBitmap Render(PictureFunction picture, int size) {
    wxImage image(size, size);
    image.InitAlpha();
    unsigned char* alpha = image.GetAlpha();
    std::fill(alpha, alpha + size * size, 0);
    {
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(image));
        gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
        gc->Scale(size / double(ToolbarImageSize), size / double(ToolbarImageSize));
        Painter painter(*gc);
        picture(painter);
    }  // the context writes its drawing back into the image when it goes
    return wxBitmap(image);
}

}  // namespace

wxBitmap DrawToolbarImage(ToolbarImage image, int size) {
    return Render(Pictures[static_cast<int>(image)], size);
}

wxBitmap DrawMainIcon(int size) {
    return Render(DrawDiary, size);
}

wxIconBundle DrawMainIcons() {
    wxIconBundle icons;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        wxIcon icon;
        icon.CopyFromBitmap(DrawMainIcon(size));
        icons.AddIcon(icon);
    }
    return icons;
}
