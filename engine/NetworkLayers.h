#pragma once
// The parts of a training pattern that touch only the hidden and symptom units. The document's
// step-by-step operations, the fast trainer and the list scorer all go through these, so the
// upper layers are computed by one piece of code.

#include <span>

#include "diary/Hidden.h"
#include "diary/Symptom.h"

namespace network {

// Every symptom's net input and output from the hidden units' outputs.
void ForwardSymptoms(std::span<CSymptom> symptoms, std::span<const CHidden> hidden);

// Error terms of the symptom units against the ratings at targetDay, then of the hidden units.
void BackPropagateUpper(std::span<CSymptom> symptoms, std::span<CHidden> hidden, int targetDay);

// Gradients of the symptoms' weights and biases and of the hidden units' biases.
void AccumulateUpperGradients(std::span<CSymptom> symptoms, std::span<CHidden> hidden);

// Changes with momentum for the hidden biases and the symptoms' biases and weights.
void ApplyUpperChanges(std::span<CSymptom> symptoms, std::span<CHidden> hidden);

}  // namespace network
