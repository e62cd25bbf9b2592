#include "engine/PopulationCounts.h"

#include <bit>

#include "engine/TargetClones.h"

GASTROLOG_TARGET_CLONES("popcnt", "default")
int OnesIn(const std::uint64_t* first, const std::uint64_t* mask, int words) {
    int ones = 0;
    for (int w = 0; w < words; ++w) ones += std::popcount(first[w] & mask[w]);
    return ones;
}

GASTROLOG_TARGET_CLONES("popcnt", "default")
int OnesIn(const std::uint64_t* first, const std::uint64_t* second, const std::uint64_t* mask,
           int words) {
    int ones = 0;
    for (int w = 0; w < words; ++w) ones += std::popcount(first[w] & second[w] & mask[w]);
    return ones;
}
