#pragma once
// Training runs. The fast path keeps the food weights in packed arrays for the length of a run:
// a pattern sums only the foods whose input is not zero, and folds each food's gradient into its
// weight change. Its results are bit for bit those of the four pattern operations (Network.h).

#include <cstdint>
#include <functional>
#include <vector>

#include "diary/NetworkView.h"
#include "engine/MagnitudeBounds.h"

class FastTrainer {
public:
    using EpochDone = std::function<void()>;

    // Packed rows are padded to whole blocks, so the weight update has no partial block.
    static constexpr std::size_t Block = 16;

    // Runs `epochs` epochs on the network as it stands, with exactly the results of
    //   for d = current day down to FirstUsablePosition(dayCount) + 1:
    //       ForwardPass(d − 1, −1); BackPropagate(d); AccumulateGradients(); ApplyChanges();
    // calling afterEpoch (when given) after each epoch.
    static void Train(const NetworkView& view, int epochs, const EpochDone& afterEpoch = {});

    // The same epochs through the four pattern operations, one step at a time.
    static void TrainStepByStep(const NetworkView& view, int epochs,
                                const EpochDone& afterEpoch = {});

private:
    explicit FastTrainer(const NetworkView& view);

    void RunPattern(int inputDay, int targetDay);
    void ForwardHidden(int inputDay);
    float SumOverFoods(std::size_t unit, const float* inputs,
                       const std::vector<std::uint32_t>& foods) const;
    void UpdateFoodWeights(const float* inputs);
    void WriteBack();

    const float* InputsOf(int day) const;
    float* UnitRow(std::vector<float>& values, std::size_t unit);

    NetworkView m_view;
    std::size_t m_foodCount;
    std::size_t m_rowLength;  // m_foodCount rounded up to whole blocks; the padding stays 0
    // Every food's input for each history position, position-major.
    std::vector<float> m_inputs;
    // For each position, the foods whose input is not zero, in list order.
    std::vector<std::vector<std::uint32_t>> m_activeFoods;
    std::vector<std::uint32_t> m_allFoods;
    // Unit-major rows: the weights of all foods to unit 0, then to unit 1, and so on.
    std::vector<float> m_weights;
    std::vector<float> m_gradients;
    std::vector<float> m_steps;
    bool m_gradientsClear = true;
    MagnitudeBounds m_bounds;
    int m_lastInputDay = -1;
};
