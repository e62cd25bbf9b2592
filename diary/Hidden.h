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
