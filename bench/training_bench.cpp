// Update Connections: the full 5000-epoch training run on 50-day diaries.

#include <benchmark/benchmark.h>

#include "BenchDiaries.h"
#include "engine/FastTrainer.h"
#include "engine/Network.h"
#include "engine/TrainingSchedule.h"

namespace {

void SetSize(benchmark::State& state, CGastrologDoc& doc, double eatenShare) {
    bench::FillDiary(doc, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                     eatenShare);
    state.SetLabel(std::to_string(state.range(0)) + " foods, " + std::to_string(state.range(1)) +
                   " symptoms");
}

// What the command runs: reset, then the packed fast path.
void UpdateConnections(benchmark::State& state) {
    CGastrologDoc doc;
    SetSize(state, doc, 0.1);
    for (auto _ : state) {
        TrainNetwork(doc);
        benchmark::DoNotOptimize(doc.Foods().front().m_weight);
    }
}

// The same run through the document's four pattern operations, for comparison.
void UpdateConnectionsStepByStep(benchmark::State& state) {
    CGastrologDoc doc;
    SetSize(state, doc, 0.1);
    for (auto _ : state) {
        ResetNetwork(doc);
        FastTrainer::TrainStepByStep(doc.Network(), network::TrainingEpochs);
        benchmark::DoNotOptimize(doc.Foods().front().m_weight);
    }
}

// A diary where every food is eaten every other day: few inputs are zero.
void UpdateConnectionsBusyDiary(benchmark::State& state) {
    CGastrologDoc doc;
    SetSize(state, doc, 0.5);
    for (auto _ : state) {
        TrainNetwork(doc);
        benchmark::DoNotOptimize(doc.Foods().front().m_weight);
    }
}

void UpdateConnectionsBusyDiaryStepByStep(benchmark::State& state) {
    CGastrologDoc doc;
    SetSize(state, doc, 0.5);
    for (auto _ : state) {
        ResetNetwork(doc);
        FastTrainer::TrainStepByStep(doc.Network(), network::TrainingEpochs);
        benchmark::DoNotOptimize(doc.Foods().front().m_weight);
    }
}

}  // namespace

BENCHMARK(UpdateConnections)
    ->Args({30, 5})
    ->Args({100, 10})
    ->Args({300, 20})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(UpdateConnectionsStepByStep)
    ->Args({30, 5})
    ->Args({100, 10})
    ->Args({300, 20})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(UpdateConnectionsBusyDiary)
    ->Args({100, 10})
    ->Args({300, 20})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(UpdateConnectionsBusyDiaryStepByStep)
    ->Args({100, 10})
    ->Args({300, 20})
    ->Unit(benchmark::kMillisecond);
