// The report for the doctor of a diary of 1000 foods and 20 symptoms: the evidence reading,
// both layout passes and the PDF with its fonts, in memory.

#include <benchmark/benchmark.h>

#include "BenchDiaries.h"
#include "page/ReportFile.h"

namespace {

void ReportOfLargeDiary(benchmark::State& state) {
    CGastrologDoc doc;
    bench::FillDiary(doc, static_cast<int>(state.range(0)), 20);
    Members(doc).m_lastUpdate = 1741287600;
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string failure;
        const std::string pdf = MakeReport(doc, "large.glg", PaperSize::A4, 0, failure);
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf.data());
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}

}  // namespace

BENCHMARK(ReportOfLargeDiary)->Arg(1000)->Unit(benchmark::kMillisecond);
