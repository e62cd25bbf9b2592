#pragma once
// Training runs. The fast path keeps the food weights in packed arrays for the length of a run:
// a pattern sums only the foods whose input is not zero, and folds each food's gradient into its
// weight change. Its results are bit for bit those of the document's four pattern operations.

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/MagnitudeBounds.h"

class CGastrologDoc;

class FastTrainer {
public:
    using EpochDone = std::function<void()>;

    // Packed rows are padded to whole blocks, so the weight update has no partial block.
    static constexpr std::size_t Block = 16;

    // Runs `epochs` epochs on the network as it stands, with exactly the results of
    //   for d = current day down to FirstUsablePosition(m_dayCount) + 1:
    //       ForwardPass(d − 1, −1); BackPropagate(d); AccumulateGradients(); ApplyChanges();
    // calling afterEpoch (when given) after each epoch.
    static void Train(CGastrologDoc& doc, int epochs, const EpochDone& afterEpoch = {});

    // The same epochs through the document's own operations, one pattern step at a time.
    static void TrainStepByStep(CGastrologDoc& doc, int epochs, const EpochDone& afterEpoch = {});

private:
    explicit FastTrainer(CGastrologDoc& doc);

    void RunPattern(int inputDay, int targetDay);
    void ForwardHidden(int inputDay);
    float SumOverFoods(std::size_t unit, const float* inputs,
                       const std::vector<std::uint32_t>& foods) const;
    void UpdateFoodWeights(const float* inputs);
    void WriteBack();

    const float* InputsOf(int day) const;
    float* UnitRow(std::vector<float>& values, std::size_t unit);

    CGastrologDoc& m_doc;
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
