// The food–symptom network: reset, one training pattern in four steps, and the training run.

#include <functional>

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

void CGastrologDoc::ResetNetwork() {
    // The draws go unit by unit, all foods then all symptoms, so stored networks depend on
    // this order. Every weight slot is drawn even when a unit is missing from the document.
    PseudoRandom random(PseudoRandom::WeightSeed);
    for (int unit = 0; unit < diary::HiddenUnitCount; ++unit) {
        if (static_cast<std::size_t>(unit) < m_hidden.size())
            ClearUnit(m_hidden[static_cast<std::size_t>(unit)]);
        for (CFood& food : m_foods) {
            food.m_input = 0.0f;
            DrawWeight(food, unit, random);
        }
        for (CSymptom& symptom : m_symptoms) {
            ClearUnit(symptom);
            DrawWeight(symptom, unit, random);
        }
    }
}

void CGastrologDoc::ForwardPass(int day, int testFood) {
    for (std::size_t i = 0; i < m_foods.size(); ++i) {
        const bool underTest = testFood >= 0 && static_cast<std::size_t>(testFood) == i;
        m_foods[i].m_input = network::FoodInput(m_foods[i].m_history, day, underTest);
    }
    const auto units = static_cast<std::size_t>(network::HiddenUnitsInUse(m_hidden.size()));
    for (std::size_t j = 0; j < units; ++j) {
        CHidden& unit = m_hidden[j];
        unit.m_net = unit.m_bias;
        for (const CFood& food : m_foods)
            unit.m_net = AddProduct(unit.m_net, food.m_input, food.m_weight[j]);
        unit.m_output = network::Logistic(unit.m_net);
    }
    network::ForwardSymptoms(m_symptoms, m_hidden);
}

void CGastrologDoc::BackPropagate(int targetDay) {
    network::BackPropagateUpper(m_symptoms, m_hidden, targetDay);
}

void CGastrologDoc::AccumulateGradients() {
    network::AccumulateUpperGradients(m_symptoms, m_hidden);
    const auto units = static_cast<std::size_t>(network::HiddenUnitsInUse(m_hidden.size()));
    for (CFood& food : m_foods)
        for (std::size_t j = 0; j < units; ++j)
            food.m_weightGrad[j] =
                AddProduct(food.m_weightGrad[j], food.m_input, m_hidden[j].m_delta);
}

void CGastrologDoc::ApplyChanges() {
    network::ApplyUpperChanges(m_symptoms, m_hidden);
    const auto units = static_cast<std::size_t>(network::HiddenUnitsInUse(m_hidden.size()));
    for (CFood& food : m_foods)
        for (std::size_t j = 0; j < units; ++j)
            network::ApplyChange(food.m_weight[j], food.m_weightGrad[j], food.m_weightStep[j]);
}

void CGastrologDoc::TrainNetwork() {
    ResetNetwork();
    FastTrainer::Train(*this, network::TrainingEpochs);
}

void CGastrologDoc::OnUpdateConnections() {
    Ui().BeginWaitCursor();
    ResetNetwork();
    ProgressIndicator& progress = Progress();
    progress.Open();
    progress.SetRange(0, network::TrainingEpochs);
    progress.SetPos(0);
    progress.SetStep(1);
    FastTrainer::Train(*this, network::TrainingEpochs, [&progress] { progress.StepIt(); });
    progress.Close();
    SetModifiedFlag(true);
    UpdateAllViews();
    m_nextAction = command::GenerateTomorrowsLists;
    Ui().EndWaitCursor();
}
