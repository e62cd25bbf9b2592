#include "engine/Network.h"

#include "diary/GastrologDoc.h"
#include "diary/PseudoRandom.h"
#include "engine/FastTrainer.h"
#include "engine/NetworkArithmetic.h"
#include "engine/NetworkLayers.h"
#include "engine/TrainingSchedule.h"

using network::AddProduct;

namespace {

void ClearUnit(CHidden& unit) {
    unit.m_net = unit.m_output = unit.m_error = unit.m_delta = 0.0f;
    unit.m_bias = unit.m_biasGrad = unit.m_biasStep = 0.0f;
}

void ClearUnit(CSymptom& symptom) {
    symptom.m_spare = symptom.m_net = symptom.m_output = symptom.m_error = 0.0f;
    symptom.m_delta = symptom.m_bias = symptom.m_biasGrad = symptom.m_biasStep = 0.0f;
}

// Weight j of a food or symptom: drawn afresh, with no gradient and no previous change.
template <typename Record>
void DrawWeight(Record& record, int unit, PseudoRandom& random) {
    const auto j = static_cast<std::size_t>(unit);
    record.m_weight[j] = random.DrawWeight();
    record.m_weightGrad[j] = 0.0f;
    record.m_weightStep[j] = 0.0f;
}

}  // namespace

void ResetNetwork(const NetworkView& view) {
    // The draws go unit by unit, all foods then all symptoms, so stored networks depend on
    // this order. Every weight slot is drawn even when a unit is missing from the document.
    PseudoRandom random(PseudoRandom::WeightSeed);
    for (int unit = 0; unit < diary::HiddenUnitCount; ++unit) {
        if (static_cast<std::size_t>(unit) < view.hidden.size())
            ClearUnit(view.hidden[static_cast<std::size_t>(unit)]);
        for (CFood& food : view.foods) {
            food.m_input = 0.0f;
            DrawWeight(food, unit, random);
        }
        for (CSymptom& symptom : view.symptoms) {
            ClearUnit(symptom);
            DrawWeight(symptom, unit, random);
        }
    }
}

void ForwardPass(const NetworkView& view, int day, int testFood) {
    for (std::size_t i = 0; i < view.foods.size(); ++i) {
        const bool underTest = testFood >= 0 && static_cast<std::size_t>(testFood) == i;
        view.foods[i].m_input = network::FoodInput(view.foods[i].m_history, day, underTest);
    }
    const auto units = static_cast<std::size_t>(network::HiddenUnitsInUse(view.hidden.size()));
    for (std::size_t j = 0; j < units; ++j) {
        CHidden& unit = view.hidden[j];
        unit.m_net = unit.m_bias;
        for (const CFood& food : view.foods)
            unit.m_net = AddProduct(unit.m_net, food.m_input, food.m_weight[j]);
        unit.m_output = network::Logistic(unit.m_net);
    }
    network::ForwardSymptoms(view.symptoms, view.hidden);
}

void BackPropagate(const NetworkView& view, int targetDay) {
    network::BackPropagateUpper(view.symptoms, view.hidden, targetDay);
}

void AccumulateGradients(const NetworkView& view) {
    network::AccumulateUpperGradients(view.symptoms, view.hidden);
    const auto units = static_cast<std::size_t>(network::HiddenUnitsInUse(view.hidden.size()));
    for (CFood& food : view.foods)
        for (std::size_t j = 0; j < units; ++j)
            food.m_weightGrad[j] =
                AddProduct(food.m_weightGrad[j], food.m_input, view.hidden[j].m_delta);
}

void ApplyChanges(const NetworkView& view) {
    network::ApplyUpperChanges(view.symptoms, view.hidden);
    const auto units = static_cast<std::size_t>(network::HiddenUnitsInUse(view.hidden.size()));
    for (CFood& food : view.foods)
        for (std::size_t j = 0; j < units; ++j)
            network::ApplyChange(food.m_weight[j], food.m_weightGrad[j], food.m_weightStep[j]);
}

void ResetNetwork(CGastrologDoc& doc) {
    ResetNetwork(doc.Network());
}

void ForwardPass(CGastrologDoc& doc, int day, int testFood) {
    ForwardPass(doc.Network(), day, testFood);
}

void BackPropagate(CGastrologDoc& doc, int targetDay) {
    BackPropagate(doc.Network(), targetDay);
}

void AccumulateGradients(CGastrologDoc& doc) {
    AccumulateGradients(doc.Network());
}

void ApplyChanges(CGastrologDoc& doc) {
    ApplyChanges(doc.Network());
}

void TrainNetwork(CGastrologDoc& doc, const EpochDone& afterEpoch) {
    const NetworkView view = doc.Network();
    ResetNetwork(view);
    FastTrainer::Train(view, network::TrainingEpochs, afterEpoch);
}
