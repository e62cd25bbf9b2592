#pragma once

#include <array>
#include <string>
#include <string_view>

#include "diary/DiaryConstants.h"

class CArchive;

using UnitWeights = std::array<float, diary::HiddenUnitCount>;

// A record's weights to the hidden units with their gradients and last steps. The file
// interleaves them unit by unit (weight k, gradient k, step k); JSON keeps three arrays.
template <class Weights>  // UnitWeights or const UnitWeights
struct WeightColumns {
    Weights& weight;
    Weights& gradient;
    Weights& step;
};

// JSON names the gradient and step arrays after the weight array: "weightGrad", "weightStep".
inline constexpr std::string_view GradientKeySuffix = "Grad";
inline constexpr std::string_view StepKeySuffix = "Step";

template <class Weights>
WeightColumns<Weights> ColumnsOf(Weights& weight, Weights& gradient, Weights& step) {
    return {weight, gradient, step};
}

// One food or drink: its input to the network, its weights to the hidden units and its
// eaten history.
class CFood {
public:
    static constexpr std::string_view ClassName = "CFood";

    CFood() = default;                 // as the archive creates it before reading the fields
    explicit CFood(std::string name);  // as the program creates it: eaten today, seeded weights

    void Serialize(CArchive& archive);

    // Calls visit(name, field) for every stored field in the file's order; `Food` is CFood or
    // const CFood.
    template <class Food, class Visitor>
    static void ForEachStoredField(Food& food, Visitor&& visit) {
        visit("input", food.m_input);
        visit("weight", ColumnsOf(food.m_weight, food.m_weightGrad, food.m_weightStep));
        visit("history", food.m_history);
        visit("name", food.m_name);
    }

    bool operator==(const CFood&) const = default;

    float m_input = 0.0f;
    float m_score = 0.0f;  // from the last list generation; never stored
    UnitWeights m_weight{};
    UnitWeights m_weightGrad{};
    UnitWeights m_weightStep{};
    std::string m_name;
    std::string m_history;
};
