#pragma once
// The network's arithmetic, shared by the step-by-step operations, the fast trainer and the
// list scorer so that all of them produce the same bits. Products and sums are taken in double
// precision and every stored value is rounded to a 32-bit float; a running sum is rounded after
// every addition. The build forbids fused multiply-add and fast math, so these give the same
// bits on every x86-64 machine.

#include <cmath>
#include <cstddef>
#include <string_view>

#include "diary/DiaryConstants.h"

namespace network {

inline constexpr double LearningRate = 0.3;
inline constexpr double Momentum = 0.4;
inline constexpr double ClampLimit = 11.5129;
inline constexpr float ClampHigh = 0.99999f;
inline constexpr float ClampLow = 0.00001f;
inline constexpr float WindowShare = 0.33333334f;  // the float nearest one third
inline constexpr int WindowDays = 3;

// Each food and symptom has weights to exactly this many hidden units; a document holding
// fewer units uses those it has, and units past this count take no part.
inline int HiddenUnitsInUse(std::size_t unitsPresent) {
    return unitsPresent < static_cast<std::size_t>(diary::HiddenUnitCount)
               ? static_cast<int>(unitsPresent)
               : diary::HiddenUnitCount;
}

// sum + a × b, stored as a float.
inline float AddProduct(float sum, float a, float b) {
    return static_cast<float>(static_cast<double>(sum) +
                              static_cast<double>(a) * static_cast<double>(b));
}

inline float AddTerm(float sum, double term) {
    return static_cast<float>(static_cast<double>(sum) + term);
}

// The logistic function with its clamp; the comparisons are strict.
inline float Logistic(float net) {
    const double value = net;
    if (value > ClampLimit) return ClampHigh;
    if (value < -ClampLimit) return ClampLow;
    return static_cast<float>(1.0 / (1.0 + std::exp(-value)));
}

// (1 − output) × error × output, evaluated left to right and rounded once.
inline float DeltaOf(float output, float error) {
    const double out = output;
    return static_cast<float>((1.0 - out) * static_cast<double>(error) * out);
}

// The change with momentum for a gradient and the previous change.
inline double MomentumChange(float gradient, float previousStep) {
    return LearningRate * static_cast<double>(gradient) +
           Momentum * static_cast<double>(previousStep);
}

// Applies one change: value += change, step = change, gradient = 0.
inline void ApplyChange(float& value, float& gradient, float& step) {
    const double change = MomentumChange(gradient, step);
    value = AddTerm(value, change);
    step = static_cast<float>(change);
    gradient = 0.0f;
}

using diary::CodeAt;

// A food's input for a day: 1 when eaten that day or under test, otherwise a third for every
// eaten day among the three before it. Position 0 never enters the window.
inline float FoodInput(std::string_view history, int day, bool underTest) {
    if (underTest || diary::IsEaten(CodeAt(history, day))) return 1.0f;
    int count = 0;
    for (int back = 1; back <= WindowDays; ++back) {
        const int position = day - back;
        if (position >= 1 && diary::IsEaten(CodeAt(history, position))) ++count;
    }
    return static_cast<float>(count) * WindowShare;
}

// What a symptom's output is trained towards for a rating.
inline double TargetFor(char code) {
    if (code == diary::Better) return 1.0;
    if (code == diary::Worse) return -1.0;
    return 0.0;
}

}  // namespace network
