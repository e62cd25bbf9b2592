// Generate Lists: every food's test pass, the baseline, and the three sorted lists.

#include <benchmark/benchmark.h>

#include "BenchDiaries.h"
#include "engine/ListGeneration.h"
#include "engine/Network.h"

namespace {

constexpr int Symptoms = 10;

void GenerateLists(benchmark::State& state) {
    CGastrologDoc doc;
    bench::FillDiary(doc, static_cast<int>(state.range(0)), Symptoms);
    for (auto _ : state) benchmark::DoNotOptimize(GenerateLists(doc, 2));
    state.SetLabel(std::to_string(state.range(0)) + " foods, " + std::to_string(Symptoms) +
                   " symptoms");
}

// The 2 × N full forward passes the lists need when each food's test pass is run on its own.
void TestPassesStepByStep(benchmark::State& state) {
    CGastrologDoc doc;
    bench::FillDiary(doc, static_cast<int>(state.range(0)), Symptoms);
    const int foods = static_cast<int>(doc.Foods().size());
    for (auto _ : state) {
        for (int pass = 0; pass < 2; ++pass)
            for (int food = 0; food < foods; ++food) ForwardPass(doc, 0, food);
        benchmark::DoNotOptimize(doc.Symptoms().front().m_output);
    }
    state.SetLabel(std::to_string(foods) + " foods, " + std::to_string(Symptoms) + " symptoms");
}

}  // namespace

BENCHMARK(GenerateLists)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(TestPassesStepByStep)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
