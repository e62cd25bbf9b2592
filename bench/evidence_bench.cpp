// The whole evidence: every food, symptom and direction, over the diary's 50 days and over
// longer histories, with the adjusted tally (the default) and the plain count with its guard.

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
    EvidenceOptions options;
    options.plain = state.range(2) != 0;
    for (auto _ : state) benchmark::DoNotOptimize(ReadEvidence(doc, options));
    state.SetLabel(std::to_string(foods) + " foods, " + std::to_string(symptoms) + " symptoms" +
                   (options.plain ? ", plain" : ", adjusted"));
}

// Lived days as the history gives them: each food eaten on a fifth of the days, five foods
// followed by a worse first symptom.
EvidenceInput LongHistory(int days, int foods, int symptoms) {
    std::mt19937 random(20240601);
    std::bernoulli_distribution eaten(0.2);
    std::uniform_int_distribution<int> rating(0, 2);
    EvidenceInput input;
    for (int i = 0; i < foods; ++i) input.foods.push_back("Food " + std::to_string(i));
    for (int s = 0; s < symptoms; ++s) input.symptoms.push_back("Symptom " + std::to_string(s));
    bool triggerYesterday = false;
    for (int d = 0; d < days; ++d) {
        lived::LivedDay day;
        day.date = 20000 + d;
        bool trigger = false;
        for (int i = 0; i < foods; ++i)
            if (eaten(random)) {
                day.eaten.push_back(input.foods[static_cast<std::size_t>(i)]);
                trigger = trigger || i < 5;
            }
        for (int s = 0; s < symptoms; ++s)
            day.ratings.emplace_back(input.symptoms[static_cast<std::size_t>(s)],
                                     s == 0 && triggerYesterday ? 'w' : "bwn"[rating(random)]);
        triggerYesterday = trigger;
        input.days.push_back(std::move(day));
    }
    return input;
}

void ReadLongEvidence(benchmark::State& state) {
    const int days = static_cast<int>(state.range(0));
    const EvidenceInput input = LongHistory(days, 1000, 20);
    EvidenceOptions options;
    options.plain = state.range(1) != 0;
    for (auto _ : state) benchmark::DoNotOptimize(ReadEvidence(input, options));
    state.SetLabel(std::to_string(days) + " days, 1000 foods, 20 symptoms" +
                   (options.plain ? ", plain" : ", adjusted"));
}

}  // namespace

BENCHMARK(ReadWholeEvidence)
    ->Args({1000, 20, 0})
    ->Args({1000, 20, 1})
    ->Args({500, 20, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ReadLongEvidence)
    ->Args({50, 0})
    ->Args({365, 0})
    ->Args({365, 1})
    ->Args({1100, 0})
    ->Args({1100, 1})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
