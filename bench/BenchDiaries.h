#pragma once
// Diaries for the benchmarks: fixed pseudo-random histories, so every run measures the same
// work.

#include <cstdio>
#include <random>
#include <string>

#include "diary/GastrologDoc.h"
#include "engine/Network.h"
#include "tests/support/DocumentTestAccess.h"

namespace bench {

// Each food eaten on a day with probability `eatenShare`; symptoms better, worse or unchanged
// in roughly equal parts. Fifty recorded days, five hidden units, weights as a reset leaves them.
inline void FillDiary(CGastrologDoc& doc, int foods, int symptoms, double eatenShare = 0.1,
                      unsigned seed = 20240601) {
    std::mt19937 random(seed);
    std::bernoulli_distribution eaten(eatenShare);
    std::uniform_int_distribution<int> rating(0, 2);
    doc.DeleteContents();
    for (int i = 0; i < foods; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Food %04d", (i * 7919) % 10000);
        CFood& food = Members(doc).m_foods.emplace_back(name);
        for (char& code : food.m_history) code = eaten(random) ? 'y' : 'n';
    }
    for (int s = 0; s < symptoms; ++s) {
        CSymptom& symptom = Members(doc).m_symptoms.emplace_back("Symptom " + std::to_string(s));
        for (char& code : symptom.m_history) code = "bwn"[rating(random)];
    }
    for (int k = 0; k < 5; ++k) Members(doc).m_hidden.emplace_back(std::to_string(k));
    Members(doc).m_dayCount = 50;
    doc.RebuildFoodNames();
    doc.RebuildSymptomLines();
    ResetNetwork(doc);
}

}  // namespace bench
