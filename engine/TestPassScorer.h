#pragma once
// The symptom outputs of every food's test pass: the forward pass at the oldest history
// position with that food under test. At that position the window of earlier days is empty, so
// the only inputs that are not zero belong to the foods eaten there and to the food under test.
// The scorer sums the shared part once and adds the rest per food, with the same bits as a
// full ForwardPass for each food.

#include <cstddef>
#include <vector>

#include "diary/NetworkView.h"

class TestPassScorer {
public:
    // Food-major: for each food in list order, every symptom's output in symptom order. Uses
    // the network's hidden and symptom units as scratch space; their fields are left as
    // the last test pass computed them; the foods' inputs may or may not be set.
    static std::vector<float> SymptomOutputs(const NetworkView& view);

private:
    explicit TestPassScorer(const NetworkView& view);

    void ScoreFood(std::size_t food);
    float FullSum(std::size_t unit, std::size_t food) const;
    static std::vector<float> OutputsStepByStep(const NetworkView& view);

    NetworkView m_view;
    std::vector<bool> m_eatenFirstDay;
    // The foods eaten on the oldest position, in list order, with their weights packed.
    std::vector<std::size_t> m_eaten;
    std::vector<float> m_eatenWeights;
    // Unit-major running sums over m_eaten: entry m is the sum after the first m terms.
    std::vector<float> m_prefixSums;
    std::vector<float> m_outputs;
};
