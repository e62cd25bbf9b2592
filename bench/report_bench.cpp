// The report for the doctor of a diary of 1000 foods and 20 symptoms: the evidence reading,
// both layout passes and the PDF with its fonts, in memory; and the report of three years of
// lived days (1,100 days, 300 foods, 10 symptoms) from the diary and its history.

#include <benchmark/benchmark.h>

#include <random>

#include "BenchDiaries.h"
#include "diary/LivedDays.h"
#include "page/ReportFile.h"

namespace {

void ReportOfLargeDiary(benchmark::State& state) {
    CGastrologDoc doc;
    bench::FillDiary(doc, static_cast<int>(state.range(0)), 20);
    Members(doc).m_lastUpdate = 1741287600;
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string pdf;
        MakeReport(doc, "large.glg", PaperSize::A4, 0, pdf);
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf.data());
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}

// The diary's 50 days and `days` - 50 before them, about 15 foods eaten a day.
void FillThreeYears(CGastrologDoc& doc, int days) {
    bench::FillDiary(doc, 300, 10, 0.05);
    Members(doc).m_lastUpdate = 1741287600;
    Members(doc).m_dayCount = days;
    const lived::Date firstKept = lived::DaysOfDiary(doc).front().date;
    std::mt19937 random(11);
    std::bernoulli_distribution eaten(0.05);
    lived::LivedDays older;
    for (int index = days - 50; index > 0; --index) {
        lived::LivedDay& day = older.emplace_back();
        day.date = firstKept - index;
        for (const CFood& food : doc.Foods())
            if (eaten(random)) day.eaten.push_back(food.m_name);
        for (const CSymptom& symptom : doc.Symptoms())
            day.ratings.emplace_back(symptom.m_name, "bwn"[random() % 3]);
    }
    doc.AdoptHistory(std::move(older));
}

void ReportOfThreeYears(benchmark::State& state) {
    CGastrologDoc doc;
    FillThreeYears(doc, static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string pdf;
        MakeReport(doc, "years.glg", PaperSize::A4, 0, pdf);
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf.data());
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
    state.counters["days"] = static_cast<double>(lived::EveryLivedDay(doc).size());
}

}  // namespace

BENCHMARK(ReportOfLargeDiary)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReportOfThreeYears)->Arg(1100)->Unit(benchmark::kMillisecond);
