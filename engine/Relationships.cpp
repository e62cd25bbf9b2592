// Day-after relationships: for each symptom, the food most consistently followed by a better
// day and the one most consistently followed by a worse day, read straight from the histories.

#include <string_view>

#include "diary/GastrologDoc.h"
#include "engine/NetworkArithmetic.h"

namespace {

constexpr int MinimumRun = 4;
constexpr std::string_view NotFound = "Not found.";

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

void CGastrologDoc::ComputeRelationships() {
    m_relateSymptoms.clear();
    m_relateBest.clear();
    m_relateWorst.clear();
    for (const CSymptom& symptom : m_symptoms) {
        RunLengths highest;
        std::string bestFood, worstFood;
        // Only a strictly longer run replaces the holder, so ties go to the earlier food.
        for (const CFood& food : m_foods) {
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
        m_relateSymptoms.push_back(symptom.m_name);
        m_relateBest.push_back(highest.best < MinimumRun ? std::string(NotFound) : bestFood);
        m_relateWorst.push_back(highest.worst < MinimumRun ? std::string(NotFound) : worstFood);
    }
}

void CGastrologDoc::OnRelateFoodsToSymptoms() {
    ComputeRelationships();
    Ui().ShowRelationships(m_relateSymptoms, m_relateBest, m_relateWorst);
}
