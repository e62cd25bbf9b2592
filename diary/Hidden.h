#pragma once

#include <string>
#include <string_view>

class CArchive;

// One of the five hidden units of the network.
class CHidden {
public:
    static constexpr std::string_view ClassName = "CHidden";

    CHidden() = default;
    explicit CHidden(std::string name) : m_name(std::move(name)) {}

    void Serialize(CArchive& archive);

    // Calls visit(name, field) for every stored field in the file's order.
    template <class Hidden, class Visitor>
    static void ForEachStoredField(Hidden& unit, Visitor&& visit) {
        visit("net", unit.m_net);
        visit("output", unit.m_output);
        visit("error", unit.m_error);
        visit("delta", unit.m_delta);
        visit("bias", unit.m_bias);
        visit("biasGrad", unit.m_biasGrad);
        visit("biasStep", unit.m_biasStep);
        visit("name", unit.m_name);
    }

    bool operator==(const CHidden&) const = default;

    float m_net = 0.0f;
    float m_output = 0.0f;
    float m_error = 0.0f;
    float m_delta = 0.0f;
    float m_bias = 0.0f;
    float m_biasGrad = 0.0f;
    float m_biasStep = 0.0f;
    std::string m_name;
};
