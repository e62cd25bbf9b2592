#include "engine/TestPassScorer.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/Network.h"
#include "engine/NetworkArithmetic.h"
#include "engine/NetworkLayers.h"

namespace {

constexpr auto Units = static_cast<std::size_t>(diary::HiddenUnitCount);
constexpr int TestPosition = 0;

// Skipping the zero inputs is exact only for finite weights (0 × ∞ is not a zero).
bool CanSkipZeroInputs(const NetworkView& view) {
    if (network::HiddenUnitsInUse(view.hidden.size()) != diary::HiddenUnitCount) return false;
    return std::all_of(view.foods.begin(), view.foods.end(), [](const CFood& food) {
        return std::all_of(food.m_weight.begin(), food.m_weight.end(),
                           [](float weight) { return std::isfinite(weight); });
    });
}

}  // namespace

std::vector<float> TestPassScorer::SymptomOutputs(const NetworkView& view) {
    if (!CanSkipZeroInputs(view)) return OutputsStepByStep(view);
    TestPassScorer scorer(view);
    for (std::size_t food = 0; food < view.foods.size(); ++food) scorer.ScoreFood(food);
    return std::move(scorer.m_outputs);
}

std::vector<float> TestPassScorer::OutputsStepByStep(const NetworkView& view) {
    std::vector<float> outputs;
    outputs.reserve(view.foods.size() * view.symptoms.size());
    for (std::size_t food = 0; food < view.foods.size(); ++food) {
        ForwardPass(view, TestPosition, static_cast<int>(food));
        for (const CSymptom& symptom : view.symptoms) outputs.push_back(symptom.m_output);
    }
    return outputs;
}

TestPassScorer::TestPassScorer(const NetworkView& view)
    : m_view(view), m_eatenFirstDay(view.foods.size()) {
    m_outputs.reserve(view.foods.size() * view.symptoms.size());
    for (std::size_t i = 0; i < view.foods.size(); ++i) {
        const CFood& food = view.foods[i];
        m_eatenFirstDay[i] = network::FoodInput(food.m_history, TestPosition, false) != 0.0f;
        if (!m_eatenFirstDay[i]) continue;
        m_eaten.push_back(i);
        m_eatenWeights.insert(m_eatenWeights.end(), food.m_weight.begin(), food.m_weight.end());
    }
    const std::size_t count = m_eaten.size();
    m_prefixSums.resize(Units * (count + 1));
    for (std::size_t j = 0; j < Units; ++j) {
        float* sums = m_prefixSums.data() + j * (count + 1);
        sums[0] = view.hidden[j].m_bias;
        for (std::size_t m = 0; m < count; ++m)
            sums[m + 1] = network::AddProduct(sums[m], 1.0f, m_eatenWeights[m * Units + j]);
    }
}

void TestPassScorer::ScoreFood(std::size_t food) {
    const std::size_t count = m_eaten.size();
    std::array<float, Units> net{};
    if (m_eatenFirstDay[food]) {
        // Under test or not, its input is 1: the shared sum is the whole sum.
        for (std::size_t j = 0; j < Units; ++j) net[j] = m_prefixSums[j * (count + 1) + count];
    } else {
        // The eaten foods before it, the food itself, then the eaten foods after it.
        const auto before = static_cast<std::size_t>(
            std::lower_bound(m_eaten.begin(), m_eaten.end(), food) - m_eaten.begin());
        const UnitWeights& own = m_view.foods[food].m_weight;
        for (std::size_t j = 0; j < Units; ++j)
            net[j] = network::AddProduct(m_prefixSums[j * (count + 1) + before], 1.0f, own[j]);
        for (std::size_t m = before; m < count; ++m)
            for (std::size_t j = 0; j < Units; ++j)
                net[j] = network::AddProduct(net[j], 1.0f, m_eatenWeights[m * Units + j]);
    }
    for (std::size_t j = 0; j < Units; ++j) {
        // A zero sum may carry a sign that a skipped zero term would have changed.
        if (net[j] == 0.0f) net[j] = FullSum(j, food);
        CHidden& unit = m_view.hidden[j];
        unit.m_net = net[j];
        unit.m_output = network::Logistic(net[j]);
    }
    network::ForwardSymptoms(m_view.symptoms, m_view.hidden);
    for (const CSymptom& symptom : m_view.symptoms) m_outputs.push_back(symptom.m_output);
}

float TestPassScorer::FullSum(std::size_t unit, std::size_t food) const {
    float net = m_view.hidden[unit].m_bias;
    for (std::size_t k = 0; k < m_view.foods.size(); ++k) {
        const float input = k == food || m_eatenFirstDay[k] ? 1.0f : 0.0f;
        net = network::AddProduct(net, input, m_view.foods[k].m_weight[unit]);
    }
    return net;
}
