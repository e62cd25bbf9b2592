// Reading and writing a diary of 1000 foods, in memory and through a file.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "BenchDiaries.h"
#include "diary/HistoryFile.h"

namespace {

constexpr int Foods = 1000;
constexpr int Symptoms = 20;

std::string TemporaryDiaryPath() {
    return (std::filesystem::temp_directory_path() /
            ("gastrolog-bench-" + std::to_string(getpid()) + ".glg"))
        .string();
}

void WriteDiaryToMemory(benchmark::State& state) {
    CGastrologDoc doc;
    bench::FillDiary(doc, Foods, Symptoms);
    for (auto _ : state) benchmark::DoNotOptimize(doc.WriteBytes());
    state.SetLabel(std::to_string(doc.WriteBytes().size()) + " bytes");
}

void ReadDiaryFromMemory(benchmark::State& state) {
    CGastrologDoc source, doc;
    bench::FillDiary(source, Foods, Symptoms);
    const std::vector<std::uint8_t> bytes = source.WriteBytes();
    for (auto _ : state) {
        const std::string error = doc.ReadBytes(bytes).Message();
        if (!error.empty()) state.SkipWithError(error.c_str());
    }
    state.SetLabel(std::to_string(doc.Foods().size()) + " foods read");
}

// Includes the safe save: a temporary file beside the diary, flushed, then renamed over it.
void WriteDiaryFile(benchmark::State& state) {
    CGastrologDoc doc;
    bench::FillDiary(doc, Foods, Symptoms);
    const std::string path = TemporaryDiaryPath();
    for (auto _ : state) {
        const std::string error = doc.WriteFile(path).Message();
        if (!error.empty()) state.SkipWithError(error.c_str());
    }
    std::filesystem::remove(path);
    std::filesystem::remove(history::PathFor(path));
}

void ReadDiaryFile(benchmark::State& state) {
    CGastrologDoc source, doc;
    bench::FillDiary(source, Foods, Symptoms);
    const std::string path = TemporaryDiaryPath();
    if (!source.WriteFile(path).Message().empty()) state.SkipWithError("could not write the diary");
    for (auto _ : state) {
        const std::string error = doc.ReadFile(path).Message();
        if (!error.empty()) state.SkipWithError(error.c_str());
    }
    std::filesystem::remove(path);
    std::filesystem::remove(history::PathFor(path));
}

}  // namespace

BENCHMARK(WriteDiaryToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadDiaryFromMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteDiaryFile)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadDiaryFile)->Unit(benchmark::kMillisecond);
