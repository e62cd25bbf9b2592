#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "diary/Food.h"
#include "diary/ListEntries.h"
#include "diary/Symptom.h"
#include "page/RecordDrawing.h"
#include "page/ScoreFormat.h"
#include "tests/support/RecordingCanvas.h"

namespace {

// The recording canvas: rows of 16 pixels, characters 8 pixels wide, margin 10 (60 printing).
constexpr int RowHeight = 16;
constexpr int CharWidth = 8;
constexpr int ScreenMargin = 10;
constexpr int PrinterMargin = 60;

int Column(int column, int margin = ScreenMargin) {
    return margin + column * CharWidth;
}

CFood FoodNamed(std::string name) {
    CFood food(std::move(name));
    food.m_score = 0.5f;
    return food;
}

// A history of 50 codes: the given ones from position 1 on, the rest "n".
std::string HistoryStarting(const std::string& codes) {
    std::string history(50, 'n');
    history.replace(1, codes.size(), codes);
    return history;
}

}  // namespace

TEST(FoodRow, NameShortenedPastTwentyAndTheScoreTwoColumnsLeftOfItsHeader) {
    RecordingCanvas canvas;
    DrawFood(canvas, FoodNamed("Twenty characters ok"), 0);
    DrawFood(canvas, FoodNamed("Twenty-one characters"), 1);
    ASSERT_NE(canvas.FindText("Twenty characters ok"), nullptr);
    const DrawCall* shortened = canvas.FindText("Twenty-one charac...");
    ASSERT_NE(shortened, nullptr);
    EXPECT_EQ(shortened->x, ScreenMargin);
    EXPECT_EQ(shortened->y, RowHeight);
    // Ten thousand times the score; a tiny one in exponent form.
    CFood salt("Salt");
    salt.m_score = std::ldexp(1.0f, -30);  // 9.313225746...e-10, exact in a float
    DrawFood(canvas, salt, 2);
    const DrawCall* tiny = canvas.FindText("9.3132257e-006");
    ASSERT_NE(tiny, nullptr);
    EXPECT_EQ(tiny->x, Column(72));
    RecordingCanvas printer(true);
    DrawFood(printer, FoodNamed("Rice"), 2);
    const DrawCall* score = printer.FindText("5000.");
    ASSERT_NE(score, nullptr);
    EXPECT_EQ(score->x, Column(72, PrinterMargin));
    EXPECT_EQ(score->y, 2 * RowHeight);
    ASSERT_NE(printer.FindText("Rice"), nullptr);
    EXPECT_EQ(printer.FindText("Rice")->x, PrinterMargin);
}

TEST(FoodRow, MarksFollowTheHistoryPositionsAndUpperCaseYIsNotEaten) {
    CFood milk("Milk");
    milk.m_history = std::string(50, 'n');
    milk.m_history[0] = 'y';   // the oldest slot is never drawn
    milk.m_history[1] = 'y';   // column 21
    milk.m_history[10] = 'Y';  // column 30: not eaten as drawn
    // A new food is eaten today only: 48 "-" then a "+" under "now".
    for (const auto& [food, marks] : {std::pair{CFood("Tea"), std::string(48, '-') + "+"},
                                      std::pair{milk, "+" + std::string(48, '-')}}) {
        SCOPED_TRACE(food.m_name);
        RecordingCanvas canvas;
        DrawFood(canvas, food, 3);
        std::string columns(70, ' ');
        for (const DrawCall& text : canvas.Texts()) {
            if (text.text != "+" && text.text != "-") continue;
            EXPECT_EQ(text.y, 3 * RowHeight);
            const int column = (text.x - ScreenMargin) / CharWidth;
            ASSERT_GE(column, 21);
            ASSERT_LE(column, 69);
            EXPECT_EQ(columns[column], ' ') << "column " << column << " drawn twice";
            columns[column] = text.text[0];
        }
        EXPECT_EQ(columns, std::string(21, ' ') + marks);
    }
}

TEST(ScoreFormat, FixedNotationOrThreeExponentDigitsForSmallAndHugeValues) {
    // Fixed notation keeps the point and drops trailing zeros.
    EXPECT_EQ(FormatScore(0.5 * 10000), "5000.");
    EXPECT_EQ(FormatScore(1234.5678), "1234.5678");
    EXPECT_EQ(FormatScore(12345.678901), "12345.679");  // 8 significant digits
    EXPECT_EQ(FormatScore(0.1), "0.1");
    EXPECT_EQ(FormatScore(0.123456789), "0.12345679");
    EXPECT_EQ(FormatScore(99999999.4), "99999999.");
    EXPECT_EQ(FormatScore(-2.5), "-2.5");
    EXPECT_EQ(FormatScore(0.0), "0.");
    EXPECT_EQ(FormatScore(1.5e-5), "1.5e-005");
    EXPECT_EQ(FormatScore(0.09), "9.e-002");  // below 0.1
    EXPECT_EQ(FormatScore(1e8), "1.e+008");
    EXPECT_EQ(FormatScore(99999999.6), "1.e+008");  // rounds up into the next decade
    EXPECT_EQ(FormatScore(123456789.0), "1.2345679e+008");
    EXPECT_EQ(FormatScore(-3.25e-7), "-3.25e-007");
    EXPECT_EQ(FormatScore(1e-300 * 1e-10), "1.e-310");
}

TEST(ListEntryRow, NameAndColumnOffset) {
    RecordingCanvas canvas;
    DrawListEntry(canvas, CInclusion(std::string(23, 'i')), 4, 25);
    DrawListEntry(canvas, CExclusion(std::string(20, 'e') + "tail"), 5, 75);
    DrawListEntry(canvas, COver50Day("Plum"), 6, 50);
    const auto texts = canvas.Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], (DrawCall{DrawCall::Kind::Text, Column(25), 4 * RowHeight, 0, 0,
                                  std::string(23, 'i')}));
    EXPECT_EQ(texts[1], (DrawCall{DrawCall::Kind::Text, Column(75), 5 * RowHeight, 0, 0,
                                  std::string(20, 'e') + "..."}));
    EXPECT_EQ(texts[2].x, Column(50));
}

TEST(SymptomStatus, TodaysCodeDecidesTheWordInEitherHalfAndNamesPastEighteenAreShortened) {
    RecordingCanvas canvas;
    CSymptom better("Headache"), worse("Bloating"), never("Cramps");
    better.m_history.back() = 'b';
    worse.m_history.back() = 'w';
    DrawSymptomStatus(canvas, better, 2, true);
    DrawSymptomStatus(canvas, worse, 2, false);
    DrawSymptomStatus(canvas, never, 3, true);
    const auto texts = canvas.Texts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0], (DrawCall{DrawCall::Kind::Text, Column(0), 32, 0, 0, "Headache"}));
    EXPECT_EQ(texts[1], (DrawCall{DrawCall::Kind::Text, Column(20), 32, 0, 0, "better"}));
    EXPECT_EQ(texts[2], (DrawCall{DrawCall::Kind::Text, Column(50), 32, 0, 0, "Bloating"}));
    EXPECT_EQ(texts[3], (DrawCall{DrawCall::Kind::Text, Column(70), 32, 0, 0, "worse"}));
    EXPECT_EQ(texts[5].text, "no change");
    DrawSymptomStatus(canvas, CSymptom(std::string(18, 's')), 0, true);
    DrawSymptomStatus(canvas, CSymptom("Nineteen characters"), 1, true);
    EXPECT_NE(canvas.FindText(std::string(18, 's')), nullptr);
    EXPECT_NE(canvas.FindText("Nineteen charac..."), nullptr);
}

class HistoryBox : public ::testing::Test {
protected:
    // The red line's segments; the first starts at the chart's left edge one pixel below mid.
    std::vector<DrawCall> RedLines() const {
        std::vector<DrawCall> red;
        for (const DrawCall& line : canvas.Lines())
            if (line.pen == CanvasPen::RedWide) red.push_back(line);
        return red;
    }
    int Step(const std::string& history, int row = 5) {
        CSymptom symptom("Nausea");
        symptom.m_history = history;
        canvas.calls.clear();
        DrawSymptomHistory(canvas, symptom, row);
        const auto red = RedLines();
        EXPECT_EQ(red.size(), history.size() - 1);
        for (const DrawCall& segment : red) {
            const int rise = segment.y - segment.y2;
            if (rise != 0) return rise < 0 ? -rise : rise;
        }
        return 0;
    }

    RecordingCanvas canvas;
};

TEST_F(HistoryBox, BoxesBaselineLabelsAndLineGeometry) {
    CSymptom symptom("Headache");
    symptom.m_history = HistoryStarting("bw");
    DrawSymptomHistory(canvas, symptom, 10);
    const int y = 10 * RowHeight;
    const int top = y - 2 * RowHeight, bottom = y + 3 * RowHeight + 1;
    const auto rectangles = canvas.Rectangles();
    ASSERT_EQ(rectangles.size(), 2u);
    EXPECT_EQ(rectangles[0],
              (DrawCall{DrawCall::Kind::Rectangle, 0, top, 22 * CharWidth, bottom, ""}));
    EXPECT_EQ(rectangles[1], (DrawCall{DrawCall::Kind::Rectangle, 22 * CharWidth, top,
                                       71 * CharWidth + 1, bottom, ""}));
    const int mid = y + RowHeight / 2;
    EXPECT_EQ(canvas.Lines().front(),
              (DrawCall{DrawCall::Kind::Line, 22 * CharWidth, mid, 71 * CharWidth, mid, ""}));
    const auto red = RedLines();
    ASSERT_EQ(red.size(), 49u);
    EXPECT_EQ(red.front().x, 22 * CharWidth);
    EXPECT_EQ(red.front().y, mid + 1);
    EXPECT_EQ(red.back().x2, 71 * CharWidth);
    EXPECT_EQ(red[1].y2, red.front().y);  // "b" then "w": back to the start
    for (std::size_t i = 1; i < red.size(); ++i) EXPECT_EQ(red[i].x, red[i - 1].x2);
    EXPECT_EQ(*canvas.FindText("Better"),
              (DrawCall{DrawCall::Kind::Text, Column(13), top + 1, 0, 0, "Better"}));
    EXPECT_EQ(*canvas.FindText("Worse"),
              (DrawCall{DrawCall::Kind::Text, Column(14), y + 2 * RowHeight, 0, 0, "Worse"}));
    EXPECT_EQ(canvas.FindText("Headache")->y, y);
}

TEST_F(HistoryBox, RedPenOnlyForTheHistoryLine) {
    CSymptom symptom("Headache");
    DrawSymptomHistory(canvas, symptom, 3);
    std::vector<CanvasPen> selections;
    for (const DrawCall& call : canvas.calls)
        if (call.kind == DrawCall::Kind::Pen) selections.push_back(call.pen);
    EXPECT_EQ(selections, (std::vector<CanvasPen>{CanvasPen::RedWide, CanvasPen::Thin}));
    for (const DrawCall& rectangle : canvas.Rectangles()) EXPECT_EQ(rectangle.pen, CanvasPen::Thin);
    EXPECT_EQ(canvas.Lines().front().pen, CanvasPen::Thin);
}

TEST_F(HistoryBox, StepDropsToTheLargestThatFits) {
    // Room downwards from mid (y + 8) to y + 47 is 39 pixels: three "w" allow 13. Near the page
    // top the box starts above the canvas and the search still ends.
    const struct {
        std::string history;
        int row, step;
    } cases[] = {{HistoryStarting("bbw"), 5, 19}, {HistoryStarting("wbb"), 5, 32},
                 {HistoryStarting("www"), 5, 13}, {HistoryStarting("wwwb"), 5, 13},
                 {HistoryStarting("bbw"), 0, 19}, {HistoryStarting("bbw"), 1, 19},
                 {std::string(50, 'n'), 5, 0},    {"nb", 5, 2 * RowHeight}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.history.substr(0, 5) + " row " + std::to_string(c.row));
        EXPECT_EQ(Step(c.history, c.row), c.step);
    }
    EXPECT_EQ(record_drawing::HistoryStep(HistoryStarting("bbw"), 80, RowHeight), 19);
    EXPECT_EQ(record_drawing::HistoryStep(std::string(50, 'n'), 0, RowHeight), 2 * RowHeight);
    CSymptom symptom("Nausea");
    canvas.calls.clear();
    DrawSymptomHistory(canvas, symptom, 0);
    EXPECT_EQ(canvas.Rectangles().front().y, -2 * RowHeight);
}

TEST_F(HistoryBox, FortyNineBetterDaysRunFlatAtMidPlusOne) {
    const int row = 7;
    EXPECT_EQ(Step(std::string(50, 'b'), row), 0);
    const int mid = row * RowHeight + RowHeight / 2;
    for (const DrawCall& segment : RedLines()) {
        EXPECT_EQ(segment.y, mid + 1);
        EXPECT_EQ(segment.y2, mid + 1);
    }
}

TEST_F(HistoryBox, OnPaperBoxesStartAtTheEdgeAndTextsAtTheMargin) {
    RecordingCanvas printer(true);
    CSymptom symptom("Nausea");
    DrawSymptomHistory(printer, symptom, 4);
    EXPECT_EQ(printer.Rectangles().front().x, 0);
    EXPECT_EQ(printer.FindText("Nausea")->x, PrinterMargin);
    EXPECT_EQ(printer.FindText("Better")->x, Column(13, PrinterMargin));
}

TEST_F(HistoryBox, EmptyHistoryStillDrawsTheBoxes) {
    CSymptom symptom("Nausea");
    symptom.m_history.clear();
    EXPECT_TRUE(DrawSymptomHistory(canvas, symptom, 3));
    EXPECT_TRUE(RedLines().empty());
    EXPECT_EQ(canvas.Rectangles().size(), 2u);
}
