#pragma once
// The network's members as the engine trains and reads them, in place: the foods' inputs and
// weights, the symptom units and the hidden units. The spans fix the number and order of the
// records; the engine reads names and histories and writes only the network's numbers.

#include <cstdint>
#include <span>

#include "diary/Food.h"
#include "diary/Hidden.h"
#include "diary/Symptom.h"

struct NetworkView {
    std::span<CFood> foods;
    std::span<CSymptom> symptoms;
    std::span<CHidden> hidden;
    std::int32_t dayCount = 0;
};
