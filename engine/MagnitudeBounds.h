#pragma once
// Upper bounds on the magnitudes of the food weights, gradients and steps during a training run,
// carried from pattern to pattern without looking at each weight. While the weight bound stays
// below the largest float, every weight is finite.

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

class MagnitudeBounds {
public:
    void Include(float weight, float gradient, float step) {
        m_weight = std::max(m_weight, Magnitude(weight));
        m_gradient = std::max(m_gradient, Magnitude(gradient));
        m_step = std::max(m_step, Magnitude(step));
    }

    // After one pattern's weight changes, given the largest magnitude of the hidden deltas
    // (inputs are at most 1, so no gradient exceeds it).
    // Each stored result is a double or float rounding of sums and products of bounded values;
    // the factor covers every such rounding (a relative 2^-24 at most, plus 2^-52s).
    void AfterPattern(float largestDelta) {
        const double gradient = (m_gradient + Magnitude(largestDelta)) * Margin;
        const double change = (0.3 * gradient + 0.4 * m_step) * Margin;
        m_step = change * Margin;
        m_weight = (m_weight + change) * Margin;
        m_gradient = 0.0;  // every change clears the gradients
    }

    bool WeightsFinite() const { return m_weight <= FLT_MAX; }

    static double Magnitude(float value) {
        return std::isnan(value) ? std::numeric_limits<double>::infinity()
                                 : std::fabs(static_cast<double>(value));
    }

private:
    // 1 + 2^-20: over a whole run of 245,000 patterns the margins grow a bound by about 26%.
    static constexpr double Margin = 1.0 + 1.0 / 1048576.0;

    double m_weight = 0.0;
    double m_gradient = 0.0;
    double m_step = 0.0;
};
