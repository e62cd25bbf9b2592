// The history file's cost: opening a diary with three years of history (1,100 days, 300 foods,
// 10 symptoms) against one without, and a save with its history against the diary alone.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "BenchDiaries.h"
#include "diary/AtomicFile.h"
#include "diary/HistoryFile.h"
#include "diary/LivedDays.h"

namespace {

constexpr int Foods = 300;
constexpr int Symptoms = 10;
constexpr int HistoryDays = 1100;

std::string Folder() {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("gastrolog-history-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    return folder.string();
}

// Days before the diary's own, eating about 15 foods a day, every symptom rated.
lived::LivedDays OlderDays(const CGastrologDoc& doc, lived::Date firstKept) {
    std::mt19937 random(7);
    std::bernoulli_distribution eaten(0.05);
    lived::LivedDays days;
    for (int index = HistoryDays - 50; index > 0; --index) {
        lived::LivedDay day;
        day.date = firstKept - index;
        for (const CFood& food : doc.Foods())
            if (eaten(random)) day.eaten.push_back(food.m_name);
        for (const CSymptom& symptom : doc.Symptoms())
            day.ratings.emplace_back(symptom.m_name, "bwn"[random() % 3]);
        days.push_back(std::move(day));
    }
    return days;
}

// Writes NAME.glg and, when asked, its NAME.glh of 1,100 days; returns the diary's path.
std::string MakeDiary(const std::string& name, bool withHistory) {
    CGastrologDoc doc;
    bench::FillDiary(doc, Foods, Symptoms, 0.05);
    const std::string path = Folder() + "/" + name + ".glg";
    doc.WriteFile(path);
    if (!withHistory) {
        std::filesystem::remove(history::PathFor(path));
        return path;
    }
    const lived::LivedDays diaryDays = lived::DaysOfDiary(doc);
    const history::Contents written = history::Read(history::PathFor(path));
    history::Write(history::PathFor(path), OlderDays(doc, diaryDays.front().date), *written.state,
                   0600);
    return path;
}

void OpenDiary(benchmark::State& state) {
    const bool withHistory = state.range(0) != 0;
    const std::string path = MakeDiary(withHistory ? "with" : "without", withHistory);
    std::size_t days = 0;
    for (auto _ : state) {
        CGastrologDoc doc;
        if (!doc.ReadFile(path).Succeeded()) state.SkipWithError("could not read the diary");
        doc.LoadHistory(path);
        days = doc.History().KnownDays().size();
    }
    state.SetLabel(std::to_string(days) + " days of history");
}

// Each save follows a change to today's foods, as a save in the day does (or, with changed:0,
// nothing changed since the last save); the wall time is the measure, for most of a save is
// waiting for the disk.
void SaveDiary(benchmark::State& state) {
    const bool withHistory = state.range(0) != 0;
    const bool changeToday = state.range(1) != 0;
    const std::string path = MakeDiary(withHistory ? "saved-with" : "saved-without", withHistory);
    CGastrologDoc doc;
    doc.ReadFile(path);
    doc.LoadHistory(path);
    std::size_t food = 0;
    for (auto _ : state) {
        if (changeToday) {
            state.PauseTiming();
            std::string& today = Members(doc).m_foods[food++ % doc.Foods().size()].m_history;
            today.back() = today.back() == 'y' ? 'n' : 'y';
            state.ResumeTiming();
        }
        if (withHistory) {
            if (!doc.WriteFile(path, true).Message().empty()) state.SkipWithError("save failed");
        } else {  // the diary alone, as every save wrote before the history
            const auto bytes = doc.WriteBytes();
            atomic_file::ReplaceFile(path, bytes);
        }
    }
}

void EveryLivedDay(benchmark::State& state) {
    const std::string path = MakeDiary("every", true);
    CGastrologDoc doc;
    doc.ReadFile(path);
    doc.LoadHistory(path);
    for (auto _ : state) benchmark::DoNotOptimize(lived::EveryLivedDay(doc));
}

}  // namespace

BENCHMARK(OpenDiary)->Arg(0)->Arg(1)->ArgName("history")->Unit(benchmark::kMillisecond);
BENCHMARK(SaveDiary)
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({1, 0})
    ->ArgNames({"history", "changed"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(EveryLivedDay)->Unit(benchmark::kMillisecond);
