#include "engine/NetworkLayers.h"

#include <array>
#include <span>

#include "engine/NetworkArithmetic.h"

namespace network {

namespace {

std::size_t UnitsInUse(std::span<const CHidden> hidden) {
    return static_cast<std::size_t>(HiddenUnitsInUse(hidden.size()));
}

}  // namespace

void ForwardSymptoms(std::span<CSymptom> symptoms, std::span<const CHidden> hidden) {
    const std::size_t units = UnitsInUse(hidden);
    for (CSymptom& symptom : symptoms) {
        float net = symptom.m_bias;
        for (std::size_t j = 0; j < units; ++j)
            net = AddProduct(net, hidden[j].m_output, symptom.m_weight[j]);
        symptom.m_net = net;
        symptom.m_output = Logistic(net);
    }
}

void BackPropagateUpper(std::span<CSymptom> symptoms, std::span<CHidden> hidden, int targetDay) {
    for (CSymptom& symptom : symptoms) {
        const double target = TargetFor(CodeAt(symptom.m_history, targetDay));
        symptom.m_error = static_cast<float>(target - static_cast<double>(symptom.m_output));
        symptom.m_delta = DeltaOf(symptom.m_output, symptom.m_error);
    }
    // Each unit's error sums over the symptoms in list order; the units' sums are independent,
    // so they are carried side by side.
    const std::size_t units = UnitsInUse(hidden);
    std::array<float, diary::HiddenUnitCount> error{};
    for (const CSymptom& symptom : symptoms)
        for (std::size_t j = 0; j < units; ++j)
            error[j] = AddProduct(error[j], symptom.m_delta, symptom.m_weight[j]);
    for (std::size_t j = 0; j < units; ++j) {
        hidden[j].m_error = error[j];
        hidden[j].m_delta = DeltaOf(hidden[j].m_output, error[j]);
    }
}

void AccumulateUpperGradients(std::span<CSymptom> symptoms, std::span<CHidden> hidden) {
    const std::size_t units = UnitsInUse(hidden);
    for (CSymptom& symptom : symptoms) {
        for (std::size_t j = 0; j < units; ++j)
            symptom.m_weightGrad[j] =
                AddProduct(symptom.m_weightGrad[j], hidden[j].m_output, symptom.m_delta);
        symptom.m_biasGrad = AddTerm(symptom.m_biasGrad, symptom.m_delta);
    }
    for (std::size_t j = 0; j < units; ++j)
        hidden[j].m_biasGrad = AddTerm(hidden[j].m_biasGrad, hidden[j].m_delta);
}

void ApplyUpperChanges(std::span<CSymptom> symptoms, std::span<CHidden> hidden) {
    const std::size_t units = UnitsInUse(hidden);
    for (std::size_t j = 0; j < units; ++j)
        ApplyChange(hidden[j].m_bias, hidden[j].m_biasGrad, hidden[j].m_biasStep);
    for (CSymptom& symptom : symptoms) {
        ApplyChange(symptom.m_bias, symptom.m_biasGrad, symptom.m_biasStep);
        for (std::size_t j = 0; j < units; ++j)
            ApplyChange(symptom.m_weight[j], symptom.m_weightGrad[j], symptom.m_weightStep[j]);
    }
}

}  // namespace network
