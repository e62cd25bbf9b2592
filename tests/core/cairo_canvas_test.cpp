#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "diary/Symptom.h"
#include "page/CairoCanvas.h"
#include "page/CairoFile.h"
#include "page/PagePicture.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"
#include "tests/support/ReaderTools.h"

namespace {

std::string SaveScratch(const std::string& bytes, const std::string& suffix) {
    const std::string path = testing::TempDir() + "cairo-canvas-" + std::to_string(getpid()) + "-" +
                             testing::UnitTest::GetInstance()->current_test_info()->name() + suffix;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// A PNG read back, to look at single pixels.
class Pixels {
public:
    explicit Pixels(const std::string& png) : m_png(png) {
        m_surface = cairo_image_surface_create_from_png_stream(
            [](void* closure, unsigned char* data, unsigned int length) {
                auto* self = static_cast<Pixels*>(closure);
                if (self->m_read + length > self->m_png.size()) return CAIRO_STATUS_READ_ERROR;
                self->m_png.copy(reinterpret_cast<char*>(data), length, self->m_read);
                self->m_read += length;
                return CAIRO_STATUS_SUCCESS;
            },
            this);
        cairo_surface_flush(m_surface);
    }
    ~Pixels() { cairo_surface_destroy(m_surface); }
    int Width() const { return cairo_image_surface_get_width(m_surface); }
    int Height() const { return cairo_image_surface_get_height(m_surface); }
    // 0xRRGGBB
    std::uint32_t At(int x, int y) const {
        const unsigned char* row =
            cairo_image_surface_get_data(m_surface) + y * cairo_image_surface_get_stride(m_surface);
        return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
    }

private:
    std::string m_png;
    std::size_t m_read = 0;
    cairo_surface_t* m_surface;
};

std::string Draw(PictureFormat format, PictureSize size, auto drawing) {
    CairoFile file(format, size);
    {
        CairoCanvas canvas(file.Context(), {}, false);
        drawing(canvas);
    }
    std::string bytes;
    EXPECT_EQ(file.Finish(bytes).Message(), "");
    return bytes;
}

}  // namespace

TEST(CairoCanvas, PageFontIsTheScreensFixedPitchFace) {
    CairoFile file(PictureFormat::Png, {10, 10, 1});
    CairoCanvas canvas(file.Context(), {12, 15, 10}, false);
    // Liberation Mono, which stands for Courier New: 0.6 em advance, 1.133 em line.
    EXPECT_EQ(canvas.GetFontMetrics().averageCharWidth, 7);
    EXPECT_EQ(canvas.GetFontMetrics().RowHeight(), 14);
    EXPECT_EQ(canvas.TextWidth("iiiiiiiiii"), canvas.TextWidth("WWWWWWWWWW"));
    // Glyphs sit on whole units, so a character advances exactly one cell, as on the screen.
    EXPECT_EQ(canvas.TextWidth("0123456789"), 70);
    canvas.SelectFont(CanvasFont::Title);
    EXPECT_EQ(canvas.GetFontMetrics().averageCharWidth, 9);
    canvas.SelectFont(CanvasFont::Small);
    EXPECT_EQ(canvas.GetFontMetrics().averageCharWidth, 6);
}

TEST(CairoCanvas, ReaderGetsTheTextFromTheDiaryCodePage) {
    const std::string pdf = SaveScratch(
        Draw(PictureFormat::Pdf, {400, 100, 1},
             [](Canvas& canvas) { canvas.DrawText(10, 20, "Fish & <chips> caf\xE9 \x80"); }),
        ".pdf");
    EXPECT_NE(PdfText(pdf).find("Fish & <chips> caf\xC3\xA9 \xE2\x82\xAC"), std::string::npos)
        << PdfText(pdf);
}

TEST(CairoCanvas, PensFillsAndBoxesLandOnTheirPixels) {
    const Pixels png(Draw(PictureFormat::Png, {60, 40, 1}, [](Canvas& canvas) {
        canvas.DrawRectangle(0, 0, 20, 20);
        canvas.SelectPen(CanvasPen::RedWide);
        canvas.DrawLine(30, 10, 50, 10);  // covers rows 9 and 10
        canvas.FillRectangle(30, 20, 40, 30, CanvasFill::Worse);
        canvas.FillRectangle(45, 20, 55, 30, CanvasFill::Better);
    }));
    ASSERT_EQ(png.Width(), 60);
    // Worse and better lie 86 apart in grey, so they stay apart printed in black and white.
    const struct {
        int x, y;
        std::uint32_t colour;
    } cases[] = {
        {0, 0, 0x000000},   {19, 19, 0x000000}, {10, 10, 0xFFFFFF}, {20, 20, 0xFFFFFF},
        {35, 9, 0xFF0000},  {35, 10, 0xFF0000}, {35, 11, 0xFFFFFF}, {35, 25, 0xC73333},
        {50, 25, 0x8FD18F}, {57, 25, 0xFFFFFF},
    };
    for (const auto& c : cases) EXPECT_EQ(png.At(c.x, c.y), c.colour) << "at " << c.x << "," << c.y;
}

TEST(PagePicture, EveryFormatHoldsTheWholePage) {
    FakeDiary diary;
    diary.host.SetPathName("/tmp/picture.glg");
    Members(diary.doc).m_showHistory = true;
    for (const char* name : {"Nausea", "Headache", "Cramps"})
        Members(diary.doc).m_symptoms.emplace_back(name);
    Members(diary.doc).m_symptoms.back().m_history.back() = 'b';
    diary.doc.RebuildSymptomLines();
    std::string drawn;
    ASSERT_EQ(DrawPagePicture(diary.doc, PictureFormat::Pdf, drawn).Message(), "");
    const std::string pdf = SaveScratch(drawn, ".pdf");
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("\"picture.glg\"."), std::string::npos) << text;
    int better = 0;
    for (auto at = text.find("Better"); at != std::string::npos; at = text.find("Better", at + 1))
        ++better;
    EXPECT_EQ(better, 3) << "every history box, the last one too";
    EXPECT_NE(text.find("better"), std::string::npos) << "Cramps' status";

    std::string svg;
    EXPECT_TRUE(DrawPagePicture(diary.doc, PictureFormat::Svg, svg).IsOk());
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);

    std::string pngBytes;
    EXPECT_TRUE(DrawPagePicture(diary.doc, PictureFormat::Png, pngBytes).IsOk());
    const Pixels png(pngBytes);
    EXPECT_EQ(png.Width(), 10 + 100 * 7);
    // The last history box's lower edge lies inside the picture.
    int lowestBlack = -1;
    for (int y = 0; y < png.Height(); ++y)
        if (png.At(30 * 7, y) == 0x000000) lowestBlack = y;
    EXPECT_GT(lowestBlack, 30 * 14);
    EXPECT_LT(lowestBlack, png.Height() - 1);
}
