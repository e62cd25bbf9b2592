#pragma once

#include <string>
#include <string_view>

#include "diary/Food.h"

// One followed symptom: its output unit of the network and its better/worse/no-change history.
class CSymptom {
public:
    static constexpr std::string_view ClassName = "CSymptom";

    CSymptom() = default;
    explicit CSymptom(std::string name);  // no ratings yet, seeded weights

    void Serialize(CArchive& archive);

    // Calls visit(name, field) for every stored field in the file's order. Not the declaration
    // order: files have always stored the unit's numbers this way.
    template <class Symptom, class Visitor>
    static void ForEachStoredField(Symptom& symptom, Visitor&& visit) {
        visit("spare", symptom.m_spare);
        visit("delta", symptom.m_delta);
        visit("bias", symptom.m_bias);
        visit("biasGrad", symptom.m_biasGrad);
        visit("biasStep", symptom.m_biasStep);
        visit("error", symptom.m_error);
        visit("net", symptom.m_net);
        visit("output", symptom.m_output);
        visit("weight", ColumnsOf(symptom.m_weight, symptom.m_weightGrad, symptom.m_weightStep));
        visit("history", symptom.m_history);
        visit("name", symptom.m_name);
    }

    bool operator==(const CSymptom&) const = default;

    float m_spare = 0.0f;  // carried in the file, cleared by a network reset, otherwise unused
    float m_net = 0.0f;
    float m_output = 0.0f;
    float m_error = 0.0f;
    float m_delta = 0.0f;
    float m_bias = 0.0f;
    float m_biasGrad = 0.0f;
    float m_biasStep = 0.0f;
    UnitWeights m_weight{};
    UnitWeights m_weightGrad{};
    UnitWeights m_weightStep{};
    std::string m_name;
    std::string m_history;
};
