#include "engine/Relationships.h"

#include "diary/GastrologDoc.h"
#include "engine/NetworkArithmetic.h"

namespace {

constexpr int MinimumRun = 4;
using relationships::NotFound;

struct RunLengths {
    int best = 0;
    int worst = 0;
};

// The runs of better and worse next days that end at the last eaten day followed by either;
// a next day with no change neither extends nor breaks a run.
RunLengths RunLengthsOf(const CFood& food, const CSymptom& symptom) {
    RunLengths runs;
    const int length = static_cast<int>(food.m_history.size());
    for (int position = 0; position + 1 < length; ++position) {
        if (!diary::IsEaten(food.m_history[static_cast<std::size_t>(position)])) continue;
        const char nextDay = network::CodeAt(symptom.m_history, position + 1);
        if (nextDay == diary::Better) {
            ++runs.best;
            runs.worst = 0;
        } else if (nextDay == diary::Worse) {
            ++runs.worst;
            runs.best = 0;
        }
    }
    return runs;
}

}  // namespace

Relationships ComputeRelationships(const CGastrologDoc& doc) {
    Relationships found;
    for (const CSymptom& symptom : doc.Symptoms()) {
        RunLengths highest;
        std::string bestFood, worstFood;
        // Only a strictly longer run replaces the holder, so ties go to the earlier food.
        for (const CFood& food : doc.Foods()) {
            const RunLengths runs = RunLengthsOf(food, symptom);
            if (runs.best > highest.best) {
                highest.best = runs.best;
                bestFood = food.m_name;
            }
            if (runs.worst > highest.worst) {
                highest.worst = runs.worst;
                worstFood = food.m_name;
            }
        }
        found.symptoms.push_back(symptom.m_name);
        found.bestFoods.push_back(highest.best < MinimumRun ? std::string(NotFound) : bestFood);
        found.worstFoods.push_back(highest.worst < MinimumRun ? std::string(NotFound) : worstFood);
    }
    return found;
}
