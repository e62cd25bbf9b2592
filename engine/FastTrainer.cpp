#include "engine/FastTrainer.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "engine/Network.h"
#include "engine/NetworkArithmetic.h"
#include "engine/NetworkLayers.h"
#include "engine/TargetClones.h"
#include "engine/TrainingSchedule.h"

// The weight update is the bulk of a run and runs element by element, so wider vector units
// help; every element gets the same IEEE operations whichever clone runs, so the bits do not
// depend on the machine.
#define GASTROLOG_VECTOR_CLONES GASTROLOG_TARGET_CLONES("avx512f", "avx2", "default")

namespace {

constexpr auto Units = static_cast<std::size_t>(diary::HiddenUnitCount);
constexpr auto Positions = static_cast<std::size_t>(network::HistoryLength);

template <typename Step>
void RunEpochs(const NetworkView& view, int epochs, const FastTrainer::EpochDone& afterEpoch,
               Step&& step) {
    const int first = network::FirstUsablePosition(view.dayCount);
    for (int epoch = 0; epoch < epochs; ++epoch) {
        for (int target = network::NewestTargetDay; target > first; --target)
            step(target - 1, target);
        if (afterEpoch) afterEpoch();
    }
}

bool IsPositiveZero(float value) {
    return std::bit_cast<std::uint32_t>(value) == 0;
}

// One unit's food weights after one pattern, over whole blocks of a row (padding included).
// With the gradients known to be +0 (as every ApplyChanges leaves them) they need not be read.
template <bool GradientsClear>
GASTROLOG_VECTOR_CLONES void UpdateUnitRow(float* __restrict weights, float* __restrict gradients,
                                           float* __restrict steps, const float* __restrict inputs,
                                           float delta, std::size_t blocks) {
    const std::size_t count = blocks * FastTrainer::Block;
    for (std::size_t i = 0; i < count; ++i) {
        const float gradient =
            network::AddProduct(GradientsClear ? 0.0f : gradients[i], inputs[i], delta);
        const double change = network::MomentumChange(gradient, steps[i]);
        weights[i] = network::AddTerm(weights[i], change);
        steps[i] = static_cast<float>(change);
        if constexpr (!GradientsClear) gradients[i] = 0.0f;
    }
}

}  // namespace

void FastTrainer::Train(const NetworkView& view, int epochs, const EpochDone& afterEpoch) {
    // The packed path is written for the full hidden layer; a network missing units trains
    // through the four pattern operations.
    if (network::HiddenUnitsInUse(view.hidden.size()) != diary::HiddenUnitCount) {
        TrainStepByStep(view, epochs, afterEpoch);
        return;
    }
    FastTrainer trainer(view);
    // Non-finite starting weights (never after a reset) turn sums into NaNs whose sign bit
    // depends on operand order; the four pattern operations keep that order fixed.
    if (!trainer.m_bounds.WeightsFinite()) {
        TrainStepByStep(view, epochs, afterEpoch);
        return;
    }
    RunEpochs(view, epochs, afterEpoch,
              [&trainer](int inputDay, int targetDay) { trainer.RunPattern(inputDay, targetDay); });
    trainer.WriteBack();
}

void FastTrainer::TrainStepByStep(const NetworkView& view, int epochs,
                                  const EpochDone& afterEpoch) {
    RunEpochs(view, epochs, afterEpoch, [&view](int inputDay, int targetDay) {
        ForwardPass(view, inputDay, -1);
        BackPropagate(view, targetDay);
        AccumulateGradients(view);
        ApplyChanges(view);
    });
}

FastTrainer::FastTrainer(const NetworkView& view)
    : m_view(view),
      m_foodCount(view.foods.size()),
      m_rowLength((m_foodCount + Block - 1) / Block * Block),
      m_inputs(Positions * m_rowLength),
      m_activeFoods(Positions),
      m_allFoods(m_foodCount),
      m_weights(Units * m_rowLength),
      m_gradients(Units * m_rowLength),
      m_steps(Units * m_rowLength) {
    for (std::size_t i = 0; i < m_foodCount; ++i) {
        const CFood& food = view.foods[i];
        m_allFoods[i] = static_cast<std::uint32_t>(i);
        for (std::size_t day = 0; day < Positions; ++day) {
            const float input = network::FoodInput(food.m_history, static_cast<int>(day), false);
            m_inputs[day * m_rowLength + i] = input;
            if (input != 0.0f) m_activeFoods[day].push_back(static_cast<std::uint32_t>(i));
        }
        for (std::size_t j = 0; j < Units; ++j) {
            const std::size_t slot = j * m_rowLength + i;
            m_weights[slot] = food.m_weight[j];
            m_gradients[slot] = food.m_weightGrad[j];
            m_steps[slot] = food.m_weightStep[j];
            m_gradientsClear = m_gradientsClear && IsPositiveZero(food.m_weightGrad[j]);
            // Skipping zero inputs needs finite weights (0 × ∞ is not a zero).
            m_bounds.Include(food.m_weight[j], food.m_weightGrad[j], food.m_weightStep[j]);
        }
    }
}

const float* FastTrainer::InputsOf(int day) const {
    return m_inputs.data() + static_cast<std::size_t>(day) * m_rowLength;
}

float* FastTrainer::UnitRow(std::vector<float>& values, std::size_t unit) {
    return values.data() + unit * m_rowLength;
}

void FastTrainer::RunPattern(int inputDay, int targetDay) {
    ForwardHidden(inputDay);
    network::ForwardSymptoms(m_view.symptoms, m_view.hidden);
    network::BackPropagateUpper(m_view.symptoms, m_view.hidden, targetDay);
    network::AccumulateUpperGradients(m_view.symptoms, m_view.hidden);
    network::ApplyUpperChanges(m_view.symptoms, m_view.hidden);
    UpdateFoodWeights(InputsOf(inputDay));
    m_lastInputDay = inputDay;
}

// A term whose input is 0 adds a product of ±0 (the weights being finite), which leaves a
// running sum unchanged unless the sum is itself a zero: then only its sign could differ. So
// the sum over the foods with a non-zero input equals the full sum whenever it is not zero,
// and a zero result is summed again over every food.
void FastTrainer::ForwardHidden(int inputDay) {
    const float* inputs = InputsOf(inputDay);
    const auto& foods =
        m_bounds.WeightsFinite() ? m_activeFoods[static_cast<std::size_t>(inputDay)] : m_allFoods;
    float net[Units];
    for (std::size_t j = 0; j < Units; ++j) net[j] = m_view.hidden[j].m_bias;
    for (const std::uint32_t food : foods) {
        const float input = inputs[food];
        for (std::size_t j = 0; j < Units; ++j)
            net[j] = network::AddProduct(net[j], input, m_weights[j * m_rowLength + food]);
    }
    for (std::size_t j = 0; j < Units; ++j) {
        if (net[j] == 0.0f) net[j] = SumOverFoods(j, inputs, m_allFoods);
        CHidden& unit = m_view.hidden[j];
        unit.m_net = net[j];
        unit.m_output = network::Logistic(net[j]);
    }
}

float FastTrainer::SumOverFoods(std::size_t unit, const float* inputs,
                                const std::vector<std::uint32_t>& foods) const {
    float net = m_view.hidden[unit].m_bias;
    const float* weights = m_weights.data() + unit * m_rowLength;
    for (const std::uint32_t food : foods)
        net = network::AddProduct(net, inputs[food], weights[food]);
    return net;
}

void FastTrainer::UpdateFoodWeights(const float* inputs) {
    float largestDelta = 0.0f;
    for (std::size_t j = 0; j < Units; ++j) {
        const float delta = m_view.hidden[j].m_delta;
        largestDelta = std::max(largestDelta, std::fabs(delta));
        if (std::isnan(delta)) largestDelta = delta;
        float* weights = UnitRow(m_weights, j);
        float* gradients = UnitRow(m_gradients, j);
        float* steps = UnitRow(m_steps, j);
        if (m_gradientsClear)
            UpdateUnitRow<true>(weights, gradients, steps, inputs, delta, m_rowLength / Block);
        else
            UpdateUnitRow<false>(weights, gradients, steps, inputs, delta, m_rowLength / Block);
    }
    m_gradientsClear = true;
    m_bounds.AfterPattern(largestDelta);
}

void FastTrainer::WriteBack() {
    for (std::size_t i = 0; i < m_foodCount; ++i) {
        CFood& food = m_view.foods[i];
        for (std::size_t j = 0; j < Units; ++j) {
            const std::size_t slot = j * m_rowLength + i;
            food.m_weight[j] = m_weights[slot];
            food.m_weightGrad[j] = m_gradients[slot];
            food.m_weightStep[j] = m_steps[slot];
        }
        if (m_lastInputDay >= 0) food.m_input = InputsOf(m_lastInputDay)[i];
    }
}
