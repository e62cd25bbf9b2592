#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "diary/Symptom.h"
#include "page/SvgCanvas.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"

namespace {

int Count(const std::string& text, const std::string& what) {
    int count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

}  // namespace

TEST(SvgCanvas, TextIsEscapedAndConvertedFromTheDiaryCodePage) {
    SvgCanvas canvas(6);
    canvas.DrawText(10, 20, "Fish & <chips> \"caf\xE9\" \x80");
    const std::string svg = canvas.Document(100, 50);
    EXPECT_NE(svg.find("Fish &amp; &lt;chips&gt; &quot;caf\xC3\xA9&quot; \xE2\x82\xAC</text>"),
              std::string::npos);
    EXPECT_EQ(Count(svg, "<text "), 1);
}

TEST(SvgCanvas, CharacterCellDecidesTheFontAndRowHeight) {
    const SvgCanvas canvas(6);
    EXPECT_EQ(canvas.GetFontMetrics().averageCharWidth, 6);
    EXPECT_EQ(canvas.GetFontMetrics().RowHeight(), 12);  // font size 10, cell 11.33
    EXPECT_NE(canvas.Document(10, 10).find("font-size=\"10.000\""), std::string::npos);
}

TEST(SvgCanvas, PensAndBoxes) {
    SvgCanvas canvas(6);
    canvas.DrawRectangle(0, 10, 20, 40);
    canvas.SelectPen(CanvasPen::RedWide);
    canvas.DrawLine(1, 2, 3, 4);
    canvas.SelectPen(CanvasPen::Thin);
    canvas.DrawLine(5, 6, 7, 8);
    const std::string svg = canvas.Document(100, 50);
    EXPECT_NE(svg.find("<rect x=\"0.5\" y=\"10.5\" width=\"19\" height=\"29\""), std::string::npos);
    EXPECT_NE(svg.find("x1=\"1.0\" y1=\"2.0\" x2=\"3.0\" y2=\"4.0\" stroke=\"#ff0000\" "
                       "stroke-width=\"2\""),
              std::string::npos);
    EXPECT_NE(svg.find("x1=\"5.5\" y1=\"6.5\" x2=\"7.5\" y2=\"8.5\" stroke=\"#000000\" "
                       "stroke-width=\"1\""),
              std::string::npos);
}

TEST(PageToSvg, HoldsEveryRowOfThePage) {
    FakeDiary diary;
    diary.host.SetPathName("/tmp/svg.glg");
    Members(diary.doc).m_showHistory = true;
    for (const char* name : {"Nausea", "Headache", "Cramps"})
        Members(diary.doc).m_symptoms.emplace_back(name);
    diary.doc.RebuildSymptomLines();
    const std::string svg = PageToSvg(diary.doc, 6);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("&quot;svg.glg&quot;."), std::string::npos);
    EXPECT_EQ(Count(svg, ">Better</text>"), 3);
    // Every history box lies inside the picture, the last one too.
    const int height = std::stoi(svg.substr(svg.find("height=\"") + 8));
    int lowestBoxEdge = 0;
    for (auto at = svg.find("<rect x="); at != std::string::npos;
         at = svg.find("<rect x=", at + 1)) {
        const double top = std::stod(svg.substr(svg.find("y=\"", at) + 3));
        const int boxHeight = std::stoi(svg.substr(svg.find("height=\"", at) + 8));
        lowestBoxEdge = std::max(lowestBoxEdge, static_cast<int>(top) + boxHeight);
    }
    EXPECT_GT(lowestBoxEdge, 30 * 12);
    EXPECT_LE(lowestBoxEdge, height);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}
