// The page of a large diary (500 foods, 20 symptoms, every section shown): a full draw against
// the repaint of one screen of rows, on a canvas that only counts calls, so the numbers are the
// layout's own cost (ordering, row placement, record drawing) without any real device.

#include <benchmark/benchmark.h>

#include "BenchDiaries.h"
#include "diary/QuietPorts.h"
#include "page/Canvas.h"
#include "page/PageLayout.h"
#include "tests/support/DocumentTestAccess.h"

namespace {

class CountingCanvas : public Canvas {
public:
    bool IsPrinting() const override { return false; }
    FontMetrics GetFontMetrics() const override { return {15, 0, 7}; }
    void DrawText(int, int, std::string_view text) override { characters += text.size(); }
    void DrawRectangle(int, int, int, int) override { ++shapes; }
    void DrawLine(int, int, int, int) override { ++shapes; }
    void SelectPen(CanvasPen) override {}
    void FillRectangle(int, int, int, int, CanvasFill) override { ++shapes; }
    void DrawTextInCells(int, int, std::string_view text, int) override {
        characters += text.size();
    }

    std::size_t characters = 0;
    std::size_t shapes = 0;
};

struct LargeDiary {
    LargeDiary() {
        host.SetPathName("/home/user/large.glg");
        bench::FillDiary(doc, 500, 20);
        for (int i = 0; i < 40; ++i)
            Members(doc).m_inclusions.emplace_back("Inclusion " + std::to_string(i));
        for (int i = 0; i < 40; ++i)
            Members(doc).m_exclusions.emplace_back("Exclusion " + std::to_string(i));
        for (int i = 0; i < 30; ++i)
            Members(doc).m_over50Days.emplace_back("Unclassified " + std::to_string(i));
        Members(doc).m_showFoods = Members(doc).m_showHistory = true;
        settings.WriteInt("Settings", "SortOrder", 1);
    }
    MemorySettings settings;
    PlainHost host;
    CGastrologDoc doc{DocumentPorts{&settings, &host}};
};

void Draw(benchmark::State& state, PageRows rows) {
    LargeDiary diary;
    std::size_t characters = 0;
    for (auto _ : state) {
        CountingCanvas canvas;
        PageLayout(diary.doc, canvas, rows).Draw();
        characters = canvas.characters;
        benchmark::DoNotOptimize(characters);
    }
    state.counters["rows"] = diary.doc.GetLineCount();
    state.counters["characters"] = static_cast<double>(characters);
}

void FullPage(benchmark::State& state) {
    Draw(state, {});
}

// A window of 40 rows in the middle of the foods.
void OneScreen(benchmark::State& state) {
    PageRows rows;
    rows.neededFirst = 300;
    rows.neededLast = 339;
    Draw(state, rows);
}

// A scroll by one row repaints a single row.
void OneRow(benchmark::State& state) {
    PageRows rows;
    rows.neededFirst = rows.neededLast = 300;
    Draw(state, rows);
}

}  // namespace

BENCHMARK(FullPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(OneScreen)->Unit(benchmark::kMicrosecond);
BENCHMARK(OneRow)->Unit(benchmark::kMicrosecond);
