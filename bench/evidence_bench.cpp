// The whole day-after tally: every food, symptom and direction with the guard's rounds.

#include <benchmark/benchmark.h>

#include "BenchDiaries.h"
#include "engine/Evidence.h"

namespace {

void ReadWholeEvidence(benchmark::State& state) {
    CGastrologDoc doc;
    const int foods = static_cast<int>(state.range(0));
    const int symptoms = static_cast<int>(state.range(1));
    bench::FillDiary(doc, foods, symptoms, 0.2);
    // A few foods followed by a worse first symptom every time, so the guard runs rounds.
    for (int food = 0; food < 5; ++food)
        for (std::size_t day = 0; day + 1 < 50; ++day)
            if (Members(doc).m_foods[static_cast<std::size_t>(food)].m_history[day] == 'y')
                Members(doc).m_symptoms.front().m_history[day + 1] = 'w';
    for (auto _ : state) benchmark::DoNotOptimize(ReadEvidence(doc));
    state.SetLabel(std::to_string(foods) + " foods, " + std::to_string(symptoms) + " symptoms");
}

}  // namespace

BENCHMARK(ReadWholeEvidence)->Args({1000, 20})->Args({500, 20})->Unit(benchmark::kMillisecond);
