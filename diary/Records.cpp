#include "diary/Food.h"
#include "diary/PseudoRandom.h"
#include "diary/Symptom.h"

namespace {

// Every record created by the program reseeds, so all new foods and symptoms start alike.
UnitWeights SeededWeights() {
    PseudoRandom random;
    UnitWeights weights{};
    for (float& weight : weights) weight = random.DrawWeight();
    return weights;
}

}  // namespace

CFood::CFood(std::string name)
    : m_weight(SeededWeights()), m_name(std::move(name)), m_history(diary::NewFoodHistory) {}

CSymptom::CSymptom(std::string name)
    : m_weight(SeededWeights()), m_name(std::move(name)), m_history(diary::NewSymptomHistory) {}
